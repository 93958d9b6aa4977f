#include "platform/security_types.h"

namespace plat {

Sid MakeSid(std::uint64_t authority, const std::vector<std::uint32_t>& subAuthorities) {
  // ConvertSidToStringSid prints authorities of 2^32 and above in hex.
  std::string s = "S-1-";
  if (authority >= (1ull << 32)) {
    static const char* kHex = "0123456789ABCDEF";
    std::string hex;
    for (int shift = 44; shift >= 0; shift -= 4) hex.push_back(kHex[(authority >> shift) & 0xF]);
    s += "0x";
    s += hex;
  } else {
    s += std::to_string(authority);
  }
  for (auto sub : subAuthorities) {
    s += '-';
    s += std::to_string(sub);
  }
  return s;
}

}  // namespace plat
