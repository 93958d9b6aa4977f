// One installed printer driver: one name in one print environment and
// version. It is the spooler's record as reported, but that `version` holds
// the 9x spooler's 1024 as 0 and `dependentFiles` holds the spooler's
// dependent files, then help, config, data and driver file (empty when the
// spooler listed no dependent files at all); with what the inventory adds:
// the user's choice, the outcome, where the driver's files lie and the
// registry keys that go with it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/spooler.h"
#include "printing/printing_context.h"
#include "printing/removal_state.h"
#include "system/reg_removal.h"

class CPrinterDriver : public plat::DriverInfo {
 public:
  // From a level-3 or level-6 record (info.level says which fields count),
  // with the driver directories of its environment and of "Windows 4.0".
  CPrinterDriver(plat::DriverInfo info, std::string driverDir, std::string win40DriverDir, PrintingContext& context);
  virtual ~CPrinterDriver() = default;
  CPrinterDriver(const CPrinterDriver&) = delete;
  CPrinterDriver& operator=(const CPrinterDriver&) = delete;

  std::string GetDisplayName() const { return displayName; }
  // Some entry of dependentFiles equals `file`, without case.
  bool ListsFile(std::string_view file) const;
  // The files other driver sets must leave to this driver: its dependent
  // files, or, when the spooler gave it no list at all, its driver, data,
  // config and help files (such a driver needs those all the same).
  std::vector<std::string> FilesForSharing() const;
  // Some file of FilesForSharing names `file`, as Windows reads names
  // (winpath::SameFile).
  bool NeedsFile(std::string_view file) const;
  // The main file is one of the maker's for this version.
  bool IsKnownFamily() const;

  // Installs the driver again from these fields (after its files or its
  // monitor changed): success or the spooler's error.
  [[nodiscard]] plat::WinError Reregister();
  // Drops every dependent file equal to one of `files` (without case), then
  // re-registers in any case.
  [[nodiscard]] plat::WinError RemoveDependentFiles(const std::vector<std::string>& files);
  // Drops a network monitor, which keeps the driver in use, and
  // re-registers; success when the driver has another monitor or none.
  [[nodiscard]] plat::WinError DetachNetworkMonitor();

  // Deletes the driver from the spooler (forcing it out when refused), then
  // its registry keys and the files no other set needs, and sets `state`:
  // a driver the spooler refuses counts as removed once its spooler key is
  // gone; one whose key stays is left whole and `Failed`.
  void Remove();
  // True when the spooler deleted the driver, or forgets it when it next
  // starts because its key is gone; false when the driver stays listed.
  [[nodiscard]] bool DeleteFromSpooler();
  // The dependent files that no present driver of another set and the same
  // version lists, in order, duplicates kept.
  void CollectOwnFiles(std::vector<std::string>& out) const;
  // Deletes one dependent file wherever this Windows keeps copies of it.
  void DeleteDriverFile(const std::string& file);

  PrintingContext& context() const { return context_; }

  bool selected = false;
  RemovalState state = RemovalState::NotTried;
  std::string displayName;
  std::string driverDir;
  std::string win40DriverDir;
  std::vector<RegRemoval> regRemovals;  // run after the spooler has deleted the driver

 private:
  PrintingContext& context_;
};
