// A do-nothing driver copied under the names of driver files: the spooler
// wants real program files where a driver names its driver and settings
// libraries, and asks the settings library for a printer's default device
// mode when the printer is added. These entry points decline, which makes
// the spooler go on without one.
#include <windows.h>

extern "C" LONG WINAPI DrvDocumentPropertySheets(void*, LPARAM) { return -1; }

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE, PWSTR, WORD, void*, void*) { return GDI_ERROR; }

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
