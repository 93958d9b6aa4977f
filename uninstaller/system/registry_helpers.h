// The registry helpers every step of the uninstaller goes through. They report
// success as a bool, and a value read as nothing when it cannot be read; they
// never show messages.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

// Value as text: REG_SZ and REG_EXPAND_SZ as stored, REG_DWORD in decimal,
// any other type empty. Nothing when the key cannot be opened or the value
// read; callers that treat a missing value as an empty one say so with
// value_or("").
[[nodiscard]] std::optional<std::string> RegGetString(plat::Registry& reg, plat::HKey root, std::string_view keyPath,
                                                      std::string_view valueName);
[[nodiscard]] bool RegSetString(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view valueName,
                  std::string_view value);
[[nodiscard]] bool RegSetDword(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view valueName,
                 std::uint32_t value);
// First byte of the value's data; nothing when the key or value cannot be
// read, or the value holds no data.
[[nodiscard]] std::optional<std::uint8_t> RegGetFirstByte(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view valueName);
[[nodiscard]] bool RegDeleteValueAndPrune(plat::Registry& reg, plat::HKey root, std::string_view keyPath,
                            std::string_view valueName, bool deleteTree);
void RegPruneEmptyKeys(plat::Registry& reg, plat::HKey root, std::string_view keyPath);
[[nodiscard]] bool RegDeleteTree(plat::Registry& reg, plat::HKey root, std::string_view keyPath);
// The component removers' form: subkeys by increasing index, then the key.
[[nodiscard]] bool RegDeleteTreeByIndex(plat::Registry& reg, plat::HKey root, std::string_view keyPath);
[[nodiscard]] bool RegDeleteKeyTree(plat::Registry& reg, plat::HKey root, std::string_view keyPath, bool grant, bool onlyIfEmpty);
[[nodiscard]] bool RegDeleteAllValues(plat::Registry& reg, plat::HKey root, std::string_view keyPath);

struct SearchKeyInfo {
  std::string keyPath;
  bool isAncestor = false;
};

[[nodiscard]] bool RegFindKeysByValue(plat::Registry& reg, plat::HKey root, std::string_view startKey,
                        std::string_view valueName, std::string_view wantedText, int depth, int minDepth,
                        std::string_view subkeyName, std::vector<SearchKeyInfo>& results);
