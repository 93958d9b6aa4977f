#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "menu_items.h"
#include "shell_image.h"

namespace {

// The string table the Windows library carries, read from its resource script.
std::map<std::uint32_t, std::string> ResourceStrings() {
  std::ifstream in(PRNSHEXT_RC);
  std::map<std::uint32_t, std::string> out;
  const std::regex row(R"re(^\s*(\d+),\s*"([^"]*)"\s*$)re");
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_match(line, m, row)) out[static_cast<std::uint32_t>(std::stoul(m[1]))] = m[2];
  }
  return out;
}

TEST(StringTable, CarriesExactlyTheMenuAndHelpTextsTheLogicUses) {
  const auto table = ResourceStrings();
  ASSERT_EQ(table.size(), 2 * shellext::kMenuItems.size());
  for (const auto& item : shellext::kMenuItems) {
    EXPECT_EQ(table.at(item.menuStringId), item.menuText) << item.menuStringId;
    EXPECT_EQ(table.at(item.helpStringId), item.helpText) << item.helpStringId;
  }
}

}  // namespace
