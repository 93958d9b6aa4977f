// The access check of a registry key on the NT family, as the security
// reference monitor does it for a DACL: the owner gets READ_CONTROL and
// WRITE_DAC first, then the entries are walked in their order, a deny entry
// refusing whatever an earlier entry has not granted yet.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/security_types.h"
#include "registry_tree.h"

namespace sim {

inline constexpr std::uint32_t kMaximumAllowed = 0x02000000;
inline constexpr std::uint32_t kAccessSystemSecurity = 0x01000000;

// GENERIC_* bits to the KEY_* rights they stand for.
std::uint32_t MapGenericKeyRights(std::uint32_t mask);

// The rights granted for `desired` (MAXIMUM_ALLOWED: all that the list
// allows), or nullopt when any desired right is refused.
std::optional<std::uint32_t> CheckKeyAccess(const RegNode& key, const std::vector<plat::Sid>& tokenSids,
                                            std::uint32_t desired);

}  // namespace sim
