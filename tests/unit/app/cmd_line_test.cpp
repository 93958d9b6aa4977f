#include "app/cmd_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CCmdLine Parsed(const std::vector<std::string>& args) {
  CCmdLine cmd;
  cmd.Parse(args);
  return cmd;
}

TEST(CmdLine, EachSwitchSetsItsFieldWithEitherFlagCharacterAndAnyCase) {
  const CCmdLine none = Parsed({});
  EXPECT_FALSE(none.silent || none.removeAll || none.backButton);
  EXPECT_EQ(none.rebootMode, 0);
  EXPECT_EQ(none.scriptFile, "");

  const CCmdLine all = Parsed({"-s", "/aLl", "/b", "-r:-1", "/i:s.ini"});
  EXPECT_TRUE(all.silent && all.removeAll && all.backButton);
  EXPECT_EQ(all.rebootMode, -1);
  EXPECT_EQ(all.scriptFile, "s.ini");
}

TEST(CmdLine, IgnoresWhatIsNotOneOfTheFiveSwitches) {
  // Not flags, empty flags, an empty argument, unknown or longer names, and
  // a colon in first position, which makes the whole flag the name.
  const CCmdLine cmd =
      Parsed({"S", "ALL", "/", "-", "", "/X", "/SILENT", "/AL", "/BB", "\\S", "/ S", "/:S", "-:I:a.ini", "/:R:1"});
  EXPECT_FALSE(cmd.silent || cmd.removeAll || cmd.backButton);
  EXPECT_EQ(cmd.scriptFile, "");
  EXPECT_EQ(cmd.rebootMode, 0);
}

TEST(CmdLine, SplitsAtTheFirstColonSoADriveLetterStaysInTheValue) {
  EXPECT_EQ(Parsed({"/i:C:\\tmp\\a.ini"}).scriptFile, "C:\\tmp\\a.ini");
  EXPECT_EQ(Parsed({"-I:C:\\tmp\\a.ini"}).scriptFile, "C:\\tmp\\a.ini");
  EXPECT_EQ(Parsed({"/I"}).scriptFile, "");
  EXPECT_EQ(Parsed({"/I:"}).scriptFile, "");
  EXPECT_TRUE(Parsed({"/S:yes"}).silent);  // a value on a plain switch is dropped
}

TEST(CmdLine, LaterOccurrenceOverwritesEarlierOne) {
  EXPECT_EQ(Parsed({"/I:a.ini", "/I:b.ini"}).scriptFile, "b.ini");
  EXPECT_EQ(Parsed({"/I:a.ini", "/I"}).scriptFile, "");
  EXPECT_EQ(Parsed({"/R:1", "/R:-1"}).rebootMode, -1);
  EXPECT_EQ(Parsed({"/R:1", "/R:7"}).rebootMode, 0);
}

TEST(CmdLine, RebootModeReadsASignedDecimalLimitedToMinusOneToOne) {
  const std::pair<const char*, int> cases[] = {
      {"/R:1", 1},     {"/R:-1", -1},  {"/R:0", 0},     {"/R", 0},      {"/R:", 0},      {"/R:2", 0},
      {"/R:-5", 0},    {"/R:+1", 1},   {"/R:  -1", -1}, {"/R:\t1", 1},  {"/R:1abc", 1},  {"/R:0001", 1},
      {"/R:-0", 0},    {"/R:abc", 0},  {"/R:--1", 0},   {"/R:+-1", 0},  {"/R:- 1", 0},   {"/R:1 2", 1},
      {"/R:10", 0},    {"/R:-10", 0},  {"/R:-", 0},
  };
  for (const auto& [arg, expected] : cases) EXPECT_EQ(Parsed({arg}).rebootMode, expected) << arg;
}

TEST(CmdLine, RebootModeDigitStringsTooLargeForAnIntAreOutOfRange) {
  // 2^32 + 1 and 2^64 + 1 would wrap to 1 in a 32- or 64-bit accumulator.
  EXPECT_EQ(ParseRebootMode("4294967297"), 0);
  EXPECT_EQ(ParseRebootMode("18446744073709551617"), 0);
  EXPECT_EQ(ParseRebootMode("-4294967295"), 0);
  EXPECT_EQ(ParseRebootMode("-00000000000000000000000000000000000001"), -1);
}

}  // namespace
