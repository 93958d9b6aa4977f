// The maker's job-finishing and document-output libraries, loaded by name for
// one job and freed after it. The libraries call back into the processor
// through plain function addresses: the entry points here are those
// addresses, and the context each receives is the address of the callback
// object they serve.
#pragma once
#include "platform/print/maker_libraries.h"

namespace win32print {

class Win32MakerLibraries final : public plat::print::MakerLibraries {
 public:
  plat::print::Result<std::unique_ptr<plat::print::JobFinishingLibrary>> LoadJobFinishing() override;
  plat::print::Result<std::unique_ptr<plat::print::DocumentOutputLibrary>> LoadDocumentOutput() override;
  plat::print::Result<std::string> WindowsDirectory() override;
};

}  // namespace win32print
