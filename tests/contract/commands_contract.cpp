// Outside programs started by their command line: waited for to the end,
// or left to run; a program that is not there fails to start.
#include <string>
#include <vector>

#include "contract_env.h"
#include "platform/text.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

class CommandsContract : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    program_ = env_->CommandRecorder();
    if (program_.empty()) GTEST_SKIP() << "no recording program here";
  }
  // Until the program has recorded something, at most ten seconds.
  std::vector<std::string> AwaitRecord() {
    for (int i = 0; i < 100; ++i) {
      auto lines = env_->RecordedCommands();
      if (!lines.empty()) return lines;
      P().clock.Sleep(100);
    }
    return {};
  }
  std::string program_;
};

TEST_F(CommandsContract, WaitingReturnsOnlyOnceTheProgramHasEndedWithItsCommandLineAsGiven) {
  // The program records after its pause: a return before its end finds
  // nothing recorded.
  const std::string line = program_ + " -u --sleep=400";
  ASSERT_EQ(P().processes.RunCommand(line, true), winerr::Success);
  EXPECT_EQ(env_->RecordedCommands(), std::vector<std::string>{line});
}

TEST_F(CommandsContract, WithoutWaitingTheCallReturnsWhileTheProgramRuns) {
  const std::string line = program_ + " vorpnpagent --sleep=1500";
  ASSERT_EQ(P().processes.RunCommand(line, false), winerr::Success);
  EXPECT_TRUE(env_->RecordedCommands().empty());
  EXPECT_EQ(AwaitRecord(), std::vector<std::string>{line});
}

TEST_F(CommandsContract, AProgramThatIsNotThereFailsToStartAndNothingRuns) {
  const std::string dir = program_.substr(0, program_.find_last_of('\\'));
  for (const bool wait : {true, false}) {
    EXPECT_EQ(P().processes.RunCommand(dir + "\\no-such-program-for-drvpurge.exe -u", wait), winerr::FileNotFound)
        << "wait " << wait;
  }
  EXPECT_TRUE(env_->RecordedCommands().empty());
}

using SearchPathContract = ContractTest;

TEST_F(SearchPathContract, TheSystemDirectoryIsSearchedAndAMissingNameIsNotFound) {
  const std::string file = env_->ExistingFile();
  const std::string name = file.substr(file.find_last_of('\\') + 1);
  std::string found = "stale";
  ASSERT_EQ(P().processes.FindOnSearchPath(name, &found), winerr::Success);
  EXPECT_TRUE(text::IEquals(found, file)) << found;

  EXPECT_EQ(P().processes.FindOnSearchPath("no-such-program-for-drvpurge.exe", &found), winerr::FileNotFound);
  EXPECT_EQ(found, "");
}

}  // namespace
}  // namespace contract
