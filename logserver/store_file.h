// Reading and writing the store file. A missing file is an empty log (a
// machine on which no installer has written yet); a file that cannot be read
// or parsed is reported, never guessed at. Writing goes to a temporary file
// beside the store that then replaces it, so a reader sees the old log or the
// new one, never half of either.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "log_store.h"

namespace logstore {

// Why the store could not be read or written, in words for the caller.
struct StoreFailure {
  std::string reason;
};

using LoadResult = std::variant<LogStore, StoreFailure>;

// Larger files are refused as damaged rather than read into memory.
inline constexpr std::uintmax_t kMaxStoreBytes = 16u * 1024u * 1024u;

[[nodiscard]] LoadResult LoadStore(const std::filesystem::path& path);
// Nothing on success.
[[nodiscard]] std::optional<StoreFailure> SaveStore(const std::filesystem::path& path, const LogStore& store);

}  // namespace logstore
