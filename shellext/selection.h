// The printers the shell hands over: the "PrinterFriendlyName" block of the
// data object, read without trusting it. The block comes from another
// component; its offset and its name list are checked against the block's
// size, so that a bad block yields fewer names, never a read outside it.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace shellext {

struct Selection {
  std::vector<std::string> printerNames;  // UTF-8, in block order
  bool addPrinterObjectSeen = false;
};

// `block` starts with the 32-bit byte offset of a list of NUL-terminated
// names (UTF-16 when `wideNames`, else ANSI) that ends with an empty name.
// An offset past the block gives no names; a name that runs to the end of
// the block without its terminator is dropped and ends the list.
Selection ReadFriendlyNames(std::span<const std::uint8_t> block, bool wideNames);

}  // namespace shellext
