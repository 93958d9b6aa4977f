// PLACEHOLDER until the logged removal and the platform add-ins land.
#include "components/component_remover.h"

void ComponentRemover::RemoveLoggedComponent(std::string_view key, const std::vector<std::string>&) {
  Log().ForgetComponent(key);
}
void ComponentRemover::RemoveLoggedFiles(std::string_view, const std::vector<std::string>&) {}
void ComponentRemover::RemoveLoggedRegistry(std::string_view) {}
void ComponentRemover::RemoveLoggedShellItems(std::string_view) {}
bool ComponentRemover::ShellDelete(std::string_view) { return true; }
void ComponentRemover::RemoveOpenViewFiles() {}
void ComponentRemover::RemoveNetViewFiles() {}
void ComponentRemover::RemoveOpenViewSnapIn() {}
void ComponentRemover::RemoveUnicenterSnapIn() {}
