#include "printing/key_name_rules.h"

#include <string>
#include <vector>

#include "platform/text.h"

namespace {

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Plain, and no "*" or "?": a value that names a pattern names no one key.
bool IsLiteralKeyName(std::string_view name) {
  return IsPlainKeyName(name) && name.find_first_of("*?") == std::string_view::npos;
}

bool IsIndex(std::string_view part) {
  if (part.empty()) return false;
  for (const char c : part) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in hexadecimal digits.
bool IsBracedGuid(std::string_view part) {
  constexpr std::string_view kShape = "{........-....-....-....-............}";
  if (part.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < part.size(); ++i) {
    if (kShape[i] == '.' ? !IsHex(part[i]) : part[i] != kShape[i]) return false;
  }
  return true;
}

}  // namespace

bool IsPlainKeyName(std::string_view name) {
  if (name.empty() || name.find('\\') != std::string_view::npos) return false;
  return name.find_first_not_of('.') != std::string_view::npos;
}

bool IsDeviceInstanceId(std::string_view id) {
  const std::vector<std::string> parts = text::Split(id, '\\');
  if (parts.size() != 3) return false;
  for (const std::string& part : parts) {
    if (!IsLiteralKeyName(part)) return false;
  }
  return true;
}

bool IsClassGuidAndIndex(std::string_view value) {
  const std::vector<std::string> parts = text::Split(value, '\\');
  return parts.size() == 2 && IsBracedGuid(parts[0]) && IsIndex(parts[1]);
}

bool IsClassNameAndIndex(std::string_view value) {
  const std::vector<std::string> parts = text::Split(value, '\\');
  return parts.size() == 2 && IsLiteralKeyName(parts[0]) && IsIndex(parts[1]);
}
