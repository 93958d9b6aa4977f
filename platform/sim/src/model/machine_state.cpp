#include "machine_state.h"

#include <algorithm>
#include <new>

#include "faults.h"
#include "journal.h"
#include "platform/win_errors.h"

namespace sim {

MachineData::MachineData() {
  // A clean machine: Windows XP SP2 and an administrator at the keyboard.
  os = plat::OsVersion{plat::kPlatformNT, 5, 1, 2600, "Service Pack 2"};
  token.user = "S-1-5-21-1-2-3-1000";
  token.process = {"S-1-5-21-1-2-3-513", plat::wellknown::Everyone, plat::wellknown::Users,
                   plat::wellknown::Administrators};
}

std::vector<plat::Sid> TokenState::AccessSids() const {
  std::vector<plat::Sid> sids{user};
  const auto& groups = thread ? *thread : process;
  sids.insert(sids.end(), groups.begin(), groups.end());
  return sids;
}

bool TokenState::Holds(const plat::Sid& sid) const {
  const auto sids = AccessSids();
  return std::any_of(sids.begin(), sids.end(), [&](const plat::Sid& s) { return text::IEquals(s, sid); });
}

bool TokenState::IsAdministrator() const {
  return Holds(plat::wellknown::Administrators) || Holds(plat::wellknown::LocalSystem);
}

MachineState::MachineState(MachineData d) : data(std::move(d)) {}

std::optional<plat::WinError> MachineState::Fault(std::string_view call, std::string_view argument) {
  const auto index = FireFault(data.faults, call, argument);
  if (!index) return std::nullopt;
  const plat::WinError error(data.faults[*index].error);
  Record({{"event", "fault"}, {"call", std::string(call)}, {"argument", std::string(argument)},
          {"error", winerr::Name(error)}});
  if (data.faults[*index].raises) throw std::bad_alloc();
  return error;
}

void MachineState::Record(nlohmann::json entry) { AppendJournal(data.journal, std::move(entry), Now()); }

void MachineState::RecordAt(nlohmann::json entry, std::uint64_t virtualMs) {
  AppendJournal(data.journal, std::move(entry), virtualMs);
}

void MachineState::ServiceStopped(const std::string& name) {
  for (auto& [path, f] : data.files)
    if (text::IEquals(f.lockedBy, name)) f.lockedBy.clear();
}

}  // namespace sim
