#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Load;
namespace ka = plat::keyaccess;

namespace {

// A key as restrictive installers leave it: administrators may not delete it.
std::string LockedImage(const std::string& os, const std::string& processGroups, const std::string& thread = "null") {
  return R"({"os": ")" + os + R"(", "token": {"user": "S-1-5-21-1-2-3-1000", "thread": )" + thread +
         R"(, "process": )" + processGroups + R"(},
    "registry": {"HKLM\\SOFTWARE\\Vorkast\\Locked": {"values": {"Count": 5},
      "acl": [{"type": "deny", "sid": "S-1-5-32-544", "mask": "DELETE"},
              {"type": "allow", "sid": "S-1-1-0", "mask": "KEY_READ"},
              {"type": "allow", "sid": "S-1-5-32-544", "mask": "GENERIC_ALL"}]},
      "HKLM\\SOFTWARE\\Vorkast\\Mine": {"owner": "S-1-5-21-1-2-3-1000", "acl": []}}})";
}
const std::string kAdmin = R"(["S-1-1-0", "S-1-5-32-545", "S-1-5-32-544"])";
const std::string kUser = R"(["S-1-1-0", "S-1-5-32-545"])";

TEST(KeySecurity, DenyEntriesRefuseWhatTheyNameAndAllowEntriesAccumulate) {
  auto m = Load(LockedImage("winxp", kAdmin));
  auto& r = m->platform().registry;
  plat::HKey k = 0;
  EXPECT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", ka::AllAccess, &k), winerr::AccessDenied);
  ASSERT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", ka::Read | ka::SetValue, &k),
            winerr::Success);
  EXPECT_EQ(r.SetValue(k, "Count", plat::RegValue::Dword(6)), winerr::Success);
  EXPECT_EQ(r.EnumKey(k, 0, nullptr), winerr::NoMoreItems);
  r.Close(k);
  plat::HKey vorkast = 0;
  ASSERT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast", ka::AllAccess, &vorkast), winerr::Success);
  EXPECT_EQ(r.DeleteKey(vorkast, "Locked"), winerr::AccessDenied);
  EXPECT_TRUE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Locked"));
  r.Close(vorkast);
}

TEST(KeySecurity, TheOwnerMayAlwaysRewriteTheListAndThenDelete) {
  auto m = Load(LockedImage("winxp", kAdmin));
  auto& r = m->platform().registry;
  plat::HKey k = 0;
  // The list grants nobody WRITE_DAC, and denies administrators DELETE, but
  // the Administrators group owns the key.
  ASSERT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", ka::WriteDac, &k), winerr::Success);
  plat::Acl open;
  open.aces.push_back({plat::kAceAccessAllowed, plat::kAceContainerInherit, ka::AllAccess, "S-1-5-32-544"});
  ASSERT_EQ(r.SetKeyDacl(k, open), winerr::Success);
  plat::Acl read;
  EXPECT_EQ(r.GetKeyDacl(k, &read), winerr::AccessDenied);  // handle lacks READ_CONTROL
  r.Close(k);
  ASSERT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", ka::AllAccess, &k), winerr::Success);
  ASSERT_EQ(r.GetKeyDacl(k, &read), winerr::Success);
  EXPECT_EQ(read, open);
  r.Close(k);
  EXPECT_EQ(r.DeleteKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked"), winerr::Success);
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Locked"));
}

TEST(KeySecurity, AnEmptyListDeniesEverybodyButTheOwner) {
  auto m = Load(LockedImage("winxp", kAdmin));
  auto& r = m->platform().registry;
  plat::HKey k = 0;
  // "Mine" belongs to the user, not to the Administrators group.
  EXPECT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Mine", ka::Read, &k), winerr::AccessDenied);
  EXPECT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Mine", ka::ReadControl | ka::WriteDac, &k),
            winerr::Success);  // the token's user is the owner
  r.Close(k);
}

TEST(KeySecurity, AUserWithoutAdministratorsGetsOnlyWhatEveryoneGets) {
  auto m = Load(LockedImage("win2k", kUser));
  auto& r = m->platform().registry;
  plat::HKey k = 0;
  EXPECT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", ka::WriteDac, &k), winerr::AccessDenied);
  ASSERT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", ka::GenericRead, &k), winerr::Success);
  EXPECT_EQ(r.SetValue(k, "Count", plat::RegValue::Dword(1)), winerr::AccessDenied);
  r.Close(k);
  // MAXIMUM_ALLOWED grants what the list allows.
  ASSERT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", 0x02000000, &k), winerr::Success);
  plat::RegValue v;
  EXPECT_EQ(r.QueryValue(k, "Count", &v), winerr::Success);
  EXPECT_EQ(r.DeleteValue(k, "Count"), winerr::AccessDenied);
  r.Close(k);
}

TEST(KeySecurity, AThreadTokenReplacesTheProcessGroups) {
  auto m = Load(LockedImage("winxp", kAdmin, kUser));
  auto& r = m->platform().registry;
  plat::HKey k = 0;
  EXPECT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", ka::SetValue, &k), winerr::AccessDenied);
  std::vector<plat::Sid> groups;
  ASSERT_EQ(m->platform().security.ThreadTokenGroups(&groups), winerr::Success);
  EXPECT_EQ(groups, (std::vector<plat::Sid>{"S-1-1-0", "S-1-5-32-545"}));
}

TEST(KeySecurity, The9xFamilyHasNoKeySecurity) {
  auto m = Load(LockedImage("win98", kUser));
  auto& r = m->platform().registry;
  plat::HKey k = 0;
  ASSERT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", ka::AllAccess, &k), winerr::Success);
  plat::Acl acl;
  EXPECT_EQ(r.SetKeyDacl(k, acl), winerr::CallNotImplemented);
  EXPECT_EQ(r.GetKeyDacl(k, &acl), winerr::CallNotImplemented);
  r.Close(k);
  EXPECT_EQ(r.DeleteKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast"), winerr::Success);
  std::vector<plat::Sid> groups;
  EXPECT_EQ(m->platform().security.ProcessTokenGroups(&groups), winerr::CallNotImplemented);
}

}  // namespace
