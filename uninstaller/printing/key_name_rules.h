// Which names read from the spooler or the registry may be joined into a
// registry key path. A name is joined below a fixed key; one that holds a
// separator, an empty part or a part of dots only would reach another key
// than the one it stands for (a connection "\\SRV\Q" reaches the key of a
// local printer "SRV"; a device id "USBPRINT" the whole enumerator).
#pragma once
#include <string_view>

// One key name: not empty, no "\", not made of dots alone.
bool IsPlainKeyName(std::string_view name);
// A Plug and Play device instance id, "enumerator\device\instance": three
// plain names without wildcards.
bool IsDeviceInstanceId(std::string_view id);
// A device's "Driver" value on Windows 2000 and XP, "{class GUID}\index":
// a braced GUID and a decimal index.
bool IsClassGuidAndIndex(std::string_view value);
// The same value on the 9x family, "class\index": a plain class name
// without wildcards and a decimal index.
bool IsClassNameAndIndex(std::string_view value);
