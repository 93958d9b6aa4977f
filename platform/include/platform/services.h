// Services port: the service control manager calls that service control
// makes, one to one, so that each failure point stays visible to the logic.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/handle.h"
#include "platform/win_errors.h"

namespace plat {

namespace svc {
// Current states.
inline constexpr std::uint32_t Stopped = 1;
inline constexpr std::uint32_t StartPending = 2;
inline constexpr std::uint32_t StopPending = 3;
inline constexpr std::uint32_t Running = 4;
inline constexpr std::uint32_t ContinuePending = 5;
inline constexpr std::uint32_t PausePending = 6;
inline constexpr std::uint32_t Paused = 7;
// Controls.
inline constexpr std::uint32_t ControlStop = 1;
inline constexpr std::uint32_t ControlInterrogate = 4;
// Access.
inline constexpr std::uint32_t ManagerAllAccess = 0xF003F;
inline constexpr std::uint32_t ServiceAllAccess = 0xF01FF;
inline constexpr std::uint32_t ServiceStart = 0x0010;
inline constexpr std::uint32_t ServiceStop = 0x0020;
inline constexpr std::uint32_t ServiceQueryStatus = 0x0004;
inline constexpr std::uint32_t ServiceInterrogate = 0x0080;
inline constexpr std::uint32_t GenericRead = 0x80000000u;
inline constexpr std::uint32_t GenericWrite = 0x40000000u;
inline constexpr std::uint32_t GenericExecute = 0x20000000u;
// Creation.
inline constexpr std::uint32_t Win32OwnProcess = 0x10;
inline constexpr std::uint32_t InteractiveProcess = 0x100;
inline constexpr std::uint32_t AutoStart = 2;
inline constexpr std::uint32_t DemandStart = 3;
inline constexpr std::uint32_t ErrorNormal = 1;
}  // namespace svc

struct ServiceStatus {
  std::uint32_t serviceType = 0;
  std::uint32_t currentState = 0;
  std::uint32_t controlsAccepted = 0;
  std::uint32_t win32ExitCode = 0;
  std::uint32_t checkPoint = 0;
  std::uint32_t waitHint = 0;
};

struct ServiceCreateParams {
  std::string name;
  std::string displayName;
  std::uint32_t access = 0;
  std::uint32_t serviceType = 0;
  std::uint32_t startType = 0;
  std::uint32_t errorControl = 0;
  std::string imagePath;
};

class Services {
 public:
  virtual ~Services() = default;
  // OpenSCManager; an empty machine name is the local machine.
  virtual WinError OpenManager(std::string_view machine, std::uint32_t access, Handle* out) = 0;
  // OpenService; a missing service gives ServiceDoesNotExist.
  virtual WinError Open(Handle manager, std::string_view name, std::uint32_t access, Handle* out) = 0;
  virtual WinError Create(Handle manager, const ServiceCreateParams& params, Handle* out) = 0;
  virtual WinError QueryStatus(Handle service, ServiceStatus* out) = 0;
  // ControlService. `status` receives the last reported status even when the
  // control fails, as the real call does.
  virtual WinError Control(Handle service, std::uint32_t control, ServiceStatus* status) = 0;
  // StartService without arguments.
  virtual WinError Start(Handle service) = 0;
  virtual void Close(Handle h) = 0;
};

using UniqueServiceHandle = UniqueHandle<Services>;

}  // namespace plat
