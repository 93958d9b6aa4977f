// Libraries port (LoadLibraryW, GetProcAddress, FreeLibrary) and the call
// into the maker's archive lister.
#pragma once
#include "platform/libraries.h"

namespace win32 {

class Win32Libraries final : public plat::Libraries {
 public:
  std::uint32_t Load(std::string_view nameOrPath, plat::Handle* module) override;
  std::uint32_t FindProcedure(plat::Handle module, std::string_view name, plat::Handle* procedure) override;
  void Close(plat::Handle module) override;
};

// "PtZipList" of ptzipw32.dll is called as
//   int __stdcall PtZipList(const char* archiveBase, int reserved, int reserved2)
// with the archive's path without extension in the ANSI code page and two
// zeros; it returns 0 when it wrote the list. The result is handed back as
// the port's error code.
class Win32ZipLister final : public plat::ZipLister {
 public:
  std::uint32_t InvokeList(plat::Handle procedure, std::string_view archiveBase) override;
};

}  // namespace win32
