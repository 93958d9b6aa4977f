// PLACEHOLDER until the adapters over the schedulers and the bidi library
// are written: they report that they cannot do their work.
#include "win32/win32_bidi_library.h"
#include "win32/win32_job_scheduler.h"
#include "win32/win32_task_scheduler.h"

namespace win32 {

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
