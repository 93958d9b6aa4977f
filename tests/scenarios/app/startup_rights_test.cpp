// Who may run the uninstaller: administrators on Windows NT, anyone on the
// 9x family.
#include "startup_harness.h"

namespace startup_test {
namespace {

const char kNoRights[] = "You do not have the authority to uninstall.\n\nProgram will abort.";

json WithToken(json image, json thread, json process) {
  image["token"]["thread"] = std::move(thread);
  image["token"]["process"] = std::move(process);
  return image;
}

bool Refused(const RunResult& r) {
  const auto boxes = r.MessageBoxes();
  return boxes.size() == 1 && boxes[0]["text"] == kNoRights;
}

// Start-up got past the rights check when it reached the question about an
// empty machine.
bool Accepted(const RunResult& r) {
  const auto boxes = r.MessageBoxes();
  return !boxes.empty() && boxes[0]["caption"] == "Uninstall" &&
         boxes[0]["text"].get<std::string>().rfind("There is nothing to uninstall.", 0) == 0;
}

TEST(StartupRights, UserWithoutAdministratorsOnWindows2000GetsTheRightsMessageAndEnds) {
  json image = WithToken(BaseImage(), nullptr, {"S-1-5-21-1-2-3-513", "S-1-1-0", "S-1-5-32-545"});
  image["os"] = "win2k";
  const RunResult r = RunStartup(image, {});
  ASSERT_TRUE(Refused(r)) << r.journal.dump(1);
  const json box = r.MessageBoxes()[0];
  EXPECT_EQ(box["caption"], "Uninstall");
  EXPECT_EQ(box["icon"], "error");
  EXPECT_EQ(box["buttons"], "ok");
  EXPECT_EQ(r.exitCode, 0);

  // Silent: the same refusal without a word.
  const RunResult quiet = RunStartup(image, {"/S"});
  EXPECT_TRUE(quiet.MessageBoxes().empty()) << quiet.journal.dump(1);
  EXPECT_EQ(quiet.exitCode, 0);
}

TEST(StartupRights, Windows98MakesNoCheck) {
  // Neither token could say yes, and reading either would fail.
  json image = WithToken(BaseImage(), nullptr, {"S-1-5-32-545"});
  image["os"] = "win98";
  image["faults"] = {{{"call", "Security.*"}, {"error", "ERROR_ACCESS_DENIED"}}};
  const RunResult r = RunStartup(image, {});
  EXPECT_TRUE(Accepted(r)) << r.journal.dump(1);
  EXPECT_TRUE(r.Events("fault").empty());
}

TEST(StartupRights, AdministratorsAnywhereInTheDecidingTokenCounts) {
  const json tokens[][2] = {
      // {thread token (null: not impersonating), process token}
      {nullptr, {"S-1-1-0", "S-1-5-32-545", "S-1-5-32-547", "S-1-5-32-544"}},
      {nullptr, {"S-1-5-32-544", "S-1-5-32-545"}},
      {json::array({"S-1-5-32-544"}), {"S-1-5-32-545"}},
  };
  for (const auto& t : tokens) {
    const RunResult r = RunStartup(WithToken(BaseImage(), t[0], t[1]), {});
    EXPECT_TRUE(Accepted(r)) << t[0] << t[1] << r.journal.dump(1);
  }
  const json refused[][2] = {
      // An impersonating thread's token decides over the process token.
      {json::array({"S-1-5-32-545"}), {"S-1-5-32-544"}},
      // Close relatives of the Administrators group are not it.
      {nullptr, {"S-1-5-32-5440", "S-1-5-32", "S-1-5-21-1-2-3-544", "S-1-5-32-547"}},
  };
  for (const auto& t : refused) {
    const RunResult r = RunStartup(WithToken(BaseImage(), t[0], t[1]), {});
    EXPECT_TRUE(Refused(r)) << t[0] << t[1] << r.journal.dump(1);
  }
}

TEST(StartupRights, AFailedTokenReadRefuses) {
  json processFails = BaseImage();
  processFails["faults"] = {{{"call", "Security.ProcessTokenGroups"}, {"error", "ERROR_ACCESS_DENIED"}}};
  const RunResult r1 = RunStartup(processFails, {});
  EXPECT_TRUE(Refused(r1)) << r1.journal.dump(1);

  // A thread-token failure other than "no token" does not fall back to the
  // process token, although that one would say yes.
  json threadFails = BaseImage();
  threadFails["faults"] = {{{"call", "Security.ThreadTokenGroups"}, {"error", "ERROR_ACCESS_DENIED"}}};
  const RunResult r2 = RunStartup(threadFails, {});
  EXPECT_TRUE(Refused(r2)) << r2.journal.dump(1);
  EXPECT_EQ(r2.exitCode, 0);
}

}  // namespace
}  // namespace startup_test
