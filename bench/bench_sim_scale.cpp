// How the simulated machine grows with its size: loading an image of N
// printers (as written by hand, and as the sim saves it), and deleting a key of N subkeys the two ways the uninstaller
// does (from the first subkey, and by increasing index after reading the
// names). Each run times only the step itself; the image is built and the
// machine loaded outside it. The program ends with T(2N)/T(N): near 2 is
// linear, near 4 quadratic.
//
// One size alone: --benchmark_filter=/25000$ (the sizes are 12,500 to 100,000).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/registry.h"
#include "ratio_reporter.h"
#include "sim/machine.h"
#include "system/registry_helpers.h"

namespace {

constexpr const char* kBulkKey = "SOFTWARE\\Vorkast\\Bulk";

std::string Numbered(const char* pattern, int n) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, n);
  return buffer;
}

// A Windows XP machine with N printers, two on each of N/2 drivers; every
// driver has files of its own, so the file table grows with N too.
nlohmann::json PrinterImage(int printers) {
  nlohmann::json drivers = nlohmann::json::array();
  for (int d = 0; d < printers / 2; ++d) {
    drivers.push_back({{"name", Numbered("Vorkast Model %06d", d)},
                       {"environment", "Windows NT x86"},
                       {"version", 3},
                       {"driverPath", Numbered("vk%06d.dll", d)},
                       {"dataFile", Numbered("vk%06d.gpd", d)},
                       {"configFile", "vkpcl2ui.dll"},
                       {"dependentFiles", {"vkshared.dll", Numbered("Model %06d Resources.dll", d)}}});
  }
  nlohmann::json list = nlohmann::json::array();
  for (int p = 0; p < printers; ++p) {
    list.push_back({{"name", Numbered("Vorkast Printer %06d", p)},
                    {"driver", Numbered("Vorkast Model %06d", p / 2)},
                    {"port", p % 2 ? "LPT1:" : "FILE:"}});
  }
  return {{"os", "winxp"}, {"drivers", drivers}, {"printers", list}};
}

// A Windows XP machine whose bulk key holds N subkeys of one value each.
nlohmann::json KeyImage(int subkeys) {
  nlohmann::json registry = nlohmann::json::object();
  for (int k = 0; k < subkeys; ++k) {
    registry["HKLM\\" + std::string(kBulkKey) + Numbered("\\Instance %06d", k)] = {{"values", {{"Port", "LPT1:"}}}};
  }
  return {{"os", "winxp"}, {"registry", registry}};
}

std::unique_ptr<sim::Machine> Load(const nlohmann::json& image) {
  sim::LoadError error;
  auto machine = sim::Machine::FromJson(image, &error);
  if (!machine) throw std::runtime_error(error.ToString());
  return machine;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_LoadPrinters(benchmark::State& state) {
  const auto image = PrinterImage(static_cast<int>(state.range(0)));
  std::size_t printers = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    auto machine = Load(image);
    state.SetIterationTime(SecondsSince(start));
    std::vector<plat::PrinterInfo> list;
    if (machine->platform().spooler.ListPrinters(plat::spool::EnumLocal, &list).failed()) list.clear();
    printers = list.size();
  }
  if (printers != static_cast<std::size_t>(state.range(0))) state.SkipWithError("the machine lost printers");
}

// The same machine as the sim saves it: every file listed with its short name.
void BM_LoadSavedPrinters(benchmark::State& state) {
  const auto image = Load(PrinterImage(static_cast<int>(state.range(0))))->Save();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    auto machine = Load(image);
    state.SetIterationTime(SecondsSince(start));
  }
}

using TreeDeletion = bool (*)(plat::Registry&, plat::HKey, std::string_view);

void DeleteTree(benchmark::State& state, TreeDeletion deletion) {
  const auto image = KeyImage(static_cast<int>(state.range(0)));
  bool gone = false;
  for (auto _ : state) {
    auto machine = Load(image);
    const auto start = std::chrono::steady_clock::now();
    const bool deleted = deletion(machine->platform().registry, plat::kHkeyLocalMachine, kBulkKey);
    state.SetIterationTime(SecondsSince(start));
    gone = deleted && !machine->KeyExists("HKLM\\" + std::string(kBulkKey));
  }
  if (!gone) state.SkipWithError("the key is still there");
}

void BM_DeleteTreeFromFirst(benchmark::State& state) { DeleteTree(state, RegDeleteTree); }
void BM_DeleteTreeByIndex(benchmark::State& state) { DeleteTree(state, RegDeleteTreeByIndex); }

}  // namespace

int main(int argc, char** argv) {
  const struct {
    const char* name;
    void (*function)(benchmark::State&);
  } steps[] = {{"LoadPrinters", BM_LoadPrinters},
               {"LoadSavedPrinters", BM_LoadSavedPrinters},
               {"DeleteTreeFromFirst", BM_DeleteTreeFromFirst},
               {"DeleteTreeByIndex", BM_DeleteTreeByIndex}};
  for (const auto& step : steps) {
    for (int size : {12500, 25000, 50000, 100000}) {
      benchmark::RegisterBenchmark(step.name, step.function)
          ->Arg(size)
          ->Iterations(1)
          ->Repetitions(3)
          ->ReportAggregatesOnly(true)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
