#include "system/protected_paths.h"

#include <algorithm>

#include "platform/win_errors.h"
#include "platform/win_path.h"
#include "system/registry_helpers.h"

namespace {
const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
// The spooler keeps drivers in numbered version folders below its driver
// directory, and colour profiles in "Color" on the 9x family.
const char* const kDriverSubfolders[] = {"0", "1", "2", "3", "Color"};
}  // namespace

ProtectedPaths::ProtectedPaths(plat::FileSystem& files, plat::Registry& registry, plat::Spooler& spooler)
    : files_(files), registry_(registry), spooler_(spooler) {}

std::vector<std::string> ProtectedPaths::Directories() {
  std::vector<std::string> dirs = {files_.WindowsDirectory(), files_.SystemDirectory()};
  for (const char* name : {"ProgramFilesDir", "CommonFilesDir"})
    dirs.push_back(RegGetString(registry_, plat::kHkeyLocalMachine, kCurrentVersionKey, name).value_or(""));
  for (const char* environment : {plat::spool::EnvWin40, plat::spool::EnvNtX86}) {
    std::string driverDir;
    if (spooler_.GetDriverDirectory(environment, &driverDir) == winerr::Success && !driverDir.empty()) {
      for (const char* sub : kDriverSubfolders) dirs.push_back(driverDir + "\\" + sub);
      dirs.push_back(std::move(driverDir));
    }
    std::string processorDir;
    if (spooler_.GetProcessorDirectory(environment, &processorDir) == winerr::Success)
      dirs.push_back(std::move(processorDir));
  }
  std::erase_if(dirs, [](const std::string& d) { return d.empty(); });
  return dirs;
}

std::string ProtectedPaths::ShortFormOf(const std::string& path) {
  std::string rest;
  std::string existing = path;
  while (!existing.empty()) {
    std::string shortForm;
    if (files_.ShortPath(existing, &shortForm) == winerr::Success && !shortForm.empty()) return shortForm + rest;
    const std::size_t cut = winpath::Parent(existing).size();
    if (cut < 3) break;  // at the root: nothing of it exists
    rest = existing.substr(cut) + rest;
    existing.resize(cut);
  }
  return {};
}

std::vector<std::string> ProtectedPaths::KeysOf(std::string_view path, std::string_view currentDirectory) {
  std::vector<std::string> keys;
  const winpath::FullPath longForm = winpath::Canonicalize(path, currentDirectory);
  if (longForm.key.empty()) return keys;
  keys.push_back(longForm.key);
  if (longForm.depth > 0) {
    const std::string shortForm = ShortFormOf(longForm.path);
    if (!shortForm.empty()) {
      const winpath::FullPath canonicalShort = winpath::Canonicalize(shortForm, currentDirectory);
      if (!canonicalShort.key.empty() && canonicalShort.key != longForm.key) keys.push_back(canonicalShort.key);
    }
  }
  return keys;
}

bool ProtectedPaths::Covers(std::string_view directory) {
  const std::string cwd = files_.CurrentDirectory();
  const winpath::FullPath candidate = winpath::Canonicalize(directory, cwd);
  // A path that resolves to nothing or to a root is never a tree to delete.
  if (candidate.key.empty() || candidate.depth == 0) return true;

  for (const auto& dir : Directories())
    for (auto& key : KeysOf(dir, cwd))
      if (std::find(knownKeys_.begin(), knownKeys_.end(), key) == knownKeys_.end()) knownKeys_.push_back(key);

  for (const auto& candidateKey : KeysOf(directory, cwd))
    for (const auto& key : knownKeys_)
      if (winpath::IsSameOrAncestorKey(candidateKey, key)) return true;
  return false;
}
