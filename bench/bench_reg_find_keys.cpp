// The driver search walks every device instance under a root looking for a
// port name; this measures it over a hive of 10,000 keys.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "platform/registry.h"
#include "sim/machine.h"
#include "system/registry_helpers.h"

namespace {
constexpr int kDevices = 100;
constexpr int kInstancesPerDevice = 99;  // 100 device keys + 9,900 instances

std::unique_ptr<sim::Machine> BuildHive() {
  nlohmann::json registry = nlohmann::json::object();
  char path[96];
  char port[16];
  for (int d = 0; d < kDevices; ++d) {
    for (int i = 0; i < kInstancesPerDevice; ++i) {
      std::snprintf(path, sizeof path, "HKLM\\Enum\\USB\\VID_%04X&PID_%04X\\Inst%02d", d, d * 7, i);
      std::snprintf(port, sizeof port, "USB%03d", (d * kInstancesPerDevice + i) % 500);
      registry[path] = {{"values", {{"PortName", port}, {"Driver", "{guid}\\0001"}}}};
    }
  }
  sim::LoadError error;
  auto machine = sim::Machine::FromJson({{"os", "winxp"}, {"registry", registry}}, &error);
  if (!machine) throw std::runtime_error(error.ToString());
  return machine;
}

void BM_RegFindKeysByValue(benchmark::State& state) {
  auto machine = BuildHive();
  auto& reg = machine->platform().registry;
  std::size_t found = 0;
  for (auto _ : state) {
    std::vector<SearchKeyInfo> results;
    // The list is what is measured.
    static_cast<void>(
        RegFindKeysByValue(reg, plat::kHkeyLocalMachine, "Enum\\USB", "PortName", "usb042", 3, 2, "", results));
    found = results.size();
    benchmark::DoNotOptimize(results.data());
  }
  state.counters["results"] = static_cast<double>(found);
  state.counters["keys"] = kDevices * (kInstancesPerDevice + 1);
}
BENCHMARK(BM_RegFindKeysByValue)->Unit(benchmark::kMillisecond);
}  // namespace
