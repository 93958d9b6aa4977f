// One uninstallable software component, and the list that start-up fills from
// the component catalogue.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/handle.h"

struct UnstItem {
  std::string key;          // unique in the list, compared without case
  std::string parentKey;    // empty for a top-level component
  std::string logSection;   // install-log section the catalogue found it under
  std::string displayName;  // from the translated-resource library
  int kind = 0;
  std::string extra;
  // Keys of the components this one needs while it stays ("requires" is a
  // C++20 keyword).
  std::vector<std::string> requiredKeys;
  bool requiredByDrivers = false;
  plat::Handle treeItem = plat::kNoHandle;  // node in the selection tree while it exists
  bool selected = false;
  bool followsChildren = true;
  int dependencyStrength = 0;
  bool removed = true;  // false marks a failed removal
};

class UnstItemArray {
 public:
  int Add(std::string key, std::string parentKey, std::string logSection, std::string displayName, int kind);
  // Index of the first item whose key equals `key` without case, or -1.
  int Find(std::string_view key) const;
  int CountSelected() const;
  // Appends "<displayName>\n" for each selected item whose removal failed, in
  // array order: the components part of the completion's failure list.
  void AppendFailures(std::string& text) const;
  // Appends the index of every item shown under `key`, each followed at once
  // by its own children (depth first). An empty key has no children.
  void CollectChildren(std::string_view key, std::vector<int>& indices) const;
  // Whether `key` is one of the keys `item` requires (without case).
  static bool Requires(const UnstItem& item, std::string_view key);

  int size() const { return static_cast<int>(items_.size()); }
  bool empty() const { return items_.empty(); }
  UnstItem& operator[](int i) { return items_[static_cast<std::size_t>(i)]; }
  const UnstItem& operator[](int i) const { return items_[static_cast<std::size_t>(i)]; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  void CollectChildrenOnce(std::string_view key, std::vector<int>& indices) const;
  std::vector<UnstItem> items_;
};
