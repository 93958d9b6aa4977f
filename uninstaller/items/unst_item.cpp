#include "app/unst_item.h"

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
