// PLACEHOLDER until the adapters over the install-log server, the schedulers
// and the bidi library are written: the log answers as an empty one, the
// others report that they cannot do their work.
#include "win32/win32_bidi_library.h"
#include "win32/win32_install_log.h"
#include "win32/win32_job_scheduler.h"
#include "win32/win32_task_scheduler.h"

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

plat::WinError Win32JobScheduler::EnumJobs(std::vector<plat::ScheduledJob>* jobs) {
  jobs->clear();
  return winerr::CallNotImplemented;
}
plat::WinError Win32JobScheduler::DeleteJob(std::uint32_t) { return winerr::CallNotImplemented; }

plat::TaskDeletion Win32TaskScheduler::DeleteTask(std::string_view) {
  return plat::TaskDeletion::SchedulerUnavailable;
}

plat::WinError Win32BidiLibrary::Uninstall(std::string_view, std::int32_t* status) {
  *status = 0;
  return winerr::CallNotImplemented;
}

}  // namespace win32

#include "win32/win32_desktop.h"
#include "win32/win32_file_system.h"
#include "win32/win32_processes.h"

namespace win32 {

bool Win32Desktop::HasTopLevelWindow(std::string_view, std::string_view) { return false; }
plat::WinError Win32Desktop::ShellDelete(std::string_view) { return winerr::CallNotImplemented; }
plat::WinError Win32Processes::RunCommand(std::string_view, bool) { return winerr::CallNotImplemented; }
plat::WinError Win32Processes::FindOnSearchPath(std::string_view, std::string* fullPath) {
  fullPath->clear();
  return winerr::CallNotImplemented;
}
plat::WinError Win32FileSystem::CreateTempFile(std::string_view, std::string_view, std::string* path) {
  path->clear();
  return winerr::CallNotImplemented;
}

}  // namespace win32
