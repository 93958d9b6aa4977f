#include "win32/win32_services.h"

#include <windows.h>

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "wide.h"

namespace win32 {
namespace {

SC_HANDLE ToSc(plat::Handle h) { return reinterpret_cast<SC_HANDLE>(h); }
plat::Handle FromSc(SC_HANDLE h) { return reinterpret_cast<plat::Handle>(h); }

void CopyStatus(const SERVICE_STATUS& from, plat::ServiceStatus* to) {
  if (!to) return;
  to->serviceType = from.dwServiceType;
  to->currentState = from.dwCurrentState;
  to->controlsAccepted = from.dwControlsAccepted;
  to->win32ExitCode = from.dwWin32ExitCode;
  to->checkPoint = from.dwCheckPoint;
  to->waitHint = from.dwWaitHint;
}

plat::WinError HandleResult(SC_HANDLE h, plat::Handle* out) {
  if (out) *out = FromSc(h);
  return h ? winerr::Success : LastError();
}

}  // namespace

plat::WinError Win32Services::OpenManager(std::string_view machine, std::uint32_t access, plat::Handle* out) {
  const std::wstring wmachine = Wide(machine);
  return HandleResult(OpenSCManagerW(machine.empty() ? nullptr : wmachine.c_str(), nullptr, access), out);
}

plat::WinError Win32Services::Open(plat::Handle manager, std::string_view name, std::uint32_t access,
                                  plat::Handle* out) {
  const std::wstring wname = Wide(name);
  return HandleResult(OpenServiceW(ToSc(manager), wname.c_str(), access), out);
}

plat::WinError Win32Services::Create(plat::Handle manager, const plat::ServiceCreateParams& params,
                                    plat::Handle* out) {
  const std::wstring name = Wide(params.name);
  const std::wstring display = Wide(params.displayName);
  const std::wstring image = Wide(params.imagePath);
  return HandleResult(CreateServiceW(ToSc(manager), name.c_str(), display.c_str(), params.access, params.serviceType,
                                     params.startType, params.errorControl, image.c_str(), nullptr, nullptr,
                                     nullptr, nullptr, nullptr),
                      out);
}

plat::WinError Win32Services::QueryStatus(plat::Handle service, plat::ServiceStatus* out) {
  SERVICE_STATUS status{};
  if (!QueryServiceStatus(ToSc(service), &status)) return LastError();
  CopyStatus(status, out);
  return winerr::Success;
}

plat::WinError Win32Services::Control(plat::Handle service, std::uint32_t control, plat::ServiceStatus* out) {
  SERVICE_STATUS status{};
  const BOOL ok = ControlService(ToSc(service), control, &status);
  const plat::WinError error = ok ? winerr::Success : LastError();
  // The service's last report comes back on failure too; stop logic reads it.
  CopyStatus(status, out);
  return error;
}

plat::WinError Win32Services::Start(plat::Handle service) {
  return StartServiceW(ToSc(service), 0, nullptr) ? winerr::Success : LastError();
}

void Win32Services::Close(plat::Handle h) {
  if (h != plat::kNoHandle) CloseServiceHandle(ToSc(h));
}

}  // namespace win32
