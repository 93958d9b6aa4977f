// FileSystem port. Paths are Windows paths ("C:\\dir\\file"), compared
// without case. Method names avoid the SDK's A/W macros (DeleteFile,
// RemoveDirectory, CreateDirectory, MoveFileEx...).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include "platform/win_errors.h"

namespace plat {

inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
namespace fileattr {
inline constexpr std::uint32_t ReadOnly = 0x01;
inline constexpr std::uint32_t Hidden = 0x02;
inline constexpr std::uint32_t System = 0x04;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
inline constexpr std::uint32_t Normal = 0x80;
inline constexpr std::uint32_t ReparsePoint = 0x400;  // junctions and symbolic links
}  // namespace fileattr

// One entry of FindFirstFile/FindNextFile.
struct FindEntry {
  std::string name;       // long name, no directory
  std::string shortName;  // 8.3 alternate name; empty when the name is already 8.3
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // GetFileAttributes; FileNotFound/PathNotFound when missing.
  virtual WinError GetAttributes(std::string_view path, std::uint32_t* attributes) = 0;
  virtual WinError SetAttributes(std::string_view path, std::uint32_t attributes) = 0;
  bool Exists(std::string_view path) {
    std::uint32_t a = kInvalidFileAttributes;
    return GetAttributes(path, &a).ok() && a != kInvalidFileAttributes;
  }

  // DeleteFile: AccessDenied for a read-only file, SharingViolation for a
  // file somebody holds open.
  virtual WinError RemoveFile(std::string_view path) = 0;
  // RemoveDirectory: DirNotEmpty when it holds anything.
  virtual WinError RemoveDir(std::string_view path) = 0;
  // CreateDirectory (one level): AlreadyExists when it is there.
  virtual WinError MakeDir(std::string_view path) = 0;
  // FindFirstFile/FindNextFile over a pattern ("C:\\dir\\*.*"), "." and ".."
  // included as Windows reports them. FileNotFound when nothing matches,
  // PathNotFound when the directory is missing.
  virtual WinError Find(std::string_view pattern, std::vector<FindEntry>* out) = 0;
  // GetShortPathName of an existing path.
  virtual WinError ShortPath(std::string_view path, std::string* out) = 0;
  // MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT; an empty destination
  // deletes at the next start. The 9x family refuses (CallNotImplemented).
  virtual WinError MoveOnReboot(std::string_view source, std::string_view destination) = 0;
  // MoveFile (rename, also across directories of one volume).
  virtual WinError Rename(std::string_view source, std::string_view destination) = 0;
  // CopyFile.
  virtual WinError CopyTo(std::string_view source, std::string_view destination, bool failIfExists) = 0;

  // The company a file's version resource names (the "CompanyName" string
  // of its first translation). Success with empty text when the resource
  // names none; ResourceTypeNotFound when the file carries no version
  // information at all (a text file, a library built without it).
  virtual WinError VersionCompany(std::string_view path, std::string* company) = 0;
  // SfcIsFileProtected: whether Windows File Protection guards the file.
  // CallNotImplemented where Windows has none (before Windows 2000).
  virtual WinError IsProtectedSystemFile(std::string_view path, bool* isProtected) = 0;

  // Whole text files, bytes as stored (the caller splits lines).
  virtual WinError ReadText(std::string_view path, std::string* content) = 0;
  // Creates or truncates.
  virtual WinError WriteText(std::string_view path, std::string_view content) = 0;

  virtual std::string WindowsDirectory() = 0;
  virtual std::string SystemDirectory() = 0;
  virtual std::string TempDirectory() = 0;  // GetTempPath, with its trailing backslash
  // GetTempFileName with a new unique name: creates the empty file
  // "<directory>\<prefix><hex>.TMP" and gives its path.
  [[nodiscard]] virtual WinError CreateTempFile(std::string_view directory, std::string_view prefix,
                                                std::string* path) = 0;
  virtual std::string CurrentDirectory() = 0;
  virtual WinError SetCurrentDir(std::string_view path) = 0;
};

}  // namespace plat
