// Names compare without case the same way whether they are plain ASCII,
// mixed, or not ASCII at all: maps of names rely on one consistent order.
#include <gtest/gtest.h>

#include "platform/text.h"

namespace {

TEST(TextCompare, CaseIsIgnoredAndTheOrderHoldsAcrossAsciiAndOtherLetters) {
  struct Case {
    const char* a;
    const char* b;
    int order;  // -1: a before b, 0: equal, 1: a after b
  };
  const Case cases[] = {
      {"Vorkast Printer", "VORKAST PRINTER", 0},
      {"déjà vu", "DÉJÀ VU", 0},     // folding goes on past an ASCII start
      {"Ñandú", "ñANDÚ", 0},         // and starts on a letter that is not ASCII
      {"abc", "abcd", -1},           // a prefix comes first
      {"ab_", "ABC", 1},             // letters compare as upper case: '_' after 'C'
      {"zeta", "éte", -1},           // ASCII before the letters above it
      {"abcé", "ABCz", 1},
      {"Straße", "STRASSE", 1},      // no letter turns into two
      {"x\xff", "X\xfe", 0},         // malformed bytes compare as the same replacement
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::IEquals(c.a, c.b), c.order == 0) << c.a << " / " << c.b;
    EXPECT_EQ(text::ILess(c.a, c.b), c.order < 0) << c.a << " / " << c.b;
    EXPECT_EQ(text::ILess(c.b, c.a), c.order > 0) << c.a << " / " << c.b;
    EXPECT_EQ(text::IEquals(text::Fold(c.a), text::Fold(c.b)), c.order == 0) << c.a << " / " << c.b;
  }
}

}  // namespace
