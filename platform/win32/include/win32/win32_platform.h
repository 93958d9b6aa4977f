// Every Win32 adapter in one object, handed to the application as the
// plat::Platform bundle.
#pragma once
#include "platform/platform.h"
#include "win32/win32_bidi_library.h"
#include "win32/win32_clock.h"
#include "win32/win32_desktop.h"
#include "win32/win32_file_system.h"
#include "win32/win32_install_log.h"
#include "win32/win32_job_scheduler.h"
#include "win32/win32_zip_lister.h"
#include "win32/win32_os_info.h"
#include "win32/win32_process_info.h"
#include "win32/win32_processes.h"
#include "win32/win32_profile.h"
#include "win32/win32_registry.h"
#include "win32/win32_resource_strings.h"
#include "win32/win32_security.h"
#include "win32/win32_services.h"
#include "win32/win32_spooler.h"
#include "win32/win32_task_scheduler.h"
#include "win32/win32_ui.h"

namespace win32 {

class Win32Platform {
 public:
  Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  plat::Platform& platform() { return bundle_; }

 private:
  Win32Registry registry_;
  Win32Services services_;
  Win32OsInfo osInfo_;
  Win32Security security_;
  Win32Clock clock_;
  Win32Desktop desktop_;
  Win32ResourceStrings resources_;
  Win32FileSystem files_;
  Win32ProcessInfo process_;
  Win32Processes processes_;
  Win32Ui ui_;
  Win32Spooler spooler_;
  Win32Profile profile_;
  Win32ZipLister zipLister_;
  Win32InstallLog installLog_;
  Win32JobScheduler jobScheduler_;
  Win32TaskScheduler taskScheduler_;
  Win32BidiLibrary bidiLibrary_;
  plat::Platform bundle_;
};

}  // namespace win32
