#include <string>
#include <vector>

#include "selection.h"
#include "shell_image.h"

namespace {
using Names = std::vector<std::string>;

std::vector<std::uint8_t> Ansi(std::string_view bytes) { return {bytes.begin(), bytes.end()}; }

TEST(FriendlyNameBlock, ReadsUtf16NamesOnNtAndAnsiNamesOn9x) {
  const auto wide = shellext::ReadFriendlyNames(NameBlock({"BRV-2100", "Büro"}, true), true);
  EXPECT_EQ(wide.printerNames, (Names{"BRV-2100", "Büro"}));
  const auto ansi = shellext::ReadFriendlyNames(NameBlock({"BRV-2100", "Office"}, false), false);
  EXPECT_EQ(ansi.printerNames, (Names{"BRV-2100", "Office"}));
  EXPECT_FALSE(ansi.addPrinterObjectSeen);
}

// The block lies inside a larger buffer whose bytes after it spell a name; a
// reader that trusts the block's offset or looks past its end for a
// terminator finds that name.
struct BadBlock {
  const char* what;
  std::vector<std::uint8_t> block;
  Names expected;
};

class BlockBounds : public testing::TestWithParam<BadBlock> {};

TEST_P(BlockBounds, NeverReadsOutsideTheBlock) {
  std::vector<std::uint8_t> memory = GetParam().block;
  const std::size_t size = memory.size();
  for (const char c : std::string_view("Outside\0\0\0\0", 11)) memory.push_back(static_cast<std::uint8_t>(c));
  const std::span<const std::uint8_t> block(memory.data(), size);
  EXPECT_EQ(shellext::ReadFriendlyNames(block, false).printerNames, GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, BlockBounds,
    testing::Values(BadBlock{"offset at the end", Ansi(std::string_view("\x04\0\0\0", 4)), {}},
                    BadBlock{"offset beyond the end", Ansi(std::string_view("\x09\0\0\0A\0\0\0", 8)), {}},
                    BadBlock{"list without its empty name", Ansi(std::string_view("\x04\0\0\0A\0B\0", 8)), {"A", "B"}},
                    BadBlock{"name without its terminator", Ansi(std::string_view("\x04\0\0\0A\0Out", 9)), {"A"}},
                    BadBlock{"shorter than its offset field", Ansi(std::string_view("\x04\0", 2)), {}}));

TEST(FriendlyNameBlock, AWideNameCutByTheBlocksEndIsDropped) {
  std::vector<std::uint8_t> memory{4, 0, 0, 0, 'A', 0, 0, 0, 'B', 0, 'C'};
  memory.insert(memory.end(), {0, 0, 0, 0});
  const std::span<const std::uint8_t> block(memory.data(), 11);
  EXPECT_EQ(shellext::ReadFriendlyNames(block, true).printerNames, Names{"A"});
}

TEST(Initialize, ANullOrFailingDataObjectFailsAndOtherSuccessCodesPassUnread) {
  auto image = ShellImage();
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(s.ext->Initialize(nullptr), shellext::kEFail);
  const shellext::FriendlyNameData missing{static_cast<shellext::HResult>(0x80040064u), {}};
  EXPECT_EQ(s.ext->Initialize(&missing), shellext::kEFail);
  const shellext::FriendlyNameData partial{shellext::kSFalse, NameBlock({"P"}, true)};
  EXPECT_EQ(s.ext->Initialize(&partial), shellext::kSFalse);
  EXPECT_TRUE(s.ext->printerNames().empty());
  EXPECT_EQ(EventsOf(*s.machine, "trace").size(), 3u);
}

TEST(Initialize, AnEmptyFirstNameEndsTheListAndSelectsNothing) {
  auto image = ShellImage();
  AddPrinter(image, "P", "BREVIK 2100");
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(s.Select({"", "P"}), shellext::kSOk);
  EXPECT_TRUE(s.ext->printerNames().empty());
  EXPECT_FALSE(s.ext->suppressMenu());
  EXPECT_TRUE(s.Menu().entries.empty());
  EXPECT_TRUE(EventsOf(*s.machine, "libraryLoad").empty());
}

}  // namespace
