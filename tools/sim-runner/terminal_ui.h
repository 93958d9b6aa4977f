// Message boxes on the terminal: each box is printed, and the answer is read
// from a line of input. End of input gives every later box its default answer,
// so a run never blocks on a closed input.
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
  TerminalUi(std::istream& in, std::ostream& out, Listener onAnswered)
      : in_(in), out_(out), onAnswered_(std::move(onAnswered)) {}

  int ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                  std::uint32_t flags) override;

 private:
  std::istream& in_;
  std::ostream& out_;
  Listener onAnswered_;
};
