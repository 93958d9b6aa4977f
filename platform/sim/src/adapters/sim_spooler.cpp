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

bool UsesDriver(const PrinterEntry& p, std::string_view driver) { return text::IEquals(p.driverName, driver); }

plat::DriverInfo InfoOf(const DriverEntry& d, std::uint32_t level) {
  plat::DriverInfo i;
  i.level = level;
  i.version = d.version;
  i.name = d.name;
  i.environment = d.environment;
  i.driverPath = d.driverPath;
  i.dataFile = d.dataFile;
  i.configFile = d.configFile;
  i.helpFile = d.helpFile;
  i.hasDependentFiles = d.dependentFiles.has_value();
  if (d.dependentFiles) i.dependentFiles = *d.dependentFiles;
  i.monitorName = d.monitorName;
  i.defaultDataType = d.defaultDataType;
  if (level == 6) {
    i.previousNames = d.previousNames;
    i.driverDate = d.driverDate;
    i.driverVersion = d.driverVersion;
    i.mfgName = d.mfgName;
    i.oemUrl = d.oemUrl;
    i.hardwareId = d.hardwareId;
    i.provider = d.provider;
  }
  return i;
}

std::vector<std::string> FilesOf(const DriverEntry& d) {
  std::vector<std::string> files;
  for (const std::string* f : {&d.driverPath, &d.dataFile, &d.configFile, &d.helpFile})
    if (!f->empty()) files.push_back(NormalizeFilePath(*f));
  // The files as Windows opens them ("A.DLL." is "A.DLL").
  if (d.dependentFiles)
    for (const std::string& f : *d.dependentFiles) files.push_back(NormalizeFilePath(f));
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
  auto& printers = m_.data.printers;
  bool waiting = false;
  for (std::size_t i = 0; i < printers.size();) {
    PrinterEntry& p = printers[i];
    const bool due = p.drainSeconds && *p.drainSeconds * 1000 <= virtualMs;
    if (!due || p.jobs.empty()) {
      waiting = waiting || (p.drainSeconds && !p.jobs.empty());
      ++i;
      continue;
    }
    const std::uint64_t at = *p.drainSeconds * 1000;
    m_.RecordAt({{"event", "jobsPrinted"}, {"printer", p.FullName()}, {"count", p.jobs.size()}}, at);
    p.jobs.clear();
    p.drainSeconds.reset();
    if (p.pendingDeletion) {
      m_.RecordAt({{"event", "printerDeleted"}, {"name", p.FullName()}, {"afterJobs", true}}, at);
      printers.erase(printers.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    ++i;
  }
  queuesToDrain_ = waiting;
}

PrinterEntry* SimSpooler::FindPrinter(std::string_view fullName) {
  for (auto& p : m_.data.printers)
    if (text::IEquals(p.FullName(), fullName)) return &p;
  return nullptr;
}

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
  auto& printers = m_.data.printers;
  const auto p = std::find_if(printers.begin(), printers.end(),
                              [&](const PrinterEntry& e) { return text::IEquals(e.FullName(), it->second.name); });
  if (p == printers.end()) return winerr::InvalidPrinterName;
  // A connection's printer belongs to its server, which does not let us delete it.
  if (p->IsConnection()) return winerr::AccessDenied;
  if (!p->jobs.empty()) {
    // Windows accepts the deletion and carries it out once the queue is empty.
    p->pendingDeletion = true;
    m_.Record({{"event", "printerDeleted"}, {"name", p->FullName()}, {"pending", true}, {"jobs", p->jobs.size()}});
    return winerr::Success;
  }
  m_.Record({{"event", "printerDeleted"}, {"name", p->FullName()}});
  printers.erase(p);
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
  auto& printers = m_.data.printers;
  const auto p = std::find_if(printers.begin(), printers.end(), [&](const PrinterEntry& e) {
    return e.IsConnection() && text::IEquals(e.FullName(), name);
  });
  if (p == printers.end()) return winerr::InvalidPrinterName;
  m_.Record({{"event", "connectionDeleted"}, {"name", p->FullName()}});
  printers.erase(p);
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
  DriverEntry d;
  d.name = info.name;
  d.environment = *env;
  d.version = info.version;
  if (m_.data.IsNT() && !text::IEquals(*env, plat::spool::EnvWin40) && d.version == 0)
    d.version = DefaultDriverVersion(m_.data, *env);
  // Bare file names are in the driver's version folder, where the spooler
  // expects the files already copied.
  const std::string folder = DriverFilesDirectory(m_.data, *env, d.version);
  auto place = [&](const std::string& f) {
    return f.empty() || f.find('\\') != std::string::npos ? NormalizeFilePath(f) : folder + "\\" + f;
  };
  d.driverPath = place(info.driverPath);
  d.dataFile = place(info.dataFile);
  d.configFile = place(info.configFile);
  d.helpFile = place(info.helpFile);
  if (info.hasDependentFiles) {
    d.dependentFiles.emplace();
    for (const auto& f : info.dependentFiles) d.dependentFiles->push_back(place(f));
  }
  for (const std::string* f : {&d.driverPath, &d.dataFile, &d.configFile})
    if (!m_.data.files.count(NormalizeFilePath(*f))) return winerr::FileNotFound;
  d.monitorName = info.monitorName;
  d.defaultDataType = info.defaultDataType;
  if (info.level == 6) {
    d.previousNames = info.previousNames;
    d.driverDate = info.driverDate;
    d.driverVersion = info.driverVersion;
    d.mfgName = info.mfgName;
    d.oemUrl = info.oemUrl;
    d.hardwareId = info.hardwareId;
    d.provider = info.provider;
  }
  auto& drivers = m_.data.drivers;
  const auto same = std::find_if(drivers.begin(), drivers.end(), [&](const DriverEntry& e) {
    return text::IEquals(e.name, d.name) && text::IEquals(e.environment, d.environment) && e.version == d.version;
  });
  const bool replaced = same != drivers.end();
  m_.Record({{"event", "driverAdded"}, {"name", d.name}, {"environment", d.environment}, {"version", d.version},
             {"level", info.level}, {"replaced", replaced}});
  if (replaced)
    *same = std::move(d);
  else
    drivers.push_back(std::move(d));
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
  auto& drivers = m_.data.drivers;
  // The version first: it is the cheap test, and a removal pass asks once
  // per driver, so every test here runs over every driver installed.
  // Each driver is tested once; the passes below read the answers.
  std::vector<char> hit(drivers.size(), 0);
  bool anyHit = false;
  for (std::size_t i = 0; i < drivers.size(); ++i) {
    const DriverEntry& d = drivers[i];
    hit[i] = (!version || d.version == *version) && text::IEquals(d.name, name) && text::IEquals(d.environment, *env);
    anyHit = anyHit || hit[i];
  }
  if (!anyHit) return winerr::UnknownPrinterDriver;

  // Printers use the native environment's newest version of their driver.
  if (text::IEquals(*env, NativeEnvironment(m_.data))) {
    const bool used = std::any_of(m_.data.printers.begin(), m_.data.printers.end(),
                                  [&](const PrinterEntry& p) { return UsesDriver(p, name); });
    std::uint32_t newest = 0;
    if (used && version) {
      for (const auto& d : drivers)
        if (text::IEquals(d.name, name) && text::IEquals(d.environment, *env)) newest = std::max(newest, d.version);
    }
    if (used && (!version || *version == newest)) return winerr::PrinterDriverInUse;
  }

  // Files go only when no remaining driver names them. Without a file flag
  // nothing is gathered: a removal pass deletes every driver one by one, and
  // gathering every driver's files each time would grow with the square.
  std::vector<std::string> toDelete;
  const bool deleteFiles = (flags & (plat::spool::DpdDeleteUnusedFiles | plat::spool::DpdDeleteAllFiles)) != 0;
  if (deleteFiles) {
    std::set<std::string, text::ILessFn> removedFiles, keptFiles;
    for (std::size_t i = 0; i < drivers.size(); ++i)
      for (const auto& f : FilesOf(drivers[i])) (hit[i] ? removedFiles : keptFiles).insert(f);
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
  std::size_t kept = 0;
  for (std::size_t i = 0; i < drivers.size(); ++i) {
    DriverEntry& d = drivers[i];
    if (hit[i]) {
      m_.Record({{"event", "driverDeleted"}, {"name", d.name}, {"environment", d.environment}, {"version", d.version},
                 {"via", via}, {"flags", flags}});
    } else {
      if (kept != i) drivers[kept] = std::move(d);
      ++kept;
    }
  }
  drivers.resize(kept);
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
