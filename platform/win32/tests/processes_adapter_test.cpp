// Running a command and waiting for it under Wine, with the recording
// program's double beside the test: the calling thread's windows keep
// answering meanwhile, and the end of a program is seen whatever its exit
// code.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/log_beside_module.h"
#include "platform/win_errors.h"
#include "win32/win32_file_system.h"
#include "win32/win32_processes.h"

namespace {

using doubles::Beside;

class ProcessesAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    recorder = Beside("recorder.exe");
    log = Beside("commands.log");
    if (!fs.Exists(recorder)) GTEST_SKIP() << "no recording program beside the test";
    static_cast<void>(fs.RemoveFile(log));  // a run before may have left it
  }
  void TearDown() override { static_cast<void>(fs.RemoveFile(log)); }  // cleanup; best effort
  win32::Win32FileSystem fs;
  win32::Win32Processes processes;
  std::string recorder;
  std::string log;
};

struct Probe {
  std::string log;
  bool handled = false;
  bool programStillRan = false;
};
Probe* g_probe = nullptr;

LRESULT CALLBACK ProbeWindow(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP && g_probe != nullptr) {
    g_probe->handled = true;
    g_probe->programStillRan = GetFileAttributesA(g_probe->log.c_str()) == INVALID_FILE_ATTRIBUTES;
    return 1;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

DWORD WINAPI SendAfterAWhile(LPVOID window) {
  Sleep(300);
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(static_cast<HWND>(window), WM_APP, 0, 0, SMTO_NORMAL, 10000, &answer);
  return 0;
}

TEST_F(ProcessesAdapter, WhileWaitingTheThreadsWindowsAnswerMessagesSentToThem) {
  Probe probe{log};
  g_probe = &probe;
  WNDCLASSW wc{};
  wc.lpfnWndProc = ProbeWindow;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"DrvpurgeProbeWindow";
  ASSERT_NE(RegisterClassW(&wc), 0);
  const HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                      wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  const HANDLE sender = CreateThread(nullptr, 0, SendAfterAWhile, window, 0, nullptr);
  ASSERT_NE(sender, nullptr);

  EXPECT_EQ(processes.RunCommand(recorder + " --sleep=2000", true), winerr::Success);
  WaitForSingleObject(sender, 15000);
  CloseHandle(sender);
  DestroyWindow(window);
  UnregisterClassW(wc.lpszClassName, wc.hInstance);
  g_probe = nullptr;
  EXPECT_TRUE(probe.handled);
  EXPECT_TRUE(probe.programStillRan) << "the message waited for the program's end";
}

struct WaitingRun {
  win32::Win32Processes* processes;
  std::string commandLine;
  plat::WinError result = winerr::CallNotImplemented;
};

DWORD WINAPI RunWaiting(LPVOID param) {
  auto* run = static_cast<WaitingRun*>(param);
  run->result = run->processes->RunCommand(run->commandLine, true);
  return 0;
}

// Its exit code is the value that otherwise says "still running".
TEST_F(ProcessesAdapter, AProgramEndingWithTheStillActiveCodeIsSeenToHaveEnded) {
  // A wait that never ends is left running, with its record, until the
  // test program's end stops it.
  auto* run = new WaitingRun{&processes, recorder + " --exit=259"};
  const HANDLE waiter = CreateThread(nullptr, 0, RunWaiting, run, 0, nullptr);
  ASSERT_NE(waiter, nullptr);
  ASSERT_EQ(WaitForSingleObject(waiter, 10000), WAIT_OBJECT_0) << "still waiting for an ended program";
  CloseHandle(waiter);
  EXPECT_EQ(run->result, winerr::Success);
  delete run;
  EXPECT_TRUE(fs.Exists(log));
}

}  // namespace

namespace {

// The product's own uninstaller double, started as the removal starts it:
// by its unquoted path with a blank in the name.
class ProductUninstaller : public ProcessesAdapter {
 protected:
  void SetUp() override {
    ProcessesAdapter::SetUp();
    uninstaller = Beside("Uninstall Kestrion.exe");
    if (!fs.Exists(uninstaller)) GTEST_SKIP() << "no product uninstaller beside the test";
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "Install_Dir", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\KS"), 6),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    if (key != nullptr) RegCloseKey(key);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    static_cast<void>(fs.RemoveFile(Beside("Uninstall Kestrion.config")));  // cleanup; best effort
    static_cast<void>(fs.RemoveFile(Beside("Uninstall Kestrion.log")));  // cleanup; best effort
    ProcessesAdapter::TearDown();
  }
  bool InstallDirIsSet() { return RegQueryValueExA(key, "Install_Dir", nullptr, nullptr, nullptr, nullptr) == 0; }

  static constexpr const char* kKey = "Software\\Vorkast\\Kestrion for Intranets";
  std::string uninstaller;
  HKEY key = nullptr;
};

TEST_F(ProductUninstaller, ClearsTheInstallDirectoryUnlessToldToKeepIt) {
  ASSERT_EQ(processes.RunCommand(uninstaller, true), winerr::Success);
  EXPECT_FALSE(InstallDirIsSet());
  std::string recorded;
  ASSERT_EQ(fs.ReadText(Beside("Uninstall Kestrion.log"), &recorded), winerr::Success);
  // Wine hands the program its path quoted where Windows leaves it as given.
  EXPECT_TRUE(recorded == uninstaller + "\r\n" || recorded == "\"" + uninstaller + "\"\r\n") << recorded;

  ASSERT_EQ(RegSetValueExA(key, "Install_Dir", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\KS"), 6),
            ERROR_SUCCESS);
  ASSERT_EQ(fs.WriteText(Beside("Uninstall Kestrion.config"), "keep\r\n"), winerr::Success);
  ASSERT_EQ(processes.RunCommand(uninstaller, true), winerr::Success);
  EXPECT_TRUE(InstallDirIsSet());
}

}  // namespace
