// The number of a USB printer port ("USB001" is port 1), as the Plug and Play
// records of the port store it.
#pragma once
#include <optional>
#include <string_view>

// "USB" (any case) followed by decimal digits and nothing else. Anything
// else, a number too large for the records included, names no port number:
// a name that merely begins like one must never lead to another port's keys.
std::optional<int> UsbPortNumber(std::string_view portName);
