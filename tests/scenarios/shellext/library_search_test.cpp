#include <string>
#include <vector>

#include "profile_loader.h"
#include "shell_image.h"

namespace {
using Paths = std::vector<std::string>;

// The paths LoadCfiLibrary tries when nothing loads, with the driver
// directory written as "<dir>".
Paths TriedPaths(std::string_view os) {
  auto image = ShellImage(os);
  image["profileLibrary"]["loadsFrom"] = nlohmann::json::array();
  ShellSession s(image.dump());
  auto& m = *s.machine;
  std::string dir;
  static_cast<void>(m.platform().spooler.GetDriverDirectory({}, &dir));  // empty on the 9x family
  auto library = shellext::LoadCfiLibrary(s.module, m.platform().spooler, m.platform().profileLibrary);
  EXPECT_FALSE(library);
  Paths tried;
  for (const auto& e : EventsOf(m, "libraryLoad")) {
    std::string path = e["path"];
    if (!dir.empty() && path.starts_with(dir)) path = "<dir>" + path.substr(dir.size());
    tried.push_back(path);
  }
  return tried;
}

TEST(LoadCfiLibrary, TriesTheDriverDirectorysVersionFoldersByWindowsVersion) {
  const std::string bare = "VORCFI.DLL";
  EXPECT_EQ(TriedPaths("win98"), Paths{bare});
  EXPECT_EQ(TriedPaths("nt351"), Paths{});
  EXPECT_EQ(TriedPaths("nt4"), (Paths{"<dir>\\2\\VORCFI.DLL", bare}));
  EXPECT_EQ(TriedPaths("win2k"), (Paths{"<dir>\\3\\VORCFI.DLL", "<dir>\\2\\VORCFI.DLL", bare}));
  EXPECT_EQ(TriedPaths("other"), (Paths{"<dir>\\4\\VORCFI.DLL", "<dir>\\3\\VORCFI.DLL", "<dir>\\2\\VORCFI.DLL", bare}));
}

TEST(LoadCfiLibrary, StopsAtTheFirstFolderThatHoldsTheLibraryAndFreesItAfterUse) {
  auto image = ShellImage("winxp");
  image["profileLibrary"]["loadsFrom"] = {"C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\2\\vorcfi.dll"};
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  std::string dir;
  ASSERT_TRUE(s.machine->platform().spooler.GetDriverDirectory({}, &dir).ok());
  ASSERT_TRUE(text::IEquals(dir, "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86")) << dir;
  auto library = shellext::LoadCfiLibrary(s.module, s.machine->platform().spooler, s.machine->platform().profileLibrary);
  EXPECT_TRUE(library);
  const auto loads = EventsOf(*s.machine, "libraryLoad");
  ASSERT_EQ(loads.size(), 2u);
  EXPECT_EQ(loads[1]["loaded"], true);
}

}  // namespace
