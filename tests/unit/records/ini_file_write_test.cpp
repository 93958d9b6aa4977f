// Writing the model back: the text it writes, when it writes on its own, and
// when it must leave the file alone.
#include <gtest/gtest.h>

#include <string>

#include "ini_test_machine.h"

using initest::Content;
using initest::kPath;
using initest::Put;

namespace {

TEST(IniFileWrite, SectionsComeOutInListOrderEachFollowedByOneEmptyLine) {
  auto machine = initest::Machine();
  Put(*machine, "; made by hand\n[A]\nK=1\n\n[B]\n[C]\n Name = Value \n");
  auto file = initest::ReadOnly(*machine);
  EXPECT_EQ(file->Write(), 3);
  const std::string written = "[C]\r\nname=Value\r\n\r\n[B]\r\n\r\n[A]\r\nk=1\r\n\r\n";
  EXPECT_EQ(Content(*machine), written);

  // Read again, the same model writes the same text, now in the other order.
  auto again = initest::ReadOnly(*machine);
  EXPECT_EQ(initest::Picture(*again), "[A]{k=1}[B]{}[C]{name=Value}");
}

TEST(IniFileWrite, WriteNeedsAPathAndReportsAFileThatCannotBeWritten) {
  auto machine = initest::Machine(R"("faults": [{"call": "FileSystem.WriteText", "error": "ERROR_ACCESS_DENIED"}])");
  CIniFile unnamed(machine->platform().files);
  EXPECT_TRUE(unnamed.SetValue("S", "k", "v"));
  EXPECT_EQ(unnamed.Write(), 0);

  CIniFile named(machine->platform().files, kPath);
  EXPECT_TRUE(named.SetValue("S", "k", "v"));
  EXPECT_EQ(named.Write(), CIniFile::kFileError);
  named.m_bWriteOnDestroy = false;
}

TEST(IniFileWrite, AModelWritesItselfBackWhenDestroyedUnlessSwitchedOff) {
  auto machine = initest::Machine();
  const std::string script = "[Uninstall]\r\n; all printers\r\nPrinters=2\r\n";
  Put(*machine, script);
  initest::ReadOnly(*machine).reset();
  EXPECT_EQ(Content(*machine), script);

  { CIniFile file(machine->platform().files, kPath); }
  EXPECT_EQ(Content(*machine), "[Uninstall]\r\nprinters=2\r\n\r\n");
}

TEST(IniFileWrite, AModelWhoseFileCouldNotBeReadLeavesTheFileAloneWhenDestroyed) {
  auto machine = initest::Machine(R"("faults": [{"call": "FileSystem.ReadText", "error": "ERROR_SHARING_VIOLATION",
                                                 "count": 1}])");
  const std::string script = "[Uninstall]\r\nPrinters=2\r\n";
  Put(*machine, script);
  {
    CIniFile file(machine->platform().files, kPath);
    EXPECT_EQ(file.size(), 0u);
  }
  EXPECT_EQ(Content(*machine), script);

  // Asked for explicitly, the write still happens.
  CIniFile file(machine->platform().files, kPath);
  EXPECT_EQ(file.size(), 1u);
  file.m_bWriteOnDestroy = false;
}

}  // namespace
