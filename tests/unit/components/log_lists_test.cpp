#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/log_lists.h"

namespace {

struct SplitCase {
  const char* what;
  std::string text;
  std::vector<std::string> entries;
};

TEST(SplitList, CutsAtNewlinesDropsEmptyPiecesAndIgnoresAnUnendedTail) {
  const std::vector<SplitCase> cases = {
      {"two ended entries", "C:\\a.dll\nC:\\b.hlp\n", {"C:\\a.dll", "C:\\b.hlp"}},
      {"the last entry without its newline is lost", "C:\\a.dll\nC:\\b.dll", {"C:\\a.dll"}},
      {"leading newlines are no entries", "\n\nC:\\a.dll\n", {"C:\\a.dll"}},
      {"blank lines between entries", "A\n\n\nB\n", {"A", "B"}},
      {"no newline at all", "C:\\a.dll", {}},
      {"empty text", "", {}},
      {"only newlines", "\n\n", {}},
      {"a carriage return stays in its entry", "A\r\nB\n", {"A\r", "B"}},
      {"spaces are kept", " A \n", {" A "}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> list;
    SplitList(c.text, list);
    EXPECT_EQ(list, c.entries) << c.what;
  }
}

TEST(SplitList, AppendsToWhatTheListAlreadyHolds) {
  std::vector<std::string> list = {"first"};
  SplitList("second\n", list);
  EXPECT_EQ(list, (std::vector<std::string>{"first", "second"}));
}

struct EntryCase {
  const char* what;
  std::string entry;
  bool parsed;
  plat::HKey root;
  std::string keyPath;
  std::string valueName;
};

TEST(ParseRegistryEntry, ReadsRootKeyAndValueWithQuotesAndTrimming) {
  const plat::HKey none = plat::kNoHandle;
  const std::vector<EntryCase> cases = {
      {"quoted key and value", "HKLM,\"Software\\Vorkast\\Kestrion\",\"BaseDir\"", true, plat::kHkeyLocalMachine,
       "Software\\Vorkast\\Kestrion", "BaseDir"},
      {"a comma inside quotes belongs to the key", "HKLM,\"Software\\Vorkast\\A, B\"", true,
       plat::kHkeyLocalMachine, "Software\\Vorkast\\A, B", ""},
      {"root and key only: the default value", "HKCU,Software\\Vorkast", true, plat::kHkeyCurrentUser,
       "Software\\Vorkast", ""},
      {"fields are trimmed, inside the quotes too", "  hkcr , \" .vkp \" ,  Name  ", true,
       plat::kHkeyClassesRoot, ".vkp", "Name"},
      {"root names ignore case", "hKu,.DEFAULT\\Software\\Vorkast,x", true, plat::kHkeyUsers,
       ".DEFAULT\\Software\\Vorkast", "x"},
      {"quotes in the middle of a field are dropped", "HKLM,Soft\"ware\\Vor\"kast,v", true,
       plat::kHkeyLocalMachine, "Software\\Vorkast", "v"},
      {"an unclosed quote runs to the end", "HKLM,\"Software\\Vorkast,Name", true, plat::kHkeyLocalMachine,
       "Software\\Vorkast,Name", ""},
      {"fields after the value name are ignored", "HKLM,Software\\V,Name,extra", true, plat::kHkeyLocalMachine,
       "Software\\V", "Name"},
      {"an empty quoted value name is the default value", "HKLM,Software\\V,\"\"", true,
       plat::kHkeyLocalMachine, "Software\\V", ""},
      {"the root written out is not recognised", "HKEY_LOCAL_MACHINE,Software\\Vorkast,x", false, none, "", ""},
      {"HKCC is not one of the four roots", "HKCC,System\\x", false, none, "", ""},
      {"a quoted root with its comma is one field", "\"HKLM,Software\"", false, none, "", ""},
      {"a root alone is too few fields", "HKLM", false, none, "", ""},
      {"an empty key path would name the root", "HKLM,  ,Name", false, none, "", ""},
      {"empty entry", "", false, none, "", ""},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseRegistryEntry(c.entry);
    ASSERT_EQ(parsed.has_value(), c.parsed) << c.what;
    if (!parsed) continue;
    EXPECT_EQ(parsed->root, c.root) << c.what;
    EXPECT_EQ(parsed->keyPath, c.keyPath) << c.what;
    EXPECT_EQ(parsed->valueName, c.valueName) << c.what;
  }
}

TEST(SplitEntryFields, KeepsEmptyFieldsInTheirPlaces) {
  EXPECT_EQ(SplitEntryFields("a,,\" \",b"), (std::vector<std::string>{"a", "", "", "b"}));
  EXPECT_EQ(SplitEntryFields(""), (std::vector<std::string>{""}));
}

}  // namespace
