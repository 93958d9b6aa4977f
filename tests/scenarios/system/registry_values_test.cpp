#include "machine_image.h"
#include "platform/registry.h"
#include "system/registry_helpers.h"

namespace {
using plat::kHkeyCurrentUser;
using plat::kHkeyLocalMachine;

constexpr const char* kTypedValues = R"({
  "os": "winxp",
  "registry": {"HKLM\\SOFTWARE\\Vorkast\\Typed": {"values": {
    "Count": 5, "Minus": 4294967295, "Name": "Brevik",
    "Blob": {"type": "REG_BINARY", "data": "01ff"}, "Hollow": {"type": "REG_BINARY", "data": ""},
    "List": {"type": "REG_MULTI_SZ", "data": ["a", "b"]},
    "Path": {"type": "REG_EXPAND_SZ", "data": "%SystemRoot%\\x"}, "Nothing": {"type": "REG_NONE"}}}}
})";
constexpr const char* kTyped = "SOFTWARE\\Vorkast\\Typed";

TEST(RegGetString, ReadsEachTypeAsTheCallersExpect) {
  auto m = LoadMachine(kTypedValues);
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_EQ(RegGetString(reg, kHkeyLocalMachine, kTyped, "Count"), "5");
  EXPECT_EQ(RegGetString(reg, kHkeyLocalMachine, kTyped, "Minus"), "-1");  // read as a signed number
  EXPECT_EQ(RegGetString(reg, kHkeyLocalMachine, kTyped, "Name"), "Brevik");
  EXPECT_EQ(RegGetString(reg, kHkeyLocalMachine, kTyped, "Path"), "%SystemRoot%\\x");
  for (const char* name : {"Blob", "List", "Nothing"})
    EXPECT_EQ(RegGetString(reg, kHkeyLocalMachine, kTyped, name), "") << name;
  EXPECT_EQ(RegGetString(reg, kHkeyLocalMachine, kTyped, "Missing"), std::nullopt);
  EXPECT_EQ(RegGetString(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Absent", "Count"), std::nullopt);
}

TEST(RegGetFirstByte, GivesTheFirstDataByteOrNothing) {
  auto m = LoadMachine(kTypedValues);
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_EQ(RegGetFirstByte(reg, kHkeyLocalMachine, kTyped, "Count"), 5);
  EXPECT_EQ(RegGetFirstByte(reg, kHkeyLocalMachine, kTyped, "Minus"), 255);
  EXPECT_EQ(RegGetFirstByte(reg, kHkeyLocalMachine, kTyped, "Blob"), 1);
  EXPECT_EQ(RegGetFirstByte(reg, kHkeyLocalMachine, kTyped, "Hollow"), std::nullopt);
  EXPECT_EQ(RegGetFirstByte(reg, kHkeyLocalMachine, kTyped, "Missing"), std::nullopt);
  EXPECT_EQ(RegGetFirstByte(reg, kHkeyLocalMachine, "SOFTWARE\\Absent", "Count"), std::nullopt);
}

TEST(RegistryReads, FailedCallsGiveNothing) {
  for (const char* call : {"Registry.OpenKey", "Registry.QueryValue"}) {
    std::string image = kTypedValues;
    image.insert(image.rfind('}'),
                 std::string(R"(, "faults": [{"call": ")") + call + R"(", "error": "ERROR_ACCESS_DENIED"}])");
    auto m = LoadMachine(image);
    ASSERT_TRUE(m);
    auto& reg = m->platform().registry;
    EXPECT_EQ(RegGetString(reg, kHkeyLocalMachine, kTyped, "Count"), std::nullopt) << call;
    EXPECT_EQ(RegGetFirstByte(reg, kHkeyLocalMachine, kTyped, "Count"), std::nullopt) << call;
  }
}

TEST(RegSetValues, CreateTheKeyAndStoreTypedValues) {
  auto m = LoadMachine(R"({"os": "win98"})");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_TRUE(RegSetString(reg, kHkeyCurrentUser, "Software\\Vorkast\\New\\Deep", "Text", "hello"));
  EXPECT_TRUE(RegSetDword(reg, kHkeyCurrentUser, "Software\\Vorkast\\New", "Number", 0x01020304));
  EXPECT_EQ(m->Value("HKCU\\Software\\Vorkast\\New\\Deep", "Text"), plat::RegValue::String("hello"));
  EXPECT_EQ(m->Value("HKCU\\Software\\Vorkast\\New", "Number"), plat::RegValue::Dword(0x01020304));
  EXPECT_EQ(RegGetString(reg, kHkeyCurrentUser, "Software\\Vorkast\\New", "Number"), "16909060");
}

TEST(RegSetValues, FailWhenTheKeyCannotBeCreated) {
  auto m = LoadMachine(R"({"os": "winxp",
      "faults": [{"call": "Registry.CreateKey", "error": "ERROR_ACCESS_DENIED"}]})");
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  EXPECT_FALSE(RegSetString(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast", "Text", "x"));
  EXPECT_FALSE(RegSetDword(reg, kHkeyLocalMachine, "SOFTWARE\\Vorkast", "Number", 1));
  EXPECT_FALSE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast"));
}

}  // namespace
