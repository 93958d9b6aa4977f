#include "win32/win32_platform.h"

namespace win32 {

Win32Platform::Win32Platform()
    : bundle_{registry_, services_, osInfo_, security_,  clock_,   desktop_, resources_,
              files_,    process_,  processes_, ui_,      spooler_, profile_, zipLister_,
              installLog_, jobScheduler_, taskScheduler_, bidiLibrary_} {}

}  // namespace win32
