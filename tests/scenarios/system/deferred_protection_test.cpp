#include <string>

#include "machine_image.h"
#include "system/deferred_deleter.h"
#include "system/service_control.h"

namespace {
const char kXpImage[] = R"({
  "os": "winxp",
  "services": {"spooler": {"state": "running"}},
  "registry": {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion":
                 {"values": {"ProgramFilesDir": "C:\\Program Files",
                             "CommonFilesDir": "C:\\Program Files\\Common Files"}}},
  "files": {
    "C:\\boot.ini": {},
    "C:\\WINDOWS\\win.ini": {},
    "C:\\WINDOWS\\System32\\kernel32.dll": {},
    "C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3\\UNIDRV.DLL": {},
    "C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3\\BREVIK\\vk.dll": {},
    "C:\\WINDOWS\\System32\\spool\\drivers\\win40\\0\\old.drv": {},
    "C:\\WINDOWS\\System32\\spool\\prtprocs\\w32x86\\winprint.dll": {},
    "C:\\Program Files\\Common Files\\System\\shared.dll": {},
    "C:\\Program Files\\BREVIK\\Driver\\setup.inf": {},
    "C:\\Program Files\\BREVIK\\Tools\\tool.exe": {}
  }})";

DeferredDeleter DeleterOf(sim::Machine& m) {
  auto& p = m.platform();
  return DeferredDeleter(p.files, p.registry, p.spooler);
}

bool AnythingRemoved(const sim::Machine& m) {
  return !EventsOf(m, "fileDeleted").empty() || !EventsOf(m, "dirRemoved").empty() ||
         !EventsOf(m, "moveOnReboot").empty();
}

TEST(DeleteTreeProtection, RefusesSystemDirectoriesAndTheirAncestorsInAnySpelling) {
  auto m = LoadMachine(kXpImage);
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  d.collectMode = true;
  for (const char* path : {"", "C:", "C:\\", "D:\\", "\\", "C:\\.", "C:\\WINDOWS\\..", "C:\\WINDOWS",
                           "C:\\WINDOWS\\SYSTEM32", "c:/windows/system32/", "C:\\WINDOWS\\.\\System32\\\\",
                           "C:\\WINDOWS\\System32\\spool", "C:\\WINDOWS\\System32\\spool\\drivers",
                           "C:\\WINDOWS\\System32\\spool\\drivers\\w32x86",
                           "C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3",
                           "C:\\WINDOWS\\System32\\spool\\drivers\\W32X86\\3\\",
                           "C:\\WINDOWS\\System32\\spool\\drivers\\win40\\0",
                           "C:\\WINDOWS\\System32\\spool\\prtprocs\\w32x86",
                           "C:\\WINDOWS\\System32\\spool\\prtprocs", "C:\\Program Files", "C:\\PROGRA~1",
                           "C:\\PROGRA~1\\COMMON~1", "C:\\Program Files\\COMMON~1\\", "\\\\?\\C:\\Program Files"})
    EXPECT_FALSE(d.DeleteTree(path)) << path;
  EXPECT_FALSE(AnythingRemoved(*m));
  EXPECT_FALSE(d.HasDeferred());
}

TEST(DeleteTreeProtection, RefusesRelativeSpellingsOfProtectedDirectories) {
  auto m = LoadMachine(kXpImage);
  ASSERT_TRUE(m);
  ASSERT_EQ(m->platform().files.SetCurrentDir("C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3"), winerr::Success);
  auto d = DeleterOf(*m);
  for (const char* path : {"..\\..", ".\\", "..\\3\\..", "C:..", "\\WINDOWS"}) EXPECT_FALSE(d.DeleteTree(path)) << path;
  EXPECT_FALSE(AnythingRemoved(*m));
  EXPECT_TRUE(d.DeleteTree("BREVIK"));
  EXPECT_FALSE(m->platform().files.Exists("C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3\\BREVIK"));
}

TEST(DeleteTreeProtection, DeletesTheMakersFoldersInsideProtectedOnes) {
  auto m = LoadMachine(kXpImage);
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  auto& files = m->platform().files;
  EXPECT_TRUE(d.DeleteTree("C:\\Program Files\\BREVIK"));
  EXPECT_FALSE(files.Exists("C:\\Program Files\\BREVIK"));
  EXPECT_TRUE(files.Exists("C:\\Program Files\\Common Files\\System\\shared.dll"));

  // The spooler stopped since: the driver directories it named stay protected.
  ASSERT_TRUE(ServiceControl(m->platform().services, m->platform().clock, "spooler").Stop(30));
  std::string unused;
  ASSERT_NE(m->platform().spooler.GetDriverDirectory("Windows NT x86", &unused), winerr::Success);
  EXPECT_FALSE(d.DeleteTree("C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3"));
  EXPECT_TRUE(d.DeleteTree("C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3\\BREVIK"));
  EXPECT_FALSE(files.Exists("C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3\\BREVIK"));
  EXPECT_TRUE(files.Exists("C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3\\UNIDRV.DLL"));
}

TEST(DeleteTreeProtection, GuardsTheColourAndVersionFoldersOf9x) {
  auto m = LoadMachine(R"({"os": "win98",
    "files": {"C:\\WINDOWS\\SYSTEM\\Color\\sRGB.icm": {}, "C:\\WINDOWS\\SYSTEM\\0\\x.drv": {},
              "C:\\WINDOWS\\SYSTEM\\BREVIK\\vk.dll": {}}})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  for (const char* path : {"C:\\WINDOWS\\SYSTEM\\Color", "C:\\WINDOWS\\SYSTEM\\0", "C:\\WINDOWS\\SYSTEM"})
    EXPECT_FALSE(d.DeleteTree(path)) << path;
  EXPECT_FALSE(AnythingRemoved(*m));
  EXPECT_TRUE(d.DeleteTree("C:\\WINDOWS\\SYSTEM\\BREVIK"));
  EXPECT_FALSE(m->platform().files.Exists("C:\\WINDOWS\\SYSTEM\\BREVIK"));
}
}  // namespace
