// Import stand-ins that let our programs start on Windows before Vista.
//
// The posix-thread runtime of mingw-w64 (winpthreads, pulled in by
// libstdc++) imports GetTickCount64, which Windows XP lacks, and the
// vectored-exception calls, which Windows 2000 and NT 4.0 lack. A missing
// import stops a program before its first line runs. Defining the import
// slots here, in an object linked straight into the program, keeps the
// loader from looking for them; each stand-in calls the real function when
// the system has it.
#include <windows.h>

namespace {

FARPROC Kernel32(const char* name) { return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name); }

// No function-local statics: their guards take a lock from the very runtime
// that calls us.
volatile LONG g_resolved = 0;
ULONGLONG(WINAPI* g_tickCount64)() = nullptr;
PVOID(WINAPI* g_addHandler)(ULONG, PVECTORED_EXCEPTION_HANDLER) = nullptr;
ULONG(WINAPI* g_removeHandler)(PVOID) = nullptr;
volatile LONG g_lastTick = 0;
volatile LONG g_wraps = 0;

void Resolve() {
  if (g_resolved) return;
  g_tickCount64 = reinterpret_cast<decltype(g_tickCount64)>(reinterpret_cast<void*>(Kernel32("GetTickCount64")));
  g_addHandler =
      reinterpret_cast<decltype(g_addHandler)>(reinterpret_cast<void*>(Kernel32("AddVectoredExceptionHandler")));
  g_removeHandler = reinterpret_cast<decltype(g_removeHandler)>(
      reinterpret_cast<void*>(Kernel32("RemoveVectoredExceptionHandler")));
  InterlockedExchange(&g_resolved, 1);
}

ULONGLONG WINAPI TickCount64() {
  Resolve();
  if (g_tickCount64) return g_tickCount64();
  // Extend the 32-bit count by counting its wraps (every 49.7 days).
  const DWORD now = GetTickCount();
  const DWORD last = static_cast<DWORD>(InterlockedExchange(&g_lastTick, static_cast<LONG>(now)));
  if (now < last) InterlockedIncrement(&g_wraps);
  return (static_cast<ULONGLONG>(static_cast<DWORD>(g_wraps)) << 32) | now;
}

PVOID WINAPI AddHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
  Resolve();
  return g_addHandler ? g_addHandler(first, handler) : nullptr;
}

ULONG WINAPI RemoveHandler(PVOID handle) {
  Resolve();
  return g_removeHandler ? g_removeHandler(handle) : 0;
}

}  // namespace

// The import slots, under the names the import library would give them.
extern "C" {
ULONGLONG(WINAPI* legacyTickCount64)() __asm__("__imp__GetTickCount64@0") = TickCount64;
PVOID(WINAPI* legacyAddHandler)(ULONG, PVECTORED_EXCEPTION_HANDLER) __asm__(
    "__imp__AddVectoredExceptionHandler@8") = AddHandler;
ULONG(WINAPI* legacyRemoveHandler)(PVOID) __asm__("__imp__RemoveVectoredExceptionHandler@4") = RemoveHandler;
}
