// A stand-in for the maker's archive lister, for tests.
//
//   int __stdcall PtZipList(const char* archiveBase, int reserved, int reserved2)
//
// Each call appends one line to "ptzipw32.log" beside this library:
//   PtZipList|<archiveBase>|<reserved>|<reserved2>
// It then copies "ptzipw32.members" (beside this library; one member name a
// line, as a real archive's listing would give them) to archiveBase + ".txt"
// and returns 0. Without the control file it writes nothing and returns 2
// (file not found), as a lister that cannot read the archive would.
#include <windows.h>

#include <string>

#include "common/log_beside_module.h"

extern "C" int __stdcall PtZipList(const char* archiveBase, int reserved, int reserved2) {
  const std::string base = archiveBase ? archiveBase : "";
  // A line that cannot be written is lost; the test then misses the call.
  static_cast<void>(doubles::AppendBeside(
      "ptzipw32.log", "PtZipList|" + base + "|" + std::to_string(reserved) + "|" + std::to_string(reserved2) + "\r\n"));
  std::string members;
  if (base.empty() || !doubles::ReadWholeFile(doubles::Beside("ptzipw32.members"), &members))
    return ERROR_FILE_NOT_FOUND;
  // The member list is written anew, as a lister does.
  return doubles::WriteToFile(base + ".txt", members, doubles::WriteMode::Replace) ? 0 : ERROR_WRITE_FAULT;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) doubles::g_module = instance;
  return TRUE;
}
