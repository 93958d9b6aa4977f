// The line filters on platform configuration files: which lines go, that every
// other line comes back as it was, and that a failure leaves the file alone.
#include "components/config_file_filters.h"

#include <gtest/gtest.h>

#include "memory_files.h"

namespace {

const char kPath[] = "C:\\OV\\conf\\oid_to_sym";
const std::string kLong(300, 'x');

struct FilterCase {
  const char* what;
  std::string before;
  std::string pattern;
  bool exactLine;
  std::string after;
};

TEST(FilterConfigFile, DropsTheMatchingLinesAndKeepsEveryOtherLineAsItWas) {
  const std::vector<FilterCase> cases = {
      {"a line carrying the pattern, blanks and a comment",
       "head\r\n1.3.6.1.4.1.7277.1:Device:Netrelle   # printers\r\ntail\r\n", "1.3.6.1.4.1.7277.1:Device:Netrelle",
       false, "head\r\ntail\r\n"},
      {"the pattern anywhere in a line", "x 1.3.6.1.4.1.7277.1:Device:Netrelle2 y\nkeep\n",
       "1.3.6.1.4.1.7277.1:Device:Netrelle", false, "keep\n"},
      {"another object of the maker's is not the pattern", "1.3.6.1.4.1.7277.10:Device:X\n",
       "1.3.6.1.4.1.7277.1:Device:Netrelle", false, "1.3.6.1.4.1.7277.10:Device:X\n"},
      {"the pattern's case counts", "1.3.6.1.4.1.7277.1:device:netrelle\n", "1.3.6.1.4.1.7277.1:Device:Netrelle",
       false, "1.3.6.1.4.1.7277.1:device:netrelle\n"},
      {"the pattern's trailing blanks are not looked for", "a sss=$OV_BIN/sss;b\nkeep\n", "sss=$OV_BIN/sss \t", false,
       "keep\n"},
      {"an exact line may end in blanks", "sss=$OV_BIN/sss \t\r\nsss=$OV_BIN/sss more\r\n", "sss=$OV_BIN/sss", true,
       "sss=$OV_BIN/sss more\r\n"},
      {"kept lines keep their blanks and their own line ends", "  a  \nb\t\r\nc\n", "zzz", false,
       "  a  \nb\t\r\nc\n"},
      {"an unterminated last line stays so", "a\nlast", "zzz", false, "a\nlast"},
      {"so does one that ends in a carriage return", "a\nlast\r", "zzz", false, "a\nlast\r"},
      {"a dropped last line leaves nothing after it", "a\r\nsss", "sss", false, "a\r\n"},
      {"a long line comes through whole", kLong + "\nsss\n" + kLong, "sss", false, kLong + "\n" + kLong},
      {"blank lines stay", "\n\r\n\nsss\n", "sss", false, "\n\r\n\n"},
      {"an empty file stays empty", "", "sss", false, ""},
  };
  for (const FilterCase& c : cases) {
    memfs::MemoryFiles files;
    files.files[kPath] = c.before;
    EXPECT_TRUE(FilterConfigFile(files, kPath, c.pattern, c.exactLine)) << c.what;
    EXPECT_EQ(files.files[kPath], c.after) << c.what;
    EXPECT_EQ(files.files.size(), 1u) << c.what << ": the temporary file is gone";
  }
}

TEST(FilterConfigFile, AFailureAnywhereLeavesTheFileAsItWasAndNoTemporaryFileBehind) {
  const std::string before = "keep\nsss\n";
  for (const char* failing : {"CreateTempFile", "ReadText", "WriteText", "CopyTo"}) {
    memfs::MemoryFiles files;
    files.files[kPath] = before;
    files.failing.insert(failing);
    EXPECT_FALSE(FilterConfigFile(files, kPath, "sss", false)) << failing;
    EXPECT_EQ(files.files[kPath], before) << failing;
    EXPECT_EQ(files.files.size(), 1u) << failing;
  }

  memfs::MemoryFiles missing;
  EXPECT_FALSE(FilterConfigFile(missing, kPath, "sss", false));
  EXPECT_TRUE(missing.files.empty()) << "a missing file is not created";

  memfs::MemoryFiles longTemp;
  longTemp.files[kPath] = before;
  longTemp.tempDirectory = "C:\\" + std::string(260, 't') + "\\";
  EXPECT_FALSE(FilterConfigFile(longTemp, kPath, "sss", false));
  EXPECT_EQ(longTemp.files[kPath], before);
}

TEST(FilterConfigFile, AnEmptyPatternMatchesNoLineRatherThanEveryLine) {
  for (const char* pattern : {"", " \t "}) {
    memfs::MemoryFiles files;
    files.files[kPath] = "a\nb\n";
    EXPECT_FALSE(FilterConfigFile(files, kPath, pattern, false));
    EXPECT_EQ(files.files[kPath], "a\nb\n");
  }
  // As a whole line it names the blank lines.
  memfs::MemoryFiles files;
  files.files[kPath] = "a\n  \nb\n";
  EXPECT_TRUE(FilterConfigFile(files, kPath, "", true));
  EXPECT_EQ(files.files[kPath], "a\nb\n");
}

struct DropCase {
  const char* what;
  std::string before;
  std::string after;
};

TEST(DropVendorLines, DropsTheLinesHoldingTheWordInAnyCaseAndKeepsTheRestInOrder) {
  const std::string longLine = "#" + std::string(120, '-') + " long comment";
  const std::string longVendor = std::string(100, ' ') + "Vorkast printer";
  const std::vector<DropCase> cases = {
      {"every mix of cases, also inside a longer word",
       "1 VORKAST\r\nkeep one\r\n2 Vorkast\r\n3 vorkast\r\n4 NotVorKastic\r\nkeep two\r\n", "keep one\r\nkeep two\r\n"},
      {"a line past eighty characters and everything after it", "a\n" + longLine + "\nb\nvorkast\nc\n",
       "a\n" + longLine + "\nb\nc\n"},
      {"the word past the eightieth character drops the whole line", "a\n" + longVendor + "\nb\n", "a\nb\n"},
      {"a near miss stays", "vorkas t\nvor kast\n", "vorkas t\nvor kast\n"},
      {"an unterminated last line", "a\nlast vorkast", "a\n"},
  };
  for (const DropCase& c : cases) {
    for (bool bracketKept : {false, true}) {
      memfs::MemoryFiles files;
      files.files[kPath] = c.before;
      DropVendorLines(files, kPath, "vorkast", bracketKept);
      EXPECT_EQ(files.files[kPath], c.after) << c.what << (bracketKept ? " (type file)" : "");
      EXPECT_EQ(files.files.size(), 1u) << c.what << ": the work file is gone";
    }
  }
}

TEST(DropVendorLines, AFileThatCannotBeReadOrAnEmptyWordChangesNothing) {
  memfs::MemoryFiles missing;
  DropVendorLines(missing, kPath, "vorkast", true);
  EXPECT_TRUE(missing.files.empty());

  memfs::MemoryFiles emptyWord;
  emptyWord.files[kPath] = "a\nb\n";
  DropVendorLines(emptyWord, kPath, "", false);
  EXPECT_EQ(emptyWord.files[kPath], "a\nb\n");

  memfs::MemoryFiles locked;
  locked.files[kPath] = "a\nvorkast\n";
  locked.failing.insert("CopyTo");
  DropVendorLines(locked, kPath, "vorkast", false);
  EXPECT_EQ(locked.files[kPath], "a\nvorkast\n");
  EXPECT_EQ(locked.files.size(), 1u);
}

}  // namespace
