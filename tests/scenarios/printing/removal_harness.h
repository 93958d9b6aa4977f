// Removal runs on simulated machines: the inventory taken as at start-up,
// the maker's sets named by the test, and what the run did read back from
// the machine.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/text.h"
#include "platform/win_errors.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"
#include "printing/removal_progress.h"
#include "printing_harness.h"

namespace printing_test {

inline const char kXpDriverDir[] = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
inline const char kXpV3Dir[] = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3";
inline const char kDriversKey[] = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\";

// What the progress dialog would have shown: texts, and "step" for a step.
struct RecordedProgress : RemovalProgress {
  std::vector<std::string> updates;
  void ShowText(std::string_view text) override { updates.emplace_back(text); }
  void Step() override { updates.emplace_back("step"); }
};

inline json DriverWithFiles(const std::string& name, const std::string& environment, int version,
                            const std::string& driverPath, const std::vector<std::string>& dependentFiles) {
  json d = Driver(name, environment, version, driverPath);
  d["dependentFiles"] = dependentFiles;
  return d;
}

// Points the maker's install record at the folder that holds the lister.
inline void AddZipLister(json& image) {
  AddKey(image, "HKLM\\SOFTWARE\\Vorkast\\Install", {{"UnstDirBREVIK", "C:\\Program Files\\BREVIK\\Install"}});
  image["files"]["C:\\Program Files\\BREVIK\\ptzipw32.dll"] = json::object();
  image["libraries"]["C:\\Program Files\\BREVIK\\ptzipw32.dll"] = {{"exports", {"PtZipList"}}};
}

struct Removal : Inventory {
  explicit Removal(const json& image, const std::vector<std::string>& makerSets) : Inventory(image) {
    if (!app) throw std::runtime_error("machine image refused");
    TakeAll();
    for (const std::string& name : makerSets) {
      CPrinterDriverSet* set = app->drivers.FindSet(name);
      if (set == nullptr) {
        ADD_FAILURE() << "no driver set " << name;
        continue;
      }
      set->isMaker = true;
    }
    // What start-up prepares for the maker's printers once it knows them.
    for (const auto& printer : app->printers) {
      if (printer->IsMakerPrinter()) printer->CollectRegistryRemovals();
    }
  }

  CPrinter& PrinterNamed(const std::string& name) {
    CPrinter* printer = app->printers.FindByName(name);
    if (printer == nullptr) throw std::runtime_error("no printer " + name);
    return *printer;
  }
  CPrinterDriverSet& SetNamed(const std::string& name) {
    CPrinterDriverSet* set = app->drivers.FindSet(name);
    if (set == nullptr) throw std::runtime_error("no driver set " + name);
    return *set;
  }
  void Select(const std::vector<std::string>& printers) {
    for (const std::string& name : printers) PrinterNamed(name).selected = true;
  }
  // The removal worker's order for printers and drivers.
  void Run(const WaitForJobsCallback& wait = {}, RemovalProgress* progress = nullptr) {
    app->printers.RemoveSelected(wait, progress);
    app->drivers.RemoveFreedMakerDrivers();
  }

  bool FileExists(const std::string& path) { return machine->platform().files.Exists(path); }
  // The same without a file-system call, for machines whose faults would answer.
  bool FileInImage(const std::string& path) const {
    const json files = machine->Save().value("files", json::object());
    for (const auto& [listed, entry] : files.items()) {
      if (text::IEquals(listed, path)) return true;
    }
    return false;
  }
  bool KeyExists(const std::string& path) const { return machine->KeyExists(path); }

  std::vector<json> Events(const std::string& event) const {
    std::vector<json> out;
    for (const json& e : machine->journal()) {
      if (e.value("event", "") == event) out.push_back(e);
    }
    return out;
  }
  // Paths the run deleted itself, in order (not those the spooler took).
  std::vector<std::string> DeletedFiles() const {
    std::vector<std::string> out;
    for (const json& e : Events("fileDeleted")) {
      if (!e.contains("by")) out.push_back(text::Fold(e.value("path", "")));
    }
    return out;
  }
  std::vector<std::string> PrintersLeft() const {
    std::vector<std::string> out;
    const json printers = machine->Save().value("printers", json::array());
    for (const json& p : printers) out.push_back(p.value("name", ""));
    return out;
  }
};

inline const char kNtX86[] = "Windows NT x86";
inline const char kWin40[] = "Windows 4.0";

// Removes every driver of the named maker's sets, as when their last printer went.
inline Removal RemoveDriversOf(const json& image, const std::vector<std::string>& makerSets) {
  Removal run(image, makerSets);
  for (const std::string& name : makerSets) run.SetNamed(name).SetDriversSelected(true);
  run.app->drivers.RemoveFreedMakerDrivers();
  return run;
}

}  // namespace printing_test
