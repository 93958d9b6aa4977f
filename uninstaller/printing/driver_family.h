// Tables that tell drivers apart: the maker's known driver files per driver
// version, the version that is native to each Windows, and the suffix the
// wizard puts after a driver that serves another Windows.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "system/os_kind.h"

// The maker's PCL and PostScript driver files, by the driver's version (2,
// 3, or a multiple of 16 for the 9x drivers). Compared on the file name.
bool IsPclFamilyFile(std::string_view driverPath, std::uint32_t version);
bool IsPostScriptFamilyFile(std::string_view driverPath, std::uint32_t version);

// The driver version the running Windows prints with: 0 on the 9x family, 2
// on NT 3.51 and 4.0, 3 on 2000 and XP.
std::uint32_t NativeDriverVersion(OsKind os);
// Index of the last driver of the native version; the first when none is
// native; -1 when there are no drivers.
int NativeIndexAmong(std::span<const std::uint32_t> versions, std::uint32_t nativeVersion);

// " (95/98/Me)" or " (NT 4.0)" when a driver serves another Windows than the
// running one, else empty.
std::string_view DisplayNameSuffix(OsKind os, std::uint32_t version);
