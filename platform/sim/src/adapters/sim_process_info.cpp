#include "sim_process_info.h"

#include "model/machine_state.h"

namespace sim {

std::string SimProcessInfo::ModulePath() {
  if (m_.Fault("ProcessInfo.ModulePath", m_.data.program)) return std::string();
  return m_.data.program;
}

}  // namespace sim
