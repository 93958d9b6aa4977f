#include <cstdio>

#include "platform/file_system.h"
#include "platform/spooler.h"
#include "platform/text.h"
#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Events;
using simtest::Load;

namespace {

const char* kImage = R"({
  "os": "winxp",
  "files": {
    "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe": {},
    "C:\\Program Files\\BREVIK\\Install\\notes.txt": {"content": "line 1\r\nline 2\r\n"},
    "C:\\Program Files\\Common Files\\x.dll": {},
    "C:\\Programs Extra": {"attributes": "DIRECTORY", "shortName": "PROGRA~3"},
    "C:\\Programs Extra\\a.dll": {},
    "C:\\data\\ro.txt": {"attributes": "READONLY|ARCHIVE"},
    "C:\\data\\busy.dll": {"locked": true},
    "C:\\data\\Long File Name.text": {},
    "C:\\data\\empty": {"attributes": "DIRECTORY"}
  }
})";

std::vector<std::string> Names(plat::FileSystem& fs, const std::string& pattern) {
  std::vector<plat::FindEntry> found;
  static_cast<void>(fs.Find(pattern, &found));  // a failed search finds no names
  std::vector<std::string> names;
  for (const auto& e : found) names.push_back(e.name);
  return names;
}

TEST(SimFiles, ShortNamesAreGeneratedStableAndUniquePerDirectory) {
  auto m = Load(kImage);
  auto& fs = m->platform().files;
  std::string s;
  ASSERT_EQ(fs.ShortPath("C:\\Program Files\\Common Files\\x.dll", &s), winerr::Success);
  EXPECT_EQ(s, "C:\\PROGRA~1\\COMMON~1\\x.dll");
  ASSERT_EQ(fs.ShortPath("C:\\Programs Extra", &s), winerr::Success);
  EXPECT_EQ(s, "C:\\PROGRA~3");  // given by the image
  ASSERT_EQ(fs.ShortPath("C:\\data\\Long File Name.text", &s), winerr::Success);
  EXPECT_EQ(s, "C:\\data\\LONGFI~1.TEX");
  // A new sibling takes the next free number; removing one shifts nobody.
  ASSERT_EQ(fs.MakeDir("C:\\Program Data"), winerr::Success);
  ASSERT_EQ(fs.ShortPath("C:\\Program Data", &s), winerr::Success);
  EXPECT_EQ(s, "C:\\PROGRA~2");
  ASSERT_EQ(fs.RemoveDir("C:\\Program Data"), winerr::Success);
  ASSERT_EQ(fs.ShortPath("C:\\Program Files", &s), winerr::Success);
  EXPECT_EQ(s, "C:\\PROGRA~1");
  EXPECT_EQ(fs.ShortPath("C:\\nowhere\\x", &s), winerr::PathNotFound);
  // Short forms reach the same files as the long ones.
  EXPECT_TRUE(fs.Exists("C:\\PROGRA~1\\COMMON~1\\x.dll"));
  EXPECT_EQ(fs.RemoveFile("c:\\progra~1\\common~1\\X.DLL"), winerr::Success);
  EXPECT_FALSE(fs.Exists("C:\\Program Files\\Common Files\\x.dll"));
  // Saved and loaded again, every name stays.
  auto again = Load(m->Save().dump());
  ASSERT_EQ(again->platform().files.ShortPath("C:\\data\\Long File Name.text", &s), winerr::Success);
  EXPECT_EQ(s, "C:\\data\\LONGFI~1.TEX");
}

TEST(SimFiles, ManyNamesOfOneStemTakeTheFreeNumbersInNameOrder) {
  // Candidates keep at most six characters of the base, so "Model0 Other"
  // competes with the "Model 00nn" files; a name given by the image and a
  // sibling whose long name is 8.3 already are skipped.
  std::string files = R"("C:\\many\\MODEL0~3.DLL": {}, "C:\\many\\Zeta.dll": {"shortName": "MODEL0~5.DLL"},)"
                      R"("C:\\many\\Model0 Other.dll": {}, "C:\\many\\Model 0001 Resources.ini": {})";
  char name[64];
  for (int n = 1; n <= 12; ++n) {
    std::snprintf(name, sizeof name, R"(, "C:\\many\\Model %04d Resources.dll": {})", n);
    files += name;
  }
  auto m = Load(R"({"files": {)" + files + "}}");
  ASSERT_NE(m, nullptr);
  const std::pair<const char*, const char*> expected[] = {
      {"Model 0001 Resources.dll", "MODEL0~1.DLL"}, {"Model 0001 Resources.ini", "MODEL0~1.INI"},
      {"Model 0002 Resources.dll", "MODEL0~2.DLL"}, {"Model 0003 Resources.dll", "MODEL0~4.DLL"},
      {"Model 0004 Resources.dll", "MODEL0~6.DLL"}, {"Model 0007 Resources.dll", "MODEL0~9.DLL"},
      {"Model 0008 Resources.dll", "MODEL~10.DLL"}, {"Model 0012 Resources.dll", "MODEL~14.DLL"},
      {"Model0 Other.dll", "MODEL~15.DLL"},         {"Zeta.dll", "MODEL0~5.DLL"}};
  for (const auto& [longName, shortName] : expected) {
    std::string path;
    ASSERT_EQ(m->platform().files.ShortPath(std::string("C:\\many\\") + longName, &path), winerr::Success);
    EXPECT_EQ(path, std::string("C:\\many\\") + shortName) << longName;
  }
}

TEST(SimFiles, FindFollowsWindowsPatterns) {
  auto m = Load(kImage);
  auto& fs = m->platform().files;
  EXPECT_EQ(Names(fs, "C:\\data\\*.*"),
            (std::vector<std::string>{".", "..", "busy.dll", "empty", "Long File Name.text", "ro.txt"}));
  EXPECT_EQ(Names(fs, "C:\\data\\*.dll"), (std::vector<std::string>{"busy.dll"}));
  EXPECT_EQ(Names(fs, "C:\\data\\??.txt"), (std::vector<std::string>{"ro.txt"}));
  EXPECT_EQ(Names(fs, "C:\\data\\LONGFI~1.TEX"), (std::vector<std::string>{"Long File Name.text"}));
  EXPECT_EQ(Names(fs, "C:\\data\\empty\\*"), (std::vector<std::string>{".", ".."}));
  // The root of a drive has no dot entries.
  const auto root = Names(fs, "C:\\*");
  ASSERT_FALSE(root.empty());
  EXPECT_NE(root.front(), ".");
  std::vector<plat::FindEntry> found;
  EXPECT_EQ(fs.Find("C:\\data\\*.exe", &found), winerr::FileNotFound);
  EXPECT_EQ(fs.Find("C:\\missing\\*.*", &found), winerr::PathNotFound);
  ASSERT_EQ(fs.Find("C:\\Program Files\\BREVIK\\Install\\notes.txt", &found), winerr::Success);
  EXPECT_EQ(found.at(0).size, 16u);
}

TEST(SimFiles, DeletionRulesForReadOnlyLockedAndNonEmpty) {
  auto m = Load(kImage);
  auto& fs = m->platform().files;
  EXPECT_EQ(fs.RemoveFile("C:\\data\\ro.txt"), winerr::AccessDenied);
  EXPECT_EQ(fs.RemoveFile("C:\\data\\busy.dll"), winerr::SharingViolation);
  EXPECT_EQ(fs.RemoveFile("C:\\data\\empty"), winerr::AccessDenied);
  EXPECT_EQ(fs.RemoveFile("C:\\data\\gone.txt"), winerr::FileNotFound);
  EXPECT_EQ(fs.RemoveFile("C:\\nodir\\gone.txt"), winerr::PathNotFound);
  EXPECT_EQ(fs.RemoveDir("C:\\data"), winerr::DirNotEmpty);
  EXPECT_EQ(fs.RemoveDir("C:\\data\\ro.txt"), plat::WinError(267));
  ASSERT_EQ(fs.SetAttributes("C:\\data\\ro.txt", plat::fileattr::Normal), winerr::Success);
  EXPECT_EQ(fs.RemoveFile("C:\\data\\ro.txt"), winerr::Success);
  EXPECT_EQ(fs.RemoveFile("C:\\data\\Long File Name.text"), winerr::Success);
  EXPECT_EQ(fs.RemoveDir("C:\\data\\empty"), winerr::Success);
  EXPECT_EQ(fs.RemoveDir("C:\\data"), winerr::DirNotEmpty);  // busy.dll stays
  // Emptied directories stay until removed themselves.
  std::uint32_t a = 0;
  EXPECT_EQ(fs.GetAttributes("C:\\data", &a), winerr::Success);
  EXPECT_EQ(Events(*m, "fileDeleted").size(), 2u);
  EXPECT_EQ(Events(*m, "dirRemoved").size(), 1u);
}

TEST(SimFiles, RenameCopyAndTextRoundTrip) {
  auto m = Load(kImage);
  auto& fs = m->platform().files;
  std::string text;
  ASSERT_EQ(fs.WriteText("C:\\data\\new.ini", "[Rename]\r\nNUL=C:\\X\r\n"), winerr::Success);
  ASSERT_EQ(fs.ReadText("C:\\data\\NEW.INI", &text), winerr::Success);
  EXPECT_EQ(text, "[Rename]\r\nNUL=C:\\X\r\n");
  EXPECT_EQ(fs.WriteText("C:\\data\\ro.txt", "x"), winerr::AccessDenied);
  EXPECT_EQ(fs.WriteText("C:\\nodir\\x.txt", "x"), winerr::PathNotFound);
  EXPECT_EQ(fs.CopyTo("C:\\data\\new.ini", "C:\\data\\ro.txt", true), winerr::FileExists);
  ASSERT_EQ(fs.CopyTo("C:\\data\\new.ini", "C:\\data\\copy.ini", true), winerr::Success);
  ASSERT_EQ(fs.ReadText("C:\\data\\copy.ini", &text), winerr::Success);
  EXPECT_EQ(text, "[Rename]\r\nNUL=C:\\X\r\n");
  EXPECT_EQ(fs.Rename("C:\\data\\copy.ini", "C:\\data\\new.ini"), winerr::AlreadyExists);
  EXPECT_EQ(fs.Rename("C:\\data\\busy.dll", "C:\\data\\moved.dll"), winerr::SharingViolation);
  // A directory moves with what lies in it.
  ASSERT_EQ(fs.Rename("C:\\Program Files\\BREVIK", "C:\\Program Files\\Old BREVIK"), winerr::Success);
  EXPECT_TRUE(fs.Exists("C:\\Program Files\\Old BREVIK\\Install\\notes.txt"));
  EXPECT_FALSE(fs.Exists("C:\\Program Files\\BREVIK\\Install"));
}

TEST(SimFiles, APathIsFoundInAnyCaseAfterEachChangeOfTheTable) {
  auto m = Load(kImage);
  auto& fs = m->platform().files;
  ASSERT_EQ(fs.MakeDir("C:\\data\\Büro"), winerr::Success);
  ASSERT_EQ(fs.WriteText("C:\\data\\Büro\\Ärger.txt", "x"), winerr::Success);
  ASSERT_EQ(fs.Rename("C:\\Programs Extra", "C:\\data\\Moved"), winerr::Success);
  ASSERT_EQ(fs.RemoveFile("C:\\DATA\\RO.TXT"), winerr::AccessDenied);
  ASSERT_EQ(fs.RemoveFile("C:\\DATA\\LONG FILE NAME.TEXT"), winerr::Success);
  struct Case {
    const char* path;
    bool exists;
  };
  const Case cases[] = {
      {"C:\\DATA\\BÜRO\\ÄRGER.TXT", true},  // folded beyond ASCII
      {"c:\\data\\büro", true},
      {"C:\\DATA\\MOVED\\A.DLL", true},  // moved with its folder
      {"C:\\programs extra\\a.dll", false},
      {"C:\\Programs Extra", false},
      {"C:\\data\\long file name.text", false},
      {"C:\\data\\ro.txt", true},
  };
  for (const Case& c : cases) EXPECT_EQ(fs.Exists(c.path), c.exists) << c.path;
  // A name deleted can be made again, under another case.
  EXPECT_EQ(fs.WriteText("C:\\data\\LONG FILE NAME.TEXT", "y"), winerr::Success);
  EXPECT_TRUE(fs.Exists("C:\\data\\Long File Name.text"));
}

TEST(SimFiles, RelativePathsAndTheStandardDirectories) {
  auto m = Load(kImage);
  auto& fs = m->platform().files;
  EXPECT_EQ(fs.CurrentDirectory(), "C:\\Program Files\\BREVIK\\Install");
  EXPECT_TRUE(fs.Exists("notes.txt"));
  EXPECT_TRUE(fs.Exists("..\\..\\Common Files\\x.dll"));
  EXPECT_EQ(fs.SetCurrentDir("C:\\nowhere"), winerr::FileNotFound);
  ASSERT_EQ(fs.SetCurrentDir("C:\\data"), winerr::Success);
  EXPECT_TRUE(fs.Exists("ro.txt"));
  EXPECT_EQ(fs.WindowsDirectory(), "C:\\WINDOWS");
  EXPECT_EQ(fs.SystemDirectory(), "C:\\WINDOWS\\System32");
  EXPECT_EQ(fs.TempDirectory(), "C:\\WINDOWS\\TEMP\\");
  EXPECT_TRUE(fs.Exists(fs.TempDirectory()));
  auto w2k = Load(R"({"os": "win2k", "directories": {"temp": "C:\\Temp"}})");
  EXPECT_EQ(w2k->platform().files.SystemDirectory(), "C:\\WINNT\\System32");
  EXPECT_EQ(w2k->platform().files.TempDirectory(), "C:\\Temp\\");
}

TEST(SimFiles, MovesAtRestartNeedNTAndAnAdministrator) {
  auto xp = Load(kImage);
  ASSERT_EQ(xp->platform().files.MoveOnReboot("C:\\data\\busy.dll", ""), winerr::Success);
  const auto moves = Events(*xp, "moveOnReboot");
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0]["source"], "C:\\data\\busy.dll");
  EXPECT_EQ(moves[0]["destination"], "");
  auto w98 = Load(R"({"os": "win98", "files": {"C:\\x.dll": {}}})");
  EXPECT_EQ(w98->platform().files.MoveOnReboot("C:\\x.dll", ""), winerr::CallNotImplemented);
  auto user = Load(R"({"os": "winxp", "token": {"user": "S-1-5-21-1-2-3-1000", "process": ["S-1-5-32-545"]}})");
  EXPECT_EQ(user->platform().files.MoveOnReboot("C:\\x.dll", ""), winerr::AccessDenied);
}

TEST(SimFiles, ImagesWithImpossibleFilesAreRefused) {
  using simtest::Refusal;
  EXPECT_NE(Refusal(R"({"files": {"C:\\a.txt": {}, "C:\\a.txt\\b": {}}})"), "");
  EXPECT_NE(Refusal(R"({"files": {"C:\\Long Name 1": {"shortName": "LONGNA~1"}, "C:\\LONGNA~1": {}}})"), "");
  EXPECT_NE(Refusal(R"({"files": {"C:\\Long Name 1": {"shortName": "LONGNA~1"}, "C:\\Long Name 2": {"shortName": "longna~1"}}})"), "");
  // One short name in two folders is no clash.
  EXPECT_EQ(Refusal(R"({"files": {"C:\\a\\Long Name": {"shortName": "LONGNA~1"}, "C:\\b\\Long Name": {"shortName": "LONGNA~1"}}})"), "");
  EXPECT_NE(Refusal(R"({"files": {"C:\\x": {"shortName": "not short at all"}}})"), "");
  EXPECT_NE(Refusal(R"({"files": {"C:\\d": {"attributes": "DIRECTORY", "locked": true}}})"), "");
  EXPECT_NE(Refusal(R"({"files": {"C:\\d": {"attributes": "DIRECTORY", "company": "X"}}})"), "");
  // Windows opens "a.txt." as "a.txt": two entries for one file.
  EXPECT_NE(Refusal(R"({"files": {"C:\\a.txt": {}, "C:\\A.TXT. ": {}}})"), "");
}

TEST(SimFiles, TrailingDotsAndBlanksOfANameAreDroppedAsWindowsDoes) {
  auto m = Load(R"({"os": "winxp", "files": {"C:\\drv\\UNIDRVUI.DLL": {}, "C:\\drv\\a.hlp": {}},
                    "drivers": [{"name": "Dotted", "driverPath": "dotted.dll", "dependentFiles": ["dotted.dll."]}]})");
  auto& fs = m->platform().files;
  EXPECT_TRUE(fs.Exists("C:\\drv\\UNIDRVUI.DLL."));
  EXPECT_TRUE(fs.Exists("C:\\drv. \\unidrvui.dll . "));
  EXPECT_EQ(fs.RemoveFile("C:\\drv\\a.hlp . ."), winerr::Success);
  EXPECT_FALSE(fs.Exists("C:\\drv\\a.hlp"));
  // The driver's list keeps its spelling; the file it names is the one without the dot.
  std::vector<plat::DriverInfo> drivers;
  ASSERT_EQ(m->platform().spooler.EnumDrivers(plat::spool::EnvNtX86, 3, &drivers), winerr::Success);
  ASSERT_EQ(drivers.size(), 1u);
  const std::string listed = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\dotted.dll.";
  EXPECT_TRUE(text::IEquals(drivers[0].dependentFiles.at(0), listed)) << drivers[0].dependentFiles.at(0);
  std::vector<std::string> saved;
  const nlohmann::json image = m->Save();
  for (const auto& [path, file] : image["files"].items())
    if (text::IStartsWith(path, listed.substr(0, listed.size() - 5))) saved.push_back(path);
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_TRUE(text::IEquals(saved[0], listed.substr(0, listed.size() - 1))) << saved[0];
}

TEST(SimFiles, VersionCompanyAndProtectionComeFromTheImage) {
  const char* image = R"({"os": "%s", "files": {
      "C:\\sys\\mfc42.dll": {"company": "Microsoft Corporation", "protected": true},
      "C:\\sys\\blank.dll": {"company": ""},
      "C:\\sys\\plain.gpd": {}}})";
  char text[512];
  std::snprintf(text, sizeof text, image, "win2k");
  auto m = Load(text);
  auto& fs = m->platform().files;
  std::string company = "stale";
  EXPECT_EQ(fs.VersionCompany("C:\\sys\\MFC42.DLL", &company), winerr::Success);
  EXPECT_EQ(company, "Microsoft Corporation");
  EXPECT_EQ(fs.VersionCompany("C:\\sys\\blank.dll", &company), winerr::Success);
  EXPECT_EQ(company, "");
  EXPECT_EQ(fs.VersionCompany("C:\\sys\\plain.gpd", &company), winerr::ResourceTypeNotFound);
  EXPECT_EQ(fs.VersionCompany("C:\\sys\\missing.dll", &company), winerr::FileNotFound);
  EXPECT_EQ(fs.VersionCompany("C:\\sys", &company), winerr::AccessDenied);
  bool isProtected = false;
  EXPECT_EQ(fs.IsProtectedSystemFile("C:\\sys\\mfc42.dll", &isProtected), winerr::Success);
  EXPECT_TRUE(isProtected);
  EXPECT_EQ(fs.IsProtectedSystemFile("C:\\sys\\plain.gpd", &isProtected), winerr::Success);
  EXPECT_FALSE(isProtected);
  // A copy carries the version resource but not the protection; text written over a file carries neither.
  ASSERT_EQ(fs.CopyTo("C:\\sys\\mfc42.dll", "C:\\sys\\copy.dll", true), winerr::Success);
  EXPECT_EQ(fs.VersionCompany("C:\\sys\\copy.dll", &company), winerr::Success);
  EXPECT_EQ(company, "Microsoft Corporation");
  EXPECT_EQ(fs.IsProtectedSystemFile("C:\\sys\\copy.dll", &isProtected), winerr::Success);
  EXPECT_FALSE(isProtected);
  ASSERT_EQ(fs.WriteText("C:\\sys\\copy.dll", "text"), winerr::Success);
  EXPECT_EQ(fs.VersionCompany("C:\\sys\\copy.dll", &company), winerr::ResourceTypeNotFound);
  // Both survive a save.
  auto again = Load(m->Save().dump());
  EXPECT_EQ(again->platform().files.VersionCompany("C:\\sys\\mfc42.dll", &company), winerr::Success);
  EXPECT_EQ(again->platform().files.IsProtectedSystemFile("C:\\sys\\mfc42.dll", &isProtected), winerr::Success);
  EXPECT_TRUE(isProtected);
  // Windows before 2000 has no file protection to ask.
  for (const char* os : {"nt4", "win98"}) {
    std::snprintf(text, sizeof text, image, os);
    auto old = Load(text);
    EXPECT_EQ(old->platform().files.IsProtectedSystemFile("C:\\sys\\mfc42.dll", &isProtected),
              winerr::CallNotImplemented)
        << os;
  }
}

}  // namespace
