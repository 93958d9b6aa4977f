// Libraries loaded by name at run time and kept for the rest of the run, so
// that a procedure found once stays callable (the spooler's extended driver
// deletion is looked up this way).
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/libraries.h"
#include "platform/text.h"

class LoadedLibraryTable {
 public:
  explicit LoadedLibraryTable(plat::Libraries& libraries) : libraries_(libraries) {}
  ~LoadedLibraryTable();
  LoadedLibraryTable(const LoadedLibraryTable&) = delete;
  LoadedLibraryTable& operator=(const LoadedLibraryTable&) = delete;

  // The library's module, loaded on first use. A library that cannot be
  // loaded is not remembered, so a later call tries again.
  std::uint32_t Get(std::string_view name, plat::Handle* module);
  // A procedure of a library in the table (loading it when needed).
  std::uint32_t FindProcedure(std::string_view library, std::string_view procedure, plat::Handle* out);

 private:
  plat::Libraries& libraries_;
  std::map<std::string, plat::Handle, text::ILessFn> loaded_;  // library names compare without case
};
