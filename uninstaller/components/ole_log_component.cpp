#include "components/ole_log_component.h"

#include <utility>

namespace {

template <typename T>
T ValueOrRaise(plat::LogResult<T> result) {
  if (!result.ok()) throw InstallLogError(result.failure());
  return std::move(result).value();
}

}  // namespace

bool OleLogComponent::Create(plat::LogFailure* failure) {
  Release();
  plat::LogResult<plat::LogDone> connected = log_.Connect();
  if (!connected.ok()) {
    *failure = connected.failure();
    return false;
  }
  connected_ = true;
  return true;
}

void OleLogComponent::Release() {
  if (!connected_) return;
  log_.Release();
  connected_ = false;
}

void OleLogComponent::ForgetComponent(std::string_view key) {
  // The server's answer says nothing the removal could act on.
  static_cast<void>(ValueOrRaise(log_.ForgetComponent(key)));
}

bool OleLogComponent::IsInstalled(std::string_view key) { return ValueOrRaise(log_.IsInstalled(key)) != 0; }

std::string OleLogComponent::GetLoggedPath(std::int32_t kind, std::string_view key, std::string_view fileName) {
  return ValueOrRaise(log_.GetLoggedPath(kind, key, fileName));
}

std::string OleLogComponent::GetProperty(std::string_view key, std::string_view name) {
  return ValueOrRaise(log_.GetProperty(key, name));
}

std::string OleLogComponent::GetList(std::int32_t kind, std::string_view key) {
  return ValueOrRaise(log_.GetList(kind, key));
}

std::string OleLogComponent::GetStorePath(std::int32_t which) { return ValueOrRaise(log_.GetStorePath(which)); }
