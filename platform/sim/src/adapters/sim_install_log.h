// InstallLog port: the install-log server answers from the log the image
// holds. A connection needs OLE on the caller's thread and a registered
// server; every call needs the connection. Forgetting a component drops its
// record and is journalled.
#pragma once
#include <optional>

#include "platform/install_log.h"

namespace sim {

class MachineState;

class SimInstallLog final : public plat::InstallLog {
 public:
  explicit SimInstallLog(MachineState& m) : m_(m) {}
  plat::LogResult<plat::LogDone> InitializeOle() override;
  void UninitializeOle() override;
  plat::LogResult<plat::LogDone> Connect() override;
  void Release() override;
  plat::LogResult<std::int32_t> ForgetComponent(std::string_view key) override;
  plat::LogResult<std::int32_t> IsInstalled(std::string_view key) override;
  plat::LogResult<std::string> GetLoggedPath(std::int32_t kind, std::string_view key,
                                             std::string_view fileName) override;
  plat::LogResult<std::string> GetProperty(std::string_view key, std::string_view name) override;
  plat::LogResult<std::string> GetList(std::int32_t kind, std::string_view key) override;
  plat::LogResult<std::string> GetStorePath(std::int32_t which) override;

 private:
  // The failure a call meets before the log is read: an injected fault, or
  // no connection.
  std::optional<plat::LogFailure> Refusal(std::string_view call, std::string_view argument);

  MachineState& m_;
  int oleDepth_ = 0;
  bool connected_ = false;
};

}  // namespace sim
