// The terminal as a full screen: whether one can be had here, and the
// ncurses session that owns it while the run's dialogs are shown. Every
// drawing call goes through one lock, since the removal worker updates the
// progress dialog from its own thread.
#pragma once
#include <mutex>
#include <string>

// Why no full-screen terminal can be used, or empty when one can: standard
// input and output must both be terminals and TERM must name a known one.
std::string WhyNoTerminal();

class CursesScreen {
 public:
  CursesScreen() = default;
  ~CursesScreen();
  CursesScreen(const CursesScreen&) = delete;
  CursesScreen& operator=(const CursesScreen&) = delete;

  // Starts the session on first use; later calls do nothing.
  void Open();
  // Gives the terminal back, so that text printed afterwards shows.
  void Close();
  std::mutex& lock() { return lock_; }

 private:
  bool open_ = false;
  std::mutex lock_;
};
