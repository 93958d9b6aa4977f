#include "faults.h"

#include "platform/text.h"

namespace sim {

std::optional<std::size_t> FireFault(std::vector<Fault>& faults, std::string_view call, std::string_view argument) {
  for (std::size_t i = 0; i < faults.size(); ++i) {
    Fault& f = faults[i];
    if (!text::WildcardMatch(f.call, call)) continue;
    if (f.match && !text::WildcardMatch(*f.match, argument)) continue;
    if (f.count && *f.count == 0) continue;
    // A skipped call passes this entry; a later entry may still fire.
    if (f.skip > 0) {
      --f.skip;
      continue;
    }
    if (f.count) --*f.count;
    return i;
  }
  return std::nullopt;
}

}  // namespace sim
