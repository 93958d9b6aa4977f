// The Ui port of drvpurge.exe: message boxes and the removal's messages as
// the Windows ports send them, and the program's own dialogs around them: the
// selection wizard on the run's items, printers and drivers, the progress
// dialog the removal worker reports to, and the completion dialog.
#pragma once
#include <windows.h>

#include "platform/ui.h"
#include "win32/win32_ui.h"

class CUnstMain;

class WindowsUi final : public plat::Ui {
 public:
  WindowsUi(plat::Ui& messages, HINSTANCE inst) : messages_(messages), inst_(inst) {}

  // The application whose items, printers and drivers the wizard offers. It
  // is made after its ports, so it is handed over afterwards.
  void Attach(CUnstMain& app) { app_ = &app; }

  int ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                  std::uint32_t flags) override;
  int ShowWizard(bool backButton) override;
  void RunProgress(int total, const std::function<void(plat::Handle)>& start) override;
  void SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) override;
  bool WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) override;
  void PostRemovalDone(plat::Handle statusWindow) override;
  plat::CompletionResult ShowCompletion(const plat::CompletionRequest& request) override;

 private:
  plat::Ui& messages_;
  HINSTANCE inst_;
  CUnstMain* app_ = nullptr;
};
