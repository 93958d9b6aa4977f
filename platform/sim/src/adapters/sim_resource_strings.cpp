#include "sim_resource_strings.h"

#include "model/machine_state.h"
#include "platform/win_errors.h"

namespace sim {

plat::WinError SimResourceStrings::Load(std::string_view path, plat::Handle* module) {
  if (auto f = m_.Fault("ResourceStrings.Load", path)) return *f;
  if (module == nullptr) return winerr::InvalidParameter;
  *module = plat::kNoHandle;
  // A library must be both described and present on disk: deleting its file
  // makes it unloadable, as on a real machine.
  const std::string normalized = NormalizeFilePath(path);
  const auto lib = m_.data.resourceLibraries.find(normalized);
  if (lib == m_.data.resourceLibraries.end() || !m_.data.files.count(normalized)) return winerr::ModNotFound;
  *module = m_.NewHandle();
  loaded_.emplace(*module, lib->second.path);
  return winerr::Success;
}

plat::WinError SimResourceStrings::LoadText(plat::Handle module, std::uint32_t id, std::string* out) {
  const auto it = loaded_.find(module);
  if (auto f = m_.Fault("ResourceStrings.LoadText", it == loaded_.end() ? std::string() : it->second)) return *f;
  if (it == loaded_.end()) return winerr::InvalidHandle;
  const auto lib = m_.data.resourceLibraries.find(it->second);
  if (lib == m_.data.resourceLibraries.end()) return winerr::ResourceNameNotFound;
  const auto str = lib->second.strings.find(id);
  if (str == lib->second.strings.end() || str->second.empty()) return winerr::ResourceNameNotFound;
  if (out) *out = str->second;
  return winerr::Success;
}

void SimResourceStrings::Close(plat::Handle module) { loaded_.erase(module); }

}  // namespace sim
