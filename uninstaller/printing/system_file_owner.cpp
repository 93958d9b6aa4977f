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
  switch (files.VersionCompany(path, &company)) {
    case winerr::Success:
      return !company.empty() && !IsMakerCompany(company);
    case winerr::ResourceTypeNotFound:  // no version information
    case winerr::FileNotFound:          // nothing there to delete
    case winerr::PathNotFound:
      return false;
    default:
      return true;
  }
}
