// Removal of what an installer logged for a component, on a machine where the
// maker's files and keys sit beside other products' with similar names: a
// run takes exactly the logged objects and nothing beside them.
#include <set>
#include <string>

#include "component_harness.h"
#include "system/deferred_deleter.h"

namespace components_test {
namespace {

const char kKs[] = "C:\\Program Files\\BREVIK\\Kestrion";

json Dir() { return json{{"attributes", "DIRECTORY"}}; }

// Windows XP with the Kestrion component's files among look-alikes.
json BaseImage() {
  const std::string ks = kKs;
  return json{
      {"os", "winxp"},
      {"program", "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe"},
      {"services", {{"spooler", {{"state", "running"}}}}},
      {"files",
       {{ks + "\\ks.dll", json::object()},
        {ks + "\\ks.dll.bak", json::object()},
        {ks + "\\ks.hlp", json::object()},
        {ks + "\\KS.GID", json::object()},
        {ks + "\\ks2.GID", json::object()},
        {ks + "\\Data\\state.dat", json::object()},
        {ks + "\\Data\\Sub\\more.dat", json::object()},
        {ks + "\\Database\\other.dat", json::object()},
        {"C:\\Program Files\\BREVIKS\\ks.dll", json::object()},
        {"C:\\Program Files\\BREVIK\\Kestrion2\\ks.dll", json::object()},
        {"C:\\WINDOWS\\System32\\vorcfi.dll", json::object()},
        {"C:\\WINDOWS\\System32\\vorcfi16.dll", json::object()},
        {"C:\\WINDOWS\\System32\\vkks.dll", json::object()},
        {"C:\\WINDOWS\\System32\\kernel32.dll", json::object()}}},
      {"registry",
       {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
         {{"values", {{"ProgramFilesDir", "C:\\Program Files"}, {"CommonFilesDir", "C:\\Program Files\\Common Files"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\Kestrion", {{"values", {{"BaseDir", ks}, {"Version", "4.1"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\A, B\\Sub", {{"values", {{"x", "1"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\A", {{"values", {{"", "keep"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\B", {{"values", {{"", "keep"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\Web", {{"values", {{"", "web"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\Web\\Cache", {{"values", {{"n", "1"}}}}},
        {"HKLM\\SOFTWARE\\Vorkastle\\Kestrion", {{"values", {{"BaseDir", "C:\\x"}}}}},
        {"HKLM\\SOFTWARE\\Other", {{"values", {{"x", "1"}}}}}}},
      {"installLog", {{"components", json::object()}}},
  };
}

void Log(json& image, const std::string& key, const json& record) {
  image["installLog"]["components"][key] = record;
}

TEST(LoggedRemoval, TakesExactlyTheLoggedFilesKeysAndValuesAndForgetsTheComponent) {
  json image = BaseImage();
  const std::string ks = kKs;
  Log(image, "Kestrion",
      {{"files", {ks + "\\ks.dll", ks + "\\ks.hlp", "C:\\WINDOWS\\System32\\vkks.dll"}},
       {"directories", {ks + "\\Data"}},
       {"registryValues", {"HKLM,\"SOFTWARE\\Vorkast\\Kestrion\",\"BaseDir\"", "HKEY_LOCAL_MACHINE,SOFTWARE\\Other,x"}},
       {"registryKeys", {"HKLM,\"SOFTWARE\\Vorkast\\A, B\"", "hklm , SOFTWARE\\Vorkast\\Web"}},
       {"properties", {{"BaseDir", ks}}}});
  Bench b = MakeBench(image);
  ASSERT_TRUE(b.remover);
  b.remover->RemoveLoggedComponent("Kestrion", {});

  const std::set<std::string> files = {ks + "\\ks.dll",          ks + "\\ks.hlp",
                                       ks + "\\KS.GID",          "C:\\WINDOWS\\System32\\vkks.dll",
                                       ks + "\\Data",            ks + "\\Data\\state.dat",
                                       ks + "\\Data\\Sub",       ks + "\\Data\\Sub\\more.dat"};
  EXPECT_EQ(FilesGone(b), files);
  // The saved image lists keys that hold values; "A, B" holds only "Sub".
  const std::set<std::string> registry = {"HKLM\\SOFTWARE\\Vorkast\\Kestrion|BaseDir",
                                          "HKLM\\SOFTWARE\\Vorkast\\A, B\\Sub", "HKLM\\SOFTWARE\\Vorkast\\Web",
                                          "HKLM\\SOFTWARE\\Vorkast\\Web\\Cache"};
  EXPECT_EQ(RegistryGone(b), registry);
  const auto forgets = EventsOf(*b.machine, "logForget");
  ASSERT_EQ(forgets.size(), 1u);
  EXPECT_EQ(forgets[0]["key"], "Kestrion");
}

TEST(LoggedRemoval, KeepsTheEntryAfterTheLastNewlineAndFilesHoldingAnExclusion) {
  json image = BaseImage();
  const std::string ks = kKs;
  Log(image, "Kestrion",
      {{"files", "\n\n" + ks + "\\ks.hlp\nC:\\WINDOWS\\System32\\VORCFI.dll\nC:\\WINDOWS\\System32\\vorcfi16.dll\n" +
                     ks + "\\ks.dll"}});
  Bench b = MakeBench(image);
  ASSERT_TRUE(b.remover);
  b.remover->RemoveLoggedComponent("Kestrion", {"VORCFI.DLL", "vorcfi16.dll"});
  EXPECT_EQ(FilesGone(b), (std::set<std::string>{ks + "\\ks.hlp", ks + "\\KS.GID"}));
}

TEST(LoggedRemoval, AComponentWithoutARecordOnlyGetsForgotten) {
  Bench b = MakeBench(BaseImage());
  ASSERT_TRUE(b.remover);
  b.remover->RemoveLoggedComponent("Scheduler", {"X"});
  EXPECT_TRUE(FilesGone(b).empty());
  EXPECT_TRUE(RegistryGone(b).empty());
  EXPECT_EQ(EventsOf(*b.machine, "logForget").size(), 1u);
}

TEST(LoggedRemoval, RemovesTheBaseDirectoryOnlyWhenNothingIsLeftInIt) {
  json image = BaseImage();
  image["files"]["C:\\Program Files\\BREVIK\\Tools\\Empty"] = Dir();
  image["files"]["C:\\Program Files\\BREVIK\\Tools\\tool.exe"] = json::object();
  Log(image, "Tools",
      {{"files", {"C:\\Program Files\\BREVIK\\Tools\\tool.exe"}},
       {"properties", {{"BaseDir", "C:\\Program Files\\BREVIK\\Tools"}}}});
  Log(image, "Kestrion", {{"files", {std::string(kKs) + "\\ks.dll"}}, {"properties", {{"BaseDir", kKs}}}});
  Bench b = MakeBench(image);
  ASSERT_TRUE(b.remover);
  b.remover->RemoveLoggedComponent("Tools", {});
  b.remover->RemoveLoggedComponent("Kestrion", {});
  EXPECT_EQ(FilesGone(b), (std::set<std::string>{"C:\\Program Files\\BREVIK\\Tools",
                                                 "C:\\Program Files\\BREVIK\\Tools\\Empty",
                                                 "C:\\Program Files\\BREVIK\\Tools\\tool.exe",
                                                 std::string(kKs) + "\\ks.dll"}));
}

// Entries a damaged or hostile log might hold, each of which would reach
// beyond what it names.
TEST(LoggedRemoval, SkipsEntriesThatWouldReachBeyondWhatTheyName) {
  json image = BaseImage();
  image["files"]["C:\\Program Files\\Other\\Empty"] = Dir();
  image["files"]["C:\\Tools.hlpx\\x.exe"] = json::object();
  image["files"]["C:\\Tools.GID"] = json::object();
  image["registry"]["HKCR\\CLSID\\{1}"] = {{"values", {{"", "x"}}}};
  image["registry"]["HKCR\\.vkp"] = {{"values", {{"", "Vorkast.Profile"}}}};
  image["registry"]["HKCU\\Software\\Other"] = {{"values", {{"x", "1"}}}};
  Log(image, "Bad",
      {{"files", "ks.dll\nC:\\Tools.hlpx\\x.exe\n \nC:\n"},
       {"directories", {"C:\\WINDOWS\\System32", "C:\\Program Files", "C:\\", "Program Files", "C:\\PROGRA~1\\.."}},
       {"registryValues", {"HKLM,\\,x", "HKLM,,", "HKLM"}},
       {"registryKeys", {"HKLM,SOFTWARE", "HKCU,\\Software\\", "HKCR,CLSID", "HKCR,.vkp"}},
       {"properties", {{"BaseDir", "C:\\Program Files"}}}});
  Bench b = MakeBench(image);
  ASSERT_TRUE(b.remover);
  ASSERT_EQ(b.platform().files.SetCurrentDir(kKs), winerr::Success);
  b.remover->RemoveLoggedComponent("Bad", {});
  EXPECT_EQ(FilesGone(b), (std::set<std::string>{"C:\\Tools.hlpx\\x.exe"}));
  EXPECT_EQ(RegistryGone(b), (std::set<std::string>{"HKCR\\.vkp"}));
}

TEST(LoggedRemoval, DeleteRegistryEntryAnswersFalseForWhatItCannotRead) {
  Bench b = MakeBench(BaseImage());
  ASSERT_TRUE(b.remover);
  for (const char* entry : {"HKLM", "HKEY_LOCAL_MACHINE,SOFTWARE\\Other,x", "HKCC,Software\\x", "", "HKLM,  "})
    EXPECT_FALSE(b.remover->DeleteRegistryEntry(entry, 3)) << entry;
  EXPECT_TRUE(b.remover->DeleteRegistryEntry("HKLM,SOFTWARE\\Missing,x", 3));
  EXPECT_TRUE(RegistryGone(b).empty());
}

}  // namespace
}  // namespace components_test
