#include "sim_zip_lister.h"

#include "model/file_tree.h"
#include "model/library_lookup.h"
#include "model/machine_paths.h"
#include "model/machine_state.h"
#include "platform/file_system.h"
#include "platform/win_errors.h"
#include "platform/win_path.h"

namespace sim {

namespace {
constexpr const char* kZipList = "PtZipList";
}  // namespace

plat::WinError SimZipLister::List(std::string_view libraryPath, std::string_view archiveBase) {
  if (auto f = m_.Fault("ZipLister.List", archiveBase)) return *f;
  const auto library = FindLibrary(m_.data, libraryPath);
  if (!library) return winerr::ModNotFound;
  if (!Exports(*library, kZipList)) return winerr::ProcNotFound;
  const std::string base = NormalizeFilePath(archiveBase);
  // The lister is given the archive's path without its extension.
  const std::vector<std::string>* members = nullptr;
  std::string archive;
  for (const auto& [path, list] : m_.data.zipArchives) {
    const auto dot = path.rfind('.');
    const bool hasExtension = winpath::LastComponent(path).find('.') != std::string_view::npos;
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
