// InstallLog port over the install-log automation server: a late-bound
// dispatch client that creates the server by its class identifier and calls
// each method by dispatch identifier.
#pragma once
#include "platform/install_log.h"

namespace win32 {

class Win32InstallLog final : public plat::InstallLog {
 public:
  ~Win32InstallLog() override;
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
  void* dispatch_ = nullptr;  // IDispatch*
};

}  // namespace win32
