// How the printer pass talks to whoever shows its progress. The progress
// dialog adapts these to its status and wait messages; a silent run passes
// no progress and no wait callback.
#pragma once
#include <functional>
#include <string_view>

class CPrinter;

class RemovalProgress {
 public:
  virtual ~RemovalProgress() = default;
  // Shows a line of text (the status update with flags 1).
  virtual void ShowText(std::string_view text) = 0;
  // Advances the bar by one step, no text (the status update with flags 4).
  virtual void Step() = 0;
};

// Called for a printer whose queue still holds jobs; true when the printer
// may be deleted now, false to leave it. Empty: nobody can wait, so the
// printer is left.
using WaitForJobsCallback = std::function<bool(CPrinter&)>;
