// Walks through a real interactive run of drvpurge.exe from outside it, as a
// user would: on a prefix seeded with one of the maker's printers, it ticks
// the printer in the wizard, presses Next and "Uninstall Now", waits for the
// completion dialog, presses OK, and checks that the printer is gone.
// Every window is photographed on the way.
//
//   interactive_walk.exe OUTPUT_DIR DRVPURGE_EXE FAKE_DRIVER_DLL
#include <windows.h>

#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../spooler/scenario.h"
#include "../spooler/seed.h"
#include "ui_ids.h"
#include "walk_helpers.h"
#include "wide.h"

namespace {

const wchar_t kPrinter[] = L"LP-7000 Office";

DWORD g_pid = 0;
HANDLE g_process = nullptr;

// A walk that goes wrong ends drvpurge too: a window left open would keep
// the prefix, and the test, alive.
[[noreturn]] void Abort(const std::string& what) {
  if (g_process != nullptr) TerminateProcess(g_process, 3);
  walk::Abort(what);
}

// Runs `probe` every 50 ms until it answers something, for up to `seconds`.
template <typename F>
auto WaitFor(F probe, const std::string& what, int seconds = 10) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (auto r = probe()) return r;
    Sleep(50);
  }
  Abort("timed out waiting for " + what);
}

struct Search {
  const wchar_t* title;
  HWND other;
  HWND found;
};

// A visible top-level window of drvpurge whose text is `title`.
BOOL CALLBACK MatchWindow(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != g_pid || !IsWindowVisible(w) || w == s->other || ui::WindowText(w) != s->title) return TRUE;
  s->found = w;
  return FALSE;
}

HWND FindWindowOfRun(const wchar_t* title, HWND other = nullptr) {
  Search s{title, other, nullptr};
  EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

BOOL CALLBACK MatchTree(HWND w, LPARAM lp) {
  wchar_t cls[32] = {};
  GetClassNameW(w, cls, 32);
  if (!IsWindowVisible(w) || std::wstring(cls) != L"SysTreeView32") return TRUE;
  *reinterpret_cast<HWND*>(lp) = w;
  return FALSE;
}

HWND VisibleTree(HWND sheet) {
  HWND tree = nullptr;
  EnumChildWindows(sheet, &MatchTree, reinterpret_cast<LPARAM>(&tree));
  return tree;
}

// One of the maker's printers on its driver, and the model list that makes
// the driver the maker's.
bool Seed(const std::string& fakeDll) {
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) {
    walk::Fail("no printer driver directory");
    return false;
  }
  const std::string error = e2e::InstallDriver(fakeDll, ui::Narrow(dir), e2e::SeedDrivers()[0]);
  if (!error.empty()) {
    walk::Fail("seeding the driver: " + error);
    return false;
  }
  const std::string printerError = e2e::InstallPrinter(e2e::SeedPrinters()[0]);
  if (!printerError.empty()) {
    walk::Fail("seeding the printer: " + printerError);
    return false;
  }
  const std::wstring list = ui::Wide(std::string(e2e::InstallDir()) + "\\Drivers.ini");
  HANDLE f = CreateFileW(list.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    walk::Fail("cannot write the model list");
    return false;
  }
  const std::string text = e2e::ModelList();
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
  return written == text.size();
}

bool PrinterExists(const wchar_t* name) {
  HANDLE printer = nullptr;
  std::wstring n = name;
  if (!OpenPrinterW(n.data(), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fputs("usage: interactive_walk.exe OUTPUT_DIR DRVPURGE_EXE FAKE_DRIVER_DLL\n", stderr);
    return 2;
  }
  walk::Begin(argv[1]);
  if (!Seed(ui::Narrow(argv[3]))) return walk::Finish();
  walk::Expect(PrinterExists(kPrinter), "the seeded printer is there before the run");

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + std::wstring(argv[2]) + L"\"";
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    walk::Abort("cannot start drvpurge.exe");
  }
  CloseHandle(process.hThread);
  g_pid = process.dwProcessId;
  g_process = process.hProcess;

  // The wizard's select page: the printer is offered, nothing is ticked.
  HWND sheet = WaitFor(
      [] {
        HWND w = FindWindowOfRun(L"Uninstall");
        return w != nullptr && walk::ChildWithText(w, L"&Next>") != nullptr ? w : nullptr;
      },
      "the wizard");
  HWND tree = WaitFor([&] { return VisibleTree(sheet); }, "the select page's tree");
  walk::Settle(sheet);
  walk::Photograph(sheet, L"1-select.png");

  // The first node is the printer group; the printer is the node below it.
  SendMessageW(tree, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(tree, WM_KEYDOWN, VK_SPACE, 0);
  walk::Settle(sheet);
  walk::Photograph(sheet, L"2-select-ticked.png");

  // Next leaves the page only when something is ticked.
  PostMessageW(walk::ChildWithText(sheet, L"&Next>"), BM_CLICK, 0, 0);
  HWND finish = WaitFor([&] { return walk::ChildWithText(sheet, L"Uninstall &Now"); }, "the confirm page");
  walk::Settle(sheet);
  walk::Photograph(sheet, L"3-confirm.png");
  PostMessageW(finish, BM_CLICK, 0, 0);
  WaitFor([&] { return !IsWindow(sheet); }, "the wizard to close");

  // The progress dialog lasts as long as the removal, which may be too short
  // to be seen; the completion dialog comes only after it. A printer whose
  // queue the spooler reports busy brings the wait dialog, which gives up
  // after half a minute.
  HWND status = nullptr;
  std::wstring statusLine;
  HWND wait = nullptr;
  HWND complete = WaitFor(
      [&]() -> HWND {
        if (status == nullptr) status = FindWindowOfRun(L"Uninstall Status");
        if (status != nullptr && statusLine.empty() && IsWindow(status)) {
          // The picture once the worker's first update has been shown.
          statusLine = ui::WindowText(GetDlgItem(status, IDC_STATUS_TEXT));
          if (!statusLine.empty()) walk::Photograph(status, L"4-status.png");
        }
        if (wait == nullptr) {
          wait = FindWindowOfRun(L"Waiting for print jobs to finish");
          if (wait != nullptr) walk::Photograph(wait, L"4-wait.png");
        }
        HWND w = FindWindowOfRun(L"Uninstall");
        return w != nullptr && walk::ChildWithText(w, L"&OK") != nullptr ? w : nullptr;
      },
      "the completion dialog", 60);
  walk::Expect(wait == nullptr, "no wait dialog for a printer without jobs");
  walk::Expect(status != nullptr, "the progress dialog was shown");
  // The walk sees whichever update is on the line when it looks: the
  // printer's removal, or the locked files after it on a fast run. An empty
  // line means the updates never reached the dialog.
  walk::Expect(statusLine.find(L"LP-7000 Office") != std::wstring::npos ||
                   statusLine.find(L"Attempting to remove locked files") != std::wstring::npos,
               "the progress dialog's line showed the worker's status, not \"" + ui::Narrow(statusLine) + "\"");
  walk::Expect(status == nullptr || !IsWindow(status), "the progress dialog is closed before the completion dialog");
  walk::Settle(complete);
  walk::Photograph(complete, L"5-complete.png");
  // Under Wine the spooler may keep the driver's files until a restart; then
  // the dialog asks, and the walk answers "later" so that the prefix is not
  // shut down under the test.
  if (HWND later = walk::ChildWithText(complete, L"No, I will restart my computer later.")) {
    SendMessageW(later, BM_CLICK, 0, 0);
    walk::Settle(complete);
    walk::Photograph(complete, L"6-complete-later.png");
  } else {
    walk::Expect(walk::ChildWithText(complete, L"Uninstall is complete.") != nullptr,
                 "without a restart the completion dialog says the uninstall is complete");
  }
  PostMessageW(walk::ChildWithText(complete, L"&OK"), BM_CLICK, 0, 0);

  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) Abort("drvpurge.exe did not end");
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  walk::Expect(code == 0, "drvpurge.exe ends with exit code 0, not " + std::to_string(code));
  walk::Expect(!PrinterExists(kPrinter), "the ticked printer is gone after the run");
  return walk::Finish();
}
