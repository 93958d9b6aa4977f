// A silent run of everything on generated machines with the maker's objects
// beside other makers': nothing that is not the maker's goes or changes, the
// printers left keep what they print with, and the run ends.
// DP_PROPERTY_MACHINES sets how many machines (1,000 by default),
// DP_PROPERTY_SEED the first seed, DP_PROPERTY_HAZARDS the extra switches.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <ostream>
#include <string>

#include "machine_generator.h"
#include "run_check.h"
#include "shrink.h"

namespace property {
namespace {

constexpr int kWatchdogSeconds = 20;
constexpr int kMachinesPerHazard = 60;

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return fallback;
  return std::strtoull(value, nullptr, 10);
}

struct Tally {
  std::map<std::string, int> machinesPerOs;
  int makerPrintersRemoved = 0;
  int makerDriversRemoved = 0;
};

void Count(const SilentRun& run, const World& world, Tally& tally) {
  ++tally.machinesPerOs[world.os];
  for (const auto& printer : run.app->printers)
    if (printer->IsMakerPrinter() && printer->state == RemovalState::Removed) ++tally.makerPrintersRemoved;
  for (const auto& set : run.app->drivers)
    for (const auto& driver : set->drivers)
      if (set->isMaker && driver->state == RemovalState::Removed) ++tally.makerDriversRemoved;
}

// Runs `count` machines from `firstSeed`; on the first failure reports it
// with a shrunk image and stops.
Tally RunMachines(std::uint64_t firstSeed, std::uint64_t count, const HazardSet& hazards) {
  Tally tally;
  Watchdog watchdog(kWatchdogSeconds);
  for (std::uint64_t seed = firstSeed; seed < firstSeed + count; ++seed) {
    const World world = GenerateMachine(seed, hazards);
    watchdog.Starting(seed, hazards.Names());
    const SilentRun run = RunSilently(Render(world));
    watchdog.Finished();
    // An image naming a drive root may be refused: that is the promised end.
    if (!run.refused.empty() && hazards.Has(Hazard::DriveRoot)) continue;
    const std::vector<Finding> findings = CheckRun(world, run, hazards);
    if (!findings.empty()) {
      const World minimal = Shrink(world, hazards, findings.front());
      ADD_FAILURE() << Report(world, minimal, hazards, findings.front())
                    << "(" << findings.size() << " findings on the full machine)";
      return tally;
    }
    Count(run, world, tally);
  }
  return tally;
}

TEST(SilentRunOfEverything, TakesNothingThatIsNotTheMakersOnGeneratedMachines) {
  const HazardSet hazards = HazardSet::FromEnvironment();
  const std::uint64_t count = FromEnvironment("DP_PROPERTY_MACHINES", 1000);
  const Tally tally = RunMachines(FromEnvironment("DP_PROPERTY_SEED", 1), count, hazards);
  if (HasFailure()) return;
  // The property holds only if the runs removed something: every Windows
  // is drawn, and the maker's printers and drivers go on most machines.
  for (const char* os : {"winxp", "win2k", "nt4", "win98"}) EXPECT_GT(tally.machinesPerOs.count(os), 0u) << os;
  EXPECT_GT(tally.makerPrintersRemoved, static_cast<int>(count / 4));
  EXPECT_GT(tally.makerDriversRemoved, static_cast<int>(count / 2));
}

}  // namespace

// The switch's name, for the test's parameter in messages.
void PrintTo(const HazardSwitch& hazard, std::ostream* out) { *out << hazard.name; }

namespace {

class EachHazard : public ::testing::TestWithParam<HazardSwitch> {};

TEST_P(EachHazard, AloneTakesNothingThatIsNotTheMakers) {
  const HazardSwitch& hazard = GetParam();
  const HazardSet fromEnvironment = HazardSet::FromEnvironment();
  if (!fromEnvironment.Has(hazard.hazard)) GTEST_SKIP() << "switched off: " << hazard.fault;
  HazardSet alone = HazardSet::Only(hazard.hazard);
  // The checks that are switches count for every machine.
  alone.Set(Hazard::KeyDescriptors, fromEnvironment.Has(Hazard::KeyDescriptors));
  RunMachines(1'000'000 + static_cast<std::uint64_t>(hazard.hazard) * 1000, kMachinesPerHazard, alone);
}

std::string NameOf(const ::testing::TestParamInfo<HazardSwitch>& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (c == '-') c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Switches, EachHazard, ::testing::ValuesIn(kHazards.begin(), kHazards.end()), NameOf);

}  // namespace
}  // namespace property
