// UI port: everything the uninstaller shows: message boxes, the selection
// wizard, the progress dialog with its status and wait messages, and the
// completion dialog. The removal worker reaches the progress dialog only
// through here, so each front end decides how a message crosses threads.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/handle.h"

namespace plat {

namespace mb {
// Buttons.
inline constexpr std::uint32_t Ok = 0x0;
inline constexpr std::uint32_t OkCancel = 0x1;
inline constexpr std::uint32_t YesNoCancel = 0x3;
inline constexpr std::uint32_t YesNo = 0x4;
// Icons.
inline constexpr std::uint32_t IconError = 0x10;
inline constexpr std::uint32_t IconQuestion = 0x20;
inline constexpr std::uint32_t IconWarning = 0x30;
inline constexpr std::uint32_t IconInformation = 0x40;
inline constexpr std::uint32_t ButtonMask = 0x0F;
inline constexpr std::uint32_t IconMask = 0xF0;
// Answers.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
}  // namespace mb

// The wizard's result when Back is pressed on its first page (switch B).
inline constexpr int kWizardBack = 500;

// One status message from the removal to the progress dialog.
struct StatusUpdate {
  std::string text;
  int flags = 0;  // status::ShowText | SetPosition | Step
  int position = 0;
  // The receiver destroys the record after use; every sender sets it.
  bool receiverFrees = false;
};

namespace status {
inline constexpr int ShowText = 1;     // show `text` as the status line
inline constexpr int SetPosition = 2;  // set the bar to `position`
inline constexpr int Step = 4;         // advance the bar by one; only when SetPosition is clear
}  // namespace status

// A printer whose queue still holds jobs, as the wait dialog watches it.
struct JobWait {
  std::string printerName;
  int timeoutSeconds = 5;
  // Asked on every tick of the dialog's one-second timer, on the dialog's
  // thread while the removal waits.
  std::function<bool()> queueEmpty;
};

// The wait gives up once more whole seconds than the time-out have passed.
inline bool JobWaitTimedOut(std::uint32_t elapsedMs, int timeoutSeconds) {
  return static_cast<std::int64_t>(elapsedMs / 1000) > timeoutSeconds;
}

struct CompletionRequest {
  bool showFailures = false;
  std::string failureText;  // lines ended by "\r\n"
  bool rebootNeeded = false;
};

struct CompletionResult {
  bool endedWithOk = false;
  // 0 "Yes, restart now", 1 "No"; -1 when no restart was offered.
  int restartChoice = -1;
};

class Ui {
 public:
  virtual ~Ui() = default;
  // MessageBox. `owner` kNoHandle: no owner window. Returns the answer (IdOk,
  // IdYes...), or 0 when the box could not be shown.
  virtual int ShowMessage(Handle owner, const std::string& text, const std::string& caption,
                          std::uint32_t flags) = 0;

  // The selection wizard, modal. IdOk when the user chose to uninstall,
  // IdCancel, or kWizardBack (Back on the first page, only with `backButton`).
  virtual int ShowWizard(bool backButton) = 0;

  // The progress dialog, modal, with a bar from 0 to `total`. Once its window
  // exists it calls `start` with it (the removal begins there), and it closes
  // when PostRemovalDone reaches that window, not before.
  virtual void RunProgress(int total, const std::function<void(Handle statusWindow)>& start) = 0;
  // WM_STATUS_UPDATE: sent, returns once the dialog has shown the update.
  virtual void SendStatus(Handle statusWindow, std::unique_ptr<StatusUpdate> update) = 0;
  // WM_WAIT_FOR_JOBS: sent; the dialog shows the wait dialog. True when the
  // queue became empty, false when the user cancelled or the wait timed out.
  virtual bool WaitForJobs(Handle statusWindow, const JobWait& wait) = 0;
  // WM_REMOVAL_DONE: posted, the removal's last act.
  virtual void PostRemovalDone(Handle statusWindow) = 0;

  // The completion dialog, modal: what failed, and the restart question when
  // a restart is needed.
  virtual CompletionResult ShowCompletion(const CompletionRequest& request) = 0;
};

// A sender's side of WM_STATUS_UPDATE: a record the receiver frees, sent only
// while the status window exists (a silent run has none).
inline void SendStatus(Ui& ui, Handle statusWindow, std::string text, int flags, int position = 0) {
  if (statusWindow == kNoHandle) return;
  auto update = std::make_unique<StatusUpdate>();
  update->text = std::move(text);
  update->flags = flags;
  update->position = position;
  update->receiverFrees = true;
  ui.SendStatus(statusWindow, std::move(update));
}

}  // namespace plat
