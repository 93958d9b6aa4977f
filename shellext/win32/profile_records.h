// The records the extension exchanges with the maker's profile library, laid
// out as that 32-bit library reads them: every field 32 bits, pointers to
// ANSI strings in our memory. The asserts keep the layouts from drifting.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/shell/profile_library.h"

namespace prnshext {

// The exported callback the library is handed: (SupportResult*, SupportInfo record*).
using RawSupportCallback = std::uint32_t(__stdcall*)(void* context, const void* info);

struct SupportQuery {
  std::uint32_t size;
  std::uint32_t version;
  const char* printerName;
  RawSupportCallback callback;
  plat::shell::SupportResult* context;
};

// Only the fields the callback reads; the rest of the library's record is its own.
struct SupportInfoRecord {
  std::uint32_t size;
  std::uint32_t version;
  std::uint8_t libraryOwned[52];
  std::uint32_t capabilities;
  std::uint32_t familyCode;
};

struct ProfileWizardRequest {
  std::uint32_t size;
  std::uint32_t version;
  const char* printerName;
  const char* helpFile;
  std::uint32_t ownerWindow;
  std::uint32_t mode;
  std::uint32_t reserved1;
  std::uint32_t reserved2;
};

struct RenameRequest {
  std::uint32_t size;
  std::uint32_t version;
  const char* newName;
  const char* oldName;
};

static_assert(sizeof(void*) == 4, "the profile library is a 32-bit library");
static_assert(sizeof(SupportQuery) == 20);
static_assert(offsetof(SupportQuery, printerName) == 8 && offsetof(SupportQuery, callback) == 12 &&
              offsetof(SupportQuery, context) == 16);
static_assert(sizeof(plat::shell::SupportResult) == 12);
static_assert(offsetof(plat::shell::SupportResult, importSupported) == 0 &&
              offsetof(plat::shell::SupportResult, exportSupported) == 4 &&
              offsetof(plat::shell::SupportResult, familyCode) == 8);
static_assert(offsetof(SupportInfoRecord, version) == 4 && offsetof(SupportInfoRecord, capabilities) == 60 &&
              offsetof(SupportInfoRecord, familyCode) == 64);
static_assert(sizeof(ProfileWizardRequest) == 32);
static_assert(offsetof(ProfileWizardRequest, helpFile) == 12 && offsetof(ProfileWizardRequest, ownerWindow) == 16 &&
              offsetof(ProfileWizardRequest, mode) == 20);
static_assert(sizeof(RenameRequest) == 16);
static_assert(offsetof(RenameRequest, newName) == 8 && offsetof(RenameRequest, oldName) == 12);

}  // namespace prnshext
