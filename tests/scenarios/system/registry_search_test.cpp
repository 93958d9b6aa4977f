#include "machine_image.h"
#include "platform/registry.h"
#include "system/registry_helpers.h"

namespace {
using plat::kHkeyLocalMachine;

constexpr const char* kUsbDevices = R"({"os": "winxp", "registry": {
  "HKLM\\Enum\\USB": {"values": {"PortName": "USB001"}},
  "HKLM\\Enum\\USB\\VID_1\\Inst1": {"values": {"PortName": "USB001"}},
  "HKLM\\Enum\\USB\\VID_1\\Inst2": {"values": {"PortName": "usb001"}},
  "HKLM\\Enum\\USB\\VID_1\\Inst3": {"values": {"PortName": "USB002"}},
  "HKLM\\Enum\\USB\\VID_2\\Inst1": {"values": {"PortName": "USB001"}},
  "HKLM\\Enum\\USB\\VID_3\\Inst1\\Deeper": {"values": {"PortName": "USB001"}},
  "HKLM\\Enum\\USB\\VID_4\\Inst1": {"values": {"PortName": ""}},
  "HKLM\\DC\\Dev1\\Inst\\Device Parameters": {"values": {"Port Number": 3}},
  "HKLM\\DC\\Dev2\\Inst\\Device Parameters": {"values": {"Port Number": 4}}}})";

std::vector<std::pair<std::string, bool>> Flatten(const std::vector<SearchKeyInfo>& results) {
  std::vector<std::pair<std::string, bool>> out;
  for (const auto& r : results) out.emplace_back(r.keyPath, r.isAncestor);
  return out;
}

TEST(RegFindKeysByValue, FindsMatchesTwoLevelsDownWithParentsAfterTheirChildren) {
  auto m = LoadMachine(kUsbDevices);
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  std::vector<SearchKeyInfo> results;
  EXPECT_TRUE(RegFindKeysByValue(reg, kHkeyLocalMachine, "Enum\\USB", "PortName", "USB001", 3, 2, "", results));
  const std::vector<std::pair<std::string, bool>> expected = {
      {"Enum\\USB\\VID_1\\Inst1", false}, {"Enum\\USB\\VID_1\\Inst2", false}, {"Enum\\USB\\VID_1", true},
      {"Enum\\USB\\VID_2\\Inst1", false}, {"Enum\\USB\\VID_2", true}};
  EXPECT_EQ(Flatten(results), expected);

  // Deleting the list in order, as the port clean-up does, keeps a device
  // key that still has another instance.
  // The keys found left and gone below are the answer.
  for (const auto& r : results)
    static_cast<void>(RegDeleteKeyTree(reg, kHkeyLocalMachine, r.keyPath, false, r.isAncestor));
  EXPECT_TRUE(m->KeyExists("HKLM\\Enum\\USB\\VID_1\\Inst3"));
  EXPECT_FALSE(m->KeyExists("HKLM\\Enum\\USB\\VID_1\\Inst1"));
  EXPECT_FALSE(m->KeyExists("HKLM\\Enum\\USB\\VID_2"));
}

TEST(RegFindKeysByValue, ReadsTheValueInANamedSubkey) {
  auto m = LoadMachine(kUsbDevices);
  ASSERT_TRUE(m);
  std::vector<SearchKeyInfo> results;
  EXPECT_TRUE(RegFindKeysByValue(m->platform().registry, kHkeyLocalMachine, "DC", "Port Number", "3", 3, 2,
                                 "Device Parameters", results));
  const std::vector<std::pair<std::string, bool>> expected = {{"DC\\Dev1\\Inst", false}, {"DC\\Dev1", true}};
  EXPECT_EQ(Flatten(results), expected);
}

TEST(RegFindKeysByValue, FindsNothingWithoutDepthKeyOrMatch) {
  auto m = LoadMachine(kUsbDevices);
  ASSERT_TRUE(m);
  auto& reg = m->platform().registry;
  std::vector<SearchKeyInfo> results;
  EXPECT_FALSE(RegFindKeysByValue(reg, kHkeyLocalMachine, "Enum\\USB", "PortName", "USB001", 0, 0, "", results));
  EXPECT_FALSE(RegFindKeysByValue(reg, kHkeyLocalMachine, "Enum\\None", "PortName", "USB001", 3, 2, "", results));
  EXPECT_FALSE(RegFindKeysByValue(reg, kHkeyLocalMachine, "Enum\\USB", "PortName", "USB009", 3, 2, "", results));
  // An empty value never matches, not even an empty wanted text.
  EXPECT_FALSE(RegFindKeysByValue(reg, kHkeyLocalMachine, "Enum\\USB\\VID_4", "PortName", "", 2, 1, "", results));
  EXPECT_TRUE(results.empty());
}

}  // namespace
