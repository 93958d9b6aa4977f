// Ui port: real message boxes, and the messages by which the removal reaches
// the progress dialog. The dialogs themselves belong to the program that
// shows them; this port alone has none: the wizard counts as cancelled, the
// progress dialog has no window (the removal reports nothing), and the
// completion dialog is a message box.
#pragma once
#include "platform/ui.h"

namespace win32 {

class Win32Ui final : public plat::Ui {
 public:
  int ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                  std::uint32_t flags) override;
  int ShowWizard(bool backButton) override;
  void RunProgress(int total, const std::function<void(plat::Handle)>& start) override;
  void SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) override;
  bool WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) override;
  void PostRemovalDone(plat::Handle statusWindow) override;
  plat::CompletionResult ShowCompletion(const plat::CompletionRequest& request) override;
};

}  // namespace win32
