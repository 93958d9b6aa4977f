// ResourceStrings port: string tables of the libraries the image lists.
#pragma once
#include <map>
#include <string>

#include "platform/resource_strings.h"

namespace sim {

class MachineState;

class SimResourceStrings final : public plat::ResourceStrings {
 public:
  explicit SimResourceStrings(MachineState& m) : m_(m) {}
  plat::WinError Load(std::string_view path, plat::Handle* module) override;
  plat::WinError LoadText(plat::Handle module, std::uint32_t id, std::string* out) override;
  void Close(plat::Handle module) override;

 private:
  MachineState& m_;
  std::map<plat::Handle, std::string> loaded_;  // handle -> library path
};

}  // namespace sim
