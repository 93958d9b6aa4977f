#include "profile_loader.h"

#include <string>
#include <vector>

#include "menu_items.h"

namespace shellext {
namespace {

// The driver-directory version folders to try, in order.
std::vector<std::string> VersionFolders(std::uint32_t major) {
  if (major == 4) return {"2"};
  if (major == 5) return {"3", "2"};
  return {"4", "3", "2"};
}

}  // namespace

plat::shell::UniqueLibrary LoadCfiLibrary(const ModuleState& module, plat::Spooler& spooler,
                                          plat::shell::ProfileLibrary& libraries) {
  auto load = [&](std::string_view path) {
    plat::Handle h = plat::kNoHandle;
    if (libraries.Load(path, &h).failed()) h = plat::kNoHandle;
    return plat::shell::UniqueLibrary(libraries, h);
  };
  if (module.Is9x()) return load(kProfileLibraryName);
  if (!module.IsNT() || module.os.major < 4) return {};

  // The current environment, as a null environment name asks the spooler.
  std::string directory;
  if (spooler.GetDriverDirectory({}, &directory).ok() && !directory.empty()) {
    if (directory.back() != '\\') directory += '\\';
    for (const auto& folder : VersionFolders(module.os.major)) {
      auto library = load(directory + folder + "\\" + std::string(kProfileLibraryName));
      if (library) return library;
    }
  }
  return load(kProfileLibraryName);
}

std::uint32_t DrvProfileSupportCallback(plat::shell::SupportResult* context, const plat::shell::SupportInfo* info) {
  if (!context || !info) return 1;
  if (info->version >= 2) {
    if (info->capabilities & 1) context->importSupported = 1;
    if (info->capabilities & 2) context->exportSupported = 1;
  }
  if (info->version >= 3) context->familyCode = info->familyCode;
  return 0;
}

}  // namespace shellext
