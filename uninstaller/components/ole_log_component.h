// The uninstaller's client of the install-log server: one connection, held
// by the ComponentRemover that made it. A call the server fails raises
// InstallLogError, so a half-read log never passes for an empty one.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "components/install_log_error.h"
#include "platform/install_log.h"

class OleLogComponent {
 public:
  explicit OleLogComponent(plat::InstallLog& log) : log_(log) {}
  ~OleLogComponent() { Release(); }
  OleLogComponent(const OleLogComponent&) = delete;
  OleLogComponent& operator=(const OleLogComponent&) = delete;

  // Connects to the server; false with the reason in `failure`.
  [[nodiscard]] bool Create(plat::LogFailure* failure);
  // Drops the connection; nothing when there is none.
  void Release();

  void ForgetComponent(std::string_view key);
  bool IsInstalled(std::string_view key);
  std::string GetLoggedPath(std::int32_t kind, std::string_view key, std::string_view fileName);
  std::string GetProperty(std::string_view key, std::string_view name);
  std::string GetList(std::int32_t kind, std::string_view key);
  std::string GetStorePath(std::int32_t which);

 private:
  plat::InstallLog& log_;
  bool connected_ = false;
};
