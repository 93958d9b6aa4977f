// Feeds arbitrary bytes to the reader of the printer-name block the shell
// hands the extension, in both widths. Besides not reading outside the block
// (AddressSanitizer sees the block as its own allocation): every name kept is
// non-empty, free of NULs and within the extension's buffer, and an ANSI name
// is a run of the block's own bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>

#include "selection.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckNames(const shellext::Selection& selection, std::span<const std::uint8_t> block, bool wide) {
  for (const auto& name : selection.printerNames) {
    Check(!name.empty());
    Check(name.size() <= 259);
    Check(name.find('\0') == std::string::npos);
    if (!wide) {
      Check(std::search(block.begin(), block.end(), name.begin(), name.end(),
                        [](std::uint8_t b, char c) { return b == static_cast<std::uint8_t>(c); }) != block.end());
    }
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's size, so a read one byte past the block
  // is a read past an allocation.
  auto block = std::make_unique<std::uint8_t[]>(size ? size : 1);
  if (size) std::memcpy(block.get(), data, size);
  const std::span<const std::uint8_t> view(block.get(), size);
  for (const bool wide : {false, true}) CheckNames(shellext::ReadFriendlyNames(view, wide), view, wide);
  return 0;
}
