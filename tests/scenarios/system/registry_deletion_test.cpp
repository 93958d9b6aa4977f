#include "machine_image.h"
#include "platform/registry.h"
#include "system/key_access_grant.h"
#include "system/reg_removal.h"
#include "system/registry_helpers.h"

namespace {
using plat::kHkeyCurrentUser;
using plat::kHkeyLocalMachine;

std::unique_ptr<sim::Machine> MachineWith(std::string_view os, std::string_view registry,
                                          std::string_view faults = "[]") {
  return LoadMachine(std::string(R"({"os": ")") + std::string(os) + R"(", "registry": {)" + std::string(registry) +
                     R"(}, "faults": )" + std::string(faults) + "}");
}

TEST(RegDeleteValueAndPrune, PrunesEmptiedKeysUpToTheFirstThatHoldsSomething) {
  auto m = MachineWith("winxp", R"(
      "HKLM\\SOFTWARE\\Vorkast": {"values": {"Keep": 1}},
      "HKLM\\SOFTWARE\\Vorkast\\A\\B": {"values": {"V": "x"}},
      "HKLM\\SOFTWARE\\Vorkast\\Empty\\Leaf": {},
      "HKCU\\Solo": {"values": {"V": 1}})");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_TRUE(RegDeleteValueAndPrune(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\A\\B", "V", false));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\A"));
  EXPECT_TRUE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast"));

  // A missing named value fails and prunes nothing; the unnamed one never fails.
  EXPECT_FALSE(RegDeleteValueAndPrune(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Empty\\Leaf", "Nope", false));
  EXPECT_TRUE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Empty\\Leaf"));
  EXPECT_TRUE(RegDeleteValueAndPrune(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Empty\\Leaf", "", false));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Empty"));

  // A missing key holds no value to delete.
  EXPECT_TRUE(RegDeleteValueAndPrune(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Gone", "V", false));
  // A key right below the root stays even when emptied.
  EXPECT_TRUE(RegDeleteValueAndPrune(reg, kHkeyCurrentUser, "Solo", "V", false));
  EXPECT_TRUE(m->KeyExists("HKCU\\Solo"));
}

TEST(RegDeleteValueAndPrune, DeletesTheTreeOnRequestAndFailsOnARefusedKey) {
  auto m = MachineWith("winxp", R"(
      "HKLM\\SOFTWARE\\Vorkast\\Tree": {"values": {"V": 1}},
      "HKLM\\SOFTWARE\\Vorkast\\Tree\\Sub\\Deeper": {"values": {"X": 1}},
      "HKLM\\SOFTWARE\\Vorkast\\Lone": {"values": {"V": 1}},
      "HKLM\\SOFTWARE\\Vorkast\\Shut": {"values": {"V": 1}})",
                       R"([{"call": "Registry.OpenKey", "match": "*\\Shut", "error": "ERROR_ACCESS_DENIED"}])");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_TRUE(RegDeleteValueAndPrune(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Tree", "V", true));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Tree"));
  // Pruning took the emptied key already; the tree deletion has nothing left.
  EXPECT_TRUE(RegDeleteValueAndPrune(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Lone", "V", true));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Lone"));
  EXPECT_FALSE(RegDeleteValueAndPrune(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Shut", "V", false));
  EXPECT_TRUE(m->Value("HKLM\\SOFTWARE\\Vorkast\\Shut", "V"));
}

// Denies deletion to administrators, as the maker's installers left some keys.
constexpr const char* kLockedKeys = R"(
    "HKLM\\SOFTWARE\\Vorkast\\Locked": {"values": {"V": 1}, "owner": "S-1-5-32-544",
        "acl": [{"type": "deny", "sid": "S-1-5-32-544", "mask": "DELETE"},
                {"type": "allow", "sid": "S-1-1-0", "mask": "KEY_ALL_ACCESS"}]},
    "HKLM\\SOFTWARE\\Vorkast\\Locked\\Inner": {"values": {"W": 2}, "owner": "S-1-5-32-544",
        "acl": [{"type": "deny", "sid": "S-1-5-32-544", "mask": "DELETE"},
                {"type": "allow", "sid": "S-1-1-0", "mask": "KEY_ALL_ACCESS"}]})";

TEST(RegDeleteKeyTree, DeletesALockedTreeOnlyAfterTheGrant) {
  auto m = MachineWith("winxp", kLockedKeys);
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_FALSE(RegDeleteKeyTree(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", false, false));
  EXPECT_TRUE(m->Value("HKLM\\SOFTWARE\\Vorkast\\Locked\\Inner", "W"));
  EXPECT_TRUE(RegDeleteKeyTree(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", true, false));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Locked"));
}

TEST(RegDeleteKeyTree, OnlyIfEmptyLeavesAKeyThatHoldsAnything) {
  auto m = MachineWith("winxp", R"(
      "HKLM\\SOFTWARE\\Vorkast\\Valued": {"values": {"V": 1}},
      "HKLM\\SOFTWARE\\Vorkast\\Parent\\Child": {},
      "HKLM\\SOFTWARE\\Vorkast\\Bare": {})");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_TRUE(RegDeleteKeyTree(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Valued", true, true));
  EXPECT_TRUE(m->Value("HKLM\\SOFTWARE\\Vorkast\\Valued", "V"));
  EXPECT_TRUE(RegDeleteKeyTree(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Parent", false, true));
  EXPECT_TRUE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Parent\\Child"));
  EXPECT_TRUE(RegDeleteKeyTree(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Bare", false, true));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Bare"));
  EXPECT_FALSE(RegDeleteKeyTree(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Bare", false, true));
}

// The nested key B cannot be opened. The 9x family deletes it with its
// parent's tree in one call; NT has to descend into it and fails there.
constexpr const char* kNestedTree = R"(
    "HKLM\\SOFTWARE\\Vorkast\\Tree\\B\\C": {"values": {"X": 1}},
    "HKLM\\SOFTWARE\\Vorkast\\Tree\\D": {})";
constexpr const char* kNestedUnopenable =
    R"([{"call": "Registry.OpenKey", "match": "*\\Tree\\B", "error": "ERROR_ACCESS_DENIED"}])";

TEST(RegDeleteTree, NineXDeletesSubtreesDirectlyWhileNtRecurses) {
  auto nineX = MachineWith("win98", kNestedTree, kNestedUnopenable);
  ASSERT_TRUE(nineX);
  EXPECT_TRUE(RegDeleteTree(nineX->platform().registry, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Tree"));
  EXPECT_FALSE(nineX->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Tree"));

  auto nt = MachineWith("win2k", kNestedTree, kNestedUnopenable);
  ASSERT_TRUE(nt);
  EXPECT_FALSE(RegDeleteTree(nt->platform().registry, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Tree"));
  EXPECT_TRUE(nt->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Tree\\B\\C"));

  auto clean = MachineWith("win2k", kNestedTree);
  ASSERT_TRUE(clean);
  EXPECT_TRUE(RegDeleteTree(clean->platform().registry, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Tree"));
  EXPECT_FALSE(clean->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Tree"));
}

TEST(RegDeleteTreeByIndex, DeletesEverySiblingOnNt) {
  auto m = MachineWith("winxp", R"(
      "HKLM\\SOFTWARE\\Vorkast\\Apps\\S1\\x": {}, "HKLM\\SOFTWARE\\Vorkast\\Apps\\S2\\x": {},
      "HKLM\\SOFTWARE\\Vorkast\\Apps\\S3\\x": {}, "HKLM\\SOFTWARE\\Vorkast\\Apps\\S4\\x": {"values": {"V": 1}})");
  ASSERT_TRUE(m);
  EXPECT_TRUE(RegDeleteTreeByIndex(m->platform().registry, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Apps"));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Apps"));
}

TEST(RegDeleteAllValues, StepsOverAValueThatRefusesDeletion) {
  auto m = MachineWith("winxp", R"("HKLM\\SOFTWARE\\Vorkast\\Vals": {"values": {"A": 1, "B": 2, "C": 3}})",
                       R"([{"call": "Registry.DeleteValue", "error": "ERROR_ACCESS_DENIED", "count": 1}])");
  ASSERT_TRUE(m);
  EXPECT_FALSE(RegDeleteAllValues(m->platform().registry, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Vals"));
  int left = 0;
  for (const char* name : {"A", "B", "C"}) left += m->Value("HKLM\\SOFTWARE\\Vorkast\\Vals", name) ? 1 : 0;
  EXPECT_EQ(left, 1);
}

TEST(RegistryHelpers, AnEmptyKeyPathNeverReachesTheRoot) {
  auto m = MachineWith("winxp", R"("HKCU": {"values": {"Shared": 1}}, "HKCU\\Software\\Other": {"values": {"V": 1}})");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_FALSE(RegDeleteAllValues(reg, kHkeyCurrentUser, ""));
  EXPECT_FALSE(RegDeleteKeyTree(reg, kHkeyCurrentUser, "", false, false));
  EXPECT_FALSE(RegDeleteTree(reg, kHkeyCurrentUser, ""));
  EXPECT_FALSE(RegDeleteTreeByIndex(reg, kHkeyCurrentUser, ""));
  EXPECT_TRUE(m->Value("HKCU", "Shared"));
  EXPECT_TRUE(m->Value("HKCU\\Software\\Other", "V"));
}

TEST(KeyAccessGrant, ReportsHowFarItGotAndRewritesTheWholeTree) {
  auto m = MachineWith("winxp", kLockedKeys,
                       R"([{"call": "Registry.SetKeyDacl", "error": "ERROR_ACCESS_DENIED", "count": 1}])");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  KeyAccessGrant grant(reg);
  EXPECT_EQ(grant.Apply(kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Missing"), KeyAccessGrant::NotOpened);
  EXPECT_EQ(grant.Apply(kHkeyLocalMachine, ""), KeyAccessGrant::NotOpened);
  EXPECT_EQ(grant.Apply(kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked"), KeyAccessGrant::NotGranted);
  EXPECT_EQ(grant.Apply(kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked"), KeyAccessGrant::Granted);

  plat::HKey inner = plat::kNoHandle;
  ASSERT_EQ(reg.OpenKey(kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked\\Inner", plat::keyaccess::AllAccess, &inner),
            winerr::Success);
  plat::UniqueKey innerKey(reg, inner);
  plat::Acl acl;
  ASSERT_EQ(reg.GetKeyDacl(innerKey.get(), &acl), winerr::Success);
  EXPECT_EQ(acl, grant.dacl());
  ASSERT_EQ(acl.aces.size(), 5u);
  EXPECT_EQ(acl.aces[0].sid, plat::wellknown::Everyone);
  EXPECT_EQ(acl.aces[0].mask, 0x20019u);
  EXPECT_EQ(acl.aces[4].sid, plat::wellknown::LocalSystem);
  EXPECT_EQ(grant.owner(), plat::wellknown::Users);
}

TEST(RegRemoval, RunsEachKindOfRequest) {
  auto m = MachineWith("winxp", std::string(kLockedKeys) + R"(,
      "HKLM\\SYSTEM\\Print\\Printers\\P1\\PrinterDriverData": {},
      "HKLM\\SYSTEM\\Print\\Printers\\P2": {"values": {"Port": "LPT1:"}},
      "HKLM\\SYSTEM\\Print\\Monitors\\Mon": {"values": {"Driver": "x.dll"}})");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  // A direct subkey with subkeys of its own is not deleted on NT.
  EXPECT_FALSE((RegRemoval{kHkeyLocalMachine, "SYSTEM\\Print\\Printers", "P1", "", false}.Run(reg)));
  EXPECT_TRUE((RegRemoval{kHkeyLocalMachine, "SYSTEM\\Print\\Printers", "P2", "", false}.Run(reg)));
  EXPECT_FALSE(m->KeyExists("HKLM\\SYSTEM\\Print\\Printers\\P2"));

  EXPECT_TRUE((RegRemoval{kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", "", "V", false}.Run(reg)));
  EXPECT_FALSE(m->Value("HKLM\\SOFTWARE\\Vorkast\\Locked", "V"));
  EXPECT_FALSE((RegRemoval{kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", "", "V", false}.Run(reg)));

  EXPECT_TRUE((RegRemoval{kHkeyLocalMachine, "SYSTEM\\Print\\Monitors\\Mon", "", "", true}.Run(reg)));
  EXPECT_TRUE(m->KeyExists("HKLM\\SYSTEM\\Print\\Monitors\\Mon"));
  EXPECT_TRUE((RegRemoval{kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", "", "", false}.Run(reg)));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Locked"));
}

TEST(RegRemoval, RefusesAnEmptyKeyPath) {
  // On the 9x family deleting a direct subkey of the root would take its
  // whole tree.
  auto m = MachineWith("win98", R"("HKLM\\SYSTEM\\Print": {"values": {"V": 1}})");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_FALSE((RegRemoval{kHkeyLocalMachine, "", "SYSTEM", "", false}.Run(reg)));
  EXPECT_FALSE((RegRemoval{kHkeyLocalMachine, "", "", "", false}.Run(reg)));
  EXPECT_TRUE(m->KeyExists("HKLM\\SYSTEM\\Print"));
}

}  // namespace
