#include "system/os_kind.h"

OsKind ClassifyOs(const plat::OsVersion& version) {
  if (version.platformId == plat::kPlatformWindows) {
    // The 9x family tells its members apart by the minor version only.
    switch (version.minor) {
      case 0: return OsWin95;
      case 10: return OsWin98;
      case 90: return OsWinMe;
      default: return OsOther;
    }
  }
  if (version.platformId == plat::kPlatformNT) {
    if (version.major == 3 && version.minor == 51) return OsNT351;
    if (version.major == 4) return OsNT4;
    if (version.major == 5) return OsNT5;
  }
  return OsOther;
}

OsKind OsKindCache::Get() {
  if (kind_ != OsOther) return kind_;
  plat::OsVersion version;
  if (osInfo_.GetVersion(&version).failed()) return OsOther;
  kind_ = ClassifyOs(version);
  return kind_;
}

bool IsWin9x(OsKind k) { return k == OsWin95 || k == OsWin98 || k == OsWinMe; }
bool IsWinNT(OsKind k) { return k == OsNT351 || k == OsNT4 || k == OsNT5; }
bool IsNT4OrOlder(OsKind k) { return k == OsNT351 || k == OsNT4; }
bool IsNT5(OsKind k) { return k == OsNT5; }
bool IsWin98(OsKind k) { return k == OsWin98; }
bool IsWinMe(OsKind k) { return k == OsWinMe; }
