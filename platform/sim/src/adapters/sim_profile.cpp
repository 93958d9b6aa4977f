#include "sim_profile.h"

#include "model/machine_state.h"
#include "platform/win_errors.h"

namespace sim {

std::string SimProfile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue) {
  if (m_.Fault("Profile.GetString", std::string(section) + "\\" + std::string(key))) return std::string(defaultValue);
  const auto s = m_.data.winIni.find(section);
  if (s == m_.data.winIni.end()) return std::string(defaultValue);
  const auto v = s->second.find(key);
  return v == s->second.end() ? std::string(defaultValue) : v->second;
}

plat::WinError SimProfile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (auto f = m_.Fault("Profile.WriteString", std::string(section) + "\\" + std::string(key))) return *f;
  if (section.empty() || key.empty()) return winerr::InvalidParameter;
  m_.data.winIni[std::string(section)][std::string(key)] = std::string(value);
  m_.Record({{"event", "profileWrite"}, {"section", std::string(section)}, {"key", std::string(key)},
             {"value", std::string(value)}});
  return winerr::Success;
}

}  // namespace sim
