// Walks the values of a map as if it were a list of them: the sim's tables
// keep their records in a map for order and lookups, and their users want
// the records.
#pragma once
#include <iterator>

namespace sim {

template <class MapIterator>
struct ValueIterator {
  using value_type = typename std::iterator_traits<MapIterator>::value_type::second_type;
  using difference_type = std::ptrdiff_t;

  MapIterator at;

  auto& operator*() const { return at->second; }
  auto* operator->() const { return &at->second; }
  ValueIterator& operator++() {
    ++at;
    return *this;
  }
  bool operator==(const ValueIterator& other) const { return at == other.at; }
};

}  // namespace sim
