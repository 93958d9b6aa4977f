#include "printing/driver_family.h"

#include <initializer_list>

#include "platform/text.h"

namespace {

// The files of one family for one row of versions.
struct FamilyFiles {
  std::initializer_list<const char*> version2;
  std::initializer_list<const char*> version3;
  std::initializer_list<const char*> version9x;  // low four bits of the version 0
};

const FamilyFiles kPcl{{"vkpclna.dll"}, {"vkpcl2a.dll"}, {"vkpcl5c.drv", "vkpcl5d.drv"}};
const FamilyFiles kPostScript{{"vorpsnt.dll"}, {"vorpsnt3.dll"}, {"vorps.drv"}};

bool IsFamilyFile(const FamilyFiles& family, std::string_view driverPath, std::uint32_t version) {
  if (driverPath.empty()) return false;
  const auto backslash = driverPath.rfind('\\');
  const std::string_view fileName = backslash == std::string_view::npos ? driverPath : driverPath.substr(backslash + 1);

  std::initializer_list<const char*> candidates;
  if (version == 2) {
    candidates = family.version2;
  } else if (version == 3) {
    candidates = family.version3;
  } else if ((version & 0xF) == 0) {
    candidates = family.version9x;
  } else {
    return false;
  }
  for (const char* candidate : candidates) {
    if (text::IEquals(fileName, candidate)) return true;
  }
  return false;
}

}  // namespace

bool IsPclFamilyFile(std::string_view driverPath, std::uint32_t version) {
  return IsFamilyFile(kPcl, driverPath, version);
}

bool IsPostScriptFamilyFile(std::string_view driverPath, std::uint32_t version) {
  return IsFamilyFile(kPostScript, driverPath, version);
}

std::uint32_t NativeDriverVersion(OsKind os) {
  if (IsNT5(os)) return 3;
  if (IsNT4OrOlder(os)) return 2;
  return 0;  // the 9x family, and a system not recognised
}

int NativeIndexAmong(std::span<const std::uint32_t> versions, std::uint32_t nativeVersion) {
  if (versions.empty()) return -1;
  for (std::size_t i = versions.size(); i-- > 0;) {
    if (versions[i] == nativeVersion) return static_cast<int>(i);
  }
  return 0;
}

std::string_view DisplayNameSuffix(OsKind os, std::uint32_t version) {
  if (!IsWinNT(os)) return {};
  if (version == 0) return " (95/98/Me)";
  if (version == 2 && IsNT5(os)) return " (NT 4.0)";
  return {};
}
