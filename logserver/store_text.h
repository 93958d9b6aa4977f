// The store file's text: the whole log as lines that a person can read and
// mend, and that an import from elsewhere can write.
//
//   vorlog-store 1
//   component Kestrion
//   installed no
//   property BaseDir=C:\Program Files\Kestrion
//   files C:\Program Files\Kestrion\ks.exe
//   files* C:\odd%0A%0Atext without an end
//
// The first line names the format. A "component" line opens a record; the
// lines after it until the next one belong to it. A list line adds one entry
// (the entry and a line break); a list line whose tag ends in "*" adds its
// text as it is, for a list that does not split into entries. Values are
// UTF-8 with "%" and control bytes written as %XX, and so is a space at
// either end; in a property's name "=" is written %3D. Blank lines and lines
// starting with "#" are skipped; a line may end in CR LF.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "log_store.h"

namespace logstore {

inline constexpr std::string_view kStoreHeader = "vorlog-store 1";

// Why a store text could not be read: its line (from 1) and the reason.
struct StoreDamage {
  std::size_t line = 0;
  std::string reason;
  std::string Describe() const;
};

using ParseResult = std::variant<LogStore, StoreDamage>;

std::string FormatStore(const LogStore& store);
[[nodiscard]] ParseResult ParseStore(std::string_view text);

}  // namespace logstore
