#include "hazards.h"

#include <cstdlib>

#include "platform/text.h"

namespace property {

const HazardSwitch& SwitchOf(Hazard hazard) { return kHazards[static_cast<std::size_t>(hazard)]; }

const HazardSwitch* SwitchNamed(std::string_view name) {
  for (const HazardSwitch& s : kHazards)
    if (text::IEquals(s.name, name)) return &s;
  return nullptr;
}

HazardSet HazardSet::FromEnvironment() {
  HazardSet set;
  for (const HazardSwitch& s : kHazards) set.Set(s.hazard, s.on);
  const char* extra = std::getenv("DP_PROPERTY_HAZARDS");
  if (extra == nullptr) return set;
  for (const std::string& raw : text::Split(extra, ',')) {
    std::string name(text::Trim(raw));
    const bool off = !name.empty() && name.front() == '-';
    if (off) name.erase(0, 1);
    if (text::IEquals(name, "all")) {
      for (const HazardSwitch& s : kHazards) set.Set(s.hazard, true);
    } else if (const HazardSwitch* s = SwitchNamed(name)) {
      set.Set(s->hazard, !off);
    }
  }
  return set;
}

HazardSet HazardSet::Only(Hazard hazard) {
  HazardSet set;
  set.Set(hazard, true);
  return set;
}

std::string HazardSet::Names() const {
  std::string names;
  for (const HazardSwitch& s : kHazards) {
    if (!Has(s.hazard)) continue;
    if (!names.empty()) names += ',';
    names += s.name;
  }
  return names;
}

}  // namespace property
