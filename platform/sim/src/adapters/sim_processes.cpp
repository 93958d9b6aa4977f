#include "sim_processes.h"

#include "sim_files.h"

#include "command_effects.h"
#include "model/file_tree.h"
#include "model/machine_paths.h"
#include "model/machine_state.h"
#include "platform/win_path.h"

namespace sim {

// Nothing runs on the simulated machine: a started program is journalled
// with how it was asked to run, which is what a test can check.
plat::WinError SimProcesses::StartDetached(const plat::ProcessLaunch& launch) {
  if (auto e = m_.Fault("Processes.StartDetached", launch.commandLine)) return *e;
  nlohmann::json entry{{"event", "processStarted"},
                       {"commandLine", launch.commandLine},
                       {"directory", launch.currentDirectory},
                       {"window", launch.hideWindow ? "hidden" : "shown"},
                       {"priority", launch.idlePriority ? "idle" : "normal"}};
  m_.Record(std::move(entry));
  return winerr::Success;
}

}  // namespace sim

namespace sim {

namespace {
const CommandRule* RuleFor(const MachineData& d, std::string_view commandLine) {
  for (const CommandRule& rule : d.commands)
    if (text::WildcardMatch(rule.match, commandLine)) return &rule;
  return nullptr;
}

bool IsRooted(std::string_view name) {
  return winpath::HasDrive(name) || winpath::IsUnc(name) || (!name.empty() && winpath::IsSeparator(name[0]));
}
}  // namespace

// The image's first "commands" entry that matches says what the program
// does; a command line no entry matches runs and changes nothing. A program
// does its work before RunCommand returns, whether or not it is waited for.
plat::WinError SimProcesses::RunCommand(std::string_view commandLine, bool wait) {
  if (auto e = m_.Fault("Processes.RunCommand", commandLine)) return *e;
  const CommandRule* rule = RuleFor(m_.data, commandLine);
  nlohmann::json entry{{"event", "commandRun"}, {"commandLine", std::string(commandLine)}, {"wait", wait}};
  if (rule != nullptr && rule->startFails) {
    entry["error"] = winerr::Name(winerr::FileNotFound);
    m_.Record(std::move(entry));
    return winerr::FileNotFound;
  }
  m_.Record(std::move(entry));
  if (rule != nullptr)
    for (const CommandEffect& effect : rule->effects) ApplyCommandEffect(m_, effect);
  return winerr::Success;
}

// SearchPath's order: the program's own directory, the current directory,
// the system directory (and on NT the 16-bit one), the Windows directory,
// then the PATH. A rooted name is only looked up where it points.
plat::WinError SimProcesses::FindOnSearchPath(std::string_view fileName, std::string* fullPath) {
  if (auto e = m_.Fault("Processes.FindOnSearchPath", fileName)) return *e;
  fullPath->clear();
  if (fileName.empty()) return winerr::FileNotFound;
  const auto isFile = [&](const std::string& path) {
    const auto it = m_.data.files.find(files_.Resolve(path));
    return it != m_.data.files.end() && !it->second.IsDirectory();
  };
  if (IsRooted(fileName)) {
    if (!isFile(std::string(fileName))) return winerr::FileNotFound;
    *fullPath = files_.Resolve(fileName);
    return winerr::Success;
  }
  std::vector<std::string> dirs{ParentOf(m_.data.program), m_.data.currentDirectory, SystemDir(m_.data)};
  if (m_.data.IsNT()) dirs.push_back(WindowsDir(m_.data) + "\\system");
  dirs.push_back(WindowsDir(m_.data));
  dirs.insert(dirs.end(), m_.data.searchPath.begin(), m_.data.searchPath.end());
  for (const std::string& dir : dirs) {
    if (dir.empty()) continue;
    const std::string candidate = dir + "\\" + std::string(fileName);
    if (isFile(candidate)) {
      *fullPath = candidate;
      return winerr::Success;
    }
  }
  return winerr::FileNotFound;
}

}  // namespace sim
