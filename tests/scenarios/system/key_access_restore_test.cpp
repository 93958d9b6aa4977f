// The access grant opens keys to every user only for the deletion it serves:
// a key that survives the deletion gets back the access list it had.
#include <functional>

#include "machine_image.h"
#include "platform/registry.h"
#include "system/reg_removal.h"
#include "system/registry_helpers.h"

namespace {
using plat::kHkeyLocalMachine;

// The maker's locked keys beside another program's key below the same
// parent: administrators may not delete them, users may only read them.
constexpr const char* kLockedAcl = R"("owner": "S-1-5-32-544",
    "acl": [{"type": "deny", "sid": "S-1-5-32-544", "mask": "DELETE"},
            {"type": "allow", "sid": "S-1-5-32-544", "mask": "KEY_ALL_ACCESS"},
            {"type": "allow", "sid": "S-1-5-32-545", "mask": "KEY_READ"}])";

std::unique_ptr<sim::Machine> LockedMachine(std::string_view faults = "[]") {
  const std::string locked = kLockedAcl;
  return LoadMachine(R"({"os": "winxp", "registry": {
      "HKLM\\SOFTWARE\\Vorkast\\Locked": {"values": {"V": 1, "W": 2}, )" + locked + R"(},
      "HKLM\\SOFTWARE\\Vorkast\\Locked\\Inner": {"values": {"X": 1}, )" + locked + R"(},
      "HKLM\\SOFTWARE\\Vorkast\\Locked\\Inner\\Deep": {)" + locked + R"(},
      "HKLM\\SOFTWARE\\Vorkast\\Other": {"values": {"Y": 1}, )" + locked + R"(}
    }, "faults": )" + std::string(faults) + "}");
}

plat::Acl DaclOf(sim::Machine& m, const std::string& path) {
  auto& reg = m.platform().registry;
  plat::HKey raw = plat::kNoHandle;
  EXPECT_EQ(reg.OpenKey(kHkeyLocalMachine, path, plat::keyaccess::ReadControl, &raw), winerr::Success) << path;
  plat::UniqueKey key(reg, raw);
  plat::Acl acl;
  EXPECT_EQ(reg.GetKeyDacl(key.get(), &acl), winerr::Success) << path;
  return acl;
}

const std::vector<std::string> kKeys = {"SOFTWARE\\Vorkast\\Locked", "SOFTWARE\\Vorkast\\Locked\\Inner",
                                        "SOFTWARE\\Vorkast\\Locked\\Inner\\Deep", "SOFTWARE\\Vorkast\\Other"};

TEST(KeyAccessRestore, AKeyThatSurvivesGetsBackItsAccessList) {
  struct Case {
    const char* what;
    const char* faults;
    std::function<void(plat::Registry&)> run;
    std::vector<bool> survives;  // per key of kKeys
  };
  const std::vector<Case> cases = {
      {"a value removal", "[]",
       [](plat::Registry& reg) {
         EXPECT_TRUE((RegRemoval{kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", "", "V", false}.Run(reg)));
       },
       {true, true, true, true}},
      {"a value deletion that prunes nothing", "[]",
       [](plat::Registry& reg) {
         EXPECT_TRUE(RegDeleteValueAndPrune(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", "W", false));
       },
       {true, true, true, true}},
      {"a tree deletion that fails below",
       R"([{"call": "Registry.DeleteKey", "match": "*\\Deep", "error": "ERROR_ACCESS_DENIED"}])",
       [](plat::Registry& reg) {
         EXPECT_FALSE(RegDeleteKeyTree(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", true, false));
       },
       {true, true, true, true}},
      {"a tree removal of a key that is not empty", "[]",
       [](plat::Registry& reg) {
         EXPECT_TRUE((RegRemoval{kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", "", "", true}.Run(reg)));
       },
       {true, true, true, true}},
      {"a whole tree removal", "[]",
       [](plat::Registry& reg) {
         EXPECT_TRUE((RegRemoval{kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", "", "", false}.Run(reg)));
       },
       {false, false, false, true}},
  };
  for (const Case& c : cases) {
    auto m = LockedMachine(c.faults);
    ASSERT_TRUE(m);
    std::vector<plat::Acl> before;
    for (const std::string& key : kKeys) before.push_back(DaclOf(*m, key));
    c.run(m->platform().registry);
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
      ASSERT_EQ(m->KeyExists("HKLM\\" + kKeys[i]), c.survives[i]) << c.what << ": " << kKeys[i];
      if (c.survives[i]) {
        EXPECT_EQ(DaclOf(*m, kKeys[i]), before[i]) << c.what << ": " << kKeys[i];
      }
    }
  }
}

TEST(KeyAccessRestore, TreeIfEmptyLooksBeforeItGrantsAndStillDeletesALockedEmptyKey) {
  // Any rewrite of the kept key's list would meet this fault and leave a
  // trace in the journal.
  auto m = LockedMachine(R"([{"call": "Registry.SetKeyDacl", "match": "*\\Locked", "error": "ERROR_ACCESS_DENIED"}])");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_TRUE(RegDeleteKeyTree(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked", true, true));
  EXPECT_TRUE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Locked"));
  EXPECT_TRUE(EventsOf(*m, "fault").empty());

  // An empty key that administrators may not delete is opened for the
  // deletion and goes.
  EXPECT_TRUE(RegDeleteKeyTree(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Locked\\Inner\\Deep", true, true));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Locked\\Inner\\Deep"));
}

}  // namespace
