// PLACEHOLDER until the network-management add-ins land.
#include "components/component_remover.h"

void ComponentRemover::RemoveOpenViewFiles() {}
void ComponentRemover::RemoveNetViewFiles() {}
void ComponentRemover::RemoveOpenViewSnapIn() {}
void ComponentRemover::RemoveUnicenterSnapIn() {}
