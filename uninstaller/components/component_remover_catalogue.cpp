#include "components/component_remover.h"

// PLACEHOLDER until the catalogue is built: no component is found.
std::size_t ComponentRemover::FillCatalogue(UnstItemArray& items, plat::Handle /*resources*/) {
  return static_cast<std::size_t>(items.size());
}

bool ComponentRemover::HasOtherSoftware() { return false; }
