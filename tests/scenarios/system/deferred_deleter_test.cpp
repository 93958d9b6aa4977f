#include <string>
#include <vector>

#include "machine_image.h"
#include "system/deferred_deleter.h"
#include "system/service_control.h"

namespace {
using Paths = std::vector<std::string>;

std::unique_ptr<sim::Machine> XpWith(std::string_view files) {
  return LoadMachine(std::string(R"({"os": "winxp", "services": {"spooler": {"state": "running"}}, "files": {)") +
                     std::string(files) + "}}");
}

DeferredDeleter DeleterOf(sim::Machine& m) {
  auto& p = m.platform();
  return DeferredDeleter(p.files, p.registry, p.spooler);
}

bool Exists(sim::Machine& m, std::string_view path) { return m.platform().files.Exists(path); }

TEST(DeleteFileOrDefer, DeletesReadOnlyFilesAndSchedulesNothingForMissingOnes) {
  auto m = XpWith(R"("C:\\Data\\ro.txt": {"attributes": "READONLY"}, "C:\\Data\\plain.txt": {})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  EXPECT_TRUE(d.DeleteFileOrDefer("C:\\Data\\ro.txt"));
  EXPECT_TRUE(d.DeleteFileOrDefer("C:\\Data\\plain.txt"));
  EXPECT_FALSE(Exists(*m, "C:\\Data\\ro.txt"));
  EXPECT_FALSE(Exists(*m, "C:\\Data\\plain.txt"));

  EXPECT_FALSE(d.DeleteFileOrDefer("C:\\Data\\gone.txt"));
  EXPECT_FALSE(d.DeleteFileOrDefer("C:\\Nowhere\\gone.txt"));
  EXPECT_FALSE(d.DeleteFileOrDefer(""));
  EXPECT_TRUE(EventsOf(*m, "moveOnReboot").empty());
  EXPECT_FALSE(d.rebootNeeded);
  EXPECT_FALSE(d.HasDeferred());
}

TEST(RetryDeferred, KeepsLockedFilesWhileCollectingAndSchedulesThemAtTheEnd) {
  auto m = XpWith(R"("C:\\Drv\\held.dll": {"locked": true}, "C:\\Drv\\spooled.dll": {"lockedBy": "spooler"})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  d.collectMode = true;
  // Every attempt is listed, so a file met twice is retried twice.
  EXPECT_TRUE(d.DeleteFileOrDefer("C:\\Drv\\held.dll"));
  EXPECT_TRUE(d.DeleteFileOrDefer("C:\\Drv\\held.dll"));
  EXPECT_TRUE(d.DeleteFileOrDefer("C:\\Drv\\spooled.dll"));
  EXPECT_EQ(d.DeferredFiles(), (Paths{"C:\\Drv\\held.dll", "C:\\Drv\\held.dll", "C:\\Drv\\spooled.dll"}));
  EXPECT_TRUE(d.IsDeferredFile("c:\\drv\\SPOOLED.DLL"));
  EXPECT_FALSE(d.rebootNeeded);

  // Once the spooler lets go, its file goes; the other one stays listed.
  ASSERT_TRUE(ServiceControl(m->platform().services, m->platform().clock, "spooler").Stop(30));
  EXPECT_FALSE(d.RetryDeferred(true));
  EXPECT_FALSE(Exists(*m, "C:\\Drv\\spooled.dll"));
  EXPECT_EQ(d.DeferredFiles(), (Paths{"C:\\Drv\\held.dll", "C:\\Drv\\held.dll"}));
  EXPECT_TRUE(d.collectMode);

  EXPECT_TRUE(d.RetryDeferred(false));
  EXPECT_TRUE(d.collectMode);  // restored for the caller to switch
  EXPECT_TRUE(d.rebootNeeded);
  const auto moves = EventsOf(*m, "moveOnReboot");
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0]["source"], "C:\\Drv\\held.dll");
  EXPECT_EQ(moves[0]["destination"], "");
}

TEST(RemoveDirOrDefer, CollectsDirectoriesChildrenFirstAndOnce) {
  auto m = XpWith(R"("C:\\A\\B\\held.dll": {"locked": true}, "C:\\A\\B2\\x": {},
                     "C:\\Empty\\Sub": {"attributes": "DIRECTORY"})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  d.collectMode = true;
  d.RemoveDirOrDefer("C:\\A");
  d.RemoveDirOrDefer("C:\\A\\B");
  d.RemoveDirOrDefer("c:\\a\\b");
  d.RemoveDirOrDefer("C:\\A\\B2");
  d.RemoveDirOrDefer("C:\\Missing");
  d.RemoveDirOrDefer("C:\\Empty\\Sub");
  EXPECT_EQ(d.DeferredDirs(), (Paths{"C:\\A\\B2", "C:\\A\\B", "C:\\A"}));
  EXPECT_FALSE(Exists(*m, "C:\\Empty\\Sub"));

  // Without collecting, a directory that cannot go now is scheduled.
  d.collectMode = false;
  d.RemoveDirOrDefer("C:\\A\\B");
  ASSERT_EQ(EventsOf(*m, "moveOnReboot").size(), 1u);
  EXPECT_TRUE(d.rebootNeeded);
}

TEST(DeleteTree, RemovesEverythingItCanAndCollectsTheRest) {
  auto m = XpWith(R"(
      "C:\\Program Files\\BREVIK\\Tool\\a.exe": {"attributes": "READONLY"},
      "C:\\Program Files\\BREVIK\\Tool\\Deep\\b.dat": {},
      "C:\\Program Files\\BREVIK\\Held\\c.dll": {"locked": true},
      "C:\\Program Files\\BREVIK\\readme.txt": {},
      "C:\\Program Files\\Other\\keep.txt": {})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  d.collectMode = true;
  EXPECT_TRUE(d.DeleteTree("C:\\Program Files\\BREVIK\\"));
  EXPECT_FALSE(Exists(*m, "C:\\Program Files\\BREVIK\\Tool"));
  EXPECT_FALSE(Exists(*m, "C:\\Program Files\\BREVIK\\readme.txt"));
  EXPECT_TRUE(Exists(*m, "C:\\Program Files\\BREVIK\\Held\\c.dll"));
  EXPECT_TRUE(Exists(*m, "C:\\Program Files\\Other\\keep.txt"));
  EXPECT_EQ(d.DeferredFiles(), (Paths{"C:\\Program Files\\BREVIK\\Held\\c.dll"}));
  EXPECT_EQ(d.DeferredDirs(), (Paths{"C:\\Program Files\\BREVIK\\Held", "C:\\Program Files\\BREVIK\\"}));
}

TEST(DeleteTree, RemovesAJunctionWithoutEmptyingWhatItPointsTo) {
  // 0x410: a directory that is a reparse point; the file below stands for
  // the target's contents.
  auto m = XpWith(R"("C:\\Maker\\Link": {"attributes": 1040}, "C:\\Maker\\Link\\target.txt": {},
                     "C:\\Maker\\own.txt": {})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  d.collectMode = true;
  EXPECT_TRUE(d.DeleteTree("C:\\Maker"));
  EXPECT_FALSE(Exists(*m, "C:\\Maker\\own.txt"));
  EXPECT_TRUE(Exists(*m, "C:\\Maker\\Link\\target.txt"));
}

TEST(RemoveEmptyTree, PrunesEmptyDirectoriesAndIgnoresFilesAlreadyDeferred) {
  auto m = XpWith(R"(
      "C:\\Base\\E1\\E2": {"attributes": "DIRECTORY"},
      "C:\\Base\\Held\\c.dll": {"locked": true},
      "C:\\Other\\E": {"attributes": "DIRECTORY"},
      "C:\\Other\\Full\\f.txt": {})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  d.collectMode = true;
  EXPECT_TRUE(d.DeleteFileOrDefer("C:\\Base\\Held\\c.dll"));
  EXPECT_TRUE(d.RemoveEmptyTree("C:\\Base"));
  EXPECT_FALSE(Exists(*m, "C:\\Base\\E1"));
  EXPECT_TRUE(Exists(*m, "C:\\Base"));  // left to the caller
  EXPECT_EQ(d.DeferredDirs(), (Paths{"C:\\Base\\Held"}));

  EXPECT_FALSE(d.RemoveEmptyTree("C:\\Other"));
  EXPECT_FALSE(Exists(*m, "C:\\Other\\E"));
  EXPECT_TRUE(Exists(*m, "C:\\Other\\Full\\f.txt"));
  EXPECT_FALSE(d.RemoveEmptyTree("C:\\NotThere"));
}
}  // namespace
