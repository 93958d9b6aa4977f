// ZipLister port: the maker's archive lister "ptzipw32.dll", a library found
// at run time. Its "PtZipList" receives an archive's path without extension
// and two zero arguments, and leaves the member list, one relative name a
// line, in that path with ".txt" appended. The adapter loads the library,
// finds the procedure, calls it and frees the library again.
#pragma once
#include <cstdint>
#include <string_view>
#include "platform/win_errors.h"

namespace plat {

class ZipLister {
 public:
  virtual ~ZipLister() = default;
  // ModNotFound when the library at `libraryPath` does not load, ProcNotFound
  // when it lacks "PtZipList"; otherwise what the lister answered (0 when it
  // wrote the list).
  virtual WinError List(std::string_view libraryPath, std::string_view archiveBase) = 0;
};

}  // namespace plat
