#include "machine_state.h"
#include "platform/file_system.h"
#include "platform/win_errors.h"

namespace sim {

// "c:/dir//x\\" -> "c:\\dir\\x": the forms Windows accepts for one path.
std::string NormalizeFilePath(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (c == '/') c = '\\';
    if (c == '\\' && !out.empty() && out.back() == '\\' && out.size() > 1) continue;
    out.push_back(c);
  }
  while (out.size() > 3 && out.back() == '\\') out.pop_back();
  if (out.size() == 3 && out[1] == ':' && out[2] == '\\') out.pop_back();  // "C:\\" is the drive "C:"
  return out;
}

namespace {
std::string ParentOf(const std::string& path) {
  const auto cut = path.rfind('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

bool IsDrive(const std::string& path) { return path.size() == 2 && path[1] == ':'; }

// A directory exists when it is listed or when anything lies below it.
bool DirectoryExists(const MachineData& d, const std::string& dir) {
  const auto listed = d.files.find(dir);
  if (listed != d.files.end()) return (listed->second.attributes & plat::fileattr::Directory) != 0;
  const std::string prefix = dir + "\\";
  const auto next = d.files.lower_bound(prefix);
  if (next != d.files.end() && text::IStartsWith(next->first, prefix)) return true;
  // The system drive is always there.
  return IsDrive(dir) && text::IEquals(dir, "C:");
}
}  // namespace

std::uint32_t SimFiles::GetAttributes(std::string_view rawPath, std::uint32_t* attributes) {
  if (auto f = m_.Fault("FileSystem.GetAttributes", rawPath)) return *f;
  if (attributes) *attributes = plat::kInvalidFileAttributes;
  const std::string path = NormalizeFilePath(rawPath);
  if (path.empty()) return winerr::PathNotFound;
  const auto file = m_.data.files.find(path);
  if (file != m_.data.files.end()) {
    if (attributes) *attributes = file->second.attributes;
    return winerr::Success;
  }
  if (DirectoryExists(m_.data, path)) {
    if (attributes) *attributes = plat::fileattr::Directory;
    return winerr::Success;
  }
  const std::string parent = ParentOf(path);
  return !parent.empty() && DirectoryExists(m_.data, parent) ? winerr::FileNotFound : winerr::PathNotFound;
}

}  // namespace sim
