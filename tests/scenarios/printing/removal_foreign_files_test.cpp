// A removed driver's files beside another maker's: whatever path a file
// name takes (an archive's list, a list left from another run, a driver
// without a file list, the system directory, a spelling Windows reads as
// another name), what the other maker needs stays.

#include "removal_harness.h"

namespace printing_test {
namespace {



std::string InV3(const char* name) { return std::string(kXpV3Dir) + "\\" + name; }

TEST(ForeignFiles, ArchiveMembersThatAnotherSetListsStayWithTheirCompanions) {
  json image = Image("winxp");
  AddDrivers(image, {DriverWithFiles("Vor LP", kNtX86, 3, "vkpcl2a.dll", {"vkpcl2a.dll", "HELP.ZIP"}),
                     DriverWithFiles("Fabrikam LX", kNtX86, 3, "fablx.dll", {"fablx.dll", "FAB.GPD", "A.HLP"})});
  for (const char* file : {"A.GID", "B.HLP", "HELP.ZIP"}) AddFile(image, InV3(file), "");
  image["zipArchives"][InV3("HELP.ZIP")] = {"A.HLP", "fab.gpd", "B.HLP"};
  AddZipLister(image);
  Removal run = RemoveDriversOf(image, {"Vor LP"});
  ASSERT_EQ(run.Events("zipList").size(), 1u);
  for (const char* kept : {"A.HLP", "A.GID", "FAB.GPD", "fablx.dll"}) EXPECT_TRUE(run.FileExists(InV3(kept))) << kept;
  for (const char* gone : {"B.HLP", "HELP.ZIP", "HELP.txt", "vkpcl2a.dll"})
    EXPECT_FALSE(run.FileExists(InV3(gone))) << gone;
}

TEST(ForeignFiles, ACompanionAnotherSetListsStaysWhenTheMakersFileGoes) {
  // The index of a help file and the compiled form of a PostScript
  // description carry the same stem for every driver that ships the pair.
  json image = Image("winxp");
  AddDrivers(image, {DriverWithFiles("Vor LP", kNtX86, 3, "vkpcl2a.dll", {"vkpcl2a.dll", "VK.HLP", "VK.PPD"}),
                     DriverWithFiles("Fabrikam LX", kNtX86, 3, "fablx.dll", {"fablx.dll", "vk.gid", "VK.BPD"})});
  for (const char* file : {"VK.HLP", "VK.GID", "VK.PPD", "VK.BPD"}) AddFile(image, InV3(file), "");
  Removal run = RemoveDriversOf(image, {"Vor LP"});
  for (const char* kept : {"VK.GID", "VK.BPD", "fablx.dll"}) EXPECT_TRUE(run.FileExists(InV3(kept))) << kept;
  for (const char* gone : {"VK.HLP", "VK.PPD", "vkpcl2a.dll"}) EXPECT_FALSE(run.FileExists(InV3(gone))) << gone;
}

TEST(ForeignFiles, AMemberListIsReadOnlyWhenTheListerSucceededInThisRun) {
  struct Case {
    const char* what;
    bool listerExports;
    bool archiveKnown;
  };
  for (const Case& c : {Case{"the lister lacks PtZipList", false, true},
                        Case{"the lister cannot read the archive", true, false}}) {
    SCOPED_TRACE(c.what);
    json image = Image("winxp");
    AddDrivers(image, {DriverWithFiles("Vor LP", kNtX86, 3, "vkpcl2a.dll", {"vkpcl2a.dll", "HELP.ZIP"})});
    AddFile(image, InV3("HELP.ZIP"), "");
    AddFile(image, InV3("FABAPP.HLP"), "");  // another maker's help, in no driver's list
    // Left beside the archive by an earlier run, or by somebody else.
    AddFile(image, InV3("HELP.txt"), "FABAPP.HLP\r\n");
    AddZipLister(image);
    if (!c.listerExports) image["libraries"]["C:\\Program Files\\BREVIK\\ptzipw32.dll"]["exports"] = json::array();
    if (c.archiveKnown) image["zipArchives"][InV3("HELP.ZIP")] = json::array();
    Removal run = RemoveDriversOf(image, {"Vor LP"});
    EXPECT_TRUE(run.FileExists(InV3("FABAPP.HLP")));
    EXPECT_TRUE(run.FileExists(InV3("HELP.txt")));
    EXPECT_FALSE(run.FileExists(InV3("HELP.ZIP")));  // the archive itself still goes
  }
}

TEST(ForeignFiles, ADriverWithoutAFileListStillNeedsItsOwnFourFiles) {
  json image = Image("winxp");
  json foreign = Driver("Fabrikam Uni", kNtX86, 3, "UNIDRV.DLL");  // the spooler gave no dependent files
  foreign["dataFile"] = "FABUNI.GPD";
  foreign["configFile"] = "UNIDRVUI.DLL";
  foreign["helpFile"] = "UNIDRV.HLP";
  AddDrivers(image, {foreign, DriverWithFiles("Vor LP", kNtX86, 3, "vkpcl2a.dll",
                                              {"vkpcl2a.dll", "unidrv.dll", "UNIDRVUI.DLL", "UNIDRV.HLP", "FABUNI.GPD"})});
  Removal run = RemoveDriversOf(image, {"Vor LP"});
  EXPECT_TRUE(run.SetNamed("Fabrikam Uni").AnyDriverListsFile(InV3("unidrv.dll"), 3, false));
  for (const char* kept : {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP", "FABUNI.GPD"})
    EXPECT_TRUE(run.FileExists(InV3(kept))) << kept;
  EXPECT_FALSE(run.FileExists(InV3("vkpcl2a.dll")));
}

TEST(ForeignFiles, SystemDirectoryCopiesStayWhenWindowsProtectsThemOrAnotherCompanyMadeThem) {
  struct Case {
    const char* os;
    const char* environment;
    int version;
    const char* systemDir;
    bool asksProtection;
  };
  for (const Case& c : {Case{"winxp", kNtX86, 3, "C:\\WINDOWS\\system32", true},
                        Case{"win2k", kNtX86, 3, "C:\\WINNT\\system32", true},
                        Case{"nt4", kNtX86, 2, "C:\\WINNT\\system32", false},
                        Case{"win98", kWin40, 1024, "C:\\WINDOWS\\SYSTEM", false}}) {
    SCOPED_TRACE(c.os);
    const std::string sys = std::string(c.systemDir) + "\\";
    json image = Image(c.os);
    AddDrivers(image, {DriverWithFiles("Vor LP", c.environment, c.version, "VKPCL.DLL",
                                       {"VKPCL.DLL", "MFC42.DLL", "SFCONLY.DLL", "VKRES.DLL", "VKBRAND.DLL",
                                        "VKPLAIN.DLL", "VKBLANK.DLL", "VKASK.DLL", sys + "COMCTL32.DLL"})});
    image["files"][sys + "MFC42.DLL"] = {{"company", "Microsoft Corporation"}};
    image["files"][sys + "COMCTL32.DLL"] = {{"company", "Microsoft Corporation"}};  // listed by its full path
    image["files"][sys + "SFCONLY.DLL"] = {{"protected", true}};
    image["files"][sys + "VKRES.DLL"] = {{"company", "Vorkast Corporation"}};
    image["files"][sys + "VKBRAND.DLL"] = {{"company", "BREVIK Inc."}};
    image["files"][sys + "VKPLAIN.DLL"] = json::object();  // no version information
    image["files"][sys + "VKBLANK.DLL"] = {{"company", ""}};
    image["files"][sys + "VKASK.DLL"] = {{"company", "Vorkast"}};
    // A version resource that cannot be read says nothing about whose the file is.
    image["faults"].push_back(
        {{"call", "FileSystem.VersionCompany"}, {"error", "ERROR_ACCESS_DENIED"}, {"match", "*VKASK.DLL"}});
    Removal run = RemoveDriversOf(image, {"Vor LP"});
    EXPECT_TRUE(run.FileExists(sys + "MFC42.DLL"));
    EXPECT_TRUE(run.FileExists(sys + "COMCTL32.DLL"));
    EXPECT_EQ(run.FileExists(sys + "SFCONLY.DLL"), c.asksProtection);
    EXPECT_TRUE(run.FileExists(sys + "VKASK.DLL"));
    for (const char* gone : {"VKRES.DLL", "VKBRAND.DLL", "VKPLAIN.DLL", "VKBLANK.DLL", "VKPCL.DLL"})
      EXPECT_FALSE(run.FileExists(sys + gone)) << gone;
  }
}

TEST(ForeignFiles, NamesWindowsReadsAsAnotherFileAreComparedTheWayWindowsReadsThem) {
  json image = Image("winxp");
  AddDrivers(image, {DriverWithFiles("Fabrikam LX", kNtX86, 3, "fablx.dll", {"fablx.dll", "UNIDRVUI.DLL"}),
                     DriverWithFiles("Vor LP", kNtX86, 3, "vkpcl2a.dll",
                                     {"vkpcl2a.dll", "UNIDRVUI.DLL.", "unidrvui.dll . ", "VORLOG.DLL ",
                                      "C:\\WINDOWS\\system32\\vorlog.dll."})});
  AddFile(image, "C:\\WINDOWS\\system32\\VORLOG.DLL", "");
  Removal run = RemoveDriversOf(image, {"Vor LP"});
  EXPECT_TRUE(run.FileExists(InV3("UNIDRVUI.DLL")));
  EXPECT_TRUE(run.FileExists("C:\\WINDOWS\\system32\\VORLOG.DLL"));  // the maker's shared file, however spelt
  EXPECT_FALSE(run.FileExists(InV3("VORLOG.DLL")));
  EXPECT_FALSE(run.FileExists(InV3("vkpcl2a.dll")));
}

}  // namespace
}  // namespace printing_test
