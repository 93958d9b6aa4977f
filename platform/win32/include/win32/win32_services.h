// Services port over the service control manager.
#pragma once
#include "platform/services.h"

namespace win32 {

class Win32Services final : public plat::Services {
 public:
  std::uint32_t OpenManager(std::string_view machine, std::uint32_t access, plat::Handle* out) override;
  std::uint32_t Open(plat::Handle manager, std::string_view name, std::uint32_t access, plat::Handle* out) override;
  std::uint32_t Create(plat::Handle manager, const plat::ServiceCreateParams& params, plat::Handle* out) override;
  std::uint32_t QueryStatus(plat::Handle service, plat::ServiceStatus* out) override;
  std::uint32_t Control(plat::Handle service, std::uint32_t control, plat::ServiceStatus* status) override;
  std::uint32_t Start(plat::Handle service) override;
  void Close(plat::Handle h) override;
};

}  // namespace win32
