// The line rules of the model list file, on text held in memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/model_list.h"

namespace {

std::vector<std::string> Names(const std::string& content, bool readDriverNames = true,
                               std::string_view section = {}) {
  std::vector<std::string> names;
  ModelNamesIn(TextLines::FromContent(content), names, readDriverNames, section);
  return names;
}

using Strings = std::vector<std::string>;

TEST(ModelListLines, CrLfAndLfEndLinesAndOverlongLinesAreDropped) {
  const TextLines file = TextLines::FromContent("[A]\r\nx=1\n\r\nlast");
  EXPECT_EQ(file.lines, (Strings{"[A]", "x=1", "", "last"}));
  EXPECT_TRUE(file.readable);

  const std::string longLine(TextLines::kMaxLineLength + 1, 'n');
  EXPECT_EQ(TextLines::FromContent("a\n" + longLine + "\nb\n").lines, (Strings{"a", "b"}));
  EXPECT_TRUE(TextLines::FromContent("").lines.empty());
}

TEST(ModelListSections, HeaderMustBeTheWholeLineAndTheSectionEndsAtTheNextBracket) {
  const TextLines file = TextLines::FromContent(
      "[printer] \n"
      "a=skipped\n"
      "[PRINTER]\n"
      "m1 = Model One \n"
      "\n"
      "no equals sign\n"
      "m2=x=y\n"
      "[Next]\n"
      "m3=three\n");
  Strings lines;
  EXPECT_TRUE(SectionLinesIn(file, "Printer", lines));
  EXPECT_EQ(lines, (Strings{"m1 = Model One ", "no equals sign", "m2=x=y"}));

  Strings values;
  EXPECT_TRUE(SectionValuesIn(file, "Printer", values));
  EXPECT_EQ(values, (Strings{"Model One", "x=y"}));

  Strings none;
  EXPECT_FALSE(SectionLinesIn(file, "Missing", none));
  EXPECT_TRUE(SectionValuesIn(file, "Missing", none));  // the file was read; the section adds nothing
  EXPECT_TRUE(none.empty());
  EXPECT_FALSE(SectionValuesIn(TextLines{}, "Printer", none));
}

TEST(ModelListKeys, KeyIsMatchedBeforeTheFirstEqualsWithoutCaseAndSectionsMayReopen) {
  const TextLines file = TextLines::FromContent(
      "[M]\n"
      "\n"
      "  PCL5Name=leading blanks are part of the key\n"
      "PCL6Name\n"
      "psname \t=  PS Model  \n"
      "[Other]\n"
      "PCL5Name=other\n"
      "[m]\n"
      "pcl5name=reopened\n");
  std::string out = "unchanged";
  EXPECT_TRUE(IniKeyIn(file, "M", "PSName", out));
  EXPECT_EQ(out, "PS Model");
  EXPECT_TRUE(IniKeyIn(file, "M", "PCL5Name", out));
  EXPECT_EQ(out, "reopened");
  out = "unchanged";
  EXPECT_FALSE(IniKeyIn(file, "M", "PCL6Name", out));  // a line without "=" has no key
  EXPECT_FALSE(IniKeyIn(file, "Absent", "PSName", out));
  EXPECT_EQ(out, "unchanged");
}

TEST(ModelListNames, ManufacturerSectionsComeFirstThenPrinterAndPcl5WinsOverPcl6) {
  const std::string content =
      "[Printer]\n"
      "1=Base\n"
      "[Manufacturer]\n"
      "x=Extra\n"
      "[Extra]\n"
      "1=Both\n"
      "2=Only6\n"
      "3=Nothing\n"
      "[Both]\n"
      "PCL5Name=Both PCL5\n"
      "PCL6Name=Both PCL6\n"
      "PSName=Both PS\n"
      "[Only6]\n"
      "PCL5Name=\n"
      "PCL6Name=Only PCL6\n"
      "[Nothing]\n"
      "Other=1\n"
      "[Base]\n"
      "PSName=Base PS\n";
  EXPECT_EQ(Names(content), (Strings{"Both PCL5", "Both PS", "Only PCL6", "Base PS"}));
  EXPECT_EQ(Names(content, false), (Strings{"Both", "Only6", "Nothing", "Base"}));
  EXPECT_EQ(Names(content, true, "Extra"), (Strings{"Both PCL5", "Both PS", "Only PCL6"}));
}

TEST(ModelListNames, MissingManufacturerStillReadsPrinter) {
  EXPECT_EQ(Names("[Printer]\nk=Solo\n[Solo]\nPCL5Name=Solo PCL\n"), (Strings{"Solo PCL"}));
}

TEST(ModelListNames, UnusableContentGivesNoNames) {
  const std::string longName(TextLines::kMaxLineLength, 'x');
  const std::vector<std::string> contents = {
      "",
      std::string("\0\xff\xfe[\0P\0r\0i\0n\0t\0e\0r\0]\0", 20),
      "[Printer]\nk=M\n[M]\nPCL5Name=" + longName + "\n",  // the line is over the limit
      "[Printer]\r\r\nk=M\n",
      "\n\n\n[",
  };
  for (const std::string& content : contents) EXPECT_TRUE(Names(content).empty()) << content.size();
}

}  // namespace
