// A stand-in for the maker's job-finishing library, for tests.
//
//   BOOL __stdcall LGMain(DWORD command, void* data, DWORD* output, DWORD* context)
//
// Each call appends one line to "vkijfc01.log" beside this library:
//   LGMain|<command>|<first 32-bit field of data>|<second (its size)>
// Command 0 finds the callbacks 50, 51 and 52 in the header's list (offset
// in field 60) and their context in field 20, and fails when one is
// missing. Command 6 calls the page-start callback; command 7 writes
// "<page>" through the write callback and calls the page-end callback.
// Commands that make an object (16, 17, 18, 19, 38) put a new handle into
// *output. Every other call just succeeds.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "common/log_beside_module.h"

namespace {

using PageFn = DWORD(WINAPI*)(void*);
using WriteFn = DWORD(WINAPI*)(void*, const void*, DWORD);

PageFn g_startPage = nullptr;
PageFn g_endPage = nullptr;
WriteFn g_write = nullptr;
void* g_context = nullptr;
DWORD g_nextHandle = 0x8001;

// A line that cannot be written is lost; the test then misses the call.
void Log(const std::string& line) { static_cast<void>(doubles::AppendBeside("vkijfc01.log", line)); }

DWORD Field(const void* data, std::size_t at) {
  DWORD v = 0;
  std::memcpy(&v, static_cast<const char*>(data) + at, 4);
  return v;
}

bool Bind(const void* header) {
  const DWORD size = Field(header, 4);
  g_startPage = nullptr;
  g_endPage = nullptr;
  g_write = nullptr;
  for (DWORD at = Field(header, 60); at + 12 <= size && Field(header, at) != 0; at += 12) {
    void* address = reinterpret_cast<void*>(static_cast<std::uintptr_t>(Field(header, at + 8)));
    switch (Field(header, at)) {
      case 50: g_startPage = reinterpret_cast<PageFn>(address); break;
      case 51: g_endPage = reinterpret_cast<PageFn>(address); break;
      case 52: g_write = reinterpret_cast<WriteFn>(address); break;
      default: break;
    }
  }
  g_context = reinterpret_cast<void*>(static_cast<std::uintptr_t>(Field(header, 20)));
  return g_startPage && g_endPage && g_write;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) doubles::g_module = instance;
  return TRUE;
}

extern "C" BOOL __stdcall LGMain(DWORD command, void* data, DWORD* output, DWORD* context) {
  Log("LGMain|" + std::to_string(command) + "|" + (data ? std::to_string(Field(data, 0)) : "-") + "|" +
      (data ? std::to_string(Field(data, 4)) : "-") + "\r\n");
  if (command == 0) {
    if (!data || !Bind(data)) return FALSE;
    if (context) *context = 1;
  }
  if ((command == 16 || command == 17 || command == 18 || command == 19 || command == 38) && output)
    *output = g_nextHandle++;
  if (command == 6 && g_startPage) g_startPage(g_context);
  if (command == 7 && g_write && g_endPage) {
    g_write(g_context, "<page>", 6);
    g_endPage(g_context);
  }
  return TRUE;
}
