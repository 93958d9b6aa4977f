#include "module_state.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/security_types.h"

namespace shellext {
namespace {

// Users, Guests, Account, Server and Print Operators, Backup Operators,
// Replicator: built-in aliases (S-1-5-32-r) that end the search.
constexpr std::array<std::uint32_t, 7> kStopAliases{545, 546, 548, 549, 550, 551, 552};

plat::Sid BuiltinAlias(std::uint32_t rid) { return plat::MakeSid(5, {32, rid}); }

}  // namespace

bool IsTokenInAlias(plat::Security& security, const plat::Sid& target) {
  std::vector<plat::Sid> groups;
  auto e = security.ThreadTokenGroups(&groups);
  if (e == winerr::NoToken) {
    groups.clear();
    e = security.ProcessTokenGroups(&groups);
  }
  if (e.failed()) return false;
  std::vector<plat::Sid> stops;
  for (const auto rid : kStopAliases) stops.push_back(BuiltinAlias(rid));
  for (const auto& g : groups) {
    if (g == target) return true;
    if (std::find(stops.begin(), stops.end(), g) != stops.end()) return false;
  }
  return false;
}

ModuleState AttachModule(plat::OsInfo& osInfo, plat::Security& security) {
  ModuleState s;
  static_cast<void>(osInfo.GetVersion(&s.os));  // a failed read leaves the defaults, as a zeroed record would not
  if (s.IsNT()) {
    s.isAdministrator = IsTokenInAlias(security, BuiltinAlias(544));
    s.isPowerUser = IsTokenInAlias(security, BuiltinAlias(547));
  }
  return s;
}

}  // namespace shellext
