#include "system/service_control.h"

#include <utility>

#include "platform/win_errors.h"

namespace {
// Stopped (1), stop pending (3), continue pending (5) and paused (7): the
// service is no longer running its normal work, which is all a stop needs.
bool IsStoppedLike(std::uint32_t state) { return (state & 1u) != 0; }
}  // namespace

ServiceControl::ServiceControl(plat::Services& services, plat::Clock& clock, std::string name,
                               std::string machine)
    : serviceName(std::move(name)), machineName(std::move(machine)), services_(services), clock_(clock) {}

plat::UniqueServiceHandle ServiceControl::OpenManager(std::uint32_t access) {
  plat::Handle h = plat::kNoHandle;
  const plat::WinError err = services_.OpenManager(machineName, access, &h);
  if (err != winerr::Success) {
    lastError = err;
    return {};
  }
  return plat::UniqueServiceHandle(services_, h);
}

plat::UniqueServiceHandle ServiceControl::OpenService(const plat::UniqueServiceHandle& manager,
                                                      std::uint32_t access) {
  plat::Handle h = plat::kNoHandle;
  const plat::WinError err = services_.Open(manager.get(), serviceName, access, &h);
  if (err != winerr::Success) {
    lastError = err;
    return {};
  }
  return plat::UniqueServiceHandle(services_, h);
}

bool ServiceControl::IsRunning() {
  auto manager = OpenManager(plat::svc::ManagerAllAccess);
  if (!manager) return false;
  auto service = OpenService(manager, plat::svc::ServiceAllAccess);
  if (!service) return false;
  plat::ServiceStatus status;
  const plat::WinError err = services_.QueryStatus(service.get(), &status);
  if (err != winerr::Success) {
    lastError = err;
    return false;
  }
  return status.currentState == plat::svc::Running;
}

bool ServiceControl::Stop(int timeoutSeconds) {
  auto manager = OpenManager(plat::svc::GenericRead | plat::svc::GenericWrite);
  if (!manager) return false;
  auto service = OpenService(manager, plat::svc::GenericExecute | plat::svc::GenericRead);
  if (!service) return false;

  plat::ServiceStatus status;
  plat::WinError err = services_.Control(service.get(), plat::svc::ControlStop, &status);
  // An accepted stop is left to the caller to wait for.
  if (err == winerr::Success || err == winerr::ServiceNotActive) return true;
  lastError = err;

  const std::int64_t deadline = clock_.Now() + timeoutSeconds;
  for (;;) {
    // Strictly past the deadline, so that at least the whole timeout is given
    // even when the clock's seconds are coarse.
    if (clock_.Now() > deadline) return false;
    clock_.Sleep(500);
    if (IsStoppedLike(status.currentState)) return true;
    err = services_.Control(service.get(), plat::svc::ControlInterrogate, &status);
    if (err != winerr::Success) lastError = err;
  }
}

bool ServiceControl::Start() {
  auto manager = OpenManager(plat::svc::ManagerAllAccess);
  if (!manager) return false;

  auto service = OpenService(manager, plat::svc::ServiceStart);
  if (!service) {
    // Only a missing service may be created or skipped; any other refusal
    // (access denied, say) means it could not be started.
    if (lastError != winerr::ServiceDoesNotExist) return false;
    if (imagePath.empty() || displayName.empty()) return true;
    plat::ServiceCreateParams params;
    params.name = serviceName;
    params.displayName = displayName;
    params.access = plat::svc::ServiceAllAccess;
    params.serviceType = plat::svc::Win32OwnProcess | plat::svc::InteractiveProcess;
    params.startType = plat::svc::AutoStart;
    params.errorControl = plat::svc::ErrorNormal;
    params.imagePath = imagePath;
    plat::Handle created = plat::kNoHandle;
    const plat::WinError err = services_.Create(manager.get(), params, &created);
    if (err != winerr::Success) {
      lastError = err;
      return true;
    }
    plat::UniqueServiceHandle(services_, created).reset();  // reopened below with start rights only
    service = OpenService(manager, plat::svc::ServiceStart);
    if (!service) return true;
  }

  const plat::WinError err = services_.Start(service.get());
  if (err == winerr::Success || err == winerr::ServiceAlreadyRunning) return true;
  lastError = err;
  return false;
}
