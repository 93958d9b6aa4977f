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

namespace {
SYSTEMTIME ToSystemTime(const pp::SystemTime& t) {
  SYSTEMTIME s{};
  s.wYear = t.year;
  s.wMonth = t.month;
  s.wDayOfWeek = t.dayOfWeek;
  s.wDay = t.day;
  s.wHour = t.hour;
  s.wMinute = t.minute;
  s.wSecond = t.second;
  s.wMilliseconds = t.milliseconds;
  return s;
}

pp::SystemTime FromSystemTime(const SYSTEMTIME& s) {
  return {s.wYear, s.wMonth, s.wDayOfWeek, s.wDay, s.wHour, s.wMinute, s.wSecond, s.wMilliseconds};
}

// GetDateFormatA and GetTimeFormatA share their buffer protocol: ask for the
// size, then fill.
template <typename Format>
pp::Result<std::string> Formatted(Format format) {
  const int needed = format(nullptr, 0);
  if (needed <= 0) return LastError();
  std::string text(static_cast<std::size_t>(needed), '\0');
  const int got = format(text.data(), needed);
  if (got <= 0) return LastError();
  text.resize(static_cast<std::size_t>(got - 1));
  return text;
}
}  // namespace

pp::Result<pp::WindowsVersion> Win32PrintHost::Version() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return LastError();
  return pp::WindowsVersion{info.dwMajorVersion, info.dwMinorVersion};
}

pp::Result<pp::SystemTime> Win32PrintHost::ToLocalTime(const pp::SystemTime& utc) {
  const SYSTEMTIME s = ToSystemTime(utc);
  FILETIME universal{}, local{};
  SYSTEMTIME out{};
  if (!SystemTimeToFileTime(&s, &universal) || !FileTimeToLocalFileTime(&universal, &local) ||
      !FileTimeToSystemTime(&local, &out))
    return LastError();
  return FromSystemTime(out);
}

pp::Result<std::string> Win32PrintHost::LongDate(const pp::SystemTime& time) {
  const SYSTEMTIME s = ToSystemTime(time);
  return Formatted([&](char* buffer, int size) {
    return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &s, nullptr, buffer, size);
  });
}

pp::Result<std::string> Win32PrintHost::TimeOfDay(const pp::SystemTime& time) {
  const SYSTEMTIME s = ToSystemTime(time);
  return Formatted(
      [&](char* buffer, int size) { return GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &s, nullptr, buffer, size); });
}

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
  char folder[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(sizeof folder, folder);
  if (n == 0 || n > sizeof folder) return n == 0 ? LastError() : pp::Error(ERROR_BUFFER_OVERFLOW);
  char name[MAX_PATH + 1] = {};
  const std::string p(prefix);
  if (GetTempFileNameA(folder, p.c_str(), 0, name) == 0) return LastError();
  return std::string(name);
}

pp::Status Win32ByteFiles::Delete(std::string_view path) {
  const std::string p(path);
  if (!DeleteFileA(p.c_str())) return LastError();
  return pp::Ok();
}

}  // namespace win32print
