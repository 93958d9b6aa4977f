// Restarts Windows at the end of an uninstall, the way each family needs.
#pragma once
#include "platform/desktop.h"
#include "system/os_kind.h"

void RestartWindows(plat::Desktop& desktop, OsKind kind);
