// FileSystem port over the Win32 file calls ("W" functions).
#pragma once
#include "platform/file_system.h"

namespace win32 {

class Win32FileSystem final : public plat::FileSystem {
 public:
  std::uint32_t GetAttributes(std::string_view path, std::uint32_t* attributes) override;
  std::uint32_t SetAttributes(std::string_view path, std::uint32_t attributes) override;
  std::uint32_t RemoveFile(std::string_view path) override;
  std::uint32_t RemoveDir(std::string_view path) override;
  std::uint32_t MakeDir(std::string_view path) override;
  std::uint32_t Find(std::string_view pattern, std::vector<plat::FindEntry>* out) override;
  std::uint32_t ShortPath(std::string_view path, std::string* out) override;
  std::uint32_t MoveOnReboot(std::string_view source, std::string_view destination) override;
  std::uint32_t Rename(std::string_view source, std::string_view destination) override;
  std::uint32_t CopyTo(std::string_view source, std::string_view destination, bool failIfExists) override;
  std::uint32_t VersionCompany(std::string_view path, std::string* company) override;
  std::uint32_t IsProtectedSystemFile(std::string_view path, bool* isProtected) override;
  std::uint32_t ReadText(std::string_view path, std::string* content) override;
  std::uint32_t WriteText(std::string_view path, std::string_view content) override;
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string TempDirectory() override;
  std::string CurrentDirectory() override;
  std::uint32_t SetCurrentDir(std::string_view path) override;
};

}  // namespace win32
