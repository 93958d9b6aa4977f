// The messages by which the removal worker drives the progress dialog. The
// worker sends the first and last so that it waits for the dialog; it posts
// the end of the removal as its last act.
#pragma once
#include <windows.h>

namespace win32 {

// First parameter: a plat::StatusUpdate*, destroyed by the receiver when its
// receiverFrees is set. Answer 0.
inline constexpr UINT WM_STATUS_UPDATE = WM_USER + 50;
// No parameters; the progress dialog closes.
inline constexpr UINT WM_REMOVAL_DONE = WM_USER + 51;
// First parameter: the plat::JobWait of the printer whose queue holds jobs.
// Answer 1 when the queue became empty, 0 when the user cancelled or the
// wait timed out.
inline constexpr UINT WM_WAIT_FOR_JOBS = WM_USER + 52;

}  // namespace win32
