// FileSystem port over the machine's file tree, with Windows' path rules.
#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace sim {

class MachineState;

class SimFiles final : public plat::FileSystem {
 public:
  explicit SimFiles(MachineState& m) : m_(m) {}
  plat::WinError GetAttributes(std::string_view path, std::uint32_t* attributes) override;
  plat::WinError SetAttributes(std::string_view path, std::uint32_t attributes) override;
  plat::WinError RemoveFile(std::string_view path) override;
  plat::WinError RemoveDir(std::string_view path) override;
  plat::WinError MakeDir(std::string_view path) override;
  plat::WinError Find(std::string_view pattern, std::vector<plat::FindEntry>* out) override;
  plat::WinError ShortPath(std::string_view path, std::string* out) override;
  plat::WinError MoveOnReboot(std::string_view source, std::string_view destination) override;
  plat::WinError Rename(std::string_view source, std::string_view destination) override;
  plat::WinError CopyTo(std::string_view source, std::string_view destination, bool failIfExists) override;
  plat::WinError VersionCompany(std::string_view path, std::string* company) override;
  plat::WinError IsProtectedSystemFile(std::string_view path, bool* isProtected) override;
  plat::WinError ReadText(std::string_view path, std::string* content) override;
  plat::WinError WriteText(std::string_view path, std::string_view content) override;
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string TempDirectory() override;
  plat::WinError CreateTempFile(std::string_view directory, std::string_view prefix, std::string* path) override;
  std::string CurrentDirectory() override;
  plat::WinError SetCurrentDir(std::string_view path) override;

  // Relative paths go from the current directory; the result is normalized.
  // The other adapters that take paths resolve them here too.
  std::string Resolve(std::string_view path) const;

 private:
  MachineState& m_;
};

}  // namespace sim
