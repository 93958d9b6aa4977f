// The contract environment over the real Win32 adapters: the machine the
// suite runs on (a throw-away Wine prefix in our test runs).
#include <windows.h>

#include <string>
#include <vector>

#include "common/log_beside_module.h"
#include "contract_env.h"
#include "platform/text.h"
#include "win32/win32_platform.h"

namespace contract {
namespace {

std::string SystemDirectory() {
  wchar_t buffer[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
  return text::Utf16ToUtf8(std::u16string(buffer, buffer + n));
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}


class Win32Env final : public ContractEnv {
 public:
  Win32Env() {
    DeleteScratchKey();
    scratchDir_ = platform_.platform().files.TempDirectory() + "DrvpurgeContract";
    DeleteDirTree(scratchDir_);
    static_cast<void>(platform_.platform().files.MakeDir(scratchDir_));  // it may be there already
    doublesDir_ = DirectoryOf(platform_.platform().process.ModulePath()) + "\\doubles";
    for (const std::string& leftover : {RecorderLog(), doublesDir_ + "\\vorbce.log", doublesDir_ + "\\vorbce.config"})
      static_cast<void>(platform_.platform().files.RemoveFile(leftover));  // a test before may have left it
  }
  ~Win32Env() override {
    DeleteScratchKey();
    DeleteDirTree(scratchDir_);
    if (window_ != nullptr) DestroyWindow(window_);
    if (!windowClass_.empty()) UnregisterClassW(windowClass_.c_str(), GetModuleHandleW(nullptr));
  }

  plat::Platform& platform() override { return platform_.platform(); }

  std::string ScratchKeyPath() override { return "Software\\DrvpurgeContract"; }
  // Wine stores key security but grants every access to the administrator
  // it runs as; Windows enforces the list.
  bool CanDenyDelete() override { return !OnWine(); }

  // The spooler exists on every NT machine and in every Wine prefix.
  std::string ExistingService() override { return "Spooler"; }
  std::string MissingService() override { return "DrvpurgeNoSuchService"; }
  // Only in a Wine prefix of our own is it safe to stop a service. Wine starts
  // its spooler on demand, so it is started here first.
  std::string StoppableService() override {
    if (!OnWine()) return {};
    return EnsureRunning("Spooler") ? "Spooler" : "";
  }

  std::string ExistingFile() override { return SystemDirectory() + "\\kernel32.dll"; }
  std::string ExistingDirectory() override { return SystemDirectory(); }

  // SETUPUI.DLL from this build: beside the test program, or where the build
  // tree puts it.
  std::string ResourceLibrary() override {
    const std::string here = DirectoryOf(platform_.platform().process.ModulePath());
    for (const std::string& candidate :
         {here + "\\SETUPUI.DLL", here + "\\..\\..\\uninstaller\\setupui\\SETUPUI.DLL"})
      if (platform_.platform().files.Exists(candidate)) return candidate;
    return {};
  }
  // An empty directory the file suites may fill; removed afterwards.
  std::string ScratchDirectory() override { return scratchDir_; }
  // Delayed moves land in the registry of a throw-away prefix; on a real
  // machine they would act at its next start. The same goes for drivers
  // and win.ini: only a prefix of ours may be changed.
  bool CanScheduleMoves() override { return OnWine(); }
  bool CanChangeDrivers() override { return OnWine(); }
  bool CanWriteWinIni() override { return OnWine(); }

  // The doubles the build puts beside the test program.
  std::string CommandRecorder() override {
    const std::string program = doublesDir_ + "\\programs\\vorevnts.exe";
    return platform_.platform().files.Exists(program) ? program : "";
  }
  std::vector<std::string> RecordedCommands() override { return LinesOf(RecorderLog()); }
  bool OpenTopLevelWindow(const std::string& className, const std::string& title) override {
    if (window_ != nullptr) return false;
    windowClass_ = Wide(className);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = windowClass_.c_str();
    if (RegisterClassW(&wc) == 0) {
      windowClass_.clear();
      return false;
    }
    window_ = CreateWindowExW(0, windowClass_.c_str(), Wide(title).c_str(), WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                              nullptr, wc.hInstance, nullptr);
    return window_ != nullptr;
  }
  std::string BidiLibrary(bool withUninstall, std::int32_t status) override {
    const std::string library = doublesDir_ + (withUninstall ? "\\vorbce.dll" : "\\vorbcepart.dll");
    if (!platform_.platform().files.Exists(library)) return {};
    if (platform_.platform().files.WriteText(doublesDir_ + "\\vorbce.config",
                                             "status|" + std::to_string(status) + "\r\n").failed())
      return {};
    return library;
  }
  std::vector<std::string> BidiCalls() override { return LinesOf(doublesDir_ + "\\vorbce.log"); }
  // The scheduler keeps each task in "<name>.job" of the Tasks folder; a
  // file there is a task to it. Only in a prefix of ours.
  bool ArrangeScheduledTask(const std::string& name) override {
    if (!OnWine()) return false;
    const std::string tasks = platform_.platform().files.WindowsDirectory() + "\\Tasks";
    static_cast<void>(platform_.platform().files.MakeDir(tasks));  // it may be there already
    return platform_.platform().files.WriteText(tasks + "\\" + name + ".job", "").ok();
  }

  std::uint32_t KnownStringId() override { return 276; }
  std::string KnownString() override { return "Status Window"; }  // uninstaller/setupui/strings.json

 private:
  std::string RecorderLog() const { return doublesDir_ + "\\programs\\commands.log"; }
  std::vector<std::string> LinesOf(const std::string& path) {
    std::string content;
    if (platform_.platform().files.ReadText(path, &content).failed()) return {};
    return doubles::NonEmptyLines(content);
  }
  static std::wstring Wide(const std::string& utf8) {
    const std::u16string wide = text::Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
  }

  void DeleteDirTree(const std::string& dir) {
    auto& files = platform_.platform().files;
    std::vector<plat::FindEntry> entries;
    if (dir.empty() || files.Find(dir + "\\*.*", &entries).failed()) {
      static_cast<void>(files.RemoveDir(dir));  // cleanup; best effort
      return;
    }
    for (const auto& e : entries) {
      if (e.name == "." || e.name == "..") continue;
      const std::string path = dir + "\\" + e.name;
      if (e.attributes & plat::fileattr::Directory) {
        DeleteDirTree(path);
      } else {
        static_cast<void>(files.SetAttributes(path, plat::fileattr::Normal));  // cleanup; best effort
        static_cast<void>(files.RemoveFile(path));  // cleanup; best effort
      }
    }
    static_cast<void>(files.RemoveDir(dir));  // cleanup; best effort
  }

  void DeleteScratchKey() { DeleteTree(plat::kHkeyCurrentUser, ScratchKeyPath()); }

  // Bottom-up, as NT wants it; a key whose list denies deletion is opened up
  // first so that one failed test cannot poison the next.
  void DeleteTree(plat::HKey parent, const std::string& path) {
    auto& reg = platform_.platform().registry;
    plat::HKey key = plat::kNoHandle;
    if (reg.OpenKey(parent, path, plat::keyaccess::WriteDac, &key).ok()) {
      plat::Acl open;
      open.present = false;
      static_cast<void>(reg.SetKeyDacl(key, open));  // cleanup; best effort
      reg.Close(key);
    }
    if (reg.OpenKey(parent, path, plat::keyaccess::AllAccess, &key).failed()) return;
    std::string sub;
    for (std::uint32_t guard = 0; guard < 10000 && reg.EnumKey(key, 0, &sub).ok(); ++guard) DeleteTree(key, sub);
    reg.Close(key);
    static_cast<void>(reg.DeleteKey(parent, path));  // cleanup; best effort
  }

  bool EnsureRunning(const std::string& name) {
    auto& services = platform_.platform().services;
    plat::Handle manager = plat::kNoHandle;
    if (services.OpenManager("", plat::svc::ManagerAllAccess, &manager).failed()) return false;
    plat::UniqueServiceHandle managerGuard(services, manager);
    plat::Handle service = plat::kNoHandle;
    if (services.Open(manager, name, plat::svc::ServiceAllAccess, &service).failed()) return false;
    plat::UniqueServiceHandle serviceGuard(services, service);
    static_cast<void>(services.Start(service));  // restoring what the test found; best effort
    plat::ServiceStatus status;
    for (int i = 0; i < 50; ++i) {
      if (services.QueryStatus(service, &status).ok() && status.currentState == plat::svc::Running) return true;
      platform_.platform().clock.Sleep(100);
    }
    return false;
  }

  win32::Win32Platform platform_;
  std::string scratchDir_;
  std::string doublesDir_;
  std::wstring windowClass_;
  HWND window_ = nullptr;
};

}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() { return std::make_unique<Win32Env>(); }

}  // namespace contract
