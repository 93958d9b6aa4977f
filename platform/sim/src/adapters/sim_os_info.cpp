#include "sim_os_info.h"

#include "model/machine_state.h"

namespace sim {

plat::WinError SimOsInfo::GetVersion(plat::OsVersion* out) {
  if (auto f = m_.Fault("OsInfo.GetVersion", "")) return *f;
  if (out) *out = m_.data.os;
  return winerr::Success;
}

std::string SimOsInfo::ComputerName() {
  // A failing GetComputerName leaves the caller with no name.
  if (m_.Fault("OsInfo.ComputerName", "")) return std::string();
  return m_.data.computerName;
}

}  // namespace sim
