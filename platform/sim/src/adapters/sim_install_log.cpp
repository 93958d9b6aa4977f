#include "sim_install_log.h"

#include "model/machine_state.h"
#include "platform/text.h"
#include "platform/win_path.h"

namespace sim {

namespace {
// The HRESULTs a client meets.
constexpr std::uint32_t kClassNotRegistered = 0x80040154;  // REGDB_E_CLASSNOTREG
constexpr std::uint32_t kOleNotInitialized = 0x800401F0;   // CO_E_NOTINITIALIZED
constexpr std::uint32_t kUnexpected = 0x8000FFFF;          // E_UNEXPECTED
constexpr std::uint32_t kInvalidArgument = 0x80070057;     // E_INVALIDARG

plat::LogFailure FailureOf(plat::WinError error) { return {error.code(), "injected fault"}; }
}  // namespace

std::optional<plat::LogFailure> SimInstallLog::Refusal(std::string_view call, std::string_view argument) {
  if (auto e = m_.Fault(call, argument)) return FailureOf(*e);
  if (!connected_) return plat::LogFailure{kUnexpected, "not connected to the install-log server"};
  return std::nullopt;
}

plat::LogResult<plat::LogDone> SimInstallLog::InitializeOle() {
  if (auto e = m_.Fault("InstallLog.InitializeOle", "")) return FailureOf(*e);
  ++oleDepth_;
  return plat::LogDone{};
}

void SimInstallLog::UninitializeOle() {
  if (oleDepth_ > 0) --oleDepth_;
}

plat::LogResult<plat::LogDone> SimInstallLog::Connect() {
  if (auto e = m_.Fault("InstallLog.Connect", "")) return FailureOf(*e);
  if (oleDepth_ == 0) return plat::LogFailure{kOleNotInitialized, "OLE is not initialised on this thread"};
  if (!m_.data.installLog.registered) return plat::LogFailure{kClassNotRegistered, "class not registered"};
  connected_ = true;
  return plat::LogDone{};
}

void SimInstallLog::Release() { connected_ = false; }

plat::LogResult<std::int32_t> SimInstallLog::ForgetComponent(std::string_view key) {
  if (auto r = Refusal("InstallLog.ForgetComponent", key)) return *r;
  auto& components = m_.data.installLog.components;
  const auto it = components.find(key);
  const bool found = it != components.end();
  if (found) components.erase(it);
  m_.Record({{"event", "logForget"}, {"key", std::string(key)}, {"found", found}});
  return found ? 1 : 0;
}

plat::LogResult<std::int32_t> SimInstallLog::IsInstalled(std::string_view key) {
  if (auto r = Refusal("InstallLog.IsInstalled", key)) return *r;
  const auto& components = m_.data.installLog.components;
  const auto it = components.find(key);
  return it != components.end() && it->second.installed ? 1 : 0;
}

plat::LogResult<std::string> SimInstallLog::GetLoggedPath(std::int32_t kind, std::string_view key,
                                                          std::string_view fileName) {
  if (auto r = Refusal("InstallLog.GetLoggedPath", key)) return *r;
  if (kind < 0 || kind >= static_cast<std::int32_t>(LoggedComponent::kKinds))
    return plat::LogFailure{kInvalidArgument, "no such list kind"};
  const auto& components = m_.data.installLog.components;
  const auto it = components.find(key);
  if (it == components.end()) return std::string();
  const std::string& list = it->second.lists[static_cast<std::size_t>(kind)];
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\n', start);
    if (end == std::string::npos) end = list.size();
    const std::string_view entry(list.data() + start, end - start);
    if (!entry.empty() && text::IEquals(winpath::LastComponent(entry), fileName)) return std::string(entry);
    start = end + 1;
  }
  return std::string();
}

plat::LogResult<std::string> SimInstallLog::GetProperty(std::string_view key, std::string_view name) {
  if (auto r = Refusal("InstallLog.GetProperty", key)) return *r;
  const auto& components = m_.data.installLog.components;
  const auto it = components.find(key);
  if (it == components.end()) return std::string();
  const auto prop = it->second.properties.find(name);
  return prop == it->second.properties.end() ? std::string() : prop->second;
}

plat::LogResult<std::string> SimInstallLog::GetList(std::int32_t kind, std::string_view key) {
  if (auto r = Refusal("InstallLog.GetList", key)) return *r;
  if (kind < 0 || kind >= static_cast<std::int32_t>(LoggedComponent::kKinds))
    return plat::LogFailure{kInvalidArgument, "no such list kind"};
  const auto& components = m_.data.installLog.components;
  const auto it = components.find(key);
  if (it == components.end()) return std::string();
  return it->second.lists[static_cast<std::size_t>(kind)];
}

plat::LogResult<std::string> SimInstallLog::GetStorePath(std::int32_t which) {
  if (auto r = Refusal("InstallLog.GetStorePath", std::to_string(which))) return *r;
  if (which != 0) return plat::LogFailure{kInvalidArgument, "only store 0 exists"};
  return m_.data.installLog.storePath;
}

}  // namespace sim
