// The doubles of the maker's libraries and programs tell the tests how they
// were called through files beside themselves: a log they append to, and the
// settings and answers a test leaves there. This is how every double finds
// that folder, reads such a file and appends to its log.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace doubles {

// A library double records its own handle here when it is attached, so that
// its files lie beside it rather than beside the program that loaded it. A
// program double leaves it empty: its own folder is the program's.
inline HMODULE g_module = nullptr;

// `name` in the folder of this double, or of a test program that finds its
// companions beside itself.
inline std::string Beside(std::string_view name) {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(g_module, path, MAX_PATH);
  std::string dir(path, n);
  const auto slash = dir.find_last_of('\\');
  dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
  return dir.append(name);
}

// The whole file; false when it cannot be opened.
inline bool ReadWholeFile(const std::string& path, std::string* content) {
  const HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0) content->append(chunk, got);
  CloseHandle(f);
  return true;
}

enum class WriteMode { Append, Replace };

// Writes `text` as it is at the end of the file, or as its whole content,
// creating it; false when it cannot be opened or written whole. Other
// readers may look at the file meanwhile.
inline bool WriteToFile(const std::string& path, const std::string& text, WriteMode mode) {
  const bool append = mode == WriteMode::Append;
  const HANDLE f = CreateFileA(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               append ? OPEN_ALWAYS : CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == text.size();
}

// The lines of a file the tests leave, without their line ends ("\n" or
// "\r\n"); empty lines are left out.
inline std::vector<std::string> NonEmptyLines(const std::string& content) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < content.size();) {
    std::size_t end = content.find('\n', at);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(std::move(line));
    at = end + 1;
  }
  return lines;
}

// Appends `text` to the file `name` beside this double.
inline bool AppendBeside(const char* name, const std::string& text) {
  return WriteToFile(Beside(name), text, WriteMode::Append);
}

}  // namespace doubles
