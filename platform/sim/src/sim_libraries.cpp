#include <algorithm>

#include "file_tree.h"
#include "machine_paths.h"
#include "machine_state.h"
#include "platform/win_errors.h"

namespace sim {

namespace {
constexpr const char* kWinspool = "WINSPOOL.DRV";
constexpr const char* kDeleteDriverEx = "DeletePrinterDriverExA";
constexpr const char* kZipList = "PtZipList";

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

std::uint32_t SimLibraries::Load(std::string_view nameOrPath, plat::Handle* module) {
  if (auto f = m_.Fault("Libraries.Load", nameOrPath)) return *f;
  if (module == nullptr) return winerr::InvalidParameter;
  *module = plat::kNoHandle;
  const std::string wanted = IsBareName(nameOrPath) ? std::string(nameOrPath) : NormalizeFilePath(nameOrPath);
  std::string key;
  if (m_.data.libraries.count(wanted)) {
    key = wanted;
  } else if (IsBareName(wanted)) {
    // A bare name is searched in the program's directory and the system directory.
    for (const std::string& dir : {ParentOf(m_.data.program), SystemDir(m_.data)})
      if (m_.data.libraries.count(dir + "\\" + wanted)) {
        key = dir + "\\" + wanted;
        break;
      }
  } else if (text::IEquals(ParentOf(wanted), SystemDir(m_.data)) && m_.data.libraries.count(LeafOf(wanted))) {
    key = LeafOf(wanted);  // a system library by its full path
  }
  if (key.empty() && text::IEquals(LeafOf(wanted), kWinspool) &&
      (IsBareName(wanted) || text::IEquals(ParentOf(wanted), SystemDir(m_.data))))
    key = kWinspool;
  if (key.empty()) return winerr::ModNotFound;
  // A library named by full path must also be on disk: deleting it makes it unloadable.
  if (!IsBareName(key) && !m_.data.files.count(key)) return winerr::ModNotFound;
  *module = m_.NewHandle();
  loaded_.emplace(*module, key);
  return winerr::Success;
}

std::uint32_t SimLibraries::FindProcedure(plat::Handle module, std::string_view name, plat::Handle* procedure) {
  const auto it = loaded_.find(module);
  if (auto f = m_.Fault("Libraries.FindProcedure", name)) return *f;
  if (procedure) *procedure = plat::kNoHandle;
  if (it == loaded_.end()) return winerr::InvalidHandle;
  const auto listed = m_.data.libraries.find(it->second);
  const LibraryEntry lib = listed != m_.data.libraries.end() ? listed->second : SystemWinspool(m_.data);
  // Export names are matched with case, as GetProcAddress does.
  if (std::find(lib.exports.begin(), lib.exports.end(), name) == lib.exports.end()) return winerr::ProcNotFound;
  const plat::Handle h = m_.NewHandle();
  m_.procedures.emplace(h, MachineState::Procedure{module, it->second, std::string(name)});
  if (procedure) *procedure = h;
  return winerr::Success;
}

void SimLibraries::Close(plat::Handle module) {
  if (loaded_.erase(module) == 0) return;
  // Procedures of a freed library are gone with it.
  for (auto p = m_.procedures.begin(); p != m_.procedures.end();)
    p = p->second.module == module ? m_.procedures.erase(p) : std::next(p);
}

std::uint32_t SimZipLister::InvokeList(plat::Handle procedure, std::string_view archiveBase) {
  if (auto f = m_.Fault("ZipLister.InvokeList", archiveBase)) return *f;
  const auto proc = m_.procedures.find(procedure);
  if (proc == m_.procedures.end() || proc->second.name != kZipList) return winerr::InvalidHandle;
  const std::string base = NormalizeFilePath(archiveBase);
  // The lister is given the archive's path without its extension.
  const std::vector<std::string>* members = nullptr;
  std::string archive;
  for (const auto& [path, list] : m_.data.zipArchives) {
    const auto dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > path.rfind('\\');
    if (text::IEquals(hasExtension ? path.substr(0, dot) : path, base) && m_.data.files.count(path)) {
      members = &list;
      archive = path;
      break;
    }
  }
  const std::string listPath = base + ".txt";
  m_.Record({{"event", "zipList"}, {"archive", archive.empty() ? base : archive}, {"list", listPath},
             {"found", members != nullptr}});
  if (members == nullptr) return winerr::FileNotFound;
  std::string content;
  for (const auto& m : *members) content += m + "\r\n";
  if (!DirectoryExists(m_.data, ParentOf(listPath))) return winerr::PathNotFound;
  auto existing = m_.data.files.find(listPath);
  FileEntry& e = existing != m_.data.files.end() ? existing->second : AddEntry(m_.data, listPath, plat::fileattr::Archive);
  e.content = std::move(content);
  return winerr::Success;
}

}  // namespace sim
