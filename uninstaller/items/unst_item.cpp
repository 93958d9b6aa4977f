#include "items/unst_item.h"

#include <algorithm>

#include "platform/text.h"

int UnstItemArray::Add(std::string key, std::string parentKey, std::string logSection, std::string displayName,
                       int kind) {
  UnstItem item;
  item.key = std::move(key);
  item.parentKey = std::move(parentKey);
  item.logSection = std::move(logSection);
  item.displayName = std::move(displayName);
  item.kind = kind;
  items_.push_back(std::move(item));
  return size() - 1;
}

int UnstItemArray::Find(std::string_view key) const {
  for (int i = 0; i < size(); ++i) {
    if (text::IEquals((*this)[i].key, key)) return i;
  }
  return -1;
}

int UnstItemArray::CountSelected() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const UnstItem& i) { return i.selected; }));
}

void UnstItemArray::AppendFailures(std::string& text) const {
  for (const UnstItem& item : items_) {
    if (item.selected && !item.removed) text += item.displayName + "\n";
  }
}

void UnstItemArray::CollectChildren(std::string_view key, std::vector<int>& indices) const {
  if (key.empty()) return;
  // A parent chain that loops back on itself would otherwise recurse for
  // ever; an item already collected is not visited twice.
  CollectChildrenOnce(key, indices);
}

void UnstItemArray::CollectChildrenOnce(std::string_view key, std::vector<int>& indices) const {
  for (int i = 0; i < size(); ++i) {
    const UnstItem& item = (*this)[i];
    if (!text::IEquals(item.parentKey, key)) continue;
    if (std::find(indices.begin(), indices.end(), i) != indices.end()) continue;
    indices.push_back(i);
    CollectChildrenOnce(item.key, indices);
  }
}

bool UnstItemArray::Requires(const UnstItem& item, std::string_view key) {
  return std::any_of(item.requiredKeys.begin(), item.requiredKeys.end(),
                     [&](const std::string& required) { return text::IEquals(required, key); });
}
