// The Ui port on a full-screen terminal: message boxes, the selection wizard,
// the progress dialog with its bar and status line, the wait for a printer's
// queue with its countdown, and the completion dialog. The screen is taken
// when the first of them shows and given back when the run is over.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "app/cunst_main.h"
#include "curses_screen.h"
#include "platform/clock.h"
#include "platform/ui.h"

class CursesUi : public plat::Ui {
 public:
  // `machineDialogs` keeps the machine's side of the progress dialog (its
  // journal and its wait for the removal's end); `clock` is the machine's,
  // on which the wait dialog's timer runs; `record` adds to the journal.
  CursesUi(plat::Ui& machineDialogs, plat::Clock& clock, std::function<void(nlohmann::json)> record)
      : machineDialogs_(machineDialogs), clock_(clock), record_(std::move(record)) {}

  // The wizard shows what this run found; set before the run starts.
  void SetApplication(CUnstMain* app) { app_ = app; }
  // Gives the terminal back.
  void Close() { screen_.Close(); }

  int ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                  std::uint32_t flags) override;
  int ShowWizard(bool backButton) override;
  void RunProgress(int total, const std::function<void(plat::Handle)>& start) override;
  void SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) override;
  bool WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) override;
  void PostRemovalDone(plat::Handle statusWindow) override;
  plat::CompletionResult ShowCompletion(const plat::CompletionRequest& request) override;

 private:
  void DrawProgress();

  plat::Ui& machineDialogs_;
  plat::Clock& clock_;
  std::function<void(nlohmann::json)> record_;
  CUnstMain* app_ = nullptr;
  CursesScreen screen_;
  int total_ = 0;
  int bar_ = 0;
  std::string status_;
};
