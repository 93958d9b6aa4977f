// The outcome of removing a printer or a driver; the completion report reads
// it after the whole removal has run.
#pragma once

enum class RemovalState : int {
  NotTried = -1,  // not selected, not the maker's, or not reached yet
  Removed = 0,
  Failed = 1,  // tried and refused, or skipped because jobs were pending
};
