#include "win32_shell_ports.h"

#include <windows.h>

#include <string>
#include <vector>

#include "profile_records.h"

extern "C" std::uint32_t __stdcall DrvProfileSupportCallback(void* context, const void* info);

namespace prnshext {
namespace {

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

// The maker's library reads ANSI strings.
std::string Ansi(std::string_view utf8) {
  const std::wstring wide = Wide(utf8);
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

HMODULE Module(plat::Handle h) { return reinterpret_cast<HMODULE>(h); }

template <typename Fn>
Fn Entry(plat::Handle module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(Module(module), name)));
}

}  // namespace

plat::WinError Win32ProfileLibrary::Load(std::string_view nameOrPath, plat::Handle* module) {
  const HMODULE h = LoadLibraryW(Wide(nameOrPath).c_str());
  if (!h) return plat::WinError(GetLastError());
  *module = reinterpret_cast<plat::Handle>(h);
  return winerr::Success;
}

void Win32ProfileLibrary::Close(plat::Handle module) { FreeLibrary(Module(module)); }

bool Win32ProfileLibrary::HasEntry(plat::Handle module, std::string_view entry) {
  return GetProcAddress(Module(module), std::string(entry).c_str()) != nullptr;
}

std::uint32_t Win32ProfileLibrary::EnumSpecificSupportedPrinter(plat::Handle module, std::string_view printerName,
                                                                plat::shell::SupportCallback,
                                                                plat::shell::SupportResult* context) {
  // The library calls our export, which hands the record on to the logic's callback.
  using Fn = std::uint32_t(__stdcall*)(SupportQuery*);
  const auto fn = Entry<Fn>(module, "EnumSpecificSupportedPrinter");
  if (!fn) return 1;
  const std::string name = Ansi(printerName);
  SupportQuery query{sizeof(SupportQuery), 1, name.c_str(), &DrvProfileSupportCallback, context};
  return fn(&query);
}

std::uint32_t Win32ProfileLibrary::DrvProfileWizard(plat::Handle module, const plat::shell::WizardRequest& r) {
  using Fn = std::uint32_t(__stdcall*)(ProfileWizardRequest*);
  const auto fn = Entry<Fn>(module, "DrvProfileWizard");
  if (!fn) return 11;
  const std::string name = Ansi(r.printerName);
  const std::string help = Ansi(r.helpFile);
  const HGLOBAL memory = GlobalAlloc(GPTR, sizeof(ProfileWizardRequest));
  if (!memory) return 2;
  auto* request = static_cast<ProfileWizardRequest*>(memory);
  *request = ProfileWizardRequest{sizeof(ProfileWizardRequest), 2, name.c_str(), help.c_str(),
                                  static_cast<std::uint32_t>(r.ownerWindow), r.mode, 0, 0};
  const std::uint32_t result = fn(request);
  GlobalFree(memory);
  return result;
}

std::uint32_t Win32ProfileLibrary::CFIRenamePrtObj(plat::Handle module, std::string_view newName,
                                                   std::string_view oldName) {
  using Fn = std::uint32_t(__stdcall*)(RenameRequest*);
  const auto fn = Entry<Fn>(module, "CFIRenamePrtObj");
  if (!fn) return 11;
  const std::string to = Ansi(newName), from = Ansi(oldName);
  RenameRequest request{sizeof(RenameRequest), 1, to.c_str(), from.c_str()};
  return fn(&request);
}

plat::WinError Win32Launcher::Start(std::string_view commandLine, std::uint32_t creationFlags, std::uint32_t show) {
  std::wstring line = Wide(commandLine);  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, creationFlags, nullptr, nullptr, &startup,
                      &process))
    return plat::WinError(GetLastError());
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return winerr::Success;
}

void DebugTrace::Write(std::string_view text) { OutputDebugStringA(std::string(text).c_str()); }

}  // namespace prnshext
