// The maker's profile library, which the shell extension loads for each use
// and frees right after: it tells which printers support profiles (through a
// callback it is handed), runs the profile wizard, and carries a printer's
// settings over to its new name. It lies outside this system; the adapter
// hides how it is found and called (LoadLibrary and records in memory on
// Windows, the machine image on the sim).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/handle.h"
#include "platform/win_errors.h"

namespace plat::shell {

// What the support callback fills in; zeroed before each query.
struct SupportResult {
  std::uint32_t importSupported = 0;
  std::uint32_t exportSupported = 0;
  std::uint32_t familyCode = 0;
};

// The fields of the library's record that the callback reads.
struct SupportInfo {
  std::uint32_t version = 0;
  std::uint32_t capabilities = 0;  // bit 0 import, bit 1 export
  std::uint32_t familyCode = 0;
};

// The callback the library calls with the context it was given; either
// pointer may be null when the library misbehaves.
using SupportCallback = std::uint32_t (*)(SupportResult* context, const SupportInfo* info);

inline constexpr std::uint32_t kWizardImport = 1;
inline constexpr std::uint32_t kWizardExport = 2;

struct WizardRequest {
  std::string printerName;
  std::string helpFile;
  Handle ownerWindow = kNoHandle;
  std::uint32_t mode = kWizardExport;
};

class ProfileLibrary {
 public:
  virtual ~ProfileLibrary() = default;
  // LoadLibrary by bare name or full path; ModNotFound when nothing loads.
  virtual WinError Load(std::string_view nameOrPath, Handle* module) = 0;
  virtual void Close(Handle module) = 0;  // FreeLibrary
  // GetProcAddress, which compares names with case.
  virtual bool HasEntry(Handle module, std::string_view entry) = 0;

  // EnumSpecificSupportedPrinter with a query for `printerName` naming
  // `callback` and `context`: 0 when the library has answered.
  virtual std::uint32_t EnumSpecificSupportedPrinter(Handle module, std::string_view printerName,
                                                     SupportCallback callback, SupportResult* context) = 0;
  // DrvProfileWizard; its own return value.
  virtual std::uint32_t DrvProfileWizard(Handle module, const WizardRequest& request) = 0;
  // CFIRenamePrtObj: 0 when the library carried the rename over.
  virtual std::uint32_t CFIRenamePrtObj(Handle module, std::string_view newName, std::string_view oldName) = 0;
};

using UniqueLibrary = UniqueHandle<ProfileLibrary>;

}  // namespace plat::shell
