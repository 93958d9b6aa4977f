// ZipLister port: the archive listings the image gives, found only through a
// library that exports the lister.
#pragma once
#include "platform/zip_lister.h"

namespace sim {

class MachineState;

class SimZipLister final : public plat::ZipLister {
 public:
  explicit SimZipLister(MachineState& m) : m_(m) {}
  plat::WinError List(std::string_view libraryPath, std::string_view archiveBase) override;

 private:
  MachineState& m_;
};

}  // namespace sim
