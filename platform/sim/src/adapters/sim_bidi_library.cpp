#include "sim_bidi_library.h"

#include "model/library_lookup.h"
#include "model/machine_state.h"

namespace sim {

// The library loads when the image lists it under "libraries" (and, by
// full path, in "files"); each of the three exports it has is called in
// turn and journalled.
plat::WinError SimBidiLibrary::Uninstall(std::string_view libraryPath, std::int32_t* status) {
  *status = 0;
  if (auto e = m_.Fault("BidiLibrary.Uninstall", libraryPath)) return *e;
  const auto library = FindLibrary(m_.data, libraryPath);
  if (!library) return winerr::ModNotFound;
  for (const char* procedure : {"BceRegisterApp", "BceUninstallLCS", "BceUnregisterApp"}) {
    if (!Exports(*library, procedure)) continue;
    nlohmann::json entry{{"event", "libraryCall"}, {"library", library->path}, {"procedure", procedure}};
    if (std::string_view(procedure) == "BceUninstallLCS") {
      *status = library->uninstallStatus.value_or(0);
      entry["status"] = *status;
    }
    m_.Record(std::move(entry));
  }
  return winerr::Success;
}

}  // namespace sim
