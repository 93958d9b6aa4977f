#include <cstring>

#include "platform/registry.h"
#include "platform/text.h"

namespace plat {

bool IsPredefinedKey(HKey k) {
  return k == kHkeyClassesRoot || k == kHkeyCurrentUser || k == kHkeyLocalMachine || k == kHkeyUsers ||
         k == kHkeyCurrentConfig;
}

HKey RootFromName(std::string_view name) {
  struct Pair {
    const char* longName;
    const char* shortName;
    HKey key;
  };
  static constexpr Pair kRoots[] = {
      {"HKEY_CLASSES_ROOT", "HKCR", kHkeyClassesRoot}, {"HKEY_CURRENT_USER", "HKCU", kHkeyCurrentUser},
      {"HKEY_LOCAL_MACHINE", "HKLM", kHkeyLocalMachine}, {"HKEY_USERS", "HKU", kHkeyUsers},
      {"HKEY_CURRENT_CONFIG", "HKCC", kHkeyCurrentConfig},
  };
  for (const auto& r : kRoots)
    if (text::IEquals(name, r.longName) || text::IEquals(name, r.shortName)) return r.key;
  return 0;
}

const char* RootName(HKey root) {
  switch (root) {
    case kHkeyClassesRoot: return "HKEY_CLASSES_ROOT";
    case kHkeyCurrentUser: return "HKEY_CURRENT_USER";
    case kHkeyLocalMachine: return "HKEY_LOCAL_MACHINE";
    case kHkeyUsers: return "HKEY_USERS";
    case kHkeyCurrentConfig: return "HKEY_CURRENT_CONFIG";
    default: return "";
  }
}

RegValue RegValue::String(std::string_view s, RegType t) {
  RegValue v;
  v.type = t;
  v.data.assign(s.begin(), s.end());
  v.data.push_back(0);
  return v;
}

RegValue RegValue::Dword(std::uint32_t x) {
  RegValue v;
  v.type = RegType::Dword;
  for (int i = 0; i < 4; ++i) v.data.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
  return v;
}

RegValue RegValue::Binary(std::vector<std::uint8_t> bytes) {
  RegValue v;
  v.type = RegType::Binary;
  v.data = std::move(bytes);
  return v;
}

RegValue RegValue::MultiString(const std::vector<std::string>& items) {
  RegValue v;
  v.type = RegType::MultiSz;
  for (const auto& s : items) {
    v.data.insert(v.data.end(), s.begin(), s.end());
    v.data.push_back(0);
  }
  v.data.push_back(0);
  return v;
}

std::string RegValue::AsText() const {
  std::string s(data.begin(), data.end());
  const auto zero = s.find('\0');
  if (zero != std::string::npos) s.resize(zero);
  return s;
}

std::uint32_t RegValue::AsDword() const {
  if (data.size() < 4) return 0;
  return static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
         (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
}

std::vector<std::string> RegValue::AsMultiString() const {
  std::vector<std::string> items;
  std::string cur;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] == 0) {
      if (cur.empty()) break;
      items.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(static_cast<char>(data[i]));
    }
  }
  if (!cur.empty()) items.push_back(cur);
  return items;
}

}  // namespace plat
