#include <algorithm>

#include "file_tree.h"
#include "library_lookup.h"
#include "machine_paths.h"

namespace sim {

namespace {
constexpr const char* kWinspool = "WINSPOOL.DRV";
constexpr const char* kDeleteDriverEx = "DeletePrinterDriverExA";

// What the system's own spooler library exports that the uninstaller may
// look up: DeletePrinterDriverExA came with Windows 2000.
LibraryEntry SystemWinspool(const MachineData& d) {
  LibraryEntry lib;
  lib.path = kWinspool;
  lib.exports = {"AddPrinterDriverA", "DeletePrinterDriverA", "EnumPrintersA", "EnumPrinterDriversA", "OpenPrinterA"};
  if (d.IsNT() && d.os.major >= 5) lib.exports.push_back(kDeleteDriverEx);
  return lib;
}

bool IsBareName(std::string_view s) { return s.find_first_of("\\/:") == std::string_view::npos; }
}  // namespace

std::optional<LibraryEntry> FindLibrary(const MachineData& d, std::string_view nameOrPath) {
  const std::string wanted = IsBareName(nameOrPath) ? std::string(nameOrPath) : NormalizeFilePath(nameOrPath);
  std::string key;
  if (d.libraries.count(wanted)) {
    key = wanted;
  } else if (IsBareName(wanted)) {
    // A bare name is searched in the program's directory and the system directory.
    for (const std::string& dir : {ParentOf(d.program), SystemDir(d)})
      if (d.libraries.count(dir + "\\" + wanted)) {
        key = dir + "\\" + wanted;
        break;
      }
  } else if (text::IEquals(ParentOf(wanted), SystemDir(d)) && d.libraries.count(LeafOf(wanted))) {
    key = LeafOf(wanted);  // a system library by its full path
  }
  if (key.empty() && text::IEquals(LeafOf(wanted), kWinspool) &&
      (IsBareName(wanted) || text::IEquals(ParentOf(wanted), SystemDir(d))))
    key = kWinspool;
  if (key.empty()) return std::nullopt;
  // A library named by full path must also be on disk: deleting it makes it unloadable.
  if (!IsBareName(key) && !d.files.count(key)) return std::nullopt;
  const auto listed = d.libraries.find(key);
  return listed != d.libraries.end() ? listed->second : SystemWinspool(d);
}

bool Exports(const LibraryEntry& library, std::string_view procedure) {
  return std::find(library.exports.begin(), library.exports.end(), procedure) != library.exports.end();
}

}  // namespace sim
