// Full paths as Windows resolves them against a current directory.
#include <gtest/gtest.h>

#include <string>

#include "platform/text.h"
#include "platform/win_path.h"

namespace {
using winpath::Canonicalize;
using winpath::IsSameOrAncestorKey;

const char kCwd[] = "C:\\Program Files\\BREVIK";

std::string KeyOf(const std::string& path) { return Canonicalize(path, kCwd).key; }

TEST(Canonicalize, SpellingsOfOneDirectoryShareOneKey) {
  const std::string key = KeyOf("C:\\WINDOWS\\System32");
  EXPECT_EQ(key, text::Fold("c:\\windows\\system32"));
  for (const char* spelling :
       {"c:/windows/system32/", "C:\\\\WINDOWS\\\\SYSTEM32\\\\", "C:\\WINDOWS\\.\\System32\\..\\System32",
        "C:\\WINDOWS.\\System32 ", "\\\\?\\C:\\WINDOWS\\System32", "C:\\..\\..\\WINDOWS\\System32",
        "\\WINDOWS\\System32", "..\\..\\WINDOWS\\System32", "C:..\\..\\WINDOWS\\System32"})
    EXPECT_EQ(KeyOf(spelling), key) << spelling;
  // The spelling kept for the file system is the resolved one, case and all.
  EXPECT_EQ(Canonicalize("c:/WINDOWS/./System32/", kCwd).path, "c:\\WINDOWS\\System32");
}

TEST(Canonicalize, RootsHaveNoDepth) {
  for (const char* root : {"C:\\", "c:/", "C:\\..", "C:\\.\\..\\.", "\\", "..\\..\\..", "\\\\server\\share\\",
                           "\\\\?\\UNC\\server\\share"}) {
    const winpath::FullPath p = Canonicalize(root, kCwd);
    EXPECT_EQ(p.depth, 0u) << root;
    EXPECT_FALSE(p.key.empty()) << root;
  }
  EXPECT_EQ(Canonicalize("\\\\?\\UNC\\Server\\Share\\Dir", kCwd).path, "\\\\Server\\Share\\Dir");
  // "C:" alone is the current directory of drive C, not its root.
  EXPECT_EQ(Canonicalize("C:", kCwd).path, kCwd);
  EXPECT_EQ(Canonicalize("D:Dir", kCwd).path, "D:\\Dir");  // another drive: its root
  EXPECT_TRUE(Canonicalize("", "").key.empty());
}

TEST(IsSameOrAncestorKey, MatchesWholeNamesOnly) {
  EXPECT_TRUE(IsSameOrAncestorKey("c:", "c:\\windows"));
  EXPECT_TRUE(IsSameOrAncestorKey("c:\\windows", "c:\\windows"));
  EXPECT_TRUE(IsSameOrAncestorKey("c:\\windows", "c:\\windows\\system32\\spool"));
  EXPECT_FALSE(IsSameOrAncestorKey("c:\\win", "c:\\windows"));
  EXPECT_FALSE(IsSameOrAncestorKey("c:\\windows\\system32", "c:\\windows"));
  EXPECT_FALSE(IsSameOrAncestorKey("", "c:\\windows"));
}
}  // namespace
