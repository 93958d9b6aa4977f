// What the removal's dialogs decide, apart from their windows: how a status
// record moves the progress bar, when the wait for a printer's queue ends,
// and what the completion dialog shows and what its closing means.
#pragma once
#include <cstdint>
#include <string>

// Flags of a status record.
inline constexpr int kStatusText = 1;      // show the record's text
inline constexpr int kStatusPosition = 2;  // set the bar to the record's position
inline constexpr int kStatusStep = 4;      // advance the bar by one

// The bar's position after a record; a given position wins over a step.
int ProgressAfter(int flags, int current, int given);

enum class WaitTick { KeepWaiting, QueueEmpty, TimedOut };

// One tick of the wait for a queue: ends when the queue is empty, or once
// more whole seconds than `timeoutSeconds` have passed since the start.
WaitTick DecideWaitTick(bool queueEmpty, std::uint32_t elapsedMs, int timeoutSeconds);

inline constexpr int kRestartNow = 0;
inline constexpr int kRestartLater = 1;

struct CompletionView {
  std::string completeMessage;
  bool showRestartChoice = false;
  std::string yesText;
  std::string noText;
  bool showFailures = false;
  std::string errorMessage;
  int restartChoice = -1;  // as the dialog starts
};

CompletionView ViewCompletion(bool showFailures, bool rebootNeeded);

// The restart choice the run acts on. Only OK takes the user's choice;
// a dialog closed any other way never restarts Windows.
int RestartChoiceOnClose(bool closedWithOk, int chosen);
