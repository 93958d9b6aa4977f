#include "win32/win32_ui.h"

#include <windows.h>

#include "win32/removal_messages.h"
#include "wide.h"

namespace win32 {

namespace {

HWND Window(plat::Handle h) { return reinterpret_cast<HWND>(h); }

}  // namespace

int Win32Ui::ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                         std::uint32_t flags) {
  const std::wstring wtext = Wide(text);
  const std::wstring wcaption = Wide(caption);
  return MessageBoxW(Window(owner), wtext.c_str(), wcaption.c_str(), flags);
}

int Win32Ui::ShowWizard(bool /*backButton*/) { return plat::mb::IdCancel; }

void Win32Ui::RunProgress(int /*total*/, const std::function<void(plat::Handle)>& start) { start(plat::kNoHandle); }

void Win32Ui::SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) {
  if (statusWindow == plat::kNoHandle) return;
  // A record the receiver frees crosses the thread as a bare pointer; one it
  // does not is freed here once the send has returned.
  plat::StatusUpdate* record = update->receiverFrees ? update.release() : update.get();
  SendMessageW(Window(statusWindow), WM_STATUS_UPDATE, reinterpret_cast<WPARAM>(record), 0);
}

bool Win32Ui::WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) {
  if (statusWindow == plat::kNoHandle) return false;
  return SendMessageW(Window(statusWindow), WM_WAIT_FOR_JOBS, reinterpret_cast<WPARAM>(&wait), 0) != 0;
}

void Win32Ui::PostRemovalDone(plat::Handle statusWindow) {
  if (statusWindow != plat::kNoHandle) PostMessageW(Window(statusWindow), WM_REMOVAL_DONE, 0, 0);
}

plat::CompletionResult Win32Ui::ShowCompletion(const plat::CompletionRequest& request) {
  std::string text = request.rebootNeeded
                         ? "Some files to be removed are in use, you must reboot your system to complete the "
                           "uninstall. Restart Windows now?"
                         : "Uninstall is complete.";
  if (request.showFailures) text += "\r\n\r\nThe following items could not be uninstalled:\r\n" + request.failureText;
  const std::wstring wtext = Wide(text);
  plat::CompletionResult result;
  if (!request.rebootNeeded) {
    MessageBoxW(nullptr, wtext.c_str(), L"Uninstall", MB_OK | MB_ICONINFORMATION);
    result.endedWithOk = true;
    return result;
  }
  const int answer = MessageBoxW(nullptr, wtext.c_str(), L"Uninstall", MB_YESNO | MB_ICONQUESTION);
  result.endedWithOk = answer != 0;
  result.restartChoice = answer == IDYES ? 0 : 1;
  return result;
}

}  // namespace win32
