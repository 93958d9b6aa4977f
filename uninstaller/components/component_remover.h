// The one connection to the install-log server and the removers of the
// maker's software components. Start-up uses it only to fill the component
// catalogue; the install-log client is not connected yet, so the catalogue
// finds no component.
#pragma once
#include <cstddef>
#include <optional>

#include "app/unst_item.h"
#include "platform/handle.h"
#include "platform/platform.h"

class ComponentRemover {
 public:
  explicit ComponentRemover(plat::Platform& platform) : platform_(platform) {}

  // Adds one item per installed component, with its display name from the
  // string table of `resources`, and returns how many it added; nothing when
  // the install log could not be asked.
  [[nodiscard]] std::optional<std::size_t> FillCatalogue(UnstItemArray& /*items*/, plat::Handle /*resources*/) {
    return 0;
  }

 private:
  [[maybe_unused]] plat::Platform& platform_;
};
