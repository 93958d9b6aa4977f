// The management suite's agents and tools: the status window, the driver
// profiler, Plug and Print, the event agent and the server agent. Their
// services are told to unregister before their logged files go, and the
// profile libraries stay while another product still needs them.
#include <string>
#include <vector>

#include "components/component_remover.h"
#include "components/log_lists.h"
#include "maker/maker_identity.h"
#include "printing/printer_driver_list.h"
#include "system/deferred_deleter.h"
#include "system/registry_helpers.h"
#include "system/service_control.h"

namespace {

std::vector<std::string> ProfileLibraries() {
  return {std::string(maker::kProfileLibraries[0]), std::string(maker::kProfileLibraries[1])};
}

}  // namespace

void ComponentRemover::RemoveStatusWindow() {
  const std::string_view key = maker::component::kStatusWindow;
  std::vector<std::string> paths;
  SplitList(Log().GetList(1, key), paths);
  SplitList(Log().GetList(2, key), paths);
  // The drivers must not list files that are about to go.
  context_.drivers.RemoveFilesFromAllDrivers(paths);
  RemoveLoggedComponent(key, {});
}

void ComponentRemover::RemoveDriverConfigTool() {
  // The profile libraries are shared with Plug and Print, and on the 9x
  // family with the maker's drivers.
  const bool shared = Log().IsInstalled(maker::component::kPlugNPrint) ||
                      (IsWin9x(context_.os()) && context_.drivers.AnyMakerDriverLeft());
  RemoveLoggedComponent(maker::component::kDriverConfigTool, shared ? ProfileLibraries() : std::vector<std::string>{});
  static_cast<void>(RegDeleteValueAndPrune(platform_.registry, plat::kHkeyCurrentUser, maker::kProfilerMenuOrderKey,
                                           maker::kProfilerMenuOrderValue, true));
}

void ComponentRemover::RemovePlugNPrint() {
  const std::string_view key = maker::component::kPlugNPrint;
  ServiceControl agent(platform_.services, platform_.clock, std::string(maker::kPnpAgentService));
  static_cast<void>(agent.StopDefault());
  const std::string agentPath = Log().GetLoggedPath(1, key, maker::kPnpAgentProgram);
  const std::string hostPath = Log().GetLoggedPath(1, key, maker::kServiceHostProgram);
  if (!agentPath.empty()) RunCommand(agentPath + std::string(maker::kPnpAgentUnregister), true);
  if (!hostPath.empty()) RunCommand(hostPath + std::string(maker::kPnpAgentHostArgument), true);
  const bool shared = Log().IsInstalled(maker::component::kDriverConfigTool) ||
                      (IsWin9x(context_.os()) && context_.drivers.AnyMakerDriverLeft());
  RemoveLoggedComponent(key, shared ? ProfileLibraries() : std::vector<std::string>{});
}

void ComponentRemover::RemoveEventAgent() {
  RunCommand(maker::kEventAgentUnregister, true);
  RunCommand(maker::kEventAgentHostUnregister, true);
  const std::string settings = platform_.files.SystemDirectory() + "\\" + std::string(maker::kEventAgentSettingsFile);
  if (platform_.files.Exists(settings)) static_cast<void>(context_.deleter.DeleteFileOrDefer(settings));
  RemoveLoggedComponent(maker::component::kEventAgent, {});
}

void ComponentRemover::RemoveServerAgent(std::string_view key) {
  static_cast<void>(RegSetDword(platform_.registry, plat::kHkeyLocalMachine, maker::kServerAgentKey,
                                maker::kServerAgentEnableValue, 0));
  RemoveLoggedComponent(key, {});
}
