// One registry deletion prepared now and run later (after the spooler has
// deleted the printer or driver that the keys belong to).
#pragma once
#include <string>

#include "platform/registry.h"

struct RegRemoval {
  plat::HKey root = plat::kHkeyLocalMachine;
  std::string keyPath;
  std::string subkeyName;  // a direct subkey of keyPath to delete, or empty
  std::string valueName;   // a value of keyPath to delete, or empty
  bool onlyIfEmpty = false;  // key removal: only when it holds nothing

  [[nodiscard]] bool Run(plat::Registry& registry) const;
};
