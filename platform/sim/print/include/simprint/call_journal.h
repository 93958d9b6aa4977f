// The journal of a simulated print run: every call the processor makes on the
// simulated spooler, player, host and device contexts, one line each, in
// order. Tests read it; emfplay-sim prints it. A hook sees each line as it is
// added, which is where a test or the runner plays the spooler's other thread
// (pause, resume, cancel at a chosen call).
//
// Faults: a call name can be made to fail with a given error, a number of
// times or for good, after letting a number of calls through.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/print/print_result.h"

namespace sim::print {

class CallJournal {
 public:
  using Hook = std::function<void(std::size_t number, const std::string& line)>;

  // Adds a line and returns its number, counting from 1. The hook runs after
  // the line is in, outside the journal's lock.
  std::size_t Add(std::string line);
  std::vector<std::string> Lines() const;
  std::size_t Size() const;
  void SetHook(Hook hook);

  // `call` fails with `code` from its (skip + 1)-th use on, `times` times
  // (negative: for good).
  void Fail(std::string call, std::uint32_t code, int times = -1, int skip = 0);
  // The failure due for this use of `call`, if any; counts the use.
  std::optional<plat::print::Error> FaultFor(std::string_view call);

 private:
  struct Fault {
    std::uint32_t code = 0;
    int times = -1;
    int skip = 0;
  };
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  Hook hook_;
  std::map<std::string, Fault, std::less<>> faults_;
};

// Quoted text for journal lines; "null" for an absent string.
std::string Quote(std::string_view s);
std::string Quote(const std::optional<std::string>& s);
std::string Quote(std::optional<std::string_view> s);
std::string Hex(std::uint32_t value);

}  // namespace sim::print
