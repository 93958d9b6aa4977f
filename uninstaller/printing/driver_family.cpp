#include "printing/driver_family.h"

#include <array>

#include "maker/maker_identity.h"
#include "platform/text.h"
#include "platform/win_path.h"

namespace {

bool IsFamilyFile(const maker::FamilyDriverFiles& family, std::string_view driverPath, std::uint32_t version) {
  if (driverPath.empty()) return false;
  const std::string_view fileName = winpath::LastComponent(driverPath);

  std::array<std::string_view, 2> candidates;
  if (version == 2) {
    candidates = family.version2;
  } else if (version == 3) {
    candidates = family.version3;
  } else if ((version & 0xF) == 0) {  // the 9x family: low four bits of the version 0
    candidates = family.version9x;
  } else {
    return false;
  }
  for (std::string_view candidate : candidates) {
    if (!candidate.empty() && text::IEquals(fileName, candidate)) return true;
  }
  return false;
}

}  // namespace

bool IsPclFamilyFile(std::string_view driverPath, std::uint32_t version) {
  return IsFamilyFile(maker::kPclDriverFiles, driverPath, version);
}

bool IsPostScriptFamilyFile(std::string_view driverPath, std::uint32_t version) {
  return IsFamilyFile(maker::kPostScriptDriverFiles, driverPath, version);
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
