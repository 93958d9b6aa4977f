// Conversion of registry value data between the UTF-16 the W calls store and
// the UTF-8 bytes of plat::RegValue.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/registry.h"

namespace win32 {

bool IsStringType(plat::RegType type);
// Raw bytes as RegQueryValueExW returned them -> RegValue.
plat::RegValue FromStoredData(std::uint32_t type, const std::vector<std::uint8_t>& stored);
// RegValue -> bytes for RegSetValueExW.
std::vector<std::uint8_t> ToStoredData(const plat::RegValue& value);

}  // namespace win32
