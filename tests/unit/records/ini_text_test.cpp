// The white space and lower case rules that keys and values are stored with.
#include <gtest/gtest.h>

#include <string>

#include "platform/text.h"
#include "records/ini_text.h"

namespace {

TEST(IniText, LowerCaseKeepsEverySpellingThatComparesEqualAndLeavesOtherBytesAlone) {
  struct Case {
    std::string in, lowered;
  };
  const Case cases[] = {
      {"PRINTERS", "printers"},
      {"Mixed_Case-09", "mixed_case-09"},
      {"\xC3\x84RGER", "\xC3\xA4rger"},                // Latin-1 capital A with diaeresis
      {"\xC5\xB8", "\xC3\xBF"},                        // capital Y with diaeresis lowers into Latin-1
      {"\xC4\xB9\xC5\x81\xC5\xB9", "\xC4\xBA\xC5\x82\xC5\xBA"},  // the odd-capital runs of Latin Extended-A
      {"\xC4\x80\xC5\x8A", "\xC4\x81\xC5\x8B"},                  // and the even-capital ones
      {"\xC4\xB0", "\xC4\xB0"},                        // dotted capital I has no pair and stays
      {"\xCE\xA3\xCE\x91", "\xCF\x83\xCE\xB1"},        // Greek
      {"\xD0\x81\xD0\x96", "\xD1\x91\xD0\xB6"},        // Cyrillic, both blocks
      {"\xFF" "A\xC3", "\xFF" "a\xC3"},                // malformed bytes survive byte for byte
      {"\xE2\x82\xAC", "\xE2\x82\xAC"},                // no case: the euro sign
  };
  for (const Case& c : cases) {
    const std::string lowered = ini::Lower(c.in);
    EXPECT_EQ(lowered, c.lowered) << c.in;
    EXPECT_TRUE(text::IEquals(lowered, c.in)) << c.in;
    EXPECT_EQ(ini::Lower(lowered), lowered) << c.in;
  }
}

TEST(IniText, TrimDropsBlanksTabsAndLineEndsOnBothSidesOnly) {
  EXPECT_EQ(ini::Trim(" \t\r\n\v\fa b\t\r\n"), "a b");
  EXPECT_EQ(ini::Trim("  "), "");
  EXPECT_EQ(ini::Trim("\xC2\xA0x"), "\xC2\xA0x");  // a no-break space is not a blank here
}

}  // namespace
