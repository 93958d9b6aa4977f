#include "win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "scoped_handle.h"
#include "wide.h"

namespace win32 {
namespace {

plat::WinError Result(BOOL ok) { return ok ? winerr::Success : LastError(); }

// The size-query protocol of the path calls: a call returns the length it
// wrote, or the size it needs (terminator included) when the buffer is too
// small, or 0 on failure.
template <typename Call>
plat::WinError PathQuery(Call call, std::string* out) {
  out->clear();
  DWORD size = MAX_PATH;
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::vector<wchar_t> buffer(size, L'\0');
    SetLastError(ERROR_SUCCESS);
    const DWORD n = call(buffer.data(), size);
    if (n == 0) {
      return LastError();  // 0 with no error: the answer is empty text
    }
    if (n < size) {
      *out = Narrow(std::wstring_view(buffer.data(), n));
      return winerr::Success;
    }
    size = n + 1;
  }
  return winerr::InsufficientBuffer;
}

std::string PathOrEmpty(plat::WinError (*query)(std::string*)) {
  std::string path;
  static_cast<void>(query(&path));  // a failed query leaves the path empty, which callers read as "none"
  return path;
}

}  // namespace

plat::WinError Win32FileSystem::GetAttributes(std::string_view path, std::uint32_t* attributes) {
  const std::wstring wpath = Wide(path);
  const DWORD a = GetFileAttributesW(wpath.c_str());
  if (attributes) *attributes = a;
  return a == INVALID_FILE_ATTRIBUTES ? LastError() : winerr::Success;
}

plat::WinError Win32FileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  const std::wstring wpath = Wide(path);
  return Result(SetFileAttributesW(wpath.c_str(), attributes));
}

plat::WinError Win32FileSystem::RemoveFile(std::string_view path) {
  const std::wstring wpath = Wide(path);
  return Result(DeleteFileW(wpath.c_str()));
}

plat::WinError Win32FileSystem::RemoveDir(std::string_view path) {
  const std::wstring wpath = Wide(path);
  return Result(RemoveDirectoryW(wpath.c_str()));
}

plat::WinError Win32FileSystem::MakeDir(std::string_view path) {
  const std::wstring wpath = Wide(path);
  return Result(CreateDirectoryW(wpath.c_str(), nullptr));
}

plat::WinError Win32FileSystem::Find(std::string_view pattern, std::vector<plat::FindEntry>* out) {
  out->clear();
  const std::wstring wpattern = Wide(pattern);
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW(wpattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return LastError();
  DWORD error = ERROR_SUCCESS;
  do {
    plat::FindEntry entry;
    entry.name = Narrow(data.cFileName);
    entry.shortName = Narrow(data.cAlternateFileName);
    entry.attributes = data.dwFileAttributes;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    out->push_back(std::move(entry));
  } while (FindNextFileW(find, &data));
  error = GetLastError();
  FindClose(find);
  return error == ERROR_NO_MORE_FILES ? winerr::Success : FromWin32(error);
}

plat::WinError Win32FileSystem::ShortPath(std::string_view path, std::string* out) {
  const std::wstring wpath = Wide(path);
  return PathQuery([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(wpath.c_str(), buffer, size); }, out);
}

plat::WinError Win32FileSystem::MoveOnReboot(std::string_view source, std::string_view destination) {
  const std::wstring wsource = Wide(source);
  const std::wstring wdestination = Wide(destination);
  // A null destination is what asks for deletion.
  return Result(MoveFileExW(wsource.c_str(), wdestination.empty() ? nullptr : wdestination.c_str(),
                            MOVEFILE_DELAY_UNTIL_REBOOT));
}

plat::WinError Win32FileSystem::Rename(std::string_view source, std::string_view destination) {
  const std::wstring wsource = Wide(source);
  const std::wstring wdestination = Wide(destination);
  return Result(MoveFileW(wsource.c_str(), wdestination.c_str()));
}

plat::WinError Win32FileSystem::CopyTo(std::string_view source, std::string_view destination, bool failIfExists) {
  const std::wstring wsource = Wide(source);
  const std::wstring wdestination = Wide(destination);
  return Result(CopyFileW(wsource.c_str(), wdestination.c_str(), failIfExists ? TRUE : FALSE));
}

plat::WinError Win32FileSystem::ReadText(std::string_view path, std::string* content) {
  content->clear();
  const std::wstring wpath = Wide(path);
  ScopedHandle file(CreateFileW(wpath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return LastError();
  // Read to the end rather than trusting the size: a file may still grow.
  char chunk[16384];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return LastError();
    if (got == 0) return winerr::Success;
    content->append(chunk, got);
  }
}

plat::WinError Win32FileSystem::WriteText(std::string_view path, std::string_view content) {
  const std::wstring wpath = Wide(path);
  // Windows refuses to truncate a read-only file; Wine running as root does
  // not, so the refusal is made here for both.
  const DWORD attributes = GetFileAttributesW(wpath.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return winerr::AccessDenied;
  ScopedHandle file(
      CreateFileW(wpath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return LastError();
  while (!content.empty()) {
    DWORD written = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
    if (!WriteFile(file.get(), content.data(), want, &written, nullptr)) return LastError();
    if (written == 0) return winerr::NotReady;
    content.remove_prefix(written);
  }
  return winerr::Success;
}

std::string Win32FileSystem::WindowsDirectory() {
  return PathOrEmpty([](std::string* out) {
    return PathQuery([](wchar_t* buffer, DWORD size) -> DWORD { return GetWindowsDirectoryW(buffer, size); }, out);
  });
}

std::string Win32FileSystem::SystemDirectory() {
  return PathOrEmpty([](std::string* out) {
    return PathQuery([](wchar_t* buffer, DWORD size) -> DWORD { return GetSystemDirectoryW(buffer, size); }, out);
  });
}

std::string Win32FileSystem::TempDirectory() {
  return PathOrEmpty([](std::string* out) {
    return PathQuery([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); }, out);
  });
}

plat::WinError Win32FileSystem::CreateTempFile(std::string_view directory, std::string_view prefix,
                                               std::string* path) {
  path->clear();
  const std::wstring wdirectory = Wide(directory);
  const std::wstring wprefix = Wide(prefix);
  wchar_t buffer[MAX_PATH] = {};
  // Unique number 0: the system picks a name that is free and creates it.
  if (GetTempFileNameW(wdirectory.c_str(), wprefix.c_str(), 0, buffer) == 0) return LastError();
  *path = Narrow(buffer);
  return winerr::Success;
}

std::string Win32FileSystem::CurrentDirectory() {
  return PathOrEmpty([](std::string* out) {
    return PathQuery([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); }, out);
  });
}

plat::WinError Win32FileSystem::SetCurrentDir(std::string_view path) {
  const std::wstring wpath = Wide(path);
  return Result(SetCurrentDirectoryW(wpath.c_str()));
}

}  // namespace win32
