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

namespace {

HMODULE g_self = nullptr;

std::string Beside(const char* name) {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(g_self, path, MAX_PATH);
  std::string dir(path, n);
  const auto slash = dir.find_last_of('\\');
  dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
  return dir + name;
}

bool ReadAll(const std::string& path, std::string* content) {
  const HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0) content->append(chunk, got);
  CloseHandle(f);
  return true;
}

bool Write(const std::string& path, const std::string& content, bool append) {
  const HANDLE f = CreateFileA(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               append ? OPEN_ALWAYS : CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == content.size();
}

}  // namespace

extern "C" int __stdcall PtZipList(const char* archiveBase, int reserved, int reserved2) {
  const std::string base = archiveBase ? archiveBase : "";
  Write(Beside("ptzipw32.log"),
        "PtZipList|" + base + "|" + std::to_string(reserved) + "|" + std::to_string(reserved2) + "\r\n", true);
  std::string members;
  if (base.empty() || !ReadAll(Beside("ptzipw32.members"), &members)) return ERROR_FILE_NOT_FOUND;
  return Write(base + ".txt", members, false) ? 0 : ERROR_WRITE_FAULT;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_self = instance;
  return TRUE;
}
