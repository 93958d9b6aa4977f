// A silent run of everything on one machine image, as the Linux runner
// starts it, with the machine as it was before and after.
#pragma once
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "app/cunst_main.h"
#include "sim/machine.h"

namespace property {

struct SilentRun {
  std::string refused;  // why the image did not load; empty when it ran
  int exitCode = -1;
  nlohmann::json before;  // the machine as saved
  nlohmann::json after;
  std::unique_ptr<sim::Machine> machine;
  std::unique_ptr<CUnstMain> app;
};

SilentRun RunSilently(const nlohmann::json& image);

// Ends the process with a message when one machine takes longer than this
// on the wall clock: a run that never ends cannot be caught otherwise.
class Watchdog {
 public:
  explicit Watchdog(int limitSeconds);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
  // The machine now running, for the message.
  void Starting(std::uint64_t seed, const std::string& hazards);
  void Finished();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace property
