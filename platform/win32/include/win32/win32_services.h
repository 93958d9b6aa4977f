// Services port over the service control manager.
#pragma once
#include "platform/services.h"

namespace win32 {

class Win32Services final : public plat::Services {
 public:
  plat::WinError OpenManager(std::string_view machine, std::uint32_t access, plat::Handle* out) override;
  plat::WinError Open(plat::Handle manager, std::string_view name, std::uint32_t access, plat::Handle* out) override;
  plat::WinError Create(plat::Handle manager, const plat::ServiceCreateParams& params, plat::Handle* out) override;
  plat::WinError QueryStatus(plat::Handle service, plat::ServiceStatus* out) override;
  plat::WinError Control(plat::Handle service, std::uint32_t control, plat::ServiceStatus* status) override;
  plat::WinError Start(plat::Handle service) override;
  void Close(plat::Handle h) override;
};

}  // namespace win32
