// A stand-in for the maker's document-output library, for tests.
//
//   DWORD __cdecl edf_add_document_a(DWORD, void* context, DWORD job, Node* table,
//                                    const char* printer, const char* spoolFile, DWORD, DOC_INFO_2A* doc)
//   DWORD __cdecl edf_start_printing(void* context, DWORD)
//
// Each call appends a line to "voredf.log" beside this library:
//   add|<job>|<printer>|<spool file>|<callback numbers, comma-separated>|<document>|<datatype>|<mode>
//   start
// The document is refused (answer 0) when "voredf.refuse" lies beside this
// library, else accepted (0x20000000). Printing stores 0x5EED (callback 0),
// sends the duplex message (2), plays the spool file from behind its stream
// header with a 24-byte position (6) and ends the page (11); it answers 0.
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>

#include "common/log_beside_module.h"

namespace {

struct Node {
  DWORD number;
  void* callback;
  Node* next;
};

using StoreFn = DWORD(WINAPI*)(void*, DWORD);
using PlainFn = DWORD(WINAPI*)(void*);
using PlayFileFn = DWORD(WINAPI*)(void*, HANDLE, DWORD, const void*);

Node* g_table = nullptr;
std::string g_spoolFile;

// A line that cannot be written is lost; the test then misses the call.
void Log(const std::string& line) { static_cast<void>(doubles::AppendBeside("voredf.log", line)); }

void* Callback(DWORD number) {
  for (Node* n = g_table; n; n = n->next)
    if (n->number == number) return n->callback;
  return nullptr;
}

std::string Text(const char* s) { return s ? s : "(null)"; }

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) doubles::g_module = instance;
  return TRUE;
}

extern "C" DWORD __cdecl edf_add_document_a(DWORD, void* /*context*/, DWORD job, Node* table, const char* printer,
                                            const char* spoolFile, DWORD, DOC_INFO_2A* doc) {
  g_table = table;
  g_spoolFile = Text(spoolFile);
  std::string numbers;
  for (Node* n = table; n; n = n->next) numbers += (numbers.empty() ? "" : ",") + std::to_string(n->number);
  Log("add|" + std::to_string(job) + "|" + Text(printer) + "|" + g_spoolFile + "|" + numbers + "|" +
      (doc ? Text(doc->pDocName) + "|" + Text(doc->pDatatype) + "|" + std::to_string(doc->dwMode) : "-") + "\r\n");
  const bool refuse = GetFileAttributesA(doubles::Beside("voredf.refuse").c_str()) != INVALID_FILE_ATTRIBUTES;
  return refuse ? 0 : 0x20000000;
}

extern "C" DWORD __cdecl edf_start_printing(void* context, DWORD) {
  Log("start\r\n");
  auto store = reinterpret_cast<StoreFn>(Callback(0));
  auto duplex = reinterpret_cast<PlainFn>(Callback(2));
  auto playFile = reinterpret_cast<PlayFileFn>(Callback(6));
  auto endPage = reinterpret_cast<PlainFn>(Callback(11));
  if (!store || !duplex || !playFile || !endPage) return 1;
  store(context, 0x5EED);
  duplex(context);
  const HANDLE f = CreateFileA(g_spoolFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 2;
  unsigned char start[12] = {};
  DWORD got = 0;
  ReadFile(f, start, sizeof start, &got, nullptr);
  DWORD headerSize = 0;
  std::memcpy(&headerSize, start + 8, 4);
  unsigned char position[24];
  for (int i = 0; i < 24; ++i) position[i] = static_cast<unsigned char>(0xA0 + i);
  playFile(context, f, 4 + headerSize, position);
  endPage(context);
  CloseHandle(f);
  return 0;
}
