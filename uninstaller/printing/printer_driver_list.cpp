#include "printing/printer_driver_list.h"

#include <algorithm>
#include <unordered_set>

#include "platform/text.h"
#include "platform/win_errors.h"
#include "printing/model_list.h"
#include "printing/printer_list.h"

bool CPrinterDriverList::Build() {
  const OsKind os = context_.os();
  if (IsNT5(os)) return BuildForEnvironment(plat::spool::EnvAll);
  if (IsNT4OrOlder(os)) {
    // Both calls run: the 9x drivers an NT server keeps for its clients are
    // listed even when its own environment cannot be read.
    const bool win40 = BuildForEnvironment(plat::spool::EnvWin40);
    const bool ntX86 = BuildForEnvironment(plat::spool::EnvNtX86);
    return win40 || ntX86;
  }
  return BuildForEnvironment(plat::spool::EnvWin40);
}

bool CPrinterDriverList::BuildForEnvironment(std::string_view environment) {
  // Windows 2000 and XP report the level-6 record with the driver's
  // identity; older spoolers know level 3 only.
  const std::uint32_t level = IsNT5(context_.os()) ? 6 : 3;
  std::vector<plat::DriverInfo> records;
  if (context_.platform.spooler.EnumDrivers(environment, level, &records) != winerr::Success) return false;

  for (plat::DriverInfo& record : records) {
    CPrinterDriverSet* set = FindSet(record.name);
    if (!set) {
      sets_.push_back(std::make_unique<CPrinterDriverSet>(context_));
      set = sets_.back().get();
      setsByName_.emplace(record.name, set);
      set->JoinName(setsByFoldedName_[text::Fold(record.name)]);
    }
    const std::string& directory = DriverDirectory(record.environment);
    // The 9x family has one environment: its drivers' "Windows 4.0"
    // directory is their own.
    const std::string& win40Directory = IsWinNT(context_.os()) ? DriverDirectory(plat::spool::EnvWin40) : directory;
    set->drivers.push_back(std::make_unique<CPrinterDriver>(std::move(record), directory, win40Directory, context_));
  }
  return true;
}

const std::string& CPrinterDriverList::DriverDirectory(const std::string& environment) {
  const auto known = driverDirectories_.find(environment);
  if (known != driverDirectories_.end()) return known->second;
  std::string directory;
  if (context_.platform.spooler.GetDriverDirectory(environment, &directory) != winerr::Success) directory.clear();
  return driverDirectories_.emplace(environment, std::move(directory)).first->second;
}

CPrinterDriverSet* CPrinterDriverList::FindSet(std::string_view name) const {
  const auto found = setsByName_.find(name);
  return found == setsByName_.end() ? nullptr : found->second;
}

void CPrinterDriverList::AttachPrinters(CPrinterList& printers) {
  // Without the list, a set with no printer attached may still be used by
  // one: removing it would take a driver from a printer that prints with it.
  if (printers.EnumerationFailed()) printersUnknown_ = true;
  for (const auto& printer : printers) {
    // The set of the exact spelling decides whose printer it is; without
    // one, the first set of the name in any case does.
    printer->driverSet = FindSet(printer->driverName);
    if (!printer->driverSet) {
      const auto found = setsByFoldedName_.find(text::Fold(printer->driverName));
      if (found != setsByFoldedName_.end()) printer->driverSet = found->second.sets.front();
    }
    // Every set of the name stays in use while the printer is there.
    if (printer->driverSet) printer->driverSet->AttachPrinter(*printer);
    // Now that it is known whose printer it is: the registry is read for
    // the keys of the printers that may be removed, and of no others.
    if (printer->IsMakerPrinter()) printer->CollectRegistryRemovals();
  }
}

void CPrinterDriverList::RecognizeMakerSets(std::string_view iniPath) {
  std::vector<std::string> names;
  ReadModelNames(context_.platform.files, iniPath, names, true);
  const std::unordered_set<std::string> listed(names.begin(), names.end());  // exact, like the names
  for (const auto& set : sets_) {
    // Both tests must agree: a known file under a name the maker's installer
    // did not list may be another maker's driver built on the same files.
    if (set->IsKnownFamily() && listed.count(set->GetName())) {
      set->isMaker = true;
    }
  }
}

bool CPrinterDriverList::IsInUse(const CPrinterDriverSet& set) const {
  return printersUnknown_ || !set.Printers().empty();
}

void CPrinterDriverList::CollectOrphanDrivers(std::vector<CPrinterDriver*>& out) const {
  for (const auto& set : sets_) {
    if (!set->isMaker || IsInUse(*set)) continue;
    for (const auto& driver : set->drivers) out.push_back(driver.get());
  }
}

bool CPrinterDriverList::AnyMakerSet() const {
  return std::any_of(sets_.begin(), sets_.end(), [](const auto& set) { return set->isMaker; });
}

bool CPrinterDriverList::AnyMakerDriverLeft() const {
  return std::any_of(sets_.begin(), sets_.end(),
                     [](const auto& set) { return set->isMaker && set->AnyDriverPresent(); });
}

void CPrinterDriverList::KeepAllMakerDrivers() {
  for (const auto& set : sets_) {
    if (!set->isMaker) continue;
    for (const auto& driver : set->drivers) {
      if (driver->state != RemovalState::Removed) driver->state = RemovalState::Failed;
    }
  }
}

std::string CPrinterDriverList::FailureText() const {
  const std::string names = FailedSetNames();
  if (!printersUnknown_) return names;
  return "The printers could not be listed, so no printer driver was removed.\n" + names;
}

std::string CPrinterDriverList::FailedSetNames() const {
  std::string names;
  for (const auto& set : sets_) {
    if (set->isMaker && set->AnyDriverFailed()) names += set->GetName() + "\n";
  }
  return names;
}
