#include "silent_run.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace property {

SilentRun RunSilently(const nlohmann::json& image) {
  SilentRun run;
  sim::LoadError error;
  run.machine = sim::Machine::FromJson(image, &error);
  if (!run.machine) {
    run.refused = error.ToString();
    return run;
  }
  run.before = run.machine->Save();
  run.app = std::make_unique<CUnstMain>(run.machine->platform());
  run.app->SetArguments({"/S"});
  run.app->InitInstance();
  run.exitCode = run.app->ExitInstance();
  run.after = run.machine->Save();
  return run;
}

struct Watchdog::State {
  std::mutex mutex;
  std::condition_variable wake;
  bool stopping = false;
  bool running = false;
  std::uint64_t seed = 0;
  std::string hazards;
  std::chrono::steady_clock::time_point started;
  std::thread thread;
};

Watchdog::Watchdog(int limitSeconds) : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.thread = std::thread([&s, limitSeconds] {
    std::unique_lock lock(s.mutex);
    while (!s.stopping) {
      s.wake.wait_for(lock, std::chrono::seconds(1));
      if (s.running && std::chrono::steady_clock::now() - s.started > std::chrono::seconds(limitSeconds)) {
        std::fprintf(stderr, "\nThe run on the machine of seed %llu (hazards %s) did not end within %d seconds.\n",
                     static_cast<unsigned long long>(s.seed), s.hazards.c_str(), limitSeconds);
        std::fflush(stderr);
        std::_Exit(3);
      }
    }
  });
}

Watchdog::~Watchdog() {
  {
    std::lock_guard lock(state_->mutex);
    state_->stopping = true;
  }
  state_->wake.notify_all();
  state_->thread.join();
}

void Watchdog::Starting(std::uint64_t seed, const std::string& hazards) {
  std::lock_guard lock(state_->mutex);
  state_->running = true;
  state_->seed = seed;
  state_->hazards = hazards;
  state_->started = std::chrono::steady_clock::now();
}

void Watchdog::Finished() {
  std::lock_guard lock(state_->mutex);
  state_->running = false;
}

}  // namespace property
