// Libraries port: LoadLibrary, GetProcAddress and FreeLibrary for libraries
// the uninstaller calls at run time. A found procedure is an opaque handle;
// the port that knows its signature calls it (Spooler::InvokeDeleteDriverEx,
// ZipLister::InvokeList).
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/handle.h"

namespace plat {

class Libraries {
 public:
  virtual ~Libraries() = default;
  // LoadLibrary by name or full path; ModNotFound when it cannot be loaded.
  virtual std::uint32_t Load(std::string_view nameOrPath, Handle* module) = 0;
  // GetProcAddress; ProcNotFound when the library does not export it.
  virtual std::uint32_t FindProcedure(Handle module, std::string_view name, Handle* procedure) = 0;
  virtual void Close(Handle module) = 0;
};

using UniqueLibrary = UniqueHandle<Libraries>;

// The maker's archive lister "ptzipw32.dll": its "PtZipList" receives an
// archive's path without extension and two zero arguments, and leaves the
// member list, one relative name a line, in that path with ".txt" appended.
class ZipLister {
 public:
  virtual ~ZipLister() = default;
  virtual std::uint32_t InvokeList(Handle procedure, std::string_view archiveBase) = 0;
};

}  // namespace plat
