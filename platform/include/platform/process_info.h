// ProcessInfo port: facts about the running program itself.
#pragma once
#include <string>

namespace plat {

class ProcessInfo {
 public:
  virtual ~ProcessInfo() = default;
  // GetModuleFileName(NULL): full path of the running program.
  virtual std::string ModulePath() = 0;
};

}  // namespace plat
