// What the pieces of the server share: its class identifier and ProgID, the
// module's handle and the count of objects and locks that keeps it loaded.
#pragma once
#include <windows.h>

#include <filesystem>

namespace vorlog {

// {16DFC280-1881-11D5-80E0-00C04F7F0E59}
inline constexpr CLSID kClassId = {0x16DFC280, 0x1881, 0x11D5, {0x80, 0xE0, 0x00, 0xC0, 0x4F, 0x7F, 0x0E, 0x59}};
inline constexpr wchar_t kClassIdText[] = L"{16DFC280-1881-11D5-80E0-00C04F7F0E59}";
inline constexpr wchar_t kProgId[] = L"Vorlog.InstallLog";
inline constexpr wchar_t kClassName[] = L"Vorlog install log";
// The store lies beside the DLL under this name.
inline constexpr wchar_t kStoreName[] = L"vorlog.dat";

HMODULE Module();
std::filesystem::path ModulePath();
std::filesystem::path StorePath();
void AddModuleRef();
void ReleaseModuleRef();

}  // namespace vorlog
