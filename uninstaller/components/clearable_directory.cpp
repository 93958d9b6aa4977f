#include "components/clearable_directory.h"

#include "platform/win_path.h"

bool IsClearableDirectory(std::string_view dir, ProtectedPaths& protectedPaths) {
  if (dir.size() < 4) return false;
  if (!winpath::IsDriveAbsolute(dir) && !winpath::IsUnc(dir)) return false;
  // "C:\.." and "C:\\\" are roots too once resolved.
  if (winpath::Canonicalize(dir, "").depth == 0) return false;
  return !protectedPaths.Covers(dir);
}
