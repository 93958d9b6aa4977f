#include "sid_convert.h"

#include <charconv>
#include <string>

#include "platform/text.h"

namespace win32 {
namespace {

std::optional<std::uint64_t> ParseNumber(std::string_view s, std::uint64_t limit) {
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    s.remove_prefix(2);
    base = 16;
  }
  if (s.empty()) return std::nullopt;
  std::uint64_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (ec != std::errc() || end != s.data() + s.size() || v > limit) return std::nullopt;
  return v;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> SidFromText(const plat::Sid& sidText) {
  const auto parts = text::Split(sidText, '-');
  // "S", revision, authority, then 1 to 15 sub-authorities.
  if (parts.size() < 4 || parts.size() > 3 + SID_MAX_SUB_AUTHORITIES) return std::nullopt;
  if (!text::IEquals(parts[0], "S") || parts[1] != "1") return std::nullopt;
  const auto authority = ParseNumber(parts[2], 0xFFFFFFFFFFFFull);
  if (!authority) return std::nullopt;

  SID_IDENTIFIER_AUTHORITY ia{};
  for (int i = 0; i < 6; ++i) ia.Value[5 - i] = static_cast<BYTE>(*authority >> (8 * i));
  const auto count = static_cast<BYTE>(parts.size() - 3);
  std::vector<std::uint8_t> buffer(GetSidLengthRequired(count));
  PSID sid = buffer.data();
  if (!InitializeSid(sid, &ia, count)) return std::nullopt;
  for (BYTE i = 0; i < count; ++i) {
    const auto sub = ParseNumber(parts[3 + i], 0xFFFFFFFFull);
    if (!sub) return std::nullopt;
    *GetSidSubAuthority(sid, i) = static_cast<DWORD>(*sub);
  }
  return buffer;
}

plat::Sid SidToText(PSID sid) {
  if (sid == nullptr || !IsValidSid(sid)) return {};
  const SID_IDENTIFIER_AUTHORITY* ia = GetSidIdentifierAuthority(sid);
  std::uint64_t authority = 0;
  for (int i = 0; i < 6; ++i) authority = (authority << 8) | ia->Value[i];
  std::vector<std::uint32_t> subs;
  const BYTE count = *GetSidSubAuthorityCount(sid);
  for (BYTE i = 0; i < count; ++i) subs.push_back(*GetSidSubAuthority(sid, i));
  return plat::MakeSid(authority, subs);
}

}  // namespace win32
