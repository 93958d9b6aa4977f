// Entry point of drvpurge.exe: the real Windows ports, the command line, and
// the application object, which does the whole run.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/cunst_main.h"
#include "platform/text.h"
#include "win32/win32_platform.h"
#include "windows_ui.h"

namespace {

// The program's arguments without its own name, as UTF-8.
std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (argv == nullptr) return args;
  for (int i = 1; i < count; ++i) {
    const std::wstring_view arg(argv[i]);
    const std::u16string units(arg.begin(), arg.end());
    args.push_back(text::Utf16ToUtf8(units));
  }
  LocalFree(argv);
  return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Three-dimensional look for every dialog and control the program shows.
  InitCommonControls();

  win32::Win32Platform machine;
  plat::Platform& base = machine.platform();
  // The Windows ports, with the program's own dialogs as their Ui.
  WindowsUi ui(base.ui, GetModuleHandleW(nullptr));
  plat::Platform ports{base.registry, base.services, base.osInfo,    base.security, base.clock,
                       base.desktop,  base.resources, base.files,    base.process,  base.processes,
                       ui,            base.spooler,   base.profile,  base.zipLister, base.installLog,
                       base.jobScheduler, base.taskScheduler, base.bidiLibrary};
  CUnstMain app(ports);
  ui.Attach(app);
  app.SetArguments(CommandLineArguments());
  app.InitInstance();
  return app.ExitInstance();
}
