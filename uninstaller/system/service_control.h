// Stops and starts one Windows NT service (the spooler, the maker's
// services) through the service control manager.
#pragma once
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "platform/services.h"

class ServiceControl {
 public:
  ServiceControl(plat::Services& services, plat::Clock& clock, std::string serviceName,
                 std::string machineName = "");

  bool IsRunning();
  // Asks the service to stop. True when it accepted, was not running, or
  // reached a stopped-like state before `timeoutSeconds` passed.
  [[nodiscard]] bool Stop(int timeoutSeconds);
  [[nodiscard]] bool StopDefault() { return Stop(180); }
  // Starts the service; one that is not installed (and cannot be created
  // from `imagePath` and `displayName`) counts as started.
  [[nodiscard]] bool Start();

  std::string serviceName;
  std::string displayName;  // only for creating a missing service
  std::string imagePath;    // only for creating a missing service
  std::string machineName;  // empty: the local machine
  plat::WinError lastError = winerr::Success;

 private:
  plat::UniqueServiceHandle OpenManager(std::uint32_t access);
  plat::UniqueServiceHandle OpenService(const plat::UniqueServiceHandle& manager, std::uint32_t access);

  plat::Services& services_;
  plat::Clock& clock_;
};
