#include "log_store.h"

#include <algorithm>

namespace logstore {

namespace {
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view LastComponent(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}
}  // namespace

bool AsciiLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
  });
}

bool AsciiIEquals(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Lower(x) == Lower(y);
         });
}

std::optional<std::size_t> ListKindOf(std::int32_t kind) {
  if (kind < 0 || kind >= static_cast<std::int32_t>(kListKinds)) return std::nullopt;
  return static_cast<std::size_t>(kind);
}

std::optional<std::vector<std::string>> SplitEntries(std::string_view listText) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (start < listText.size()) {
    const std::size_t end = listText.find('\n', start);
    if (end == std::string_view::npos || end == start) return std::nullopt;
    entries.emplace_back(listText.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

const ComponentRecord* LogStore::Find(std::string_view key) const {
  const auto it = components_.find(key);
  return it == components_.end() ? nullptr : &it->second;
}

bool LogStore::AddEntry(std::size_t kind, std::string_view key, std::string_view entry) {
  std::string& list = components_[std::string(key)].lists[kind];
  if (const auto entries = SplitEntries(list)) {
    for (const std::string& e : *entries)
      if (AsciiIEquals(e, entry)) return false;
  }
  list.append(entry).push_back('\n');
  return true;
}

int LogStore::RemoveEntry(std::size_t kind, std::string_view key, std::string_view entry) {
  const auto it = components_.find(key);
  if (it == components_.end()) return 0;
  std::string& list = it->second.lists[kind];
  const auto entries = SplitEntries(list);
  if (!entries) return 0;
  std::string kept;
  int dropped = 0;
  for (const std::string& e : *entries) {
    if (AsciiIEquals(e, entry)) {
      ++dropped;
    } else {
      kept.append(e).push_back('\n');
    }
  }
  list = std::move(kept);
  return dropped;
}

bool LogStore::Forget(std::string_view key) {
  const auto it = components_.find(key);
  if (it == components_.end()) return false;
  components_.erase(it);
  return true;
}

bool LogStore::IsInstalled(std::string_view key) const {
  const ComponentRecord* record = Find(key);
  return record != nullptr && record->installed;
}

void LogStore::SetInstalled(std::string_view key, bool installed) {
  components_[std::string(key)].installed = installed;
}

bool LogStore::SetProperty(std::string_view key, std::string_view name, std::string_view value) {
  auto& properties = components_[std::string(key)].properties;
  const auto it = properties.find(name);
  if (value.empty()) {
    if (it == properties.end()) return false;
    properties.erase(it);
    return true;
  }
  if (it != properties.end()) {
    if (it->second == value) return false;
    it->second = std::string(value);
    return true;
  }
  properties.emplace(std::string(name), std::string(value));
  return true;
}

std::string LogStore::LoggedPath(std::size_t kind, std::string_view key, std::string_view fileName) const {
  const ComponentRecord* record = Find(key);
  if (record == nullptr) return {};
  // Read line by line rather than through SplitEntries: a damaged list still
  // answers for the entries it does hold.
  const std::string& list = record->lists[kind];
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\n', start);
    if (end == std::string::npos) end = list.size();
    const std::string_view entry(list.data() + start, end - start);
    if (!entry.empty() && AsciiIEquals(LastComponent(entry), fileName)) return std::string(entry);
    start = end + 1;
  }
  return {};
}

std::string LogStore::Property(std::string_view key, std::string_view name) const {
  const ComponentRecord* record = Find(key);
  if (record == nullptr) return {};
  const auto it = record->properties.find(name);
  return it == record->properties.end() ? std::string() : it->second;
}

std::string LogStore::List(std::size_t kind, std::string_view key) const {
  const ComponentRecord* record = Find(key);
  return record == nullptr ? std::string() : record->lists[kind];
}

}  // namespace logstore
