#include "printing/system_file_owner.h"

#include <string>

#include "platform/win_errors.h"
#include "printing/maker_company.h"

bool IsOthersSystemFile(PrintingContext& context, std::string_view path) {
  plat::FileSystem& files = context.platform.files;
  // Only these Windows have the protection to ask about.
  if (IsNT5(context.os())) {
    bool isProtected = false;
    if (files.IsProtectedSystemFile(path, &isProtected) != winerr::Success || isProtected) return true;
  }
  std::string company;
  const plat::WinError error = files.VersionCompany(path, &company);
  if (error == winerr::Success) return !company.empty() && !IsMakerCompany(company);
  // No version information, or nothing there to delete.
  return error != winerr::ResourceTypeNotFound && error != winerr::FileNotFound && error != winerr::PathNotFound;
}
