// Security identifiers and access lists in a portable form. SIDs travel as
// their string form ("S-1-5-32-544"); the Win32 adapter converts at the edge.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

using Sid = std::string;

namespace wellknown {
inline const Sid Everyone = "S-1-1-0";
inline const Sid LocalSystem = "S-1-5-18";
inline const Sid Administrators = "S-1-5-32-544";
inline const Sid Users = "S-1-5-32-545";
inline const Sid PowerUsers = "S-1-5-32-547";
}  // namespace wellknown

// Builds "S-1-<authority>-<sub>-<sub>..." the way AllocateAndInitializeSid
// plus ConvertSidToStringSid would.
Sid MakeSid(std::uint64_t authority, const std::vector<std::uint32_t>& subAuthorities);

inline constexpr std::uint8_t kAceAccessAllowed = 0;
inline constexpr std::uint8_t kAceAccessDenied = 1;
inline constexpr std::uint8_t kAceObjectInherit = 0x1;
inline constexpr std::uint8_t kAceContainerInherit = 0x2;

struct Ace {
  std::uint8_t type = kAceAccessAllowed;
  std::uint8_t flags = 0;
  std::uint32_t mask = 0;
  Sid sid;
  bool operator==(const Ace&) const = default;
};

// A discretionary access list. An empty `aces` with `present` true denies
// everything; `present` false is a null DACL that allows everything.
struct Acl {
  bool present = true;
  std::vector<Ace> aces;
  bool operator==(const Acl&) const = default;
};

}  // namespace plat
