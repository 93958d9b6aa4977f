// A removed driver's files: which copies go on each Windows, what they take
// with them, and what stays because something else needs it.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "removal_harness.h"

namespace printing_test {
namespace {



// `expected` appears in `all` in this order, one right after the other.
bool Consecutive(const std::vector<std::string>& all, const std::vector<std::string>& expected) {
  return std::search(all.begin(), all.end(), expected.begin(), expected.end()) != all.end();
}

TEST(DriverFiles, Nt4KeepsAFileThatAnotherSetOfTheSameVersionStillLists) {
  const std::string shared = "C:\\WINNT\\system32\\spool\\drivers\\w32x86\\2\\vkcommon.dll";
  struct Case {
    const char* what;
    json other;
    bool stays;
  };
  for (const Case& c :
       {Case{"other set, version 2", DriverWithFiles("Contoso", kNtX86, 2, "ct.dll", {"ct.dll", "vkcommon.dll"}), true},
        Case{"other set, version 0", DriverWithFiles("Contoso", kWin40, 0, "ct.drv", {"ct.drv", shared}), false}}) {
    SCOPED_TRACE(c.what);
    json image = Image("nt4");
    AddDrivers(image, {DriverWithFiles("Vor LP", kNtX86, 2, "vkpclna.dll", {"vkpclna.dll", "vkcommon.dll"}), c.other});
    Removal run = RemoveDriversOf(image, {"Vor LP"});
    EXPECT_EQ(run.FileExists(shared), c.stays);
    EXPECT_FALSE(run.FileExists("C:\\WINNT\\system32\\spool\\drivers\\w32x86\\2\\vkpclna.dll"));
  }
}

TEST(DriverFiles, TheLastOfTwoMakerSetsToGoTakesTheFileTheyShared) {
  json image = Image("winxp");
  AddDrivers(image, {DriverWithFiles("Vor A", kNtX86, 3, "vkpcl2a.dll", {"vkpcl2a.dll", "vkres.dll"}),
                     DriverWithFiles("Vor B", kNtX86, 3, "vkpcl2b.dll", {"vkpcl2b.dll", "vkres.dll"})});
  Removal run = RemoveDriversOf(image, {"Vor A", "Vor B"});
  EXPECT_FALSE(run.FileExists(std::string(kXpV3Dir) + "\\vkres.dll"));
  const std::vector<std::string> deleted = run.DeletedFiles();
  EXPECT_EQ(std::count(deleted.begin(), deleted.end(), text::Fold(std::string(kXpV3Dir) + "\\vkres.dll")), 1);
}

TEST(DriverFiles, OwnFilesAreThoseNoPresentDriverOfAnotherSetAndVersionLists) {
  const std::string v3 = std::string(kXpV3Dir) + "\\";
  json image = Image("winxp");
  AddDrivers(image, {DriverWithFiles("Vor A", kNtX86, 3, "a.dll", {"a.dll", "one.dll", "two.dll", "a.dll"}),
                     DriverWithFiles("Vor A", kNtX86, 2, "a2.dll", {"a2.dll", "three.dll"}),
                     DriverWithFiles("Other", kNtX86, 3, "o.dll", {"o.dll", "ONE.DLL"}),
                     DriverWithFiles("Gone", kNtX86, 3, "g.dll", {"g.dll", "two.dll"}),
                     DriverWithFiles("Old", kNtX86, 2, "x.dll", {"x.dll", v3 + "a.dll"})});
  Removal run(image, {});
  run.SetNamed("Gone").drivers[0]->state = RemovalState::Removed;
  const CPrinterDriver& a3 = *run.SetNamed("Vor A").drivers[0];
  std::vector<std::string> own;
  a3.CollectOwnFiles(own);
  for (std::string& file : own) file = text::Fold(file);
  // ONE.DLL is another set's (without case), and so are the empty entries
  // of the missing help, config and data files; two.dll is only a removed
  // driver's; a.dll is listed by a driver of another version only, and
  // stays in the list as often as it is listed.
  const std::string a = text::Fold(v3 + "a.dll");
  EXPECT_EQ(own, (std::vector<std::string>{a, text::Fold(v3 + "two.dll"), a, a}));
}

TEST(DriverFiles, Windows2000HelpAndPostScriptFilesTakeTheirCompanions) {
  json image = Image("win2k");
  json driver = DriverWithFiles("Vor PS", kNtX86, 3, "vorpsnt3.dll", {"vorpsnt3.dll", "vkps.ppd"});
  driver["helpFile"] = "VKHELP.HLP";
  AddDrivers(image, {driver});
  const std::string v3 = "C:\\WINNT\\system32\\spool\\drivers\\w32x86\\3\\";
  AddFile(image, v3 + "VKHELP.GID", "");
  AddFile(image, v3 + "vkps.bpd", "");
  AddFile(image, v3 + "vkother.gid", "");
  Removal run = RemoveDriversOf(image, {"Vor PS"});
  for (const char* gone : {"VKHELP.HLP", "VKHELP.GID", "vkps.ppd", "vkps.bpd", "vorpsnt3.dll"})
    EXPECT_FALSE(run.FileExists(v3 + gone)) << gone;
  EXPECT_TRUE(run.FileExists(v3 + "vkother.gid"));
  EXPECT_TRUE(Consecutive(run.DeletedFiles(), {text::Fold(v3 + "VKHELP.HLP"), text::Fold(v3 + "VKHELP.GID")}));
}

TEST(DriverFiles, XpDeletesASharedFileFromTheDriverFoldersButNotFromTheSystemDirectory) {
  json image = Image("winxp");
  AddDrivers(image, {DriverWithFiles("Vor LP", kNtX86, 3, "vkpcl2a.dll", {"vkpcl2a.dll", "VORLOG.DLL", "vkres.dll"})});
  for (const char* file : {"C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\VORLOG.DLL",
                           "C:\\WINDOWS\\system32\\VORLOG.DLL", "C:\\WINDOWS\\system32\\vkres.dll",
                           "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\2\\vkres.dll"})
    AddFile(image, file, "");
  Removal run = RemoveDriversOf(image, {"Vor LP"});
  EXPECT_FALSE(run.FileExists(std::string(kXpV3Dir) + "\\VORLOG.DLL"));
  EXPECT_FALSE(run.FileExists(std::string(kXpDriverDir) + "\\VORLOG.DLL"));
  EXPECT_TRUE(run.FileExists("C:\\WINDOWS\\system32\\VORLOG.DLL"));
  EXPECT_FALSE(run.FileExists("C:\\WINDOWS\\system32\\vkres.dll"));
  // Copies for NT 4.0 drivers belong to version-2 drivers only.
  EXPECT_TRUE(run.FileExists("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\2\\vkres.dll"));
}

TEST(DriverFiles, Windows98LooksForAColourProfileOnlyInTheColorFolder) {
  json image = Image("win98");
  AddDrivers(image, {DriverWithFiles("Vor 98", kWin40, 0, "VKPCL5D.DRV", {"VKPCL5D.DRV", "VKCOLOR.ICM"})});
  AddFile(image, "C:\\WINDOWS\\SYSTEM\\COLOR\\VKCOLOR.ICM", "");
  Removal run = RemoveDriversOf(image, {"Vor 98"});
  EXPECT_FALSE(run.FileExists("C:\\WINDOWS\\SYSTEM\\COLOR\\VKCOLOR.ICM"));
  EXPECT_TRUE(run.FileExists("C:\\WINDOWS\\SYSTEM\\VKCOLOR.ICM"));
  EXPECT_FALSE(run.FileExists("C:\\WINDOWS\\SYSTEM\\VKPCL5D.DRV"));
}

TEST(DriverFiles, AnArchiveTakesTheMembersItsListerNamesThenTheListThenItself) {
  const std::string v3 = std::string(kXpV3Dir) + "\\";
  json image = Image("winxp");
  AddDrivers(image, {DriverWithFiles("Vor LP", kNtX86, 3, "vkpcl2a.dll", {"vkpcl2a.dll", "HELP.ZIP"})});
  AddFile(image, v3 + "A.HLP", "");
  AddFile(image, v3 + "A.GID", "");
  AddFile(image, v3 + "B.HLP", "");  // not a member
  AddFile(image, v3 + "HELP.ZIP", "");
  image["zipArchives"][v3 + "HELP.ZIP"] = {"A.HLP", "MISSING.PPD"};
  {
    json withLister = image;
    AddZipLister(withLister);
    Removal run = RemoveDriversOf(withLister, {"Vor LP"});
    EXPECT_TRUE(Consecutive(run.DeletedFiles(), {text::Fold(v3 + "A.HLP"), text::Fold(v3 + "A.GID"),
                                                 text::Fold(v3 + "HELP.txt"), text::Fold(v3 + "HELP.ZIP")}));
    EXPECT_TRUE(run.FileExists(v3 + "B.HLP"));
    EXPECT_EQ(run.Events("zipList").size(), 1u);
  }
  // Without the lister the unpacked files stay; the archive goes all the same.
  Removal run = RemoveDriversOf(image, {"Vor LP"});
  EXPECT_TRUE(run.FileExists(v3 + "A.HLP"));
  EXPECT_FALSE(run.FileExists(v3 + "HELP.ZIP"));
  EXPECT_TRUE(run.Events("zipList").empty());
}

TEST(DriverFiles, ArchiveMembersOutsideTheArchivesFolderAreNeverDeleted) {
  std::ifstream in(EXAMPLES_DIR "/winxp-maker.json");
  ASSERT_TRUE(in) << "examples/winxp-maker.json";
  std::stringstream text;
  text << in.rdbuf();
  json image = json::parse(text.str());
  // The install record names the uninstaller's folder, whose parent holds the lister.
  image["registry"]["HKLM\\SOFTWARE\\Vorkast\\Install"]["values"]["UnstDirBREVIK"] =
      "C:\\Program Files\\BREVIK\\Install";
  const std::string v3 = std::string(kXpV3Dir) + "\\";
  // The example's list climbs to system32; more hostile names lead elsewhere.
  json& members = image["zipArchives"][v3 + "VKHELP.ZIP"];
  for (const char* hostile : {"C:\\WINDOWS\\win.ini", "\\WINDOWS\\system.ini", "\\\\PRINTSRV\\share\\vk.dll",
                              "sub\\..\\..\\VKAPP.HLP", "sub/../../VKAPP.PPD", "C:boot.ini", ". .\\VKAPP.DLL"})
    members.push_back(hostile);
  const std::vector<std::string> outside = {
      "C:\\WINDOWS\\system32\\win.ini", "C:\\WINDOWS\\win.ini", "C:\\WINDOWS\\system.ini",
      "\\\\PRINTSRV\\share\\vk.dll",    kXpDriverDir + std::string("\\VKAPP.HLP"),
      kXpDriverDir + std::string("\\VKAPP.GID"), kXpDriverDir + std::string("\\VKAPP.PPD"),
      "C:\\Program Files\\BREVIK\\Install\\boot.ini", kXpDriverDir + std::string("\\VKAPP.DLL")};
  for (const std::string& file : outside) AddFile(image, file, "");
  // Whatever the file system would make of such a path, it must not even be
  // looked at: every probe of one fails loudly into the journal.
  for (const char* probe : {"*..*", "*win.ini", "*system.ini", "*PRINTSRV*", "*VKAPP*", "*boot.ini", "*. .*"})
    image["faults"].push_back({{"call", "FileSystem.GetAttributes"}, {"error", "ERROR_ACCESS_DENIED"}, {"match", probe}});

  Removal run(image, {});
  ASSERT_TRUE(run.SetNamed("BREVIK BRV-2100 PCL5").isMaker);
  run.Select({"BREVIK BRV-2100"});
  run.Run();

  const auto listed = run.Events("zipList");
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_TRUE(listed[0]["found"].get<bool>());
  EXPECT_TRUE(run.Events("fault").empty()) << json(run.Events("fault")).dump();
  for (const std::string& file : outside) EXPECT_TRUE(run.FileInImage(file)) << file;
  // The members inside the folder went, with the list and the archive.
  for (const char* gone : {"VKHELP.HLP", "VKHELP.GID", "VKHELP.txt", "VKHELP.ZIP", "vkpcl2a.gpd"})
    EXPECT_FALSE(run.FileInImage(v3 + gone)) << gone;
  // vkres.dll is still the PostScript driver's, whose printer stays.
  EXPECT_TRUE(run.FileInImage(v3 + "vkres.dll"));
  // The files the spooler holds wait for the deleter's retry.
  std::vector<std::string> deferred;
  for (const std::string& f : run.app->deleter.DeferredFiles()) deferred.push_back(text::Fold(f));
  std::sort(deferred.begin(), deferred.end());
  deferred.erase(std::unique(deferred.begin(), deferred.end()), deferred.end());
  EXPECT_EQ(deferred, (std::vector<std::string>{text::Fold(v3 + "vkpcl2a.dll"), text::Fold(v3 + "vkpcl2ui.dll")}));
  EXPECT_TRUE(run.FileInImage(v3 + "vkpcl2a.dll"));
}

TEST(DriverFiles, EmptyEntriesNeverTurnIntoFolderDeletions) {
  // No help, data or config file: the file list carries empty entries for them.
  json image = Image("winxp");
  AddDrivers(image, {DriverWithFiles("Vor LP", kNtX86, 3, "vkpcl2a.dll", {"vkpcl2a.dll"})});
  Removal run = RemoveDriversOf(image, {"Vor LP"});
  EXPECT_EQ(run.DeletedFiles(), std::vector<std::string>{text::Fold(std::string(kXpV3Dir) + "\\vkpcl2a.dll")});
  EXPECT_TRUE(run.app->deleter.DeferredFiles().empty());
  EXPECT_TRUE(run.Events("moveOnReboot").empty());
}

}  // namespace
}  // namespace printing_test
