// FileSystem port. Paths are Windows paths ("C:\\dir\\file"), compared
// without case.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
namespace fileattr {
inline constexpr std::uint32_t ReadOnly = 0x01;
inline constexpr std::uint32_t Hidden = 0x02;
inline constexpr std::uint32_t System = 0x04;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
inline constexpr std::uint32_t Normal = 0x80;
}  // namespace fileattr

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // GetFileAttributes; kInvalidFileAttributes with the error when missing.
  virtual std::uint32_t GetAttributes(std::string_view path, std::uint32_t* attributes) = 0;
  bool Exists(std::string_view path) {
    std::uint32_t a = kInvalidFileAttributes;
    return GetAttributes(path, &a) == 0 && a != kInvalidFileAttributes;
  }
};

}  // namespace plat
