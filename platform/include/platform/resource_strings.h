// ResourceStrings port: a resource library loaded by path, and strings from
// its string table.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/handle.h"
#include "platform/win_errors.h"

namespace plat {

class ResourceStrings {
 public:
  virtual ~ResourceStrings() = default;
  // LoadLibrary by full path; ModNotFound when it is not there.
  virtual WinError Load(std::string_view path, Handle* module) = 0;
  // LoadString; ResourceNameNotFound when the table has no such number.
  virtual WinError LoadText(Handle module, std::uint32_t id, std::string* out) = 0;
  virtual void Close(Handle module) = 0;
};

using UniqueModule = UniqueHandle<ResourceStrings>;

}  // namespace plat
