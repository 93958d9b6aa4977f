#include "components/component_remover.h"

ComponentRemover::ComponentRemover(const ComponentContext& context)
    : context_(context), platform_(context.platform), log_(std::make_unique<OleLogComponent>(context.platform.installLog)) {
  plat::LogFailure failure;
  if (!log_->Create(&failure)) throw InstallLogError(std::move(failure));
}

ComponentRemover::~ComponentRemover() = default;

OleLogComponent& ComponentRemover::Log() {
  // The final clean-up lets the connection go and makes no call after it.
  if (!log_) throw InstallLogError(plat::LogFailure{0x8000FFFF, "the install log was already released"});
  return *log_;
}

// PLACEHOLDER until the removers are built: a component is announced and
// nothing of it is removed.
bool ComponentRemover::RemoveComponent(UnstItem& item) {
  NotifyRemoving(item.displayName);
  NotifyStep();
  return true;
}

void ComponentRemover::NotifyRemoving(std::string_view name) {
  plat::SendStatus(platform_.ui, progressWindow_, "Removing \"" + std::string(name) + "\" files...",
                   plat::status::ShowText);
}

void ComponentRemover::NotifyStep() {
  plat::SendStatus(platform_.ui, progressWindow_, std::string(), plat::status::Step);
}

void ComponentRemover::NotifyLockedFiles() {
  plat::SendStatus(platform_.ui, progressWindow_, "Attempting to remove locked files...", plat::status::ShowText);
}
