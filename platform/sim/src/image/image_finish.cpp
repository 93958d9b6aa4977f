#include <map>

#include "image_load.h"
#include "model/file_tree.h"
#include "model/machine_paths.h"
#include "platform/file_system.h"
#include "platform/spooler.h"

namespace sim {

namespace {
void AddFileIfMissing(MachineData& d, const std::string& listedPath, std::uint32_t attributes) {
  if (listedPath.empty()) return;
  // A driver record may spell a file the way Windows reads differently ("A.DLL.").
  const std::string path = NormalizeFilePath(listedPath);
  // A drive exists without an entry (a temp or Windows directory at C:\).
  // Listed as an entry it would be a child of nothing.
  if (IsDrive(path)) return;
  // One search of the table: thousands of drivers name the same few files.
  const auto [entry, added] = d.files.try_emplace(path);
  if (!added) return;
  entry->second.path = path;
  entry->second.attributes = attributes;
}

// Explicit short names must not collide with a sibling's short name, nor
// with a sibling whose long name is itself 8.3. Each folder's claims on 8.3
// names are counted once: a saved image gives every file its short name.
void CheckShortNames(const MachineData& d) {
  std::map<std::string, std::map<std::string, int, text::ILessFn>, text::ILessFn> claimsByDir;
  for (const auto& [path, f] : d.files) {
    auto& claims = claimsByDir[ParentOf(path)];
    if (!f.shortName.empty()) ++claims[f.shortName];
    const std::string leaf = LeafOf(path);
    if (IsShortName(leaf)) ++claims[leaf];
  }
  for (const auto& [path, f] : d.files) {
    if (f.shortName.empty()) continue;
    const std::string leaf = LeafOf(path);
    // The entry's own claims are no clash.
    int others = claimsByDir[ParentOf(path)][f.shortName] - 1;
    if (IsShortName(leaf) && text::IEquals(leaf, f.shortName)) --others;
    if (others > 0) Fail("/files/" + path + "/shortName", "'" + f.shortName + "' is already used in this directory");
  }
}
}  // namespace

void FinishMachine(MachineData& d) {
  for (const auto& [path, f] : d.files) {
    const auto parent = d.files.find(ParentOf(path));
    if (parent != d.files.end() && !parent->second.IsDirectory())
      Fail("/files/" + path, "lies inside '" + parent->first + "', which is a file");
  }
  if (!d.filesComplete) AddImpliedFiles(d);
  CheckShortNames(d);
  CompleteFileTree(d);
  if (d.currentDirectory.empty()) d.currentDirectory = ParentOf(NormalizeFilePath(d.program));
  if (d.currentDirectory.empty() || !DirectoryExists(d, d.currentDirectory)) d.currentDirectory = WindowsDir(d);
}

void AddImpliedFiles(MachineData& d) {
  // Every installation has these, whatever the image lists.
  std::vector<std::string> standard{WindowsDir(d), SystemDir(d), TempDir(d)};
  if (d.IsNT()) {
    standard.push_back(DriverDirectory(d, plat::spool::EnvNtX86));
    standard.push_back(SystemDir(d) + "\\spool\\drivers\\color");
    standard.push_back(PrintProcessorDirectory(d, plat::spool::EnvNtX86));
  } else {
    standard.push_back(SystemDir(d) + "\\Color");
  }
  for (const auto& dir : standard) AddFileIfMissing(d, dir, plat::fileattr::Directory);
  // A driver's files are where its record says, listed or not.
  for (const auto& r : d.drivers) {
    for (const std::string* f : {&r.driverPath, &r.dataFile, &r.configFile, &r.helpFile})
      AddFileIfMissing(d, *f, plat::fileattr::Archive);
    for (const auto& f : r.dependentFiles) AddFileIfMissing(d, f, plat::fileattr::Archive);
  }
}

}  // namespace sim
