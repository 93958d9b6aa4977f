// What the image says about outside programs and services of the machine:
// what a command line does when it runs, the network scheduler's jobs and
// the Task Scheduler's tasks. Plain data, like the rest of MachineData.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace sim {

// One change a program makes to the machine while it runs.
struct CommandEffect {
  enum class Kind { DeleteValue, SetValue, DeleteKey, DeleteFile, CreateFile, StopService };
  Kind kind = Kind::DeleteValue;
  // The key's full path, the file's full path or the service's name.
  std::string target;
  std::string valueName;   // DeleteValue, SetValue
  plat::RegValue value;    // SetValue
  std::string content;     // CreateFile
};

// What the first command line matching `match` (a wildcard without case)
// does: its start fails, or it runs and makes its effects in order.
struct CommandRule {
  std::string match;
  bool startFails = false;
  std::vector<CommandEffect> effects;
};

// A job of the network scheduling service ("at" jobs).
struct ScheduledJobEntry {
  std::uint32_t id = 0;
  std::string command;
};

// The Task Scheduler: whether its object can be created, and its tasks by
// name.
struct TaskSchedulerState {
  bool available = true;
  std::vector<std::string> tasks;
};

}  // namespace sim
