// The file-system adapter against Wine's file system: text bytes as stored,
// names beyond ASCII, the 8.3 alternate names and the path-size protocol.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win_errors.h"
#include "win32/win32_file_system.h"

namespace {

class FileSystemAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs.TempDirectory() + "dp-fs-adapter";
    ASSERT_EQ(fs.MakeDir(dir), winerr::Success);
  }
  void TearDown() override {
    std::vector<plat::FindEntry> entries;
    static_cast<void>(fs.Find(dir + "\\*.*", &entries));  // cleanup; best effort
    for (const auto& e : entries)
      if (!(e.attributes & plat::fileattr::Directory)) {
        static_cast<void>(fs.SetAttributes(dir + "\\" + e.name, plat::fileattr::Normal));  // cleanup; best effort
        static_cast<void>(fs.RemoveFile(dir + "\\" + e.name));  // cleanup; best effort
      }
    static_cast<void>(fs.RemoveDir(dir));  // cleanup; best effort
  }
  win32::Win32FileSystem fs;
  std::string dir;
};

TEST_F(FileSystemAdapter, TextIsReadAndWrittenAsStored) {
  std::string content = "[Rename]\r\nNUL=C:\\A.DLL\n\xC3\xA9";
  content.push_back('\0');
  content += std::string(40000, 'z');  // more than one read
  const std::string path = dir + "\\WinInit.INI";
  ASSERT_EQ(fs.WriteText(path, content), winerr::Success);
  std::string back;
  ASSERT_EQ(fs.ReadText(path, &back), winerr::Success);
  EXPECT_EQ(back, content);
  ASSERT_EQ(fs.WriteText(path, "short"), winerr::Success);
  ASSERT_EQ(fs.ReadText(path, &back), winerr::Success);
  EXPECT_EQ(back, "short") << "writing truncates";
  EXPECT_EQ(fs.ReadText(dir + "\\missing.ini", &back), winerr::FileNotFound);
  EXPECT_EQ(back, "");
}

TEST_F(FileSystemAdapter, FindReportsLongAndShortNames) {
  const std::string longName = "Long Name \xC3\xA5 file.hlp";
  ASSERT_EQ(fs.WriteText(dir + "\\" + longName, "x"), winerr::Success);
  ASSERT_EQ(fs.WriteText(dir + "\\A.GID", "y"), winerr::Success);
  std::vector<plat::FindEntry> entries;
  ASSERT_EQ(fs.Find(dir + "\\*.*", &entries), winerr::Success);
  bool dot = false, sawLong = false, sawShort = false;
  for (const auto& e : entries) {
    dot = dot || e.name == ".";
    if (e.name == longName) {
      sawLong = true;
      EXPECT_FALSE(e.shortName.empty());
      EXPECT_LE(e.shortName.size(), 12u);
      std::string shortPath;
      ASSERT_EQ(fs.ShortPath(dir + "\\" + longName, &shortPath), winerr::Success);
      EXPECT_NE(shortPath.find(e.shortName), std::string::npos) << shortPath;
      EXPECT_TRUE(fs.Exists(shortPath));
    }
    if (e.name == "A.GID") {
      sawShort = true;
      EXPECT_EQ(e.size, 1u);
    }
  }
  EXPECT_TRUE(dot && sawLong && sawShort);
  EXPECT_EQ(fs.Find(dir + "\\*.none", &entries), winerr::FileNotFound);
  EXPECT_TRUE(entries.empty());
  EXPECT_EQ(fs.Find(dir + "\\nodir\\*.*", &entries), winerr::PathNotFound);
}

TEST_F(FileSystemAdapter, RemovalErrorsAreTheSystemsOwn) {
  const std::string file = dir + "\\ro.dll";
  ASSERT_EQ(fs.WriteText(file, "x"), winerr::Success);
  ASSERT_EQ(fs.SetAttributes(file, plat::fileattr::ReadOnly), winerr::Success);
  EXPECT_EQ(fs.RemoveFile(file), winerr::AccessDenied);
  EXPECT_EQ(fs.RemoveDir(dir), winerr::DirNotEmpty);
  EXPECT_EQ(fs.MakeDir(dir), winerr::AlreadyExists);
  ASSERT_EQ(fs.SetAttributes(file, plat::fileattr::Normal), winerr::Success);
  EXPECT_EQ(fs.CopyTo(file, dir + "\\copy.dll", true), winerr::Success);
  EXPECT_NE(fs.CopyTo(file, dir + "\\copy.dll", true), winerr::Success) << "failIfExists";
  EXPECT_EQ(fs.Rename(dir + "\\copy.dll", dir + "\\moved.dll"), winerr::Success);
  EXPECT_TRUE(fs.Exists(dir + "\\moved.dll"));
  EXPECT_EQ(fs.RemoveFile(dir + "\\copy.dll"), winerr::FileNotFound);
}

TEST_F(FileSystemAdapter, SystemPathsAndTheCurrentDirectory) {
  EXPECT_TRUE(fs.Exists(fs.WindowsDirectory()));
  EXPECT_TRUE(fs.Exists(fs.SystemDirectory() + "\\kernel32.dll"));
  EXPECT_EQ(fs.TempDirectory().back(), '\\');
  const std::string before = fs.CurrentDirectory();
  ASSERT_EQ(fs.SetCurrentDir(dir), winerr::Success);
  EXPECT_EQ(fs.CurrentDirectory(), dir);
  EXPECT_EQ(fs.SetCurrentDir(before), winerr::Success);
}

}  // namespace
