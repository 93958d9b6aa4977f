// ZipLister port over the maker's "ptzipw32.dll", loaded for each listing.
// Its "PtZipList" is called as
//   int __stdcall PtZipList(const char* archiveBase, int reserved, int reserved2)
// with the archive's path without extension in the ANSI code page and two
// zeros; it returns 0 when it wrote the list. The result is handed back as
// the port's error code.
#pragma once
#include "platform/zip_lister.h"

namespace win32 {

class Win32ZipLister final : public plat::ZipLister {
 public:
  plat::WinError List(std::string_view libraryPath, std::string_view archiveBase) override;
};

}  // namespace win32
