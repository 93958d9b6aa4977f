#include "printing/usb_port_number.h"

#include <charconv>

#include "platform/text.h"

std::optional<int> UsbPortNumber(std::string_view portName) {
  constexpr std::string_view kPrefix = "USB";
  if (portName.size() <= kPrefix.size() || !text::IStartsWith(portName, kPrefix)) return std::nullopt;
  const std::string_view digits = portName.substr(kPrefix.size());
  // from_chars alone would take a sign or stop at the first non-digit.
  if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return number;
}
