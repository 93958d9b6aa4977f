#include "playback/object_table.h"

namespace vemf {

void ObjectTable::Add(std::uint32_t number, plat::Handle handle) {
  if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.capacity() + kGrowth);
  entries_.push_back({number, handle});
}

std::optional<plat::Handle> ObjectTable::Find(std::uint32_t number) const {
  for (const Entry& e : entries_)
    if (e.number == number) return e.handle;
  return std::nullopt;
}

std::optional<plat::Handle> ObjectTable::Remove(std::uint32_t number) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].number != number) continue;
    const plat::Handle h = entries_[i].handle;
    entries_[i] = entries_.back();
    entries_.pop_back();
    return h;
  }
  return std::nullopt;
}

std::vector<plat::Handle> ObjectTable::TakeAll() {
  std::vector<plat::Handle> out;
  out.reserve(entries_.size());
  for (const Entry& e : entries_) out.push_back(e.handle);
  entries_.clear();
  return out;
}

}  // namespace vemf
