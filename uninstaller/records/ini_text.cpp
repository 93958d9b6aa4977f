#include "records/ini_text.h"

namespace ini {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// The inverse of text::FoldCase for the letters it upper-cases. Letters
// without a pair there (dotted capital I, for one) stay as they are, so that
// lowering never splits two keys that compare equal or joins two that do not.
char32_t LowerCodePoint(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    const bool oddIsCapital = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    return (c % 2 == 1) == oddIsCapital ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Lower(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    // Every letter with a case pair lies below U+0800: one byte or two.
    if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < s.size() && IsContinuation(static_cast<unsigned char>(s[i + 1]))) {
      const char32_t c = LowerCodePoint((char32_t{b0} & 0x1F) << 6 | (static_cast<unsigned char>(s[i + 1]) & 0x3F));
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
      ++i;
    } else {
      out.push_back(b0 >= 'A' && b0 <= 'Z' ? static_cast<char>(b0 + 0x20) : s[i]);
    }
  }
  return out;
}

}  // namespace ini
