// Every print port over Windows, bundled for the processor.
#pragma once
#include "win32print/win32_gdi.h"
#include "win32print/win32_maker_libraries.h"
#include "win32print/win32_print_ports.h"

namespace win32print {

struct Win32PrintPorts {
  Win32JobChannel jobs;
  Win32SpoolStreamPlayer spoolPlayer;
  Win32PrintHost host;
  Win32Events events;
  Win32ByteFiles files;
  Win32Gdi gdi;
  plat::print::ProcessorPlatform platform{jobs, spoolPlayer, host, events, files, gdi};
  Win32MakerLibraries libraries;
};

}  // namespace win32print
