// Services port over the machine's services: what a stop does to each, in
// virtual time.
#pragma once
#include <map>
#include <string>

#include "platform/services.h"

namespace sim {

class MachineState;

class SimServices final : public plat::Services {
 public:
  explicit SimServices(MachineState& m) : m_(m) {}
  plat::WinError OpenManager(std::string_view machine, std::uint32_t access, plat::Handle* out) override;
  plat::WinError Open(plat::Handle manager, std::string_view name, std::uint32_t access, plat::Handle* out) override;
  plat::WinError Create(plat::Handle manager, const plat::ServiceCreateParams& params, plat::Handle* out) override;
  plat::WinError QueryStatus(plat::Handle service, plat::ServiceStatus* out) override;
  plat::WinError Control(plat::Handle service, std::uint32_t control, plat::ServiceStatus* status) override;
  plat::WinError Start(plat::Handle service) override;
  void Close(plat::Handle h) override;

  // Moves stop-pending services on to "stopped" when virtual time passes
  // their deadline.
  void AdvanceTo(std::uint64_t virtualMs);

 private:
  struct OpenEntry {
    bool isManager = false;
    std::string name;
    std::uint32_t granted = 0;
  };
  const OpenEntry* Lookup(plat::Handle h, bool manager) const;
  std::string NameOf(plat::Handle h) const;

  MachineState& m_;
  std::map<plat::Handle, OpenEntry> open_;
};

}  // namespace sim
