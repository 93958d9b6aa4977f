#include "selection.h"

#include <optional>

#include "menu_items.h"
#include "platform/text.h"

namespace shellext {
namespace {

// Longest name the extension keeps: the 260-byte buffer it converts into,
// less the terminator. Windows' printer names are far shorter.
constexpr std::size_t kMaxNameBytes = 259;

struct Name {
  std::string text;
  std::size_t next = 0;  // offset after the terminator
};

std::optional<Name> AnsiNameAt(std::span<const std::uint8_t> block, std::size_t at) {
  for (std::size_t i = at; i < block.size(); ++i)
    if (block[i] == 0) return Name{std::string(block.begin() + at, block.begin() + i), i + 1};
  return std::nullopt;
}

std::optional<Name> WideNameAt(std::span<const std::uint8_t> block, std::size_t at) {
  std::u16string units;
  for (std::size_t i = at; i + 1 < block.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(block[i] | (block[i + 1] << 8));
    if (c == 0) return Name{text::Utf16ToUtf8(units), i + 2};
    units.push_back(c);
  }
  return std::nullopt;
}

}  // namespace

Selection ReadFriendlyNames(std::span<const std::uint8_t> block, bool wideNames) {
  Selection out;
  if (block.size() < 4) return out;
  std::size_t at = block[0] | (block[1] << 8) | (block[2] << 16) | (static_cast<std::size_t>(block[3]) << 24);
  while (at < block.size()) {
    const auto name = wideNames ? WideNameAt(block, at) : AnsiNameAt(block, at);
    if (!name || name->text.empty()) break;
    at = name->next;
    if (name->text == kAddPrinterObject) {
      out.addPrinterObjectSeen = true;
    } else if (name->text.size() <= kMaxNameBytes) {
      out.printerNames.push_back(name->text);
    }
  }
  return out;
}

}  // namespace shellext
