// The one classification of the Windows version that the whole uninstaller
// branches on.
#pragma once
#include "platform/os_info.h"

enum OsKind {
  OsOther = 0,
  OsWin95 = 1,
  OsWin98 = 2,
  OsWinMe = 3,
  OsNT351 = 4,
  OsNT4 = 5,
  OsNT5 = 6,
};

OsKind ClassifyOs(const plat::OsVersion& version);

// Computed once from the version record and kept for the rest of the run. A
// stored OsOther means "not classified yet", so an unknown system is asked
// again on every query.
class OsKindCache {
 public:
  explicit OsKindCache(plat::OsInfo& osInfo) : osInfo_(osInfo) {}
  OsKind Get();

 private:
  plat::OsInfo& osInfo_;
  OsKind kind_ = OsOther;
};

bool IsWin9x(OsKind k);
bool IsWinNT(OsKind k);
bool IsNT4OrOlder(OsKind k);
bool IsNT5(OsKind k);
bool IsWin98(OsKind k);
bool IsWinMe(OsKind k);
