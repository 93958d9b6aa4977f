// Every printer driver the spooler has installed in the environments the
// uninstaller cleans, grouped into sets by name, and which sets are the
// maker's.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/text.h"
#include "printing/printer_driver_set.h"
#include "printing/printing_context.h"

class CPrinterList;
class DriverFileIndex;

class CPrinterDriverList {
 public:
  using Sets = std::vector<std::unique_ptr<CPrinterDriverSet>>;

  explicit CPrinterDriverList(PrintingContext& context) : context_(context) {}
  virtual ~CPrinterDriverList() = default;
  CPrinterDriverList(const CPrinterDriverList&) = delete;
  CPrinterDriverList& operator=(const CPrinterDriverList&) = delete;

  // Enumerates the environments of the running Windows.
  bool Build();
  bool BuildForEnvironment(std::string_view environment);
  // First set whose name equals `name` exactly.
  CPrinterDriverSet* FindSet(std::string_view name) const;
  // Ties every printer to the sets its driver name leads to, and prepares
  // the registry keys of the maker's printers. When the printers could not
  // be listed, every set counts as in use for the run.
  void AttachPrinters(CPrinterList& printers);
  // Some printer uses the set, or the printers could not be listed.
  bool IsInUse(const CPrinterDriverSet& set) const;
  bool PrintersUnknown() const { return printersUnknown_; }
  // Flags the sets that are of a known family and named by the model list.
  void RecognizeMakerSets(std::string_view iniPath);
  // Appends the drivers of the maker's sets that no printer uses.
  void CollectOrphanDrivers(std::vector<CPrinterDriver*>& out) const;
  bool AnyMakerSet() const;
  bool AnyMakerDriverLeft() const;
  // The maker's sets with a failed driver, each name followed by "\n".
  std::string FailedSetNames() const;
  // What the completion reports of the drivers: FailedSetNames, after a line
  // saying why nothing was removed when the printers could not be listed.
  std::string FailureText() const;
  // The maker's sets still installed detach their network monitors; the
  // first error, after all.
  [[nodiscard]] plat::WinError DetachNetworkMonitors();
  // No installed driver of any set keeps naming one of `files` (whole text,
  // without case).
  void RemoveFilesFromAllDrivers(const std::vector<std::string>& files);
  // Removes the selected drivers of the maker's sets that no printer uses any more.
  void RemoveFreedMakerDrivers();
  // The file index of the removal pass under way, or null outside one.
  DriverFileIndex* ActiveFileIndex() const { return activeFileIndex_; }

  Sets::const_iterator begin() const { return sets_.begin(); }
  Sets::const_iterator end() const { return sets_.end(); }
  std::size_t size() const { return sets_.size(); }
  bool empty() const { return sets_.empty(); }

  PrintingContext& context() const { return context_; }

 private:
  PrintingContext& context_;
  Sets sets_;  // in the order each name was first met
  // Each set by its name, so that building and attaching stay linear in the
  // number of drivers and printers. A set's name is its first driver's,
  // which never changes once the set exists.
  // Looked up by view, so that asking makes no copy of the name.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  std::unordered_map<std::string, CPrinterDriverSet*, NameHash, std::equal_to<>> setsByName_;
  // The same by case-folded name, with the printers of that name; one name
  // may spell several sets. A node keeps its place, so the sets can point
  // to theirs.
  std::unordered_map<std::string, SetsOfOneName> setsByFoldedName_;
  // The driver directory of each environment met, asked of the spooler
  // once; empty when the spooler would not say.
  std::map<std::string, std::string, text::ILessFn> driverDirectories_;
  DriverFileIndex* activeFileIndex_ = nullptr;  // set while RemoveFreedMakerDrivers runs
  bool printersUnknown_ = false;

  const std::string& DriverDirectory(const std::string& environment);
  // The driver pass of a run whose printers could not be listed: every
  // maker's driver still present stays and is reported as not removed.
  void KeepAllMakerDrivers();
};
