#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Load;
using simtest::Refusal;

namespace {

const char* kProgramsImage = R"({
  "files": {"C:\\Program Files\\BREVIK\\vorbce.dll": {}, "C:\\Tools": {"attributes": "DIRECTORY"}},
  "libraries": {"C:\\Program Files\\BREVIK\\vorbce.dll":
                  {"exports": ["BceRegisterApp", "BceUninstallLCS"], "uninstallStatus": -5}},
  "directories": {"path": ["C:\\Tools", "D:\\bin"]},
  "windows": [{"id": 7, "title": "Agent", "className": "SAGEWINDOWCLASS", "process": 9}],
  "commands": [
    {"match": "*\\UninstallerData\\Uninstall Kestrion.exe*",
     "effects": [{"deleteValue": "HKLM\\Software\\Vorkast\\Kestrion for Intranets", "name": "Install_Dir"},
                 {"setValue": "HKLM\\Software\\Vorkast\\Done", "name": "When", "value": 3},
                 {"deleteKey": "HKCU\\Software\\Vorkast"},
                 {"deleteFile": "C:\\Kestrion"},
                 {"createFile": "C:\\Kestrion.log", "content": "gone"},
                 {"stopService": "vorbces"}]},
    {"match": "regsvr32 *", "start": "fails"}
  ],
  "scheduledJobs": [{"id": 4, "command": "C:\\BREVIK\\poll.exe"}],
  "scheduledTasks": {"available": false, "tasks": ["Kestrion Update"]},
  "installLog": {
    "registered": true,
    "storePath": "C:\\Program Files\\BREVIK\\vorlog.dat",
    "components": {
      "Install": {"children": ["Kestrion"]},
      "Kestrion": {"installed": false, "files": ["C:\\Kestrion\\ks.exe"], "registryValues": "\"unterminated",
                   "properties": {"BaseDir": "C:\\Kestrion"}}
    }
  }
})";

TEST(ProgramsImage, EveryMemberOfProgramsAndTheLogSurvivesSaveAndLoad) {
  auto m = Load(kProgramsImage);
  ASSERT_NE(m, nullptr);
  const nlohmann::json saved = m->Save();
  EXPECT_EQ(Load(saved.dump())->Save(), saved);

  const auto& effects = saved["commands"][0]["effects"];
  ASSERT_EQ(effects.size(), 6u);
  EXPECT_EQ(effects[0]["deleteValue"], "HKLM\\Software\\Vorkast\\Kestrion for Intranets");
  EXPECT_EQ(effects[0]["name"], "Install_Dir");
  EXPECT_EQ(effects[1]["value"], 3);
  EXPECT_EQ(effects[4]["content"], "gone");
  EXPECT_EQ(effects[5]["stopService"], "vorbces");
  EXPECT_EQ(saved["commands"][1]["start"], "fails");
  EXPECT_EQ(saved["scheduledJobs"][0]["id"], 4);
  EXPECT_EQ(saved["scheduledTasks"]["available"], false);
  EXPECT_EQ(saved["scheduledTasks"]["tasks"][0], "Kestrion Update");
  EXPECT_EQ(saved["windows"][0]["className"], "SAGEWINDOWCLASS");
  EXPECT_EQ(saved["libraries"]["C:\\Program Files\\BREVIK\\vorbce.dll"]["uninstallStatus"], -5);
  EXPECT_EQ(saved["directories"]["path"], nlohmann::json({"C:\\Tools", "D:\\bin"}));

  const auto& log = saved["installLog"];
  EXPECT_EQ(log["storePath"], "C:\\Program Files\\BREVIK\\vorlog.dat");
  EXPECT_EQ(log["components"]["Install"]["children"], nlohmann::json({"Kestrion"}));
  EXPECT_EQ(log["components"]["Kestrion"]["installed"], false);
  // A list that does not split into entries goes back as its text.
  EXPECT_EQ(log["components"]["Kestrion"]["registryValues"], "\"unterminated");
  EXPECT_EQ(log["components"]["Kestrion"]["properties"]["BaseDir"], "C:\\Kestrion");
}

TEST(ProgramsImage, AMachineWithoutLogServerStaysWithoutOne) {
  const nlohmann::json saved = Load(R"({"installLog": {"registered": false}})")->Save();
  EXPECT_EQ(saved["installLog"]["registered"], false);
  EXPECT_EQ(Load(saved.dump())->Save(), saved);
}

TEST(ProgramsImage, RefusalsNameTheJsonPathAtFault) {
  struct Case {
    const char* image;
    const char* expectedStart;
  };
  const Case cases[] = {
      {R"({"commands": {}})", "/commands: expected an array"},
      {R"({"commands": [{"effects": []}]})", "/commands/0/match: missing"},
      {R"({"commands": [{"match": "x", "start": "maybe"}]})", "/commands/0/start: expected \"runs\" or \"fails\""},
      {R"({"commands": [{"match": "x", "start": "fails", "effects": [{"deleteKey": "HKLM\\A"}]}]})",
       "/commands/0/effects: a command that fails to start changes nothing"},
      {R"({"commands": [{"match": "x", "effects": [{"deleteKey": "HKLM\\A", "deleteFile": "C:\\a"}]}]})",
       "/commands/0/effects/0: an effect is exactly one of"},
      {R"({"commands": [{"match": "x", "effects": [{"renameKey": "HKLM\\A"}]}]})",
       "/commands/0/effects/0/renameKey: unknown member"},
      {R"({"commands": [{"match": "x", "effects": [{"deleteValue": "HKLM\\A"}]}]})",
       "/commands/0/effects/0/name: missing"},
      {R"({"commands": [{"match": "x", "effects": [{"deleteKey": "HKXX\\A"}]}]})",
       "/commands/0/effects/0/deleteKey: expected a key's full path"},
      {R"({"commands": [{"match": "x", "effects": [{"setValue": "HKLM\\A", "name": "v"}]}]})",
       "/commands/0/effects/0/value: missing"},
      {R"({"commands": [{"match": "x", "effects": [{"setValue": "HKLM\\A", "name": "v", "value": true}]}]})",
       "/commands/0/effects/0/value: expected"},
      {R"({"commands": [{"match": "x", "effects": [{"deleteFile": "Kestrion"}]}]})",
       "/commands/0/effects/0/deleteFile: expected a full path"},
      {R"({"commands": [{"match": "x", "effects": [{"deleteFile": "C:\\a", "content": "x"}]}]})",
       "/commands/0/effects/0/content: only createFile gives a content"},
      {R"({"scheduledJobs": [{"id": 1, "command": "a"}, {"id": 1, "command": "b"}]})",
       "/scheduledJobs/1/id: another job has this id"},
      {R"({"scheduledJobs": [{"id": 1}]})", "/scheduledJobs/0/command: missing"},
      {R"({"scheduledTasks": {"tasks": ["A", "a"]}})", "/scheduledTasks/tasks/1: the same task is listed twice"},
      {R"({"scheduledTasks": {"available": "yes"}})", "/scheduledTasks/available: expected"},
      {R"({"windows": [{"id": 1, "className": 5}]})", "/windows/0/className: expected a string"},
      {R"({"files": {"C:\\b.dll": {}}, "libraries": {"C:\\b.dll": {"uninstallStatus": 4294967296}}})",
       "/libraries/C:\\b.dll/uninstallStatus: expected a 32-bit signed number"},
      {R"({"directories": {"path": ["Tools"]}})", "/directories/path/0: expected a full path"},
      {R"({"installLog": {"components": {"K": {"files": [""]}}}})", "/installLog/components/K/files/0: an entry"},
      {R"({"installLog": {"components": {"K": {"propertys": {}}}}})", "/installLog/components/K/propertys: unknown"},
      {R"({"installLog": {"components": {"K": {}, "k": {}}}})", "/installLog/components/k: the same component"},
      {R"({"installLog": {"registered": 1}})", "/installLog/registered: expected"},
      // A drive-relative name is no file of the driver's: it would save as
      // something else than it loaded.
      {R"({"drivers": [{"name": "X", "driverPath": "x.dll", "dependentFiles": ["C:os\\"]}]})",
       "/drivers/0/dependentFiles/0: expected a bare file name or a full path"},
      {R"({"drivers": [{"name": "X", "driverPath": "C:x.dll"}]})",
       "/drivers/0/driverPath: expected a bare file name or a full path"},
  };
  for (const auto& c : cases) {
    const std::string refusal = Refusal(c.image);
    EXPECT_EQ(refusal.rfind(c.expectedStart, 0), 0u) << "image: " << c.image << "\nrefusal: " << refusal;
  }
}

}  // namespace
