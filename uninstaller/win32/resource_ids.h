// Resource numbers of drvpurge.exe, shared by the resource script and code.
#pragma once

#define IDI_DRVPURGE 128
