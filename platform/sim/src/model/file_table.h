// The file table: entries by full path, in name order without case (a
// listing walks its folder in order), with a hashed index beside it. Paths
// in one table share long prefixes ("C:\WINDOWS\System32\spool\drivers\..."),
// so a walk down the ordered tree compares them over and over; a lookup of
// one path goes through the index instead and costs one hash.
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "platform/text.h"

namespace sim {

// A hash that agrees with text::IEquals: the bytes of the name folded.
std::size_t FoldedHash(std::string_view path);

template <typename Entry>
class FoldedTable {
  using Map = std::map<std::string, Entry, text::ILessFn>;

 public:
  using iterator = typename Map::iterator;
  using const_iterator = typename Map::const_iterator;
  using node_type = typename Map::node_type;

  FoldedTable() = default;
  // A copy's index names the copy's nodes.
  FoldedTable(const FoldedTable& other) : map_(other.map_) { Reindex(); }
  FoldedTable& operator=(const FoldedTable& other) {
    if (this != &other) {
      map_ = other.map_;
      Reindex();
    }
    return *this;
  }
  // Nodes move with the map, so the index stays true.
  FoldedTable(FoldedTable&&) noexcept = default;
  FoldedTable& operator=(FoldedTable&&) noexcept = default;

  iterator begin() { return map_.begin(); }
  iterator end() { return map_.end(); }
  const_iterator begin() const { return map_.begin(); }
  const_iterator end() const { return map_.end(); }
  std::size_t size() const { return map_.size(); }
  bool empty() const { return map_.empty(); }

  iterator find(std::string_view path) {
    const auto found = index_.find(path);
    return found == index_.end() ? map_.end() : found->second;
  }
  const_iterator find(std::string_view path) const {
    const auto found = index_.find(path);
    return found == index_.end() ? map_.end() : const_iterator(found->second);
  }
  std::size_t count(std::string_view path) const { return index_.count(path); }
  iterator lower_bound(std::string_view path) { return map_.lower_bound(path); }
  const_iterator lower_bound(std::string_view path) const { return map_.lower_bound(path); }

  // By reference: a caller may pass an entry's own path beside the entry.
  std::pair<iterator, bool> emplace(const std::string& path, Entry&& entry) {
    return Indexed(map_.emplace(path, std::move(entry)));
  }
  std::pair<iterator, bool> try_emplace(const std::string& path) { return Indexed(map_.try_emplace(path)); }
  // The key keeps the spelling it was first filed under, as a map's does.
  std::pair<iterator, bool> insert_or_assign(const std::string& path, Entry&& entry) {
    return Indexed(map_.insert_or_assign(path, std::move(entry)));
  }
  iterator erase(iterator it) {
    index_.erase(std::string_view(it->first));
    return map_.erase(it);
  }
  std::size_t erase(std::string_view path) {
    const iterator it = find(path);
    if (it == map_.end()) return 0;
    erase(it);
    return 1;
  }
  node_type extract(std::string_view path) {
    const auto found = index_.find(path);
    if (found == index_.end()) return node_type();
    const iterator it = found->second;
    index_.erase(found);
    return map_.extract(it);
  }

 private:
  struct HashFn {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return FoldedHash(s); }
  };
  struct EqualFn {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return text::IEquals(a, b); }
  };

  std::pair<iterator, bool> Indexed(std::pair<iterator, bool> result) {
    if (result.second) index_.emplace(std::string_view(result.first->first), result.first);
    return result;
  }
  void Reindex() {
    index_.clear();
    for (auto it = map_.begin(); it != map_.end(); ++it) index_.emplace(std::string_view(it->first), it);
  }

  Map map_;
  // Views of the map's own keys, which stay where they are while their node lives.
  std::unordered_map<std::string_view, iterator, HashFn, EqualFn> index_;
};

}  // namespace sim
