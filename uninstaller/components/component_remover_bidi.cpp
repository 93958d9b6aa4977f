// The bidirectional-communication component: its library is asked to
// uninstall its local service before the component's files go. When the
// library refuses, or cannot be loaded, everything of the component stays.
#include <string>
#include <vector>

#include "components/component_remover.h"
#include "components/log_lists.h"
#include "maker/maker_identity.h"
#include "platform/text.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"
#include "system/service_control.h"

bool ComponentRemover::RemoveBidi() {
  const OsKind os = context_.os();
  // On 98 and Me a USB printer still talks through the library.
  if ((IsWin98(os) || IsWinMe(os)) && context_.printers.AnyOnUsbPort()) return false;

  std::vector<std::string> files;
  SplitList(Log().GetList(1, maker::component::kBidi), files);
  std::string library;
  for (const std::string& file : files) {
    if (text::Fold(file).find(text::Fold(maker::kBidiLibrary)) != std::string::npos) library = file;
  }
  static_cast<void>(context_.drivers.DetachNetworkMonitors());
  context_.drivers.RemoveFilesFromAllDrivers(files);
  if (library.empty()) return false;

  std::int32_t status = 0;
  if (platform_.bidiLibrary.Uninstall(library, &status) != winerr::Success) return false;
  if (status != 0) return false;

  ServiceControl service(platform_.services, platform_.clock, std::string(maker::kBidiService));
  static_cast<void>(service.Stop(20));
  platform_.clock.Sleep(1000);
  RemoveLoggedComponent(maker::component::kBidi, {});
  bidiRemoved = true;
  return true;
}
