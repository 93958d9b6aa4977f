#include <algorithm>

#include "components/component_catalogue.h"
#include "components/component_remover.h"
#include "components/log_lists.h"
#include "platform/text.h"
#include "system/registry_helpers.h"

std::size_t ComponentRemover::FillCatalogue(UnstItemArray& items, plat::Handle resources) {
  std::vector<std::string_view> added;
  requires_.clear();
  for (const catalogue::Row& row : catalogue::kRows) {
    switch (row.requiresBefore) {
      case catalogue::RequiresBefore::Keep:
        break;
      case catalogue::RequiresBefore::Clear:
        requires_.clear();
        break;
      case catalogue::RequiresBefore::SetBidi:
        requires_.assign(1, std::string(catalogue::kBidi));
        break;
    }
    if (!row.parentKey.empty() && std::find(added.begin(), added.end(), row.parentKey) == added.end()) continue;

    const int index = row.textId != 0
                          ? AddComponentById(row.logSection, row.key, row.parentKey, row.textId, 1, items, resources)
                          : AddComponent(row.logSection, row.key, row.parentKey, row.literal, 1, items);
    if (index < 0) continue;
    added.push_back(row.key);
    UnstItem& item = items[index];
    if (!row.alsoRequires.empty()) item.requiredKeys.emplace_back(row.alsoRequires);
    item.followsChildren = row.followsChildren;
    item.dependencyStrength = row.dependencyStrength;
  }
  return static_cast<std::size_t>(items.size());
}

int ComponentRemover::AddComponent(std::string_view logSection, std::string_view key, std::string_view parentKey,
                                   std::string_view displayName, int kind, UnstItemArray& items) {
  if (!IsComponentInstalled(key)) return -1;
  const int index = items.Add(std::string(key), std::string(parentKey), std::string(logSection),
                              std::string(displayName), kind);
  items[index].requiredKeys = requires_;
  return index;
}

int ComponentRemover::AddComponentById(std::string_view logSection, std::string_view key, std::string_view parentKey,
                                       std::uint32_t textId, int kind, UnstItemArray& items, plat::Handle resources) {
  // A library that lacks the string still lists the component, without a name.
  std::string name;
  if (!platform_.resources.LoadText(resources, textId, &name).ok()) name.clear();
  return AddComponent(logSection, key, parentKey, name, kind, items);
}

bool ComponentRemover::IsComponentInstalled(std::string_view key) {
  if (!Log().IsInstalled(key)) return false;
  if (!text::IEquals(key, catalogue::kIntranetClient)) return true;
  return !RegGetString(platform_.registry, plat::kHkeyLocalMachine, catalogue::kIntranetClientKey,
                       catalogue::kIntranetClientDirValue)
              .value_or("")
              .empty();
}

bool ComponentRemover::HasOtherSoftware() {
  std::vector<std::string> children;
  SplitList(Log().GetList(plat::logkind::Children, "Install"), children);
  return std::any_of(children.begin(), children.end(), [](const std::string& key) {
    return !text::IEquals(key, "Printer") && !text::IEquals(key, "Driver");
  });
}
