// Where a job goes and which separator page it gets, from the names the
// spooler hands over.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace emfplay {

// "FILE:" or "FILE" in any case, or a full path on a drive ("C:\...").
bool IsFileDestination(std::string_view destination);

enum class SeparatorKind { None = 0, Simple = 1, Full = 2, File = 3 };

// The two words a separator-file name may be instead of a file, from the
// module's string table. Compared with case.
struct SeparatorNames {
  std::string simple;
  std::string full;
};

SeparatorKind SeparatorKindOf(const std::optional<std::string>& separatorFile, const SeparatorNames& names);

}  // namespace emfplay
