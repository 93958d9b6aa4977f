#include <string>
#include <vector>

#include "shell_image.h"

namespace {

constexpr std::uint32_t kHelpTextA = 0x1;
constexpr std::uint32_t kHelpTextW = 0x5;
constexpr std::uint8_t kGuard = 0xEE;

struct Answer {
  shellext::HResult result;
  std::string text;      // the text read back at the asked width
  bool guardIntact;      // nothing written past the caller's buffer
};

// Asks with a buffer of `size` characters of the width `type` asks for, in
// memory that goes on past it.
Answer Ask(shellext::ShellExtension& ext, std::uint32_t offset, std::uint32_t type, std::size_t size) {
  const std::size_t width = (type & shellext::kGcsUnicode) ? 2 : 1;
  std::vector<std::uint8_t> memory(size * width + 256, kGuard);
  Answer a{ext.GetCommandString(offset, type, std::span<std::uint8_t>(memory.data(), size * width)), "", true};
  for (std::size_t i = size * width; i < memory.size(); ++i) a.guardIntact = a.guardIntact && memory[i] == kGuard;
  std::u16string wide;
  for (std::size_t i = 0; i + width <= size * width; i += width) {
    const char16_t c = width == 2 ? static_cast<char16_t>(memory[i] | (memory[i + 1] << 8)) : memory[i];
    if (c == 0) break;
    wide.push_back(c);
  }
  a.text = text::Utf16ToUtf8(wide);
  return a;
}

TEST(GetCommandString, AnswersEveryOffsetsHelpTextAndRefusesOffsetNine) {
  for (const char* os : {"winxp", "win98"}) {
    ShellSession s(ShellImage(os).dump());
    ASSERT_TRUE(s.ok());
    const auto first = Ask(*s.ext, 0, kHelpTextW, 260);
    EXPECT_EQ(first.result, shellext::kSOk);
    EXPECT_EQ(first.text, "Export the printer data into a profile.");
    EXPECT_EQ(Ask(*s.ext, 8, kHelpTextA, 260).text, "Run the Vorkast Document Distributor printer uninstall program.");
    EXPECT_EQ(Ask(*s.ext, 9, kHelpTextW, 260).result, shellext::kEInvalidArg);
  }
}

TEST(GetCommandString, NeverWritesPastTheCallersBufferForTheWidthAsked) {
  struct Case {
    std::uint32_t type;
    std::size_t size;
    std::string text;
  };
  ShellSession s(ShellImage("winxp").dump());
  ASSERT_TRUE(s.ok());
  for (const auto& c : {Case{kHelpTextA, 40, "Export the printer data into a profile."},
                        Case{kHelpTextA, 10, "Export th"}, Case{kHelpTextW, 10, "Export th"},
                        Case{kHelpTextA, 1, ""}, Case{kHelpTextW, 0, ""}, Case{kHelpTextA, 0, ""}}) {
    const auto a = Ask(*s.ext, 0, c.type, c.size);
    EXPECT_EQ(a.result, shellext::kSOk);
    EXPECT_TRUE(a.guardIntact) << "type " << c.type << " size " << c.size;
    EXPECT_EQ(a.text, c.text) << "type " << c.type << " size " << c.size;
  }
}

}  // namespace
