// Removing one driver of the maker: from the spooler, from the registry, and
// its files from every folder where this Windows keeps copies.
#include <memory>
#include <string>

#include "platform/text.h"
#include "platform/win_errors.h"
#include "platform/win_path.h"
#include "printing/driver_file_index.h"
#include "printing/driver_files.h"
#include "printing/printer_driver.h"
#include "printing/printer_driver_list.h"
#include "printing/system_file_owner.h"
#include "system/registry_helpers.h"

namespace {

const char kEnvironmentsKey[] = "System\\CurrentControlSet\\Control\\Print\\Environments\\";

// "X:\..." or "\\server\...": a relative name would be taken from the
// current directory, which is not where the spooler keeps anything.
bool IsFullPath(const std::string& path) { return winpath::IsDriveAbsolute(path) || winpath::IsUnc(path); }

// A copy in `directory` (or its `subfolder`); nothing when the directory is
// unknown, so that the name does not fall back to the root of the drive.
void DeleteCopyIn(PrintingContext& context, const std::string& directory, const std::string& fileName,
                  const NeededElsewhere& neededElsewhere, const char* subfolder = nullptr) {
  if (directory.empty()) return;
  const std::string folder = subfolder ? directory + "\\" + subfolder : directory;
  DeleteWithCompanions(context, folder + "\\" + fileName, neededElsewhere);
}

// A copy in the system directory, unless it is somebody else's there.
void DeleteSystemCopy(PrintingContext& context, const std::string& systemDirectory, const std::string& fileName,
                      const NeededElsewhere& neededElsewhere) {
  if (systemDirectory.empty()) return;
  const std::string path = systemDirectory + "\\" + fileName;
  if (IsOthersSystemFile(context, path)) return;
  DeleteWithCompanions(context, path, neededElsewhere);
}

// The index of the running removal pass; outside one, an index of the
// drivers as they are now, built into `own` on first use. Both give the
// same answers.
const DriverFileIndex& CurrentIndex(const PrintingContext& context, std::unique_ptr<DriverFileIndex>& own) {
  if (const DriverFileIndex* active = context.drivers.ActiveFileIndex()) return *active;
  if (!own) own = std::make_unique<DriverFileIndex>(context.drivers);
  return *own;
}

bool IsNativeVersion(OsKind os, std::uint32_t version) {
  return (IsNT4OrOlder(os) && version == 2) || (IsNT5(os) && version == 3);
}

}  // namespace

void CPrinterDriver::Remove() {
  if (!DeleteFromSpooler()) {
    // The spooler keeps listing the driver, so it stays a working driver:
    // its files and records stay with it, and the run reports it.
    state = RemovalState::Failed;
    return;
  }
  state = RemovalState::Removed;
  if (DriverFileIndex* index = context_.drivers.ActiveFileIndex()) index->Forget(*this);
  // The driver counts as removed; its keys are tidied as far as they go.
  for (const RegRemoval& removal : regRemovals) static_cast<void>(removal.Run(context_.platform.registry));
  std::vector<std::string> ownFiles;
  CollectOwnFiles(ownFiles);
  for (const std::string& file : ownFiles) DeleteDriverFile(file);
}

bool CPrinterDriver::DeleteFromSpooler() {
  plat::Spooler& spooler = context_.platform.spooler;
  const OsKind os = context_.os();
  plat::WinError error = winerr::Success;
  if (IsNT5(os)) {
    // Only the extended call removes one version and leaves the others.
    error = spooler.DeleteDriverEx(environment, name, plat::spool::DpdDeleteSpecificVersion, version);
  } else {
    error = spooler.DeleteDriver(environment, name);
  }
  if (error == winerr::Success) return true;

  // Forced out: a network monitor keeps a driver in use, so drop it first;
  // then the spooler forgets the driver when it restarts without its key.
  // The forced removal below goes on whether or not the driver took the change.
  static_cast<void>(DetachNetworkMonitor());
  bool keyGone = false;
  // Without a name or an environment the key would be the parent of every driver's.
  if (!name.empty() && !environment.empty()) {
    const std::string key = IsWin9x(os) ? kEnvironmentsKey + environment + "\\Drivers\\" + name
                                        : kEnvironmentsKey + environment + "\\Drivers\\Version-" +
                                              std::to_string(version) + "\\" + name;
    // A key that stays, or that is not where the spooler keeps the driver,
    // brings the driver back when the spooler starts again.
    keyGone = RegDeleteTree(context_.platform.registry, plat::kHkeyLocalMachine, key);
  }
  context_.restartSpooler = true;
  return keyGone;
}

void CPrinterDriver::CollectOwnFiles(std::vector<std::string>& out) const {
  std::unique_ptr<DriverFileIndex> ownIndex;
  const DriverFileIndex& index = CurrentIndex(context_, ownIndex);
  for (const std::string& file : dependentFiles) {
    if (!index.ListedByOtherSet(file, version, name)) out.push_back(file);
  }
}

void CPrinterDriver::DeleteDriverFile(const std::string& file) {
  // An empty entry (a driver without a help file) or a dot name names a folder.
  const std::string_view listedName = winpath::LastComponent(file);
  if (winpath::IsStepOrEmpty(listedName)) return;
  // The name Windows would open ("VORLOG.DLL " is "VORLOG.DLL"), so that the
  // copies below and the shared-file test see the file that would go.
  const std::string fileName(winpath::TrimName(listedName));
  // Archive members are checked as the listed files were: against the
  // drivers of other sets and this version.
  std::unique_ptr<DriverFileIndex> ownIndex;
  const NeededElsewhere neededElsewhere = [&](std::string_view path) {
    return CurrentIndex(context_, ownIndex).ListedByOtherSet(path, version, name);
  };
  const OsKind os = context_.os();
  const std::string systemDirectory = context_.platform.files.SystemDirectory();
  if (IsWin9x(os)) {
    const bool colourProfile = text::IEndsWith(fileName, ".ICM");
    // The 9x driver directory is the system directory itself.
    if (!colourProfile && !driverDir.empty() && winpath::SameFile(driverDir, systemDirectory))
      DeleteSystemCopy(context_, driverDir, fileName, neededElsewhere);
    else
      DeleteCopyIn(context_, driverDir, fileName, neededElsewhere, colourProfile ? "Color" : nullptr);
    return;
  }
  if (!IsWinNT(os)) return;
  if (IsFullPath(file)) {
    // A path the spooler gave into the system directory is a system copy
    // too, under the same rules as the one looked for by name below.
    const std::string_view folder = std::string_view(file).substr(0, file.size() - listedName.size());
    if (winpath::SameFile(folder, systemDirectory)) {
      if (!IsSharedFile(fileName)) DeleteSystemCopy(context_, systemDirectory, fileName, neededElsewhere);
    } else {
      DeleteWithCompanions(context_, file, neededElsewhere);
    }
  }
  if (IsNativeVersion(os, version)) DeleteCopyIn(context_, driverDir, fileName, neededElsewhere);
  if (version == 0) DeleteCopyIn(context_, win40DriverDir, fileName, neededElsewhere);
  if (version == 2) DeleteCopyIn(context_, driverDir, fileName, neededElsewhere, "AltNT");
  // The maker's shared files stay for the other programs that use them.
  if (!IsSharedFile(fileName)) DeleteSystemCopy(context_, systemDirectory, fileName, neededElsewhere);
}
