// Registration of the server for regsvr32: the class under HKEY_CLASSES_ROOT
// with the DLL as its apartment-threaded in-process server, and our ProgID.
#pragma once
#include <windows.h>

#include <filesystem>

namespace vorlog {

HRESULT RegisterServer(const std::filesystem::path& dllPath);
// Removes only the keys RegisterServer writes; missing keys are no error.
HRESULT UnregisterServer();

}  // namespace vorlog
