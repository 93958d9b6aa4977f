// One section: how a key line is split, and how keys are stored and found.
#include <gtest/gtest.h>

#include <string>

#include "records/ini_section.h"

namespace {

TEST(IniSection, AKeyLineSplitsAtTheFirstEqualsSignAndIsTrimmedOnBothSides) {
  struct Case {
    const char* line;
    bool stored;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"Key = Some Value  ", true, "key", "Some Value"},
      {"a=b=c", true, "a", "b=c"},
      {"flag", true, "flag", ""},
      {"key=value ; note", true, "key", "value ; note"},
      {"k=\t", true, "k", ""},
      {"[Uninstall", true, "[uninstall", ""},
      {"=x", false, "", ""},
      {"  = x", false, "", ""},
      {"", false, "", ""},
  };
  for (const Case& c : cases) {
    CIniSection section("[S]");
    EXPECT_EQ(section.AddLine(c.line), c.stored) << c.line;
    if (!c.stored) {
      EXPECT_EQ(section.size(), 0u) << c.line;
      continue;
    }
    ASSERT_EQ(section.size(), 1u) << c.line;
    EXPECT_EQ(section.begin()->first, c.key) << c.line;
    EXPECT_EQ(section.begin()->second, c.value) << c.line;
  }
}

TEST(IniSection, KeysAreOneEntryWithoutCaseAndTheLaterValueWins) {
  CIniSection section("[Printers]");
  EXPECT_TRUE(section.AddLine("Office Laser=1"));
  EXPECT_TRUE(section.AddLine("OFFICE LASER = 0 "));
  ASSERT_EQ(section.size(), 1u);
  EXPECT_EQ(section.begin()->first, "office laser");
  EXPECT_EQ(section.GetValue(" Office laser "), "0");

  EXPECT_TRUE(section.SetValue(" Port ", "  LPT1: "));
  EXPECT_EQ(section.GetValue("PORT"), "LPT1:");
  EXPECT_EQ(section.GetValue("missing"), "");
  EXPECT_FALSE(section.SetValue(" \t", "x"));
  EXPECT_EQ(section.size(), 2u);

  EXPECT_TRUE(section.RemoveKey(" PORT"));
  EXPECT_FALSE(section.RemoveKey("port"));
  EXPECT_EQ(section.size(), 1u);
}

TEST(IniSection, TheBareNameDropsTheFirstAndLastCharacterOfNamesOfThreeOrMore) {
  const std::pair<const char*, const char*> cases[] = {
      {"[Printers]", "Printers"}, {"[x]", "x"}, {"[]", ""}, {"ab", ""}, {"", ""}, {"Printers", "rinter"},
  };
  for (const auto& [name, bare] : cases) {
    const CIniSection section(name);
    EXPECT_EQ(section.GetName(), name);
    EXPECT_EQ(section.GetBareName(), bare) << name;
  }
}

}  // namespace
