// A file system of text files in memory, for the line filters: whole-file
// reads and writes, temporary files, copies and deletions, each of which a
// test can make fail. Everything else is not there.
#pragma once
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/text.h"

namespace memfs {

// Paths compare without case, as on Windows.
struct PathLess {
  bool operator()(const std::string& a, const std::string& b) const { return text::ILess(a, b); }
};

class MemoryFiles : public plat::FileSystem {
 public:
  std::map<std::string, std::string, PathLess> files;
  std::string tempDirectory = "C:\\TEMP\\";
  // Calls that fail, by name ("ReadText", "WriteText", "CopyTo",
  // "CreateTempFile").
  std::set<std::string, std::less<>> failing;

  plat::WinError ReadText(std::string_view path, std::string* content) override {
    if (failing.count("ReadText")) return winerr::AccessDenied;
    const auto it = files.find(std::string(path));
    if (it == files.end()) return winerr::FileNotFound;
    *content = it->second;
    return winerr::Success;
  }
  plat::WinError WriteText(std::string_view path, std::string_view content) override {
    if (failing.count("WriteText")) return winerr::NotReady;
    files[std::string(path)] = std::string(content);
    return winerr::Success;
  }
  plat::WinError CopyTo(std::string_view source, std::string_view destination, bool failIfExists) override {
    if (failing.count("CopyTo")) return winerr::SharingViolation;
    const auto it = files.find(std::string(source));
    if (it == files.end()) return winerr::FileNotFound;
    if (failIfExists && files.count(std::string(destination))) return winerr::FileExists;
    const std::string content = it->second;
    files[std::string(destination)] = content;
    return winerr::Success;
  }
  plat::WinError RemoveFile(std::string_view path) override {
    return files.erase(std::string(path)) ? winerr::Success : winerr::FileNotFound;
  }
  std::string TempDirectory() override { return tempDirectory; }
  plat::WinError CreateTempFile(std::string_view directory, std::string_view prefix, std::string* path) override {
    if (failing.count("CreateTempFile")) return winerr::AccessDenied;
    std::string dir(directory);
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    *path = dir + std::string(prefix) + std::to_string(++tempCounter_) + ".TMP";
    files[*path] = "";
    return winerr::Success;
  }

  plat::WinError GetAttributes(std::string_view path, std::uint32_t* attributes) override {
    if (!files.count(std::string(path))) return winerr::FileNotFound;
    *attributes = plat::fileattr::Archive;
    return winerr::Success;
  }
  plat::WinError SetAttributes(std::string_view, std::uint32_t) override { return winerr::CallNotImplemented; }
  plat::WinError RemoveDir(std::string_view) override { return winerr::CallNotImplemented; }
  plat::WinError MakeDir(std::string_view) override { return winerr::CallNotImplemented; }
  plat::WinError Find(std::string_view, std::vector<plat::FindEntry>*) override { return winerr::CallNotImplemented; }
  plat::WinError ShortPath(std::string_view, std::string*) override { return winerr::CallNotImplemented; }
  plat::WinError MoveOnReboot(std::string_view, std::string_view) override { return winerr::CallNotImplemented; }
  plat::WinError Rename(std::string_view, std::string_view) override { return winerr::CallNotImplemented; }
  plat::WinError VersionCompany(std::string_view, std::string*) override { return winerr::CallNotImplemented; }
  plat::WinError IsProtectedSystemFile(std::string_view, bool*) override { return winerr::CallNotImplemented; }
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
  std::string SystemDirectory() override { return "C:\\WINDOWS\\SYSTEM32"; }
  std::string CurrentDirectory() override { return "C:\\"; }
  plat::WinError SetCurrentDir(std::string_view) override { return winerr::CallNotImplemented; }

 private:
  int tempCounter_ = 0;
};

}  // namespace memfs
