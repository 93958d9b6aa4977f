// Message boxes as lines of text (--ui text): each box is printed, and the
// answer is read from a line of input. End of input gives every later box its
// default answer, so a run never blocks on a closed input. The wizard and the
// completion dialog are asked as plain questions, and the progress and wait
// dialogs are the machine's own (its journal and virtual clock), with their
// status lines printed. The full-screen front end is in curses/.
#pragma once
#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "platform/ui.h"

struct AnsweredBox {
  std::string text;
  std::string caption;
  std::uint32_t flags = 0;
  int answer = 0;
  bool unanswered = false;  // the default was taken because input ended
};

class TerminalUi : public plat::Ui {
 public:
  using Listener = std::function<void(const AnsweredBox&)>;
  TerminalUi(std::istream& in, std::ostream& out, plat::Ui& machineDialogs, Listener onAnswered)
      : in_(in), out_(out), machineDialogs_(machineDialogs), onAnswered_(std::move(onAnswered)) {}

  int ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                  std::uint32_t flags) override;
  int ShowWizard(bool backButton) override;
  void RunProgress(int total, const std::function<void(plat::Handle)>& start) override;
  void SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) override;
  bool WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) override;
  void PostRemovalDone(plat::Handle statusWindow) override;
  plat::CompletionResult ShowCompletion(const plat::CompletionRequest& request) override;

 private:
  std::istream& in_;
  std::ostream& out_;
  plat::Ui& machineDialogs_;
  Listener onAnswered_;
};
