// The names of the maker's programs and libraries that the processor reaches.
#pragma once

namespace emfplay {

inline constexpr const char* kStatusMonitor = "VKSTATUS.EXE";
inline constexpr const char* kStatusMonitorTail = "PP;";  // ends the monitor's command line
inline constexpr const char* kFinisherLibrary = "vkijfc01.dll";
inline constexpr const char* kDocumentOutputLibrary = "voredf.dll";

}  // namespace emfplay
