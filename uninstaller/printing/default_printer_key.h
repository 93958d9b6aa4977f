// Where NT keeps the user's default printer: the "Device" value of this key
// of the current user, "name,winspool,port". Read when choosing a new
// default and written when making one.
#pragma once

inline constexpr char kWindowsDeviceKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
