// The log's printer and driver records after their removal, and the final
// clean-up when the last of the maker's products goes or when another
// brand's uninstaller still needs the shared pieces.
#include <set>
#include <string>

#include "component_harness.h"
#include "printing/printer.h"

namespace components_test {
namespace {

const char kProgram[] = "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe";
const char kStore[] = "C:\\Program Files\\BREVIK\\vorlog.dat";
const char kNtX86[] = "Windows NT x86";

json Image(const char* os, const char* windows) {
  const std::string win = windows;
  const std::string sys = win + (std::string(os) == "win98" ? "\\SYSTEM" : "\\System32");
  return json{
      {"os", os},
      {"program", kProgram},
      {"services", {{"spooler", {{"state", "running"}}}}},
      {"files",
       {{kProgram, json::object()},
        {"C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL", json::object()},
        {"C:\\Program Files\\BREVIK\\Install\\Drivers.ini", json::object()},
        {kStore, json::object()},
        {sys + "\\vorcfi.dll", json::object()},
        {sys + "\\vorcfi16.dll", json::object()},
        {sys + "\\vorps.ini", json::object()},
        {sys + "\\newvorps.ini", json::object()},
        {sys + "\\vorps2.ini", json::object()},
        {win + "\\vkpcl5c.ini", json::object()},
        {win + "\\vkpcl5d.ini", json::object()},
        {win + "\\vkpcl5e.ini", json::object()}}},
      {"registry",
       {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", {{"values", {{"ProgramFilesDir", "C:\\Program Files"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\Install", {{"values", {{"UnstDirBREVIK", "C:\\Program Files\\BREVIK\\Install"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\Drivers", {{"values", {{"Path", "x"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\Uninstall", {{"values", {{"BREVIK", kProgram}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\web_update", {{"values", {{"", "1"}}}}},
        {"HKCU\\Software\\Vorkast\\Kestrion\\1.0\\KSWindows\\kestrion\\Pos", {{"values", {{"x", "1"}}}}},
        {"HKCU\\Software\\Vorkast\\Kestrion\\1.0\\KSWindows\\other", {{"values", {{"x", "1"}}}}}}},
      {"installLog",
       {{"storePath", kStore},
        {"components",
         {{"UninstallerBREVIK",
           {{"files", {kProgram, "C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL"}},
            {"registryValues", {"HKLM,SOFTWARE\\Vorkast\\Uninstall,BREVIK"}}}},
          {"Drivers",
           {{"files", {"C:\\Program Files\\BREVIK\\Install\\Drivers.ini"}},
            {"registryKeys", {"HKLM,SOFTWARE\\Vorkast\\Drivers"}}}}}}}},
  };
}

std::set<std::string> Paths(std::initializer_list<std::string> paths) { return std::set<std::string>(paths); }

TEST(FinalCleanUp, OnTheLastProductRemovesTheSharedPiecesAndTheStoreAfterLettingTheLogGo) {
  Bench b = MakeBench(Image("winxp", "C:\\WINDOWS"));
  ASSERT_TRUE(b.remover);
  EXPECT_EQ(b.remover->RemoveUninstallerRecord(true), kProgram);
  EXPECT_EQ(FilesGone(b), Paths({"C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL",
                                 "C:\\Program Files\\BREVIK\\Install\\Drivers.ini", kStore,
                                 "C:\\WINDOWS\\System32\\vorcfi.dll", "C:\\WINDOWS\\System32\\vorcfi16.dll"}));
  EXPECT_EQ(RegistryGone(b),
            Paths({"HKLM\\SOFTWARE\\Vorkast\\Uninstall", "HKLM\\SOFTWARE\\Vorkast\\Drivers",
                   "HKLM\\SOFTWARE\\Vorkast\\web_update",
                   "HKCU\\Software\\Vorkast\\Kestrion\\1.0\\KSWindows\\kestrion\\Pos"}));
  // No log call after the store is asked for: the remover has let it go.
  EXPECT_THROW(b.remover->RemoveLoggedShellItems("Kestrion"), InstallLogError);
}

TEST(FinalCleanUp, OnWindows98AlsoRemovesTheFourSharedIniFiles) {
  Bench b = MakeBench(Image("win98", "C:\\WINDOWS"));
  ASSERT_TRUE(b.remover);
  static_cast<void>(b.remover->RemoveUninstallerRecord(true));
  const std::set<std::string> gone = FilesGone(b);
  for (const char* path : {"C:\\WINDOWS\\SYSTEM\\vorps.ini", "C:\\WINDOWS\\SYSTEM\\newvorps.ini",
                           "C:\\WINDOWS\\vkpcl5c.ini", "C:\\WINDOWS\\vkpcl5d.ini", "C:\\WINDOWS\\SYSTEM\\vorcfi.dll"})
    EXPECT_TRUE(gone.count(path)) << path;
  EXPECT_FALSE(gone.count("C:\\WINDOWS\\SYSTEM\\vorps2.ini"));
  EXPECT_FALSE(gone.count("C:\\WINDOWS\\vkpcl5e.ini"));
}

TEST(FinalCleanUp, OnWindows2000LeavesTheIniFilesButRemovesTheProfileLibraries) {
  Bench b = MakeBench(Image("win2k", "C:\\WINNT"));
  ASSERT_TRUE(b.remover);
  static_cast<void>(b.remover->RemoveUninstallerRecord(true));
  const std::set<std::string> gone = FilesGone(b);
  EXPECT_TRUE(gone.count("C:\\WINNT\\System32\\vorcfi.dll"));
  EXPECT_TRUE(gone.count("C:\\WINNT\\System32\\vorcfi16.dll"));
  for (const char* path : {"C:\\WINNT\\System32\\vorps.ini", "C:\\WINNT\\System32\\newvorps.ini",
                           "C:\\WINNT\\vkpcl5c.ini", "C:\\WINNT\\vkpcl5d.ini"})
    EXPECT_FALSE(gone.count(path)) << path;
}

TEST(FinalCleanUp, WithASecondBrandsUninstallerOnlyTheOwnRecordIsDropped) {
  json image = Image("winxp", "C:\\WINDOWS");
  image["registry"]["HKLM\\SOFTWARE\\Vorkast\\Install"]["values"]["UnstDirSundara"] = "C:\\Program Files\\Sundara";
  Bench b = MakeBench(image);
  ASSERT_TRUE(b.remover);
  EXPECT_EQ(b.remover->RemoveUninstallerRecord(true), kProgram);
  EXPECT_EQ(FilesGone(b), Paths({"C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL"}));
  EXPECT_FALSE(RegistryGone(b).count("HKLM\\SOFTWARE\\Vorkast\\Drivers"));
  const auto forgets = EventsOf(*b.machine, "logForget");
  ASSERT_EQ(forgets.size(), 1u);
  EXPECT_EQ(forgets[0]["key"], "UninstallerBREVIK");
  b.remover->RemoveLoggedShellItems("Kestrion");  // the log is still there to ask
}

TEST(FinalCleanUp, WithoutItsOwnPathLoggedTheUninstallerIsNotNamedForRemoval) {
  json image = Image("winxp", "C:\\WINDOWS");
  image["installLog"]["components"]["UninstallerBREVIK"]["files"] =
      json::array({"C:\\Program Files\\BREVIK\\Install\\drvpurge.exe.old"});
  Bench b = MakeBench(image);
  ASSERT_TRUE(b.remover);
  EXPECT_EQ(b.remover->RemoveUninstallerRecord(true), "");
  EXPECT_FALSE(FilesGone(b).count(kProgram));
}

TEST(FinalCleanUp, RemoveAllAlsoTakesTheKestrionKey) {
  json image = Image("winxp", "C:\\WINDOWS");
  image["registry"]["HKLM\\SOFTWARE\\Vorkast\\Kestrion\\Sub"] = {{"values", {{"x", "1"}}}};
  for (const bool removeAll : {false, true}) {
    Bench b = MakeBench(image);
    ASSERT_TRUE(b.remover);
    b.app->removeAll = removeAll;
    b.remover.reset();  // one connection at a time
    b.remover = std::make_unique<ComponentRemover>(b.app->Components());
    static_cast<void>(b.remover->RemoveUninstallerRecord(true));
    EXPECT_EQ(RegistryGone(b).count("HKLM\\SOFTWARE\\Vorkast\\Kestrion\\Sub"), removeAll ? 1u : 0u);
  }
}

json WithPrinters() {
  json image = Image("winxp", "C:\\WINDOWS");
  image["drivers"] = json::array({{{"name", "Vor LP"}, {"environment", kNtX86}, {"driverPath", "vkpcl2a.dll"}}});
  image["printers"] = json::array({{{"name", "Vor Kept"}, {"driver", "Vor LP"}, {"port", "LPT1:"}},
                                   {{"name", "Vor Removed"}, {"driver", "Vor LP"}, {"port", "LPT1:"}}});
  json& log = image["installLog"]["components"];
  log["Printer"] = {{"children", {"Printer\\Vor Kept", "Printer\\Vor Removed", "Printer\\Vor Gone", "Printer\\"}}};
  log["Driver"] = {{"children", {"Driver\\Vor LP", "Driver\\Vor Old"}}};
  for (const char* child : {"Printer\\Vor Kept", "Printer\\Vor Removed", "Printer\\Vor Gone", "Printer\\",
                            "Driver\\Vor LP", "Driver\\Vor Old"})
    log[child] = json::object();
  return image;
}

std::set<std::string> Forgotten(const Bench& b) {
  std::set<std::string> keys;
  for (const auto& e : EventsOf(*b.machine, "logForget")) keys.insert(e["key"].get<std::string>());
  return keys;
}

TEST(PrinterAndDriverRecords, AreDroppedForWhatIsGoneAndKeptForWhatStays) {
  Bench b = MakeBench(WithPrinters());
  ASSERT_TRUE(b.remover);
  ASSERT_TRUE(b.app->drivers.Build());
  ASSERT_TRUE(b.app->printers.Build());
  CPrinter* removed = b.app->printers.FindByName("Vor Removed");
  ASSERT_NE(removed, nullptr);
  removed->state = RemovalState::Removed;
  b.app->printers.FindByName("Vor Kept")->state = RemovalState::Failed;
  b.remover->RemovePrinterRecords(b.app->printers);
  b.remover->RemoveDriverRecords(b.app->drivers);
  EXPECT_EQ(Forgotten(b), Paths({"Printer\\Vor Removed", "Printer\\Vor Gone", "Driver\\Vor Old"}));
}

}  // namespace
}  // namespace components_test
