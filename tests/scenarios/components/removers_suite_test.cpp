// The suite's agents: the commands they start, in order, and the settings
// they leave behind.
#include "remover_harness.h"

namespace remover_test {
namespace {

const char kRunKey[] = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(RemovePlugNPrint, UnregistersTheAgentThroughItsLoggedProgramsAndTheServiceHost) {
  RemoverRun run(Machine("win2k", {{"PlugNPrint",
                                    {{"files",
                                      {"C:\\Program Files\\BREVIK\\PnP\\VorPnPAgent.exe",
                                       "C:\\WINNT\\system32\\vorsvcsp.exe"}}}}}));
  run.remover->RemovePlugNPrint();
  EXPECT_EQ(run.Commands(), (std::vector<std::string>{"C:\\Program Files\\BREVIK\\PnP\\VorPnPAgent.exe -u",
                                                      "C:\\WINNT\\system32\\vorsvcsp.exe vorpnpagent"}));
}

TEST(RemovePlugNPrint, StartsNothingWhenTheLogNamesNeitherProgram) {
  RemoverRun run(Machine("win2k", {{"PlugNPrint", {{"files", {"C:\\Program Files\\BREVIK\\PnP\\pnp.dll"}}}}}));
  run.remover->RemovePlugNPrint();
  EXPECT_TRUE(run.Commands().empty());
}

TEST(RemoveEventAgent, UnregistersAndDeletesItsSettingsFromTheSystemDirectory) {
  RemoverRun run(Machine("winxp", {{"tivoli", json::object()}},
                         {{"C:\\WINDOWS\\system32\\VorEvnts.ini", json::object()},
                          {"C:\\WINDOWS\\VorEvnts.ini", json::object()}}));
  run.remover->RemoveEventAgent();
  EXPECT_EQ(run.Commands(), (std::vector<std::string>{"vorevnts.exe -u", "vorsvcsp.exe vorevnts"}));
  EXPECT_FALSE(run.Exists("C:\\WINDOWS\\system32\\VorEvnts.ini"));
  EXPECT_TRUE(run.Exists("C:\\WINDOWS\\VorEvnts.ini"));
}

TEST(RemoveServerAgent, SwitchesTheServerOffBeforeItsFilesGo) {
  RemoverRun run(Machine("win2k", {{"ServerAgent", json::object()}}, json::object(),
                         {{"HKLM\\SOFTWARE\\Vorkast\\Kestrion\\KSServer",
                           {{"values", {{"Enable Kestrion Server?", 1}}}}}}));
  run.remover->RemoveServerAgent("ServerAgent");
  EXPECT_EQ(run.Value(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Kestrion\\KSServer", "Enable Kestrion Server?"),
            "0");
  EXPECT_EQ(run.Forgotten(), std::vector<std::string>{"ServerAgent"});
}

TEST(RemoveDriverConfigTool, KeepsTheProfileLibrariesWhilePlugNPrintIsInstalled) {
  const char kMenuOrder[] =
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu\\&Programs\\Vorkast";
  for (const bool plugNPrint : {true, false}) {
    SCOPED_TRACE(plugNPrint);
    json components = {{"DrvCfgTool",
                        {{"files", {"C:\\WINNT\\system32\\vorcfi.dll", "C:\\Program Files\\BREVIK\\Profiler\\prof.exe"}}}}};
    if (plugNPrint) components["PlugNPrint"] = json::object();
    RemoverRun run(Machine("win2k", components,
                           {{"C:\\WINNT\\system32\\vorcfi.dll", json::object()},
                            {"C:\\Program Files\\BREVIK\\Profiler\\prof.exe", json::object()}},
                           {{kMenuOrder, {{"values", {{"Driver Profiler", "x"}}}}}}));
    run.remover->RemoveDriverConfigTool();
    EXPECT_EQ(run.Exists("C:\\WINNT\\system32\\vorcfi.dll"), plugNPrint);
    EXPECT_FALSE(run.Exists("C:\\Program Files\\BREVIK\\Profiler\\prof.exe"));
    EXPECT_FALSE(run.Value(plat::kHkeyCurrentUser, kMenuOrder + 5, "Driver Profiler").has_value());
  }
}

struct SchedulerTypeCase {
  const char* type;
  bool runValueGone;
};

TEST(RemoveScheduler, DeletesTheLogOnValueOnlyForType3AndAlwaysClearsTheRest) {
  const SchedulerTypeCase cases[] = {{"3", true}, {"", false}, {"4", false}, {" 3", false}};
  for (const SchedulerTypeCase& c : cases) {
    SCOPED_TRACE(c.type);
    RemoverRun run(Machine(
        "win2k",
        {{"Scheduler", {{"properties", {{"SchedulerType", c.type}, {"BaseDir", "C:\\Program Files\\BREVIK\\Web"}}}}}},
        {{"C:\\Program Files\\BREVIK\\Web\\upd.exe", json::object()}},
        {{kRunKey, {{"values", {{"VorWebUpdate", "upd.exe"}, {"Other", "other.exe"}}}}}}));
    run.remover->RemoveScheduler();
    EXPECT_EQ(!run.Value(plat::kHkeyLocalMachine, kRunKey + 5, "VorWebUpdate").has_value(), c.runValueGone);
    EXPECT_TRUE(run.Value(plat::kHkeyLocalMachine, kRunKey + 5, "Other").has_value());
    EXPECT_FALSE(run.Exists("C:\\Program Files\\BREVIK\\Web\\upd.exe"));
    EXPECT_EQ(run.Forgotten(), std::vector<std::string>{"Scheduler"});
    EXPECT_TRUE(run.Commands().empty());
  }
}

}  // namespace
}  // namespace remover_test
