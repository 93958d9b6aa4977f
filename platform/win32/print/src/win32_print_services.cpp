#include <windows.h>

#include <string>

#include "win32print/win32_print_ports.h"

namespace win32print {

namespace pp = plat::print;

namespace {
pp::Error LastError() { return pp::Error(GetLastError()); }
HANDLE H(plat::Handle h) { return reinterpret_cast<HANDLE>(h); }

// The system's player of spooled "EMF" data: six arguments, the player's
// state in and out. Not every system has it.
using PlaySpoolStream = DWORD(WINAPI*)(LPSTR printer, LPSTR output, LPVOID data, DWORD jobId, LPDWORD bytes,
                                       DWORD state);

PlaySpoolStream FindPlayer() {
  HMODULE gdi = GetModuleHandleA("gdi32.dll");
  FARPROC p = gdi ? GetProcAddress(gdi, "gdiPlaySpoolStream") : nullptr;
  return reinterpret_cast<PlaySpoolStream>(reinterpret_cast<void*>(p));
}
}  // namespace

// --- spool-stream player

pp::Result<pp::PlayStep> Win32SpoolStreamPlayer::Play(std::string_view printer,
                                                      std::optional<std::string_view> outputFile,
                                                      std::span<const std::uint8_t> data, std::uint32_t jobId,
                                                      std::uint32_t previousState) {
  const PlaySpoolStream play = FindPlayer();
  if (!play) return pp::Error(ERROR_CALL_NOT_IMPLEMENTED);
  std::string p(printer), o(outputFile.value_or(""));
  DWORD bytes = static_cast<DWORD>(data.size());
  SetLastError(ERROR_SUCCESS);
  const DWORD state = play(p.data(), outputFile ? o.data() : nullptr, const_cast<std::uint8_t*>(data.data()), jobId,
                           &bytes, previousState);
  if (state == 0 || bytes > data.size()) return LastError();
  return pp::PlayStep{state, bytes};
}

pp::Status Win32SpoolStreamPlayer::Abandon(plat::Handle spoolStream, std::uint32_t previousState) {
  const PlaySpoolStream play = FindPlayer();
  if (!play) return pp::Error(ERROR_CALL_NOT_IMPLEMENTED);
  SetLastError(ERROR_SUCCESS);
  if (play(nullptr, nullptr, reinterpret_cast<LPVOID>(spoolStream), 0, nullptr, previousState) == 0)
    return LastError();
  return pp::Ok();
}

// --- host

pp::Result<std::string> Win32PrintHost::ComputerName() {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\control\\ComputerName\\ComputerName", 0,
                          KEY_QUERY_VALUE, &key);
  if (rc != ERROR_SUCCESS) return pp::Error(static_cast<std::uint32_t>(rc));
  DWORD type = 0, size = 0;
  rc = RegQueryValueExA(key, "ComputerName", nullptr, &type, nullptr, &size);
  std::string value(size, '\0');
  if (rc == ERROR_SUCCESS && size > 0)
    rc = RegQueryValueExA(key, "ComputerName", nullptr, &type, reinterpret_cast<LPBYTE>(value.data()), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return pp::Error(static_cast<std::uint32_t>(rc));
  if (type != REG_SZ) return pp::Error(ERROR_INVALID_DATA);
  value.resize(std::min<std::size_t>(size, value.size()));
  if (const auto zero = value.find('\0'); zero != std::string::npos) value.resize(zero);
  return value;
}

pp::Status Win32PrintHost::StartProgram(std::string_view commandLine, std::uint32_t showCommand) {
  const std::string line(commandLine);
  const UINT rc = WinExec(line.c_str(), showCommand);
  // WinExec answers above 31 when the program started, else why it did not.
  if (rc <= 31) return pp::Error(rc == 0 ? ERROR_NOT_ENOUGH_MEMORY : rc);
  return pp::Ok();
}

void Win32PrintHost::DebugTrace(std::string_view line) { OutputDebugStringA(std::string(line).c_str()); }

// --- events

pp::Result<plat::Handle> Win32Events::CreateAutoReset(bool signalled) {
  HANDLE h = CreateEventA(nullptr, FALSE, signalled ? TRUE : FALSE, nullptr);
  if (!h) return LastError();
  return reinterpret_cast<plat::Handle>(h);
}

pp::Status Win32Events::Set(plat::Handle event) {
  if (!SetEvent(H(event))) return LastError();
  return pp::Ok();
}

pp::Status Win32Events::Reset(plat::Handle event) {
  if (!ResetEvent(H(event))) return LastError();
  return pp::Ok();
}

pp::Status Win32Events::Wait(plat::Handle event) {
  const DWORD rc = WaitForSingleObject(H(event), INFINITE);
  if (rc == WAIT_OBJECT_0) return pp::Ok();
  return rc == WAIT_FAILED ? LastError() : pp::Error(rc);
}

void Win32Events::Close(plat::Handle event) { CloseHandle(H(event)); }

// --- byte files

pp::Result<plat::Handle> Win32ByteFiles::CreateForWriting(std::string_view path) {
  const std::string p(path);
  HANDLE h = CreateFileA(p.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  return reinterpret_cast<plat::Handle>(h);
}

pp::Result<plat::Handle> Win32ByteFiles::OpenForReading(std::string_view path) {
  const std::string p(path);
  HANDLE h = CreateFileA(p.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  return reinterpret_cast<plat::Handle>(h);
}

pp::Result<std::size_t> Win32ByteFiles::Read(plat::Handle file, std::span<std::uint8_t> into) {
  DWORD got = 0;
  if (!ReadFile(H(file), into.data(), static_cast<DWORD>(into.size()), &got, nullptr)) return LastError();
  return std::size_t{got};
}

pp::Result<std::size_t> Win32ByteFiles::Write(plat::Handle file, std::span<const std::uint8_t> data) {
  DWORD written = 0;
  if (!WriteFile(H(file), data.data(), static_cast<DWORD>(data.size()), &written, nullptr)) return LastError();
  return std::size_t{written};
}

pp::Status Win32ByteFiles::Seek(plat::Handle file, std::uint32_t offset) {
  SetLastError(ERROR_SUCCESS);
  if (SetFilePointer(H(file), static_cast<LONG>(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
      GetLastError() != ERROR_SUCCESS)
    return LastError();
  return pp::Ok();
}

void Win32ByteFiles::Close(plat::Handle file) { CloseHandle(H(file)); }

pp::Result<std::string> Win32ByteFiles::MakeTempFile(std::string_view prefix) {
  char directory[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(sizeof directory, directory);
  if (n == 0 || n > MAX_PATH) return LastError();
  char path[MAX_PATH + 1] = {};
  const std::string p(prefix);
  if (!GetTempFileNameA(directory, p.c_str(), 0, path)) return LastError();
  return std::string(path);
}

pp::Status Win32ByteFiles::Delete(std::string_view path) {
  const std::string p(path);
  if (!DeleteFileA(p.c_str())) return LastError();
  return pp::Ok();
}

}  // namespace win32print
