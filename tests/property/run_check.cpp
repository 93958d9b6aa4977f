#include "run_check.h"

#include <map>
#include <set>

#include "platform/text.h"
#include "platform/win_errors.h"

namespace property {

namespace {

using nlohmann::json;

// A member of a saved image, or an empty list when it has none.
const json& Member(const json& image, const char* name) {
  static const json none = json::array();
  const auto it = image.find(name);
  return it == image.end() ? none : *it;
}

std::string FullPrinterName(const json& p) {
  const std::string server = p.value("server", "");
  return server.empty() ? p.value("name", "") : server + "\\" + p.value("name", "");
}

std::map<std::string, json> PrintersById(const json& image) {
  std::map<std::string, json> out;
  for (const json& p : image.value("printers", json::array())) out[PrinterId(FullPrinterName(p))] = p;
  return out;
}

std::map<std::string, json> DriversById(const json& image) {
  std::map<std::string, json> out;
  for (const json& d : image.value("drivers", json::array()))
    out[DriverId(d.value("name", ""), d.value("environment", ""), d.value("version", 0u))] = d;
  return out;
}

std::map<std::string, json> ProcessorsById(const json& image) {
  std::map<std::string, json> out;
  for (const json& p : image.value("printProcessors", json::array()))
    out[ProcessorId(p.value("name", ""), p.value("environment", ""))] = p;
  return out;
}

// Content and attributes; a lock a stopped service held is gone for good,
// which is the spooler's doing, not a change to the file.
bool SameFile(const json& a, const json& b) {
  return a.value("content", json()) == b.value("content", json()) &&
         a.value("attributes", json()) == b.value("attributes", json());
}

// The files of the machine by the name Windows reads: "X." and "X" are one.
std::set<std::string> FileIdsOf(const json& image) {
  std::set<std::string> out;
  for (auto it = image["files"].begin(); it != image["files"].end(); ++it) out.insert(FileId(it.key()));
  return out;
}

class Checker {
 public:
  Checker(const World& world, const SilentRun& run, const HazardSet& hazards)
      : world_(world), run_(run), hazards_(hazards) {}

  std::vector<Finding> Run() {
    Printers();
    Drivers();
    Processors();
    Files();
    PendingDeletions();
    Registry();
    WinIni();
    PrintersKeepWhatTheyUse();
    RemovedMeansGone();
    TheRunEnds();
    return std::move(findings_);
  }

 private:
  void Add(std::string rule, std::string subject, std::string detail = {}) {
    findings_.push_back({std::move(rule), std::move(subject), std::move(detail)});
  }
  bool Makers(ClaimKind kind, const std::string& id) const { return IsMakers(world_, kind, id); }
  std::string Owner(ClaimKind kind, const std::string& id) const {
    const std::string label = OwnerLabel(world_, kind, id);
    return label.empty() ? "nobody's: part of the system" : "belongs to " + label;
  }

  void Printers() {
    const auto after = PrintersById(run_.after);
    for (const auto& [id, before] : PrintersById(run_.before)) {
      if (Makers(ClaimKind::Printer, id)) continue;
      const auto found = after.find(id);
      if (found == after.end())
        Add("another maker's printer is gone", "printer " + FullPrinterName(before), Owner(ClaimKind::Printer, id));
      else if (found->second != before)
        Add("another maker's printer changed", "printer " + FullPrinterName(before), found->second.dump());
    }
  }

  void Drivers() {
    const auto after = DriversById(run_.after);
    for (const auto& [id, before] : DriversById(run_.before)) {
      if (Makers(ClaimKind::Driver, id)) continue;
      const auto found = after.find(id);
      const std::string subject = "driver " + before.value("name", "") + " (" + before.value("environment", "") +
                                  ", " + std::to_string(before.value("version", 0u)) + ")";
      if (found == after.end())
        Add("another maker's driver is gone", subject, Owner(ClaimKind::Driver, id));
      else if (found->second != before)
        Add("another maker's driver changed", subject, found->second.dump());
    }
  }

  void Processors() {
    const auto after = ProcessorsById(run_.after);
    for (const auto& [id, before] : ProcessorsById(run_.before)) {
      if (Makers(ClaimKind::Processor, id)) continue;
      if (!after.count(id))
        Add("another maker's print processor is gone", "print processor " + before.value("name", ""),
            Owner(ClaimKind::Processor, id));
    }
  }

  void Files() {
    const json& after = Member(run_.after, "files");
    for (auto it = run_.before["files"].begin(); it != run_.before["files"].end(); ++it) {
      const std::string id = FileId(it.key());
      if (Makers(ClaimKind::File, id)) continue;
      const auto found = after.find(it.key());
      if (found == after.end())
        Add("another maker's file is gone", "file " + it.key(), Owner(ClaimKind::File, id));
      else if (!SameFile(*found, *it))
        Add("another maker's file changed", "file " + it.key(), found->dump());
    }
  }

  // What waits for the next start of Windows is as good as gone.
  void PendingDeletions() {
    std::map<std::string, std::string> byShortName;  // folded short form -> long path
    plat::FileSystem& files = run_.machine->platform().files;
    for (auto it = run_.after["files"].begin(); it != run_.after["files"].end(); ++it) {
      std::string shortForm;
      if (files.ShortPath(it.key(), &shortForm) == winerr::Success) byShortName[text::Fold(shortForm)] = it.key();
      byShortName[text::Fold(it.key())] = it.key();
    }
    std::vector<std::string> pending;
    for (const json& e : run_.after.value("journal", json::array()))
      if (e.value("event", "") == "moveOnReboot" && e.value("destination", "").empty())
        pending.push_back(e.value("source", ""));
    std::string wininit;
    if (files.ReadText(files.WindowsDirectory() + "\\WININIT.INI", &wininit) == winerr::Success) {
      for (std::string line : text::Split(wininit, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (text::IStartsWith(line, "NUL=")) pending.push_back(line.substr(4));
      }
    }
    for (const std::string& path : pending) {
      const auto known = byShortName.find(text::Fold(path));
      const std::string longPath = known == byShortName.end() ? path : known->second;
      const std::string id = FileId(longPath);
      if (!Makers(ClaimKind::File, id))
        Add("another maker's file waits for deletion at the next start", "file " + longPath,
            Owner(ClaimKind::File, id));
    }
  }

  void Registry() {
    const json& after = Member(run_.after, "registry");
    for (auto it = run_.before["registry"].begin(); it != run_.before["registry"].end(); ++it) {
      const std::string id = KeyId(it.key());
      const bool makers = Makers(ClaimKind::Key, id);
      if (!run_.machine->KeyExists(it.key())) {
        if (!makers) Add("another maker's key is gone", "key " + it.key(), Owner(ClaimKind::Key, id));
        continue;
      }
      const auto found = after.find(it.key());
      const json none = json::object();
      const json& now = found == after.end() ? none : *found;
      if (hazards_.Has(Hazard::KeyDescriptors) && now.value("acl", json()) != it->value("acl", json()))
        Add("a key that stays has another access list", "key " + it.key(), now.value("acl", json()).dump());
      if (makers) continue;
      const json valuesBefore = it->value("values", json::object());
      const json valuesNow = now.value("values", json::object());
      for (auto v = valuesBefore.begin(); v != valuesBefore.end(); ++v) {
        if (Makers(ClaimKind::Value, ValueId(it.key(), v.key()))) continue;
        const auto same = valuesNow.find(v.key());
        if (same == valuesNow.end())
          Add("a value under another maker's key is gone", "value " + it.key() + "\\" + v.key());
        else if (*same != *v)
          Add("a value under another maker's key changed", "value " + it.key() + "\\" + v.key(), same->dump());
      }
    }
  }

  void WinIni() {
    const json before = run_.before.value("winIni", json::object());
    const json after = run_.after.value("winIni", json::object());
    for (auto section = before.begin(); section != before.end(); ++section) {
      for (auto key = section->begin(); key != section->end(); ++key) {
        if (Makers(ClaimKind::Value, ValueId("WININI\\" + section.key(), key.key()))) continue;
        const json now = after.value(section.key(), json::object()).value(key.key(), json());
        if (now != *key)
          Add("a win.ini entry not the maker's changed", "win.ini [" + section.key() + "] " + key.key(), now.dump());
      }
    }
  }

  // A printer the run leaves must still print: its driver with its files
  // and key, and its print processor.
  void PrintersKeepWhatTheyUse() {
    const std::set<std::string> filesNow = FileIdsOf(run_.after);
    const std::set<std::string> filesBefore = FileIdsOf(run_.before);
    const std::string native = IsNt() ? "Windows NT x86" : "Windows 4.0";
    for (const json& p : run_.after.value("printers", json::array())) {
      if (p.value("pendingDeletion", false)) continue;
      const std::string subject = "printer " + FullPrinterName(p);
      const json* driver = nullptr;
      for (const json& d : Member(run_.after, "drivers"))
        if (text::IEquals(d.value("name", ""), p.value("driver", "")) &&
            text::IEquals(d.value("environment", ""), native) &&
            (!driver || d.value("version", 0u) > driver->value("version", 0u)))
          driver = &d;
      if (!driver) {
        Add("a printer left lost its driver", subject, p.value("driver", ""));
        continue;
      }
      std::vector<std::string> files;
      for (const char* member : {"driverPath", "dataFile", "configFile", "helpFile"})
        if (!driver->value(member, "").empty()) files.push_back(driver->value(member, ""));
      for (const json& f : driver->value("dependentFiles", json::array())) files.push_back(f.get<std::string>());
      for (const std::string& f : files)
        if (filesBefore.count(FileId(f)) && !filesNow.count(FileId(f)))
          Add("a printer left lost a file of its driver", subject, f);
      const std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" + native +
                              "\\Drivers\\" +
                              (IsNt() ? "Version-" + std::to_string(driver->value("version", 0u)) + "\\" : "") +
                              driver->value("name", "");
      if (KeyInBefore(key) && !run_.machine->KeyExists(key))
        Add("a printer left lost its driver's key", subject, key);
      const std::string processor = p.value("printProcessor", "");
      bool processorBefore = false, processorNow = false;
      for (const json& e : run_.before.value("printProcessors", json::array()))
        processorBefore = processorBefore || text::IEquals(e.value("name", ""), processor);
      for (const json& e : run_.after.value("printProcessors", json::array()))
        processorNow = processorNow || text::IEquals(e.value("name", ""), processor);
      if (processorBefore && !processorNow) Add("a printer left lost its print processor", subject, processor);
    }
  }

  // A printer or driver the run took for removed is gone from the spooler,
  // or forced out through its key.
  void RemovedMeansGone() {
    const CUnstMain& app = *run_.app;
    const auto printersNow = PrintersById(run_.after);
    for (const auto& printer : app.printers) {
      if (printer->state != RemovalState::Removed) continue;
      const auto found = printersNow.find(PrinterId(printer->name));
      if (found != printersNow.end() && !found->second.value("pendingDeletion", false))
        Add("a printer reported removed is still there", "printer " + printer->name);
    }
    for (const auto& set : app.drivers) {
      for (const auto& driver : set->drivers) {
        if (driver->state != RemovalState::Removed) continue;
        bool listed = false;
        for (const json& d : run_.after.value("drivers", json::array()))
          listed = listed || (text::IEquals(d.value("name", ""), driver->name) &&
                              text::IEquals(d.value("environment", ""), driver->environment) &&
                              (!IsNt() || d.value("version", 0u) == driver->version));
        const std::string key = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" +
                                driver->environment + "\\Drivers\\" +
                                (IsNt() ? "Version-" + std::to_string(driver->version) + "\\" : "") + driver->name;
        if (listed && run_.machine->KeyExists(key))
          Add("a driver reported removed is still there", "driver " + driver->name + " (" + driver->environment +
                                                                 ", " + std::to_string(driver->version) + ")");
      }
    }
  }

  void TheRunEnds() {
    const std::uint64_t elapsed = run_.machine->VirtualMillis();
    if (elapsed > kMaxVirtualMillis)
      Add("the run takes too long", "virtual time", std::to_string(elapsed / 1000) + " seconds");
    if (run_.exitCode != 0) Add("the run ends with an error code", "exit code", std::to_string(run_.exitCode));
    const json before = run_.before.value("services", json::object());
    for (auto it = before.begin(); it != before.end(); ++it) {
      const auto state = run_.machine->ServiceState(it.key());
      const std::string was = it->value("state", "");
      const std::string now = Member(run_.after, "services").value(it.key(), json::object()).value("state", "");
      if (state && now != was) Add("a service does not end as it began", "service " + it.key(), was + " -> " + now);
    }
  }

  bool IsNt() const { return world_.os != "win98"; }
  bool KeyInBefore(const std::string& path) const {
    for (auto it = run_.before["registry"].begin(); it != run_.before["registry"].end(); ++it)
      if (KeyId(it.key()) == KeyId(path)) return true;
    return false;
  }

  const World& world_;
  const SilentRun& run_;
  const HazardSet& hazards_;
  std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> CheckRun(const World& world, const SilentRun& run, const HazardSet& hazards) {
  if (!run.refused.empty()) return {{"the machine image is refused", "image", run.refused}};
  return Checker(world, run, hazards).Run();
}

}  // namespace property
