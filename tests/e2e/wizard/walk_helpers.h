// What the Wine walks through our windows share: a user thread that finds the
// main thread's windows, waits for them, photographs them, and counts what
// did not go as expected.
#pragma once
#include <windows.h>

#include <string>

namespace walk {

// Remembers where pictures go and which thread shows the windows (the
// caller's), and starts a watchdog that ends a walk that hangs.
void Begin(const std::wstring& outDir);
// Prints PASS or FAILED; the process's exit code.
int Finish();

void Fail(const std::string& what);
void Expect(bool ok, const std::string& what);
[[noreturn]] void Abort(const std::string& what);

// A visible top-level window of the main thread whose text is `title`,
// other than `other`, or null.
HWND FindTopLevel(const wchar_t* title, HWND other = nullptr);
// A visible direct child whose text is `text`, or null.
HWND ChildWithText(HWND parent, const wchar_t* text);
// Lets the main thread handle what was posted and paint.
void Settle(HWND w);
// The window as it is on the screen, into OUTPUT_DIR\name.
void Photograph(HWND w, const wchar_t* name);
// Runs `probe` until it answers something, for up to ten seconds.
template <typename F>
auto WaitFor(F probe, const std::string& what) {
  for (int i = 0; i < 200; ++i) {
    if (auto r = probe()) return r;
    Sleep(50);
  }
  Abort("timed out waiting for " + what);
}
void WaitGone(HWND w, const std::string& what);

}  // namespace walk
