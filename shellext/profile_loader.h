// Finding the maker's profile library: on Windows NT it lies in a version
// folder of the printer-driver directory that depends on the Windows
// version, with older folders as fall-backs; on the 9x family it is found
// by the standard search. It is loaded for one use and freed after it.
#pragma once
#include <cstdint>

#include "module_state.h"
#include "platform/shell/profile_library.h"
#include "platform/spooler.h"

namespace shellext {

// The library, or an empty handle when none loads.
plat::shell::UniqueLibrary LoadCfiLibrary(const ModuleState& module, plat::Spooler& spooler,
                                          plat::shell::ProfileLibrary& libraries);

// The library's support callback: records what it says a printer supports.
// A null context or info is ignored (answer 1); a record older than version 2
// says nothing, version 2 adds the capabilities, version 3 the family code.
std::uint32_t DrvProfileSupportCallback(plat::shell::SupportResult* context, const plat::shell::SupportInfo* info);

}  // namespace shellext
