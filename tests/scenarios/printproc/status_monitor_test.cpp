// The status monitor starts on the machine a job comes from.
#include "processor_harness.h"

namespace {

const char* const kMonitorLine = "WinExec(\"VKSTATUS.EXE BRV-2100;LPT1:;PP;\", 5)";

TEST(StatusMonitor, StartsForAJobFromThisComputerWithPrinterAndPortInItsCommandLine) {
  const char* machines[] = {"\\\\PC01", "PC01", "\\\\pc01  ", "\\\\\\PC01"};
  for (const char* machine : machines) {
    ProcessorScenario s;
    ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), machine)).ok());
    EXPECT_EQ(s.LinesStarting("WinExec("), std::vector<std::string>{kMonitorLine}) << machine;
  }
}

TEST(StatusMonitor, DoesNotStartForAJobFromAnotherComputer) {
  ProcessorScenario s;
  ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "\\\\PC02")).ok());
  EXPECT_TRUE(s.LinesStarting("WinExec(").empty());
}

TEST(StatusMonitor, StartsWhenItCannotTellWhereTheJobCameFrom) {
  {
    ProcessorScenario s;
    s.world.host.SetComputerName(std::nullopt);
    ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "\\\\PC02")).ok());
    EXPECT_EQ(s.LinesStarting("WinExec("), std::vector<std::string>{kMonitorLine}) << "no computer name";
  }
  {
    ProcessorScenario s;
    s.world.journal.Fail("GetJob1", 5);
    ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "\\\\PC02")).ok());
    EXPECT_EQ(s.LinesStarting("WinExec("), std::vector<std::string>{kMonitorLine}) << "no job record";
  }
}

TEST(StatusMonitor, AMonitorThatCannotStartDoesNotStopTheJob) {
  ProcessorScenario s;
  s.world.journal.Fail("WinExec", 2);
  const auto data = Counting(10);
  ASSERT_TRUE(s.Print(s.AddJob("RAW", data)).ok());
  EXPECT_EQ(s.world.jobs.Written().at(0).data, data);
}

TEST(StatusMonitor, NamesAnEmptyPortWhenThePrintersPortCannotBeRead) {
  ProcessorScenario s;
  s.world.journal.Fail("GetPrinter2", 5);
  ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10))).ok());
  EXPECT_EQ(s.LinesStarting("WinExec("), std::vector<std::string>{"WinExec(\"VKSTATUS.EXE BRV-2100;;PP;\", 5)"});
}

}  // namespace
