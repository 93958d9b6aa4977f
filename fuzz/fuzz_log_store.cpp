// The install-log store's reader on any bytes: it answers with a log or with
// the damaged line, never crashes; and a log it read writes back as a text
// that reads to the same log.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const logstore::ParseResult parsed = logstore::ParseStore(text);
  const auto* store = std::get_if<logstore::LogStore>(&parsed);
  if (store == nullptr) return 0;
  const std::string written = logstore::FormatStore(*store);
  const logstore::ParseResult again = logstore::ParseStore(written);
  const auto* reread = std::get_if<logstore::LogStore>(&again);
  if (reread == nullptr || logstore::FormatStore(*reread) != written) std::abort();
  return 0;
}
