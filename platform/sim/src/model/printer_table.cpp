#include "printer_table.h"

namespace sim {

bool PrinterTable::Add(PrinterEntry entry) {
  const std::uint64_t number = nextNumber_;
  if (!byName_.emplace(entry.FullName(), number).second) return false;
  ++nextNumber_;
  ++driverUsers_[entry.driverName];
  entries_.emplace(number, std::move(entry));
  return true;
}

PrinterEntry* PrinterTable::Find(std::string_view fullName) {
  const auto named = byName_.find(fullName);
  return named == byName_.end() ? nullptr : &entries_.at(named->second);
}

const PrinterEntry* PrinterTable::Find(std::string_view fullName) const {
  const auto named = byName_.find(fullName);
  return named == byName_.end() ? nullptr : &entries_.at(named->second);
}

void PrinterTable::Erase(std::string_view fullName) {
  const auto named = byName_.find(fullName);
  if (named == byName_.end()) return;
  const auto entry = entries_.find(named->second);
  const auto users = driverUsers_.find(entry->second.driverName);
  if (--users->second == 0) driverUsers_.erase(users);
  entries_.erase(entry);
  byName_.erase(named);
}

bool PrinterTable::UsesDriver(std::string_view driverName) const {
  return driverUsers_.find(driverName) != driverUsers_.end();
}

}  // namespace sim
