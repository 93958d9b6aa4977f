#include "sim_spooler.h"

#include <algorithm>
#include <set>

#include "model/file_tree.h"
#include "model/library_lookup.h"
#include "model/machine_paths.h"
#include "model/machine_state.h"
#include "platform/services.h"
#include "platform/spooler.h"
#include "platform/win_errors.h"

namespace sim {

namespace {
constexpr std::uint32_t kAttributeNetwork = 0x10;
constexpr std::uint32_t kAttributeLocal = 0x40;
constexpr std::uint32_t kStatusPendingDeletion = 0x4;
constexpr std::uint32_t kAccessAdminister = 0x4;
constexpr std::uint32_t kDelete = 0x10000;
constexpr std::uint32_t kWriteDacOwner = 0xC0000;

// The stored record as the spooler answers at `level`: a level-3 record
// carries none of the fields level 6 added.
plat::DriverInfo InfoOf(const plat::DriverInfo& d, std::uint32_t level) {
  plat::DriverInfo i = d;
  i.level = level;
  if (level != 6) {
    i.previousNames.clear();
    i.driverDate = 0;
    i.driverVersion = 0;
    i.mfgName.clear();
    i.oemUrl.clear();
    i.hardwareId.clear();
    i.provider.clear();
  }
  return i;
}

std::vector<std::string> FilesOf(const plat::DriverInfo& d) {
  std::vector<std::string> files;
  for (const std::string* f : {&d.driverPath, &d.dataFile, &d.configFile, &d.helpFile})
    if (!f->empty()) files.push_back(NormalizeFilePath(*f));
  // The files as Windows opens them ("A.DLL." is "A.DLL").
  for (const std::string& f : d.dependentFiles) files.push_back(NormalizeFilePath(f));
  return files;
}
}  // namespace

// A stopped spooler answers nothing on NT; the 9x spooler is part of the
// system and always there. A machine that does not list the service has a
// running one.
plat::WinError SimSpooler::Available() {
  Drain(m_.Now());
  if (!m_.data.IsNT()) return winerr::Success;
  const auto it = m_.data.services.find("spooler");
  if (it != m_.data.services.end() && it->second.state == plat::svc::Stopped) return winerr::RpcServerUnavailable;
  return winerr::Success;
}

void SimSpooler::Drain(std::uint64_t virtualMs) {
  if (!queuesToDrain_) return;
  bool waiting = false;
  std::vector<std::string> printed;  // pending deletions whose queue emptied
  for (PrinterEntry& p : m_.data.printers) {
    const bool due = p.drainSeconds && *p.drainSeconds * 1000 <= virtualMs;
    if (!due || p.jobs.empty()) {
      waiting = waiting || (p.drainSeconds && !p.jobs.empty());
      continue;
    }
    const std::uint64_t at = *p.drainSeconds * 1000;
    m_.RecordAt({{"event", "jobsPrinted"}, {"printer", p.FullName()}, {"count", p.jobs.size()}}, at);
    p.jobs.clear();
    p.drainSeconds.reset();
    if (p.pendingDeletion) {
      m_.RecordAt({{"event", "printerDeleted"}, {"name", p.FullName()}, {"afterJobs", true}}, at);
      printed.push_back(p.FullName());
    }
  }
  for (const std::string& name : printed) m_.data.printers.Erase(name);
  queuesToDrain_ = waiting;
}

PrinterEntry* SimSpooler::FindPrinter(std::string_view fullName) { return m_.data.printers.Find(fullName); }

plat::WinError SimSpooler::ListPrinters(std::uint32_t flags, std::vector<plat::PrinterInfo>* out) {
  if (auto f = m_.Fault("Spooler.ListPrinters", std::to_string(flags))) return *f;
  if (const auto e = Available(); e.failed()) return e;
  std::vector<plat::PrinterInfo> list;
  for (const auto& p : m_.data.printers) {
    const bool wanted = p.IsConnection() ? (flags & plat::spool::EnumConnections) != 0
                                         : (flags & plat::spool::EnumLocal) != 0;
    if (!wanted) continue;
    plat::PrinterInfo i;
    i.serverName = p.serverName;
    i.printerName = p.FullName();
    i.shareName = p.shareName;
    i.portName = p.portName;
    i.driverName = p.driverName;
    i.printProcessor = p.printProcessor;
    i.datatype = p.datatype;
    i.attributes = p.attributes | (p.IsConnection() ? kAttributeNetwork : kAttributeLocal);
    i.status = p.status | (p.pendingDeletion ? kStatusPendingDeletion : 0);
    i.jobs = static_cast<std::uint32_t>(p.jobs.size());
    list.push_back(std::move(i));
  }
  if (out) *out = std::move(list);
  return winerr::Success;
}

plat::WinError SimSpooler::OpenPrinterByName(std::string_view name, std::uint32_t access, plat::Handle* out) {
  if (auto f = m_.Fault("Spooler.OpenPrinterByName", name)) return *f;
  if (out) *out = plat::kNoHandle;
  if (const auto e = Available(); e.failed()) return e;
  const PrinterEntry* p = FindPrinter(name);
  if (p == nullptr) return winerr::InvalidPrinterName;
  // Administering a printer takes an administrator on NT.
  const bool administers = (access & (kAccessAdminister | kDelete | kWriteDacOwner)) != 0;
  if (administers && m_.data.IsNT() && !m_.data.token.IsAdministrator()) return winerr::AccessDenied;
  const plat::Handle h = m_.NewHandle();
  open_.emplace(h, OpenPrinterEntry{p->FullName(), access});
  if (out) *out = h;
  return winerr::Success;
}

plat::WinError SimSpooler::DeletePrinter(plat::Handle printer) {
  const auto it = open_.find(printer);
  if (auto f = m_.Fault("Spooler.DeletePrinter", it == open_.end() ? std::string() : it->second.name)) return *f;
  if (it == open_.end()) return winerr::InvalidHandle;
  if (const auto e = Available(); e.failed()) return e;
  if (!(it->second.access & kDelete)) return winerr::AccessDenied;
  PrinterEntry* p = FindPrinter(it->second.name);
  if (p == nullptr) return winerr::InvalidPrinterName;
  // A connection's printer belongs to its server, which does not let us delete it.
  if (p->IsConnection()) return winerr::AccessDenied;
  if (!p->jobs.empty()) {
    // Windows accepts the deletion and carries it out once the queue is empty.
    p->pendingDeletion = true;
    m_.Record({{"event", "printerDeleted"}, {"name", p->FullName()}, {"pending", true}, {"jobs", p->jobs.size()}});
    return winerr::Success;
  }
  m_.Record({{"event", "printerDeleted"}, {"name", p->FullName()}});
  m_.data.printers.Erase(it->second.name);
  return winerr::Success;
}

plat::WinError SimSpooler::ClosePrinter(plat::Handle printer) {
  const auto it = open_.find(printer);
  if (auto f = m_.Fault("Spooler.ClosePrinter", it == open_.end() ? std::string() : it->second.name)) return *f;
  if (it == open_.end()) return winerr::InvalidHandle;
  open_.erase(it);
  return winerr::Success;
}

plat::WinError SimSpooler::DeleteConnection(std::string_view name) {
  if (auto f = m_.Fault("Spooler.DeleteConnection", name)) return *f;
  if (const auto e = Available(); e.failed()) return e;
  const PrinterEntry* p = FindPrinter(name);
  if (p == nullptr || !p->IsConnection()) return winerr::InvalidPrinterName;
  m_.Record({{"event", "connectionDeleted"}, {"name", p->FullName()}});
  m_.data.printers.Erase(name);
  return winerr::Success;
}

plat::WinError SimSpooler::ListJobs(plat::Handle printer, std::uint32_t firstJob, std::uint32_t count,
                                   std::vector<plat::JobInfo>* out) {
  const auto it = open_.find(printer);
  if (auto f = m_.Fault("Spooler.ListJobs", it == open_.end() ? std::string() : it->second.name)) return *f;
  if (out) out->clear();
  if (it == open_.end()) return winerr::InvalidHandle;
  if (const auto e = Available(); e.failed()) return e;
  const PrinterEntry* p = FindPrinter(it->second.name);
  if (p == nullptr) return winerr::InvalidPrinterName;
  std::vector<plat::JobInfo> jobs;
  for (std::size_t i = firstJob; i < p->jobs.size() && i - firstJob < count; ++i)
    jobs.push_back(plat::JobInfo{p->jobs[i].id, p->jobs[i].document, p->jobs[i].status});
  if (out) *out = std::move(jobs);
  return winerr::Success;
}

plat::WinError SimSpooler::EnumDrivers(std::string_view environment, std::uint32_t level,
                                      std::vector<plat::DriverInfo>* out) {
  if (auto f = m_.Fault("Spooler.EnumDrivers", environment)) return *f;
  if (out) out->clear();
  if (const auto e = Available(); e.failed()) return e;
  // Level 6 came with Windows 2000, as did "all".
  if (level != 3 && level != 6) return winerr::InvalidLevel;
  if (level == 6 && !m_.data.IsNT5()) return winerr::InvalidLevel;
  const bool all = text::IEquals(environment, plat::spool::EnvAll);
  if (all && !m_.data.IsNT5()) return winerr::InvalidEnvironment;
  const auto env = all ? std::optional<std::string>() : KnownEnvironment(m_.data, environment);
  if (!all && !env) return winerr::InvalidEnvironment;
  std::vector<plat::DriverInfo> list;
  list.reserve(m_.data.drivers.size());
  for (const auto& d : m_.data.drivers)
    if (all || text::IEquals(d.environment, *env)) list.push_back(InfoOf(d, level));
  if (out) *out = std::move(list);
  return winerr::Success;
}

plat::WinError SimSpooler::GetDriverDirectory(std::string_view environment, std::string* out) {
  if (auto f = m_.Fault("Spooler.GetDriverDirectory", environment)) return *f;
  if (const auto e = Available(); e.failed()) return e;
  const auto env = KnownEnvironment(m_.data, environment);
  if (!env) return winerr::InvalidEnvironment;
  if (out) *out = DriverDirectory(m_.data, *env);
  return winerr::Success;
}

plat::WinError SimSpooler::AddDriver(const plat::DriverInfo& info) {
  if (auto f = m_.Fault("Spooler.AddDriver", info.name)) return *f;
  if (const auto e = Available(); e.failed()) return e;
  if (info.level != 3 && info.level != 6) return winerr::InvalidLevel;
  if (info.level == 6 && !m_.data.IsNT5()) return winerr::InvalidLevel;
  if (m_.data.IsNT() && !m_.data.token.IsAdministrator()) return winerr::AccessDenied;
  const auto env = KnownEnvironment(m_.data, info.environment);
  if (!env) return winerr::InvalidEnvironment;
  if (info.name.empty() || info.driverPath.empty() || info.dataFile.empty() || info.configFile.empty())
    return winerr::InvalidParameter;
  plat::DriverInfo d = InfoOf(info, info.level);
  d.environment = *env;
  if (m_.data.IsNT() && !text::IEquals(*env, plat::spool::EnvWin40) && d.version == 0)
    d.version = DefaultDriverVersion(m_.data, *env);
  // Bare file names are in the driver's version folder, where the spooler
  // expects the files already copied.
  const std::string folder = DriverFilesDirectory(m_.data, *env, d.version);
  auto place = [&](const std::string& f) {
    return f.empty() || f.find('\\') != std::string::npos ? NormalizeFilePath(f) : folder + "\\" + f;
  };
  for (std::string* f : {&d.driverPath, &d.dataFile, &d.configFile, &d.helpFile}) *f = place(*f);
  if (!d.hasDependentFiles) d.dependentFiles.clear();
  for (std::string& f : d.dependentFiles) f = place(f);
  for (const std::string* f : {&d.driverPath, &d.dataFile, &d.configFile})
    if (!m_.data.files.count(NormalizeFilePath(*f))) return winerr::FileNotFound;
  const std::string name = d.name, environment = d.environment;
  const std::uint32_t version = d.version;
  const bool replaced = m_.data.drivers.Put(std::move(d));
  m_.Record({{"event", "driverAdded"}, {"name", name}, {"environment", environment}, {"version", version},
             {"level", info.level}, {"replaced", replaced}});
  return winerr::Success;
}

plat::WinError SimSpooler::DeleteDriver(std::string_view environment, std::string_view name) {
  if (auto f = m_.Fault("Spooler.DeleteDriver", name)) return *f;
  return RemoveDrivers(environment, name, std::nullopt, 0, "DeletePrinterDriver");
}

plat::WinError SimSpooler::DeleteDriverEx(std::string_view environment, std::string_view name, std::uint32_t flags,
                                         std::uint32_t version) {
  if (auto f = m_.Fault("Spooler.DeleteDriverEx", name)) return *f;
  // Found at run time in the system's spooler library, which has it from Windows 2000 on.
  const auto winspool = FindLibrary(m_.data, "WINSPOOL.DRV");
  if (!winspool) return winerr::ModNotFound;
  if (!Exports(*winspool, "DeletePrinterDriverExA")) return winerr::ProcNotFound;
  const auto specific = (flags & plat::spool::DpdDeleteSpecificVersion) ? std::optional<std::uint32_t>(version)
                                                                         : std::nullopt;
  return RemoveDrivers(environment, name, specific, flags, "DeletePrinterDriverEx");
}

plat::WinError SimSpooler::RemoveDrivers(std::string_view environment, std::string_view name,
                                        std::optional<std::uint32_t> version, std::uint32_t flags, const char* via) {
  if (const auto e = Available(); e.failed()) return e;
  if (m_.data.IsNT() && !m_.data.token.IsAdministrator()) return winerr::AccessDenied;
  const auto env = KnownEnvironment(m_.data, environment);
  if (!env) return winerr::InvalidEnvironment;
  DriverTable& drivers = m_.data.drivers;
  const std::vector<const plat::DriverInfo*> hits = drivers.Find(*env, name, version);
  if (hits.empty()) return winerr::UnknownPrinterDriver;

  // Printers use the native environment's newest version of their driver.
  if (text::IEquals(*env, NativeEnvironment(m_.data)) && m_.data.printers.UsesDriver(name)) {
    std::uint32_t newest = 0;
    if (version)
      for (const plat::DriverInfo* d : drivers.Find(*env, name)) newest = std::max(newest, d->version);
    if (!version || *version == newest) return winerr::PrinterDriverInUse;
  }

  // Files go only when no remaining driver names them.
  std::vector<std::string> toDelete;
  const bool deleteFiles = (flags & (plat::spool::DpdDeleteUnusedFiles | plat::spool::DpdDeleteAllFiles)) != 0;
  if (deleteFiles) {
    std::set<std::string, text::ILessFn> removedFiles, keptFiles;
    for (const plat::DriverInfo* d : hits)
      for (const auto& f : FilesOf(*d)) removedFiles.insert(f);
    for (const plat::DriverInfo& d : drivers) {
      if (std::find(hits.begin(), hits.end(), &d) != hits.end()) continue;
      for (const auto& f : FilesOf(d)) keptFiles.insert(f);
    }
    for (const auto& f : removedFiles) {
      if (keptFiles.count(f)) continue;
      const auto file = m_.data.files.find(f);
      if (file == m_.data.files.end()) continue;
      if (IsLocked(m_.data, file->second)) {
        // "All files" is all or nothing; "unused files" leaves what is busy.
        if (flags & plat::spool::DpdDeleteAllFiles) return winerr::PrinterDriverInUse;
        continue;
      }
      toDelete.push_back(file->first);
    }
  }
  for (const plat::DriverInfo* d : hits)
    m_.Record({{"event", "driverDeleted"}, {"name", d->name}, {"environment", d->environment}, {"version", d->version},
               {"via", via}, {"flags", flags}});
  drivers.Erase(*env, name, version);
  for (const auto& f : toDelete) {
    m_.Record({{"event", "fileDeleted"}, {"path", f}, {"by", "spooler"}});
    m_.data.files.erase(f);
  }
  return winerr::Success;
}

plat::WinError SimSpooler::GetProcessorDirectory(std::string_view environment, std::string* out) {
  if (auto f = m_.Fault("Spooler.GetProcessorDirectory", environment)) return *f;
  if (const auto e = Available(); e.failed()) return e;
  const auto env = KnownEnvironment(m_.data, environment);
  if (!env) return winerr::InvalidEnvironment;
  if (out) *out = PrintProcessorDirectory(m_.data, *env);
  return winerr::Success;
}

plat::WinError SimSpooler::DeleteProcessor(std::string_view environment, std::string_view name) {
  if (auto f = m_.Fault("Spooler.DeleteProcessor", name)) return *f;
  if (const auto e = Available(); e.failed()) return e;
  if (m_.data.IsNT() && !m_.data.token.IsAdministrator()) return winerr::AccessDenied;
  const auto env = KnownEnvironment(m_.data, environment);
  if (!env) return winerr::InvalidEnvironment;
  auto& list = m_.data.printProcessors;
  const auto it = std::find_if(list.begin(), list.end(), [&](const PrintProcessorEntry& p) {
    return text::IEquals(p.name, name) && text::IEquals(p.environment, *env);
  });
  if (it == list.end()) return winerr::UnknownPrintProcessor;
  m_.Record({{"event", "printProcessorDeleted"}, {"name", it->name}, {"environment", it->environment}});
  list.erase(it);
  return winerr::Success;
}

}  // namespace sim
