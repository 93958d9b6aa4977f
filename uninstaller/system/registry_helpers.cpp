#include "system/registry_helpers.h"

#include <optional>
#include <string>

#include "platform/text.h"
#include "platform/win_errors.h"
#include "system/key_access_grant.h"

namespace {
using plat::keyaccess::AllAccess;

plat::UniqueKey Open(plat::Registry& reg, plat::HKey parent, std::string_view path, std::uint32_t access) {
  plat::HKey raw = plat::kNoHandle;
  if (reg.OpenKey(parent, path, access, &raw) != winerr::Success) return {};
  return plat::UniqueKey(reg, raw);
}

std::string JoinKey(std::string_view parent, std::string_view child) {
  std::string path(parent);
  path += '\\';
  path += child;
  return path;
}

// REG_DWORD read the way a zeroed 4-byte buffer would hold a shorter value.
std::int32_t DwordOf(const plat::RegValue& value) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < value.data.size() && i < 4; ++i) v |= std::uint32_t{value.data[i]} << (8 * i);
  return static_cast<std::int32_t>(v);
}

// Deletes the subkeys of an open key the way both tree deletions do: the
// first subkey is deleted directly (the 9x family removes its whole tree
// that way); when NT refuses because it has subkeys of its own, `recurse`
// empties and deletes it. Yields false when a recursion failed.
template <typename Recurse>
bool DeleteSubkeysFromFirst(plat::Registry& reg, plat::HKey key, std::string_view keyPath, Recurse recurse) {
  plat::RegKeyInfo info;
  while (reg.QueryInfo(key, &info) == winerr::Success && info.subkeys > 0) {
    std::string name;
    if (reg.EnumKey(key, 0, &name) != winerr::Success) break;
    if (reg.DeleteKey(key, name) == winerr::Success) continue;
    // The recursion deletes the subkey itself once it is empty.
    if (!recurse(JoinKey(keyPath, name))) return false;
  }
  return true;
}
}  // namespace

std::optional<std::string> RegGetString(plat::Registry& reg, plat::HKey root, std::string_view keyPath,
                                        std::string_view valueName) {
  auto key = Open(reg, root, keyPath, plat::keyaccess::Read);
  if (!key) return std::nullopt;
  plat::RegValue value;
  if (reg.QueryValue(key.get(), valueName, &value) != winerr::Success) return std::nullopt;
  switch (value.type) {
    case plat::RegType::Sz:
    case plat::RegType::ExpandSz:
      return value.AsText();  // not expanded: callers want what is stored
    case plat::RegType::Dword:
      return std::to_string(DwordOf(value));
    default:
      return std::string();
  }
}

namespace {
bool SetValue(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view className,
              std::string_view valueName, const plat::RegValue& value) {
  plat::HKey raw = plat::kNoHandle;
  bool created = false;
  if (reg.CreateKey(root, keyPath, className, AllAccess, &raw, &created) != winerr::Success) return false;
  plat::UniqueKey key(reg, raw);
  return reg.SetValue(key.get(), valueName, value) == winerr::Success;
}
}  // namespace

bool RegSetString(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view valueName,
                  std::string_view value) {
  return SetValue(reg, root, keyPath, "REG_SZ", valueName, plat::RegValue::String(value));
}

bool RegSetDword(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view valueName,
                 std::uint32_t value) {
  return SetValue(reg, root, keyPath, "REG_DWORD", valueName, plat::RegValue::Dword(value));
}

std::optional<std::uint8_t> RegGetFirstByte(plat::Registry& reg, plat::HKey root, std::string_view keyPath,
                                            std::string_view valueName) {
  auto key = Open(reg, root, keyPath, plat::keyaccess::Read);
  if (!key) return std::nullopt;
  plat::RegValue value;
  if (reg.QueryValue(key.get(), valueName, &value) != winerr::Success) return std::nullopt;
  // A value without data has no first byte to give.
  if (value.data.empty()) return std::nullopt;
  return value.data.front();
}

bool RegDeleteValueAndPrune(plat::Registry& reg, plat::HKey root, std::string_view keyPath,
                            std::string_view valueName, bool deleteTree) {
  if (keyPath.empty()) return false;
  // Whatever survives the deletion gets its access list back on return.
  KeyAccessGrant access(reg);
  // A grant that fails leaves the deletion below to fail and answer.
  static_cast<void>(access.Apply(root, keyPath, true));

  plat::HKey raw = plat::kNoHandle;
  const plat::WinError openErr = reg.OpenKey(root, keyPath, AllAccess, &raw);
  // A missing key holds no value: nothing is left to delete. A key that is
  // there but refuses us is a failure, not a success.
  if (openErr == winerr::FileNotFound || openErr == winerr::PathNotFound) return true;
  if (openErr != winerr::Success) return false;
  {
    plat::UniqueKey key(reg, raw);
    const plat::WinError err = reg.DeleteValue(key.get(), valueName);
    // The unnamed default value may well be absent; that never fails.
    if (err != winerr::Success && !valueName.empty()) return false;
  }
  RegPruneEmptyKeys(reg, root, keyPath);
  if (!deleteTree) return true;
  // The pruning may already have taken the emptied key: then the tree is gone.
  plat::HKey probe = plat::kNoHandle;
  const plat::WinError probeErr = reg.OpenKey(root, keyPath, plat::keyaccess::Read, &probe);
  if (probeErr == winerr::FileNotFound || probeErr == winerr::PathNotFound) return true;
  plat::UniqueKey probed(reg, probeErr == winerr::Success ? probe : plat::kNoHandle);
  probed.reset();
  return RegDeleteTree(reg, root, keyPath);
}

void RegPruneEmptyKeys(plat::Registry& reg, plat::HKey root, std::string_view keyPath) {
  std::string path(keyPath);
  for (;;) {
    const auto cut = path.rfind('\\');
    // A key right below the root (SOFTWARE, Software, Enum...) is part of
    // the system's layout, never the uninstaller's to remove.
    if (cut == std::string::npos || cut == 0) return;
    {
      auto key = Open(reg, root, path, plat::keyaccess::Read);
      if (!key) return;
      plat::RegKeyInfo info;
      if (reg.QueryInfo(key.get(), &info) != winerr::Success) return;
      if (info.subkeys > 0 || info.values > 0) return;
    }
    if (reg.DeleteKey(root, path) != winerr::Success) return;
    path.resize(cut);
  }
}

bool RegDeleteTree(plat::Registry& reg, plat::HKey root, std::string_view keyPath) {
  // An empty path would be the root itself.
  if (keyPath.empty()) return false;
  if (auto key = Open(reg, root, keyPath, AllAccess)) {
    const bool emptied = DeleteSubkeysFromFirst(
        reg, key.get(), keyPath, [&](const std::string& sub) { return RegDeleteTree(reg, root, sub); });
    if (!emptied) return false;
  }
  return reg.DeleteKey(root, keyPath) == winerr::Success;
}

bool RegDeleteTreeByIndex(plat::Registry& reg, plat::HKey root, std::string_view keyPath) {
  if (keyPath.empty()) return false;
  if (auto key = Open(reg, root, keyPath, AllAccess)) {
    // The names are read before anything is deleted: deleting while walking
    // the indexes upwards would shift the later subkeys down and skip every
    // other one.
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t index = 0; reg.EnumKey(key.get(), index, &name) == winerr::Success; ++index)
      names.push_back(name);
    key.reset();
    // A subtree that stays makes the key's own deletion below fail, which
    // is the answer.
    for (const auto& sub : names) static_cast<void>(RegDeleteTreeByIndex(reg, root, JoinKey(keyPath, sub)));
  }
  return reg.DeleteKey(root, keyPath) == winerr::Success;
}

namespace {
// The key holds no value and no subkey; nullopt when it cannot be read.
std::optional<bool> IsEmptyKey(plat::Registry& reg, plat::HKey root, std::string_view keyPath) {
  auto key = Open(reg, root, keyPath, plat::keyaccess::Read);
  if (!key) return std::nullopt;
  plat::RegKeyInfo info;
  if (reg.QueryInfo(key.get(), &info) != winerr::Success) return std::nullopt;
  return info.subkeys == 0 && info.values == 0;
}

// A key that holds anything is left as it is, access list included: the
// grant is asked for only when the key is empty, or cannot be read without
// it (and is then taken back with the key still there).
bool DeleteKeyIfEmpty(plat::Registry& reg, plat::HKey root, std::string_view keyPath, bool grant) {
  KeyAccessGrant access(reg);
  std::optional<bool> empty = IsEmptyKey(reg, root, keyPath);
  if (empty == false) return true;  // left in place on purpose
  if (grant) {
    static_cast<void>(access.Apply(root, keyPath, false));  // the emptiness check below answers
    if (!empty) empty = IsEmptyKey(reg, root, keyPath);
  }
  if (!empty) return false;
  if (!*empty) return true;
  return reg.DeleteKey(root, keyPath) == winerr::Success;
}
}  // namespace

bool RegDeleteKeyTree(plat::Registry& reg, plat::HKey root, std::string_view keyPath, bool grant,
                      bool onlyIfEmpty) {
  if (keyPath.empty()) return false;
  if (onlyIfEmpty) return DeleteKeyIfEmpty(reg, root, keyPath, grant);
  // Whatever survives the deletion gets its access list back on return.
  KeyAccessGrant access(reg);
  if (grant) static_cast<void>(access.Apply(root, keyPath, true));  // the deletions below answer
  // A value that stays keeps the key, and the key's deletion below answers.
  static_cast<void>(RegDeleteAllValues(reg, root, keyPath));

  bool result = true;
  {
    auto key = Open(reg, root, keyPath, AllAccess);
    if (!key) return false;
    plat::RegKeyInfo info;
    if (reg.QueryInfo(key.get(), &info) != winerr::Success) return false;
    result = DeleteSubkeysFromFirst(reg, key.get(), keyPath, [&](const std::string& sub) {
      return RegDeleteKeyTree(reg, root, sub, false, false);
    });
  }
  if (reg.DeleteKey(root, keyPath) != winerr::Success) result = false;
  return result;
}

bool RegDeleteAllValues(plat::Registry& reg, plat::HKey root, std::string_view keyPath) {
  // An empty path would open the root itself and empty it.
  if (keyPath.empty()) return false;
  auto key = Open(reg, root, keyPath, AllAccess);
  if (!key) return false;
  bool all = true;
  std::string name;
  plat::RegValue value;
  // Deleting shifts the next value down to the same index; a value that
  // refuses deletion is stepped over instead of being retried for ever.
  std::uint32_t index = 0;
  while (reg.EnumValue(key.get(), index, &name, &value) == winerr::Success) {
    if (reg.DeleteValue(key.get(), name) != winerr::Success) {
      all = false;
      ++index;
    }
  }
  return all;
}

bool RegFindKeysByValue(plat::Registry& reg, plat::HKey root, std::string_view startKey,
                        std::string_view valueName, std::string_view wantedText, int depth, int minDepth,
                        std::string_view subkeyName, std::vector<SearchKeyInfo>& results) {
  if (depth <= 0) return false;
  if (depth == 1) {
    const std::string where = subkeyName.empty() ? std::string(startKey) : JoinKey(startKey, subkeyName);
    // A missing value and an empty one match nothing alike.
    const std::string found = RegGetString(reg, root, where, valueName).value_or("");
    if (found.empty() || !text::IEquals(found, wantedText)) return false;
    results.push_back({std::string(startKey), false});
    return true;
  }

  auto key = Open(reg, root, startKey, AllAccess);
  if (!key) return false;
  bool anyMatch = false;
  std::string name;
  for (std::uint32_t index = 0;; ++index) {
    const plat::WinError err = reg.EnumKey(key.get(), index, &name);
    if (err != winerr::Success && err != winerr::MoreData) break;
    if (name.empty()) continue;
    if (RegFindKeysByValue(reg, root, JoinKey(startKey, name), valueName, wantedText, depth - 1, minDepth,
                           subkeyName, results))
      anyMatch = true;
  }
  // The parent follows its matching children, so deleting the list in order
  // empties a parent before it is tried.
  if (anyMatch && depth <= minDepth) results.push_back({std::string(startKey), true});
  return anyMatch;
}
