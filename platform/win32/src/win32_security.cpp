#include "win32/win32_security.h"

#include <windows.h>

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "scoped_handle.h"
#include "sid_convert.h"

namespace win32 {
namespace {

plat::WinError ReadGroups(HANDLE token, std::vector<plat::Sid>* groups) {
  // Size first: a first call that does anything but ask for a bigger buffer
  // means the token cannot be read.
  DWORD size = 0;
  if (GetTokenInformation(token, TokenGroups, nullptr, 0, &size)) return winerr::InvalidData;
  const DWORD sizeError = GetLastError();
  if (sizeError != ERROR_INSUFFICIENT_BUFFER) return FromWin32(sizeError);

  std::vector<std::uint8_t> buffer(size);
  if (!GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) return LastError();
  const auto* list = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
  if (groups) {
    groups->clear();
    for (DWORD i = 0; i < list->GroupCount; ++i) groups->push_back(SidToText(list->Groups[i].Sid));
  }
  return winerr::Success;
}

}  // namespace

plat::WinError Win32Security::ThreadTokenGroups(std::vector<plat::Sid>* groups) {
  ScopedHandle token;
  // Checked against the process's own rights: the question is what the
  // program may do, not what the impersonated client may open.
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.receive())) return LastError();
  return ReadGroups(token.get(), groups);
}

plat::WinError Win32Security::ProcessTokenGroups(std::vector<plat::Sid>* groups) {
  ScopedHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.receive())) return LastError();
  return ReadGroups(token.get(), groups);
}

}  // namespace win32
