// Start-menu entries and folders an installer logged go through the shell,
// the early list before the late one; a logged item that would take more
// than itself stays.
#include <set>
#include <string>

#include "component_harness.h"

namespace components_test {
namespace {

const char kPrograms[] = "C:\\Documents and Settings\\All Users\\Start Menu\\Programs";

json Image() {
  const std::string programs = kPrograms;
  return json{
      {"os", "winxp"},
      {"program", "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe"},
      {"services", {{"spooler", {{"state", "running"}}}}},
      {"files",
       {{programs + "\\BREVIK Kestrion\\Kestrion.lnk", {{"attributes", "READONLY|HIDDEN|SYSTEM"}}},
        {programs + "\\BREVIK Kestrion\\Help\\Help.lnk", json::object()},
        {programs + "\\BREVIK Kestrion Tools\\Tool.lnk", json::object()},
        {programs + "\\BREVIK Status.lnk", {{"attributes", "READONLY"}}},
        {programs + "\\BREVIK Status Monitor.lnk", json::object()},
        {"C:\\Program Files\\Other\\other.exe", json::object()},
        {"C:\\WINDOWS\\System32\\kernel32.dll", json::object()}}},
      {"registry",
       {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
         {{"values", {{"ProgramFilesDir", "C:\\Program Files"}, {"CommonFilesDir", "C:\\Program Files\\Common Files"}}}}}}},
      {"installLog", {{"components", json::object()}}},
  };
}

TEST(LoggedShellItems, TakeTheLoggedEntriesAndFoldersWhateverTheirAttributesAndNothingBeside) {
  json image = Image();
  const std::string programs = kPrograms;
  image["installLog"]["components"]["Kestrion"] = {{"shellItems", {programs + "\\BREVIK Status.lnk"}},
                                                   {"lateShellItems", {programs + "\\BREVIK Kestrion"}}};
  Bench b = MakeBench(image);
  ASSERT_TRUE(b.remover);
  b.remover->RemoveLoggedShellItems("Kestrion");
  EXPECT_EQ(FilesGone(b), (std::set<std::string>{programs + "\\BREVIK Status.lnk", programs + "\\BREVIK Kestrion",
                                                 programs + "\\BREVIK Kestrion\\Kestrion.lnk",
                                                 programs + "\\BREVIK Kestrion\\Help",
                                                 programs + "\\BREVIK Kestrion\\Help\\Help.lnk"}));
  const auto deletions = EventsOf(*b.machine, "shellDelete");
  ASSERT_EQ(deletions.size(), 2u);
  EXPECT_EQ(deletions[0]["path"], programs + "\\BREVIK Status.lnk");  // the early list first
}

TEST(LoggedShellItems, ThatWouldTakeMoreThanThemselvesStay) {
  json image = Image();
  const std::string programs = kPrograms;
  image["files"]["C:\\Documents and Settings\\All Users\\Start Menu\\Programs\\BREVIK Kestrion\\x"] = json::object();
  image["installLog"]["components"]["Bad"] = {
      {"shellItems",
       {"C:\\WINDOWS", "C:\\Program Files", "C:\\PROGRA~1", "C:\\", "Programs\\BREVIK Kestrion",
        "\\Documents and Settings\\All Users\\Start Menu\\Programs\\BREVIK Kestrion", programs + "\\BREVIK*",
        programs + "\\BREVIK Status?.lnk", "C:\\" + std::string(300, 'a')}},
      {"lateShellItems", " \n\n"}};
  Bench b = MakeBench(image);
  ASSERT_TRUE(b.remover);
  ASSERT_EQ(b.platform().files.SetCurrentDir("C:\\Documents and Settings\\All Users\\Start Menu"), winerr::Success);
  b.remover->RemoveLoggedShellItems("Bad");
  EXPECT_TRUE(FilesGone(b).empty());
  EXPECT_TRUE(EventsOf(*b.machine, "shellDelete").empty());
}

TEST(LoggedShellItems, AlwaysAnswerTrue) {
  Bench b = MakeBench(Image());
  ASSERT_TRUE(b.remover);
  EXPECT_TRUE(b.remover->ShellDelete("C:\\Missing\\Entry.lnk"));
  EXPECT_TRUE(b.remover->ShellDelete("C:\\WINDOWS"));
}

}  // namespace
}  // namespace components_test
