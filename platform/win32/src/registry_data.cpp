#include "registry_data.h"

#include <string>

#include "platform/text.h"

namespace win32 {

bool IsStringType(plat::RegType type) {
  return type == plat::RegType::Sz || type == plat::RegType::ExpandSz || type == plat::RegType::MultiSz;
}

plat::RegValue FromStoredData(std::uint32_t type, const std::vector<std::uint8_t>& stored) {
  plat::RegValue v;
  v.type = static_cast<plat::RegType>(type);
  if (!IsStringType(v.type)) {
    v.data = stored;
    return v;
  }
  // An odd trailing byte cannot be a UTF-16 unit; drop it.
  std::u16string units(stored.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(stored[2 * i] | (stored[2 * i + 1] << 8));
  const std::string utf8 = text::Utf16ToUtf8(units);
  v.data.assign(utf8.begin(), utf8.end());
  // Writers may leave out the terminator; readers of RegValue rely on it.
  const std::size_t zerosWanted = v.type == plat::RegType::MultiSz ? 2 : 1;
  std::size_t trailing = 0;
  while (trailing < v.data.size() && v.data[v.data.size() - 1 - trailing] == 0) ++trailing;
  if (v.type == plat::RegType::MultiSz && trailing == v.data.size() && trailing > 0) return v;  // empty list
  for (; trailing < zerosWanted; ++trailing) v.data.push_back(0);
  return v;
}

std::vector<std::uint8_t> ToStoredData(const plat::RegValue& value) {
  if (!IsStringType(value.type)) return value.data;
  const std::string utf8(value.data.begin(), value.data.end());
  const std::u16string units = text::Utf8ToUtf16(utf8);
  std::vector<std::uint8_t> stored;
  stored.reserve(units.size() * 2);
  for (char16_t u : units) {
    stored.push_back(static_cast<std::uint8_t>(u & 0xFF));
    stored.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  return stored;
}

}  // namespace win32
