// The machine under test: the Win32 adapters over the running (Wine)
// system, seeded once with the scenario's drivers, printers and model list.
#pragma once
#include <string>

#include "platform/platform.h"
#include "win32/win32_platform.h"

namespace e2e {

class E2eMachine {
 public:
  E2eMachine();
  plat::Platform& platform() { return platform_.platform(); }
  plat::Spooler& spooler() { return platform().spooler; }
  plat::FileSystem& files() { return platform().files; }
  plat::Registry& registry() { return platform().registry; }

  // The spooler's driver directory for "Windows NT x86" and its version-3 folder.
  const std::string& DriverDir() const { return driverDir_; }
  std::string VersionDir() const { return driverDir_ + "\\3"; }
  // The folder this test program runs from (the build tree, seen from Wine).
  std::string ProgramDir();
  bool OnWine() const;

 private:
  void Seed();

  win32::Win32Platform platform_;
  std::string driverDir_;
};

// Seeded on first use; a seeding failure fails the calling test.
E2eMachine& Machine();

}  // namespace e2e
