#include "components/component_remover.h"

#include "maker/maker_identity.h"
#include "platform/text.h"

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

bool ComponentRemover::RemoveComponent(UnstItem& item) {
  namespace c = maker::component;
  NotifyRemoving(item.displayName);
  const std::string& key = item.key;
  const auto is = [&key](std::string_view name) { return text::IEquals(key, name); };
  bool removed = true;
  if (is(c::kScheduler)) {
    RemoveScheduler();
  } else if (is(c::kStatusWindow)) {
    RemoveStatusWindow();
  } else if (is(c::kDriverConfigTool)) {
    RemoveDriverConfigTool();
  } else if (is(c::kKestrion)) {
    RemoveKestrion();
  } else if (is(c::kOpenView)) {
    RemoveOpenViewFiles();
  } else if (is(c::kServerAgent)) {
    RemoveServerAgent(key);
  } else if (is(c::kEventAgent)) {
    RemoveEventAgent();
  } else if (is(c::kPlugNPrint)) {
    RemovePlugNPrint();
  } else if (is(c::kUninstaller)) {
    static_cast<void>(RemoveUninstallerRecord(true));
  } else if (is(c::kKsinetClient)) {
    RemoveKsinetClient();
  } else if (is(c::kKsinetServer)) {
    RemoveKsinetServer();
  } else if (is(c::kKsinetMessenger) || is(c::kKsinetWebClient)) {
    RemoveWebComponent(key, true);
  } else if (is(c::kKsinetWdpOnly)) {
    RemoveWebComponent(key, false);
  } else if (is(c::kOpenViewSnapIn)) {
    RemoveOpenViewSnapIn();
  } else if (is(c::kUnicenterSnapIn)) {
    RemoveUnicenterSnapIn();
  } else if (is(c::kBidi)) {
    // The only remover that can leave its component in place on purpose.
    removed = RemoveBidi();
  } else {
    RemoveLoggedComponent(key, {});
  }
  NotifyStep();
  return removed;
}

bool ComponentRemover::RunCommand(std::string_view commandLine, bool wait) {
  return platform_.processes.RunCommand(commandLine, wait) == winerr::Success;
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
