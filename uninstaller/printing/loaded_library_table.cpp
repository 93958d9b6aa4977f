#include "printing/loaded_library_table.h"

#include "platform/win_errors.h"

LoadedLibraryTable::~LoadedLibraryTable() {
  for (const auto& [name, module] : loaded_) libraries_.Close(module);
}

std::uint32_t LoadedLibraryTable::Get(std::string_view name, plat::Handle* module) {
  *module = plat::kNoHandle;
  if (const auto it = loaded_.find(name); it != loaded_.end()) {
    *module = it->second;
    return winerr::Success;
  }
  plat::Handle loaded = plat::kNoHandle;
  if (const std::uint32_t error = libraries_.Load(name, &loaded); error != winerr::Success) return error;
  loaded_.emplace(std::string(name), loaded);
  *module = loaded;
  return winerr::Success;
}

std::uint32_t LoadedLibraryTable::FindProcedure(std::string_view library, std::string_view procedure,
                                                plat::Handle* out) {
  *out = plat::kNoHandle;
  plat::Handle module = plat::kNoHandle;
  if (const std::uint32_t error = Get(library, &module); error != winerr::Success) return error;
  return libraries_.FindProcedure(module, procedure, out);
}
