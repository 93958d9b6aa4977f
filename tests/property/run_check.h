// What a silent run may not do to a generated machine: take or change what
// is not the maker's, leave a printer without its driver or processor, call
// a step that failed a removal, or run on without end.
#pragma once
#include <string>
#include <vector>

#include "hazards.h"
#include "machine_model.h"
#include "silent_run.h"

namespace property {

struct Finding {
  std::string rule;     // which promise was broken
  std::string subject;  // the object, the same on every run of the same machine
  std::string detail;

  bool SameAs(const Finding& other) const { return rule == other.rule && subject == other.subject; }
};

// Virtual time a silent run may take: the spooler's stop, the retry rounds
// and its restart, with room to spare.
inline constexpr std::uint64_t kMaxVirtualMillis = 300'000;

std::vector<Finding> CheckRun(const World& world, const SilentRun& run, const HazardSet& hazards);

}  // namespace property
