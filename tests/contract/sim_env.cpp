// The contract environment over a fresh simulated Windows XP machine.
#include "contract_env.h"
#include "sim/machine.h"

namespace contract {

namespace {
const char* kImage = R"({
  "os": "winxp",
  "files": {"C:\\WINDOWS\\system32\\kernel32.dll": {"company": "Microsoft Corporation", "protected": true},
            "C:\\scratch": {"attributes": "DIRECTORY"},
            "C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL": {}},
  "resourceLibraries": {"C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL": {"strings": {"276": "Status Monitor"}}},
  "registry": {"HKCU\\Software\\Microsoft": {}},
  "services": {"Spooler": {"state": "running", "onStop": "stops"},
               "Eventlog": {"state": "running", "onStop": "refuses"}},
  "windows": [{"id": 65554, "title": "Program Manager", "process": 1200}]
})";

class SimEnv final : public ContractEnv {
 public:
  SimEnv() {
    sim::LoadError error;
    machine_ = sim::Machine::FromText(kImage, &error);
    if (!machine_) ADD_FAILURE() << error.ToString();
  }
  plat::Platform& platform() override { return machine_->platform(); }
  std::string ScratchKeyPath() override { return "Software\\DrvpurgeContract"; }
  bool CanDenyDelete() override { return true; }
  std::string ExistingService() override { return "Eventlog"; }
  std::string MissingService() override { return "NoSuchServiceAtAll"; }
  std::string StoppableService() override { return "Spooler"; }
  std::string ExistingFile() override { return "C:\\WINDOWS\\system32\\kernel32.dll"; }
  std::string ExistingDirectory() override { return "C:\\WINDOWS\\system32"; }
  std::string ResourceLibrary() override { return "C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL"; }
  std::uint32_t KnownStringId() override { return 276; }
  std::string KnownString() override { return "Status Monitor"; }
  std::string ScratchDirectory() override { return "C:\\scratch"; }
  bool CanScheduleMoves() override { return true; }
  bool CanChangeDrivers() override { return true; }
  bool CanWriteWinIni() override { return true; }
  bool HasJobScheduler() override { return true; }
  bool HasTaskScheduler() override { return true; }

 private:
  std::unique_ptr<sim::Machine> machine_;
};
}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() { return std::make_unique<SimEnv>(); }

}  // namespace contract
