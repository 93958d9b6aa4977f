#include "processor/destination.h"

#include "platform/text.h"

namespace emfplay {

bool IsFileDestination(std::string_view d) {
  if (text::IEquals(d, "FILE:") || text::IEquals(d, "FILE")) return true;
  return d.size() > 3 && d[1] == ':' && d[2] == '\\';
}

SeparatorKind SeparatorKindOf(const std::optional<std::string>& separatorFile, const SeparatorNames& names) {
  if (!separatorFile || separatorFile->empty()) return SeparatorKind::None;
  if (*separatorFile == names.full) return SeparatorKind::Full;
  if (*separatorFile == names.simple) return SeparatorKind::Simple;
  return SeparatorKind::File;
}

}  // namespace emfplay
