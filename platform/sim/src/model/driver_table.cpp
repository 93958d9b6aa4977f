#include "driver_table.h"

#include <algorithm>

namespace sim {

std::string DriverTable::KeyOf(std::string_view environment, std::string_view name) {
  std::string key(environment);
  key += '\0';
  key += name;
  return key;
}

bool DriverTable::Put(plat::DriverInfo record) {
  std::vector<std::uint64_t>& versions = byName_[KeyOf(record.environment, record.name)];
  for (const std::uint64_t number : versions) {
    plat::DriverInfo& present = records_.at(number);
    if (present.version != record.version) continue;
    present = std::move(record);
    return true;
  }
  const std::uint64_t number = nextNumber_++;
  versions.push_back(number);
  records_.emplace(number, std::move(record));
  return false;
}

std::vector<const plat::DriverInfo*> DriverTable::Find(std::string_view environment, std::string_view name,
                                                       std::optional<std::uint32_t> version) const {
  std::vector<const plat::DriverInfo*> found;
  const auto named = byName_.find(KeyOf(environment, name));
  if (named == byName_.end()) return found;
  for (const std::uint64_t number : named->second) {
    const plat::DriverInfo& record = records_.at(number);
    if (!version || record.version == *version) found.push_back(&record);
  }
  return found;
}

void DriverTable::Erase(std::string_view environment, std::string_view name, std::optional<std::uint32_t> version) {
  const auto named = byName_.find(KeyOf(environment, name));
  if (named == byName_.end()) return;
  std::erase_if(named->second, [&](std::uint64_t number) {
    const auto record = records_.find(number);
    if (version && record->second.version != *version) return false;
    records_.erase(record);
    return true;
  });
  if (named->second.empty()) byName_.erase(named);
}

}  // namespace sim
