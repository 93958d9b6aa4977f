// Looking up and changing entries of a model: which operations add the
// brackets to a section name and which take it as given.
#include <gtest/gtest.h>

#include <string>

#include "ini_test_machine.h"

using initest::Picture;
using initest::Put;

namespace {

TEST(IniFileEdit, FindSectionNeedsTheBracketsWhileSetValueAndRemoveKeyAddThem) {
  auto machine = initest::Machine();
  Put(*machine, "[Uninstall]\nPrinters=1\n");
  auto file = initest::ReadOnly(*machine);

  EXPECT_EQ(file->FindSection("Uninstall"), nullptr);
  ASSERT_NE(file->FindSection("[UNINSTALL]"), nullptr);
  EXPECT_EQ(file->FindSection("[UNINSTALL]")->GetName(), "[Uninstall]");

  EXPECT_TRUE(file->SetValue(" uninstall ", "Orphans", "1"));  // merged into the section read
  EXPECT_TRUE(file->SetValue("[Printers]", "Office Laser", "1"));
  EXPECT_TRUE(file->SetValue("Extra", "k", "v"));
  EXPECT_EQ(Picture(*file), "[Extra]{k=v}[Printers]{office laser=1}[Uninstall]{orphans=1,printers=1}");

  EXPECT_FALSE(file->SetValue("  ", "k", "v"));
  EXPECT_FALSE(file->SetValue("New", " ", "v"));
  EXPECT_NE(file->FindSection("[New]"), nullptr);  // the section is made before the key is refused

  EXPECT_TRUE(file->RemoveKey("uninstall", "ORPHANS"));
  EXPECT_FALSE(file->RemoveKey("uninstall", "orphans"));
  EXPECT_FALSE(file->RemoveKey("Missing", "k"));
  EXPECT_FALSE(file->RemoveKey(" ", "k"));
}

TEST(IniFileEdit, RemoveSectionTakesTheNameAsGivenAndIgnoresCase) {
  auto machine = initest::Machine();
  Put(*machine, "[A]\nk=1\n[B]\n");
  auto file = initest::ReadOnly(*machine);
  EXPECT_FALSE(file->RemoveSection("A"));
  EXPECT_TRUE(file->RemoveSection("[a]"));
  EXPECT_FALSE(file->RemoveSection("[A]"));
  EXPECT_EQ(file->FindSection("[A]"), nullptr);
  EXPECT_EQ(Picture(*file), "[B]{}");
  // The name is free again, for the file and for a later read.
  EXPECT_TRUE(file->SetValue("a", "k", "2"));
  EXPECT_EQ(Picture(*file), "[a]{k=2}[B]{}");
}

TEST(IniFileEdit, ValuesAreSearchedAcrossSectionsInListOrder) {
  auto machine = initest::Machine();
  // Read back to front: [Second] is at the head of the list.
  Put(*machine,
      "[First]\nshared=from first\nport=LPT1:\nempty=\n"
      "[Second]\nShared=from second\nport=lpt2:\nonly=here\n");
  auto file = initest::ReadOnly(*machine);
  EXPECT_EQ(file->FindValue("SHARED"), "from second");
  EXPECT_EQ(file->FindValue("only"), "here");
  EXPECT_EQ(file->FindValue("missing"), "");

  EXPECT_EQ(file->FindSectionByValue("port", "LPT2:"), "Second");
  EXPECT_EQ(file->FindSectionByValue("Port", "lpt1:"), "First");
  EXPECT_EQ(file->FindSectionByValue("port", "COM1:"), "");
  EXPECT_EQ(file->FindSectionByValue("empty", ""), "");  // an empty value matches nothing
}

}  // namespace
