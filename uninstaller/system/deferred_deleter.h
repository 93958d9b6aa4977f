// Every file and directory deletion of a run goes through one deleter, which
// keeps what is locked for a retry around a spooler stop or for the next start
// of Windows. Nothing is deleted through it yet, so it holds nothing.
#pragma once

class DeferredDeleter {
 public:
  // On: locked files are collected for a later retry. Off: they are
  // scheduled for the next restart at once.
  bool collectMode = false;
  // Something was scheduled for the next start of Windows.
  bool rebootNeeded = false;

  bool HasDeferred() const { return false; }
};
