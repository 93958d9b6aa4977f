// BidiLibrary port: the maker's bidirectional-communication library
// "vorbce.dll", which a product installs with its service "vorbces". Asked
// to uninstall, it unregisters its local communication service. The adapter
// loads the library from the logged path (LoadLibraryEx with
// LOAD_WITH_ALTERED_SEARCH_PATH), finds its exports at run time and frees it
// again after the call.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/win_errors.h"

namespace plat {

// The exports' codes: the application handle BceRegisterApp asks for, and
// the service mask BceUninstallLCS is given.
inline constexpr std::int32_t kBidiAnyApplication = -1;
inline constexpr std::int32_t kBidiAllServices = 31;

class BidiLibrary {
 public:
  virtual ~BidiLibrary() = default;
  // Loads `libraryPath`, calls each export it has: "BceRegisterApp"(-1) for
  // a handle, "BceUninstallLCS"(handle, 31, 0), "BceUnregisterApp"(handle);
  // frees the library. `status` is BceUninstallLCS's answer, 0 when the
  // library lacks it. ModNotFound when the library does not load.
  [[nodiscard]] virtual WinError Uninstall(std::string_view libraryPath, std::int32_t* status) = 0;
};

}  // namespace plat
