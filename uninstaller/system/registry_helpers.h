// The registry helpers every step of the uninstaller goes through. They report
// success as a bool (or an empty text / -1) and never show messages.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

// Value as text: REG_SZ and REG_EXPAND_SZ as stored, REG_DWORD in decimal,
// anything else (and any failure) empty.
std::string RegGetString(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view valueName);
bool RegSetString(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view valueName,
                  std::string_view value);
bool RegSetDword(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view valueName,
                 std::uint32_t value);
// First byte of the value's data, or -1 when the key or value cannot be read.
int RegGetFirstByte(plat::Registry& reg, plat::HKey root, std::string_view keyPath, std::string_view valueName);
bool RegDeleteValueAndPrune(plat::Registry& reg, plat::HKey root, std::string_view keyPath,
                            std::string_view valueName, bool deleteTree);
void RegPruneEmptyKeys(plat::Registry& reg, plat::HKey root, std::string_view keyPath);
bool RegDeleteTree(plat::Registry& reg, plat::HKey root, std::string_view keyPath);
// The component removers' form: subkeys by increasing index, then the key.
bool RegDeleteTreeByIndex(plat::Registry& reg, plat::HKey root, std::string_view keyPath);
bool RegDeleteKeyTree(plat::Registry& reg, plat::HKey root, std::string_view keyPath, bool grant, bool onlyIfEmpty);
bool RegDeleteAllValues(plat::Registry& reg, plat::HKey root, std::string_view keyPath);

struct SearchKeyInfo {
  std::string keyPath;
  bool isAncestor = false;
};

bool RegFindKeysByValue(plat::Registry& reg, plat::HKey root, std::string_view startKey,
                        std::string_view valueName, std::string_view wantedText, int depth, int minDepth,
                        std::string_view subkeyName, std::vector<SearchKeyInfo>& results);
