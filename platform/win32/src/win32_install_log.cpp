// PLACEHOLDER until the dispatch client over the install-log server is
// written: the log answers as an empty one.
#include "win32/win32_install_log.h"

namespace win32 {

namespace {
constexpr std::uint32_t kNotImplemented = 0x80004001;  // E_NOTIMPL
plat::LogFailure NotImplemented() { return {kNotImplemented, "not implemented"}; }
}  // namespace

Win32InstallLog::~Win32InstallLog() = default;
plat::LogResult<plat::LogDone> Win32InstallLog::InitializeOle() { return plat::LogDone{}; }
void Win32InstallLog::UninitializeOle() {}
plat::LogResult<plat::LogDone> Win32InstallLog::Connect() { return plat::LogDone{}; }
void Win32InstallLog::Release() {}
plat::LogResult<std::int32_t> Win32InstallLog::ForgetComponent(std::string_view) { return 0; }
plat::LogResult<std::int32_t> Win32InstallLog::IsInstalled(std::string_view) { return 0; }
plat::LogResult<std::string> Win32InstallLog::GetLoggedPath(std::int32_t, std::string_view, std::string_view) {
  return std::string();
}
plat::LogResult<std::string> Win32InstallLog::GetProperty(std::string_view, std::string_view) {
  return std::string();
}
plat::LogResult<std::string> Win32InstallLog::GetList(std::int32_t, std::string_view) { return std::string(); }
plat::LogResult<std::string> Win32InstallLog::GetStorePath(std::int32_t) { return NotImplemented(); }

}  // namespace win32
