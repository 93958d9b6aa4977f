#include "sim_security.h"

#include "model/machine_state.h"
#include "platform/win_errors.h"

namespace sim {

// The 9x family has no access tokens: OpenProcessToken is a stub there.
plat::WinError SimSecurity::ThreadTokenGroups(std::vector<plat::Sid>* groups) {
  if (auto f = m_.Fault("Security.ThreadTokenGroups", "")) return *f;
  if (!m_.data.IsNT()) return winerr::CallNotImplemented;
  if (!m_.data.token.thread) return winerr::NoToken;
  if (groups) *groups = *m_.data.token.thread;
  return winerr::Success;
}

plat::WinError SimSecurity::ProcessTokenGroups(std::vector<plat::Sid>* groups) {
  if (auto f = m_.Fault("Security.ProcessTokenGroups", "")) return *f;
  if (!m_.data.IsNT()) return winerr::CallNotImplemented;
  if (groups) *groups = m_.data.token.process;
  return winerr::Success;
}

}  // namespace sim
