// The printing inventory, and the removal of everything of the maker, on a
// generated Windows XP machine with N printers of the maker and N/2 driver
// sets of three versions each ("Windows NT x86" 3 and 2, "Windows 4.0" 0),
// every driver naming 20 dependent files. Every inventory and every clean-up
// runs on a fresh machine (built outside the timing); the counters give the
// process's peak resident memory so far, and the program ends with the ratio
// T(2N)/T(N) per step.
// A ratio near 2 is linear, near 4 quadratic.
//
// Sizes run smallest first so that each one's peak is its own. For a peak
// free of the earlier sizes run one size alone: --benchmark_filter=/2000$.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"
#include "printing/printing_context.h"
#include "printing/removal_progress.h"
#include "sim/machine.h"
#include "system/deferred_deleter.h"
#include "system/os_kind.h"
#include "ratio_reporter.h"

namespace {

constexpr int kDependentFiles = 20;
// Of each driver's dependent files, this many are the family's shared
// resources (one file for every model); the rest are the model's own.
constexpr int kSharedDependents = 4;
const char* const kInstallDir = "C:\\Program Files\\BREVIK\\Install";
const char* const kSpoolDrivers = "C:\\WINDOWS\\System32\\spool\\drivers\\";

struct VersionShape {
  const char* environment;
  int version;
  const char* folder;  // below the spooler's "drivers" directory
  const char* driverFile;
};
// The PCL family's main file for each version, so every set is recognised.
constexpr VersionShape kVersions[] = {
    {"Windows NT x86", 3, "w32x86\\3", "vkpcl2a.dll"},
    {"Windows NT x86", 2, "w32x86\\2", "vkpclna.dll"},
    {"Windows 4.0", 0, "win40\\0", "vkpcl5c.drv"},
};

std::string Numbered(const char* pattern, int a, int b = 0) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, pattern, a, b);
  return buffer;
}

std::string ModelName(int set) { return Numbered("Vorkast Model %05d PCL", set); }

nlohmann::json DriverRecord(int set, const VersionShape& shape) {
  nlohmann::json dependents = nlohmann::json::array();
  for (int f = 0; f < kSharedDependents; ++f) dependents.push_back(Numbered("vkshared%d.dll", f));
  for (int f = kSharedDependents; f < kDependentFiles; ++f) dependents.push_back(Numbered("m%05d_%02d.dll", set, f));
  return {{"name", ModelName(set)},
          {"environment", shape.environment},
          {"version", shape.version},
          {"driverPath", shape.driverFile},
          {"dataFile", Numbered("m%05d.gpd", set)},
          {"configFile", "vkpcl2ui.dll"},
          {"helpFile", Numbered("m%05d.hlp", set)},
          {"dependentFiles", dependents},
          {"monitorName", ""},
          {"defaultDataType", "RAW"}};
}

// The machine image, built in code: drivers, printers (two a set), the help
// files' index companions, the model list naming every set.
nlohmann::json MakerMachineImage(int printers) {
  const int sets = printers / 2;
  nlohmann::json drivers = nlohmann::json::array();
  nlohmann::json files = nlohmann::json::object();
  std::string modelList = "[Manufacturer]\r\nVorkast=Vorkast Models\r\n[Vorkast Models]\r\n";
  std::string modelSections;
  for (int s = 0; s < sets; ++s) {
    for (const VersionShape& shape : kVersions) {
      drivers.push_back(DriverRecord(s, shape));
      files[kSpoolDrivers + std::string(shape.folder) + "\\" + Numbered("M%05d.GID", s)] = nlohmann::json::object();
    }
    modelList += Numbered("%d=Model%05d\r\n", s, s);
    modelSections += Numbered("[Model%05d]\r\nPCL5Name=", s) + ModelName(s) + "\r\n";
  }
  files[std::string(kInstallDir) + "\\Drivers.ini"] = {{"content", modelList + modelSections}};

  nlohmann::json printerList = nlohmann::json::array();
  for (int p = 0; p < printers; ++p) {
    printerList.push_back({{"name", Numbered("Vorkast Printer %05d", p)},
                           {"driver", ModelName(p / 2)},
                           {"port", p % 2 ? "LPT1:" : "FILE:"},
                           {"printProcessor", "WinPrint"}});
  }
  return {{"os", "winxp"},
          {"services", {{"spooler", {{"state", "running"}, {"onStop", "stops"}}}}},
          {"files", files},
          {"drivers", drivers},
          {"printers", printerList}};
}

std::unique_ptr<sim::Machine> MakerMachine(int printers) {
  sim::LoadError error;
  auto machine = sim::Machine::FromJson(MakerMachineImage(printers), &error);
  if (!machine) throw std::runtime_error(error.ToString());
  return machine;
}

// The printing objects of one run, assembled as the application does.
struct PrintingRun {
  explicit PrintingRun(plat::Platform& p)
      : osKind(p.osInfo),
        deleter(p.files, p.registry, p.spooler),
        context{p, osKind, deleter, restartSpooler, drivers},
        drivers(context),
        printers(context) {
    deleter.collectMode = true;
  }

  // Start-up order: drivers, maker recognition, printers, attachment,
  // orphans; then the user selects every printer of the maker.
  void Inventory() {
    auto start = std::chrono::steady_clock::now();
    auto lap = [&start](double& seconds) {
      const auto now = std::chrono::steady_clock::now();
      seconds += std::chrono::duration<double>(now - start).count();
      start = now;
    };
    drivers.Build();
    lap(steps.driverList);
    drivers.RecognizeMakerSets(std::string(kInstallDir) + "\\Drivers.ini");
    lap(steps.recognize);
    printers.Build();
    lap(steps.printerList);
    drivers.AttachPrinters(printers);
    drivers.CollectOrphanDrivers(orphanDrivers);
    for (const auto& printer : printers) {
      if (printer->IsMakerPrinter()) printer->selected = true;
    }
    lap(steps.attachAndSelect);
  }

  // The removal worker's printing steps, with a progress that only counts.
  void Removal() {
    printers.RemoveSelected(WaitForJobsCallback(), &progress);
    drivers.RemoveFreedMakerDrivers();
  }

  struct CountingProgress : RemovalProgress {
    void ShowText(std::string_view) override { ++texts; }
    void Step() override { ++steps; }
    int texts = 0;
    int steps = 0;
  } progress;

  OsKindCache osKind;
  DeferredDeleter deleter;
  bool restartSpooler = false;
  PrintingContext context;
  CPrinterDriverList drivers;
  CPrinterList printers;
  std::vector<CPrinterDriver*> orphanDrivers;
  // Seconds spent in each step of the inventory.
  struct StepTimes {
    double driverList = 0, recognize = 0, printerList = 0, attachAndSelect = 0;
  } steps;
};

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::size_t CountMakerSets(const CPrinterDriverList& drivers) {
  std::size_t count = 0;
  for (const auto& set : drivers) count += set->isMaker ? 1 : 0;
  return count;
}

// The inventory as the application makes it, once, at start-up: every
// iteration on a machine of its own, built (and the last one torn down)
// outside the time measured. Run again and again on one machine, each
// inventory would also pay for the heap the one before it left: glibc
// gathers the thousands of small blocks the last inventory freed when the
// next asks for its first large one, a cost that grows faster than the
// machine and belongs to no step of the inventory.
void BM_Inventory(benchmark::State& state) {
  const int printers = static_cast<int>(state.range(0));
  std::size_t makerSets = 0, selected = 0;
  PrintingRun::StepTimes steps;
  for (auto _ : state) {
    auto machine = MakerMachine(printers);
    const auto start = std::chrono::steady_clock::now();
    PrintingRun run(machine->platform());
    run.Inventory();
    state.SetIterationTime(SecondsSince(start));
    makerSets = CountMakerSets(run.drivers);
    selected = static_cast<std::size_t>(run.printers.CountSelectedMakerPrinters());
    steps.driverList += run.steps.driverList;
    steps.recognize += run.steps.recognize;
    steps.printerList += run.steps.printerList;
    steps.attachAndSelect += run.steps.attachAndSelect;
  }
  const double perRunMs = 1000.0 / static_cast<double>(state.iterations());
  state.counters["driverListMs"] = steps.driverList * perRunMs;
  state.counters["recognizeMs"] = steps.recognize * perRunMs;
  state.counters["printerListMs"] = steps.printerList * perRunMs;
  state.counters["attachMs"] = steps.attachAndSelect * perRunMs;
  // A machine the inventory misreads measures nothing.
  if (makerSets != static_cast<std::size_t>(printers / 2) || selected != static_cast<std::size_t>(printers))
    state.SkipWithError("the inventory did not recognise every set and printer of the maker");
  state.counters["makerSets"] = static_cast<double>(makerSets);
  state.counters["peakMB"] = PeakResidentMegabytes();
}

// What the spooler and the driver folders still hold after a removal.
struct Leftovers {
  std::size_t printers = 0;
  std::size_t drivers = 0;
  std::size_t files = 0;
};

Leftovers CountLeftovers(plat::Platform& p) {
  Leftovers left;
  std::vector<plat::PrinterInfo> printers;
  // A failed listing counts as nothing left, which the run's own checks would show.
  static_cast<void>(p.spooler.ListPrinters(plat::spool::EnumLocal | plat::spool::EnumConnections, &printers));
  left.printers = printers.size();
  std::vector<plat::DriverInfo> drivers;
  static_cast<void>(p.spooler.EnumDrivers(plat::spool::EnvAll, 6, &drivers));
  left.drivers = drivers.size();
  for (const VersionShape& shape : kVersions) {
    std::vector<plat::FindEntry> entries;
    static_cast<void>(p.files.Find(kSpoolDrivers + std::string(shape.folder) + "\\*.*", &entries));
    for (const plat::FindEntry& entry : entries) left.files += entry.name != "." && entry.name != ".." ? 1 : 0;
  }
  return left;
}

// Inventory, then removal of every printer and driver of the maker.
void BM_Cleanup(benchmark::State& state) {
  const int printers = static_cast<int>(state.range(0));
  Leftovers left;
  int steps = 0;
  double inventorySeconds = 0, removalSeconds = 0;
  for (auto _ : state) {
    auto machine = MakerMachine(printers);
    const auto start = std::chrono::steady_clock::now();
    PrintingRun run(machine->platform());
    run.Inventory();
    const auto removalStart = std::chrono::steady_clock::now();
    run.Removal();
    removalSeconds = SecondsSince(removalStart);
    inventorySeconds = SecondsSince(start) - removalSeconds;
    state.SetIterationTime(SecondsSince(start));
    left = CountLeftovers(machine->platform());
    steps = run.progress.steps;
  }
  if (left.printers != 0 || left.drivers != 0 || left.files != 0 || steps != printers)
    state.SkipWithError("the removal left printers, drivers or files of the maker behind");
  state.counters["removalMs"] = removalSeconds * 1000;
  state.counters["inventoryMs"] = inventorySeconds * 1000;
  state.counters["leftFiles"] = static_cast<double>(left.files);
  state.counters["peakMB"] = PeakResidentMegabytes();
}

benchmark::internal::Benchmark* Register(const char* name, void (*function)(benchmark::State&), int printers) {
  return benchmark::RegisterBenchmark(name, function)
      ->Arg(printers)
      ->Repetitions(3)
      ->ReportAggregatesOnly(true)
      ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  for (int printers : {1000, 2000}) {
    Register("Inventory", BM_Inventory, printers)->UseManualTime()->Iterations(5);
    // A removal changes the machine: each one needs a fresh machine, built
    // outside the time measured.
    Register("Cleanup", BM_Cleanup, printers)->UseManualTime()->Iterations(1);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
