#include "e2e_machine.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "scenario.h"
#include "seed.h"

namespace e2e {

E2eMachine::E2eMachine() { Seed(); }

std::string E2eMachine::ProgramDir() {
  const std::string self = platform().process.ModulePath();
  return self.substr(0, self.find_last_of('\\'));
}

bool E2eMachine::OnWine() const {
  const char* flag = std::getenv("DP_E2E_ON_WINE");
  return flag != nullptr && *flag != '\0' && *flag != '0';
}

void E2eMachine::Seed() {
  ASSERT_EQ(spooler().GetDriverDirectory(plat::spool::EnvNtX86, &driverDir_), winerr::Success);
  ASSERT_FALSE(driverDir_.empty());
  const std::string fakeDll = ProgramDir() + "\\fake_driver.dll";
  ASSERT_TRUE(files().Exists(fakeDll)) << fakeDll;
  for (const DriverSeed& driver : SeedDrivers()) ASSERT_EQ(InstallDriver(fakeDll, driverDir_, driver), "");
  for (const PrinterSeed& printer : SeedPrinters()) ASSERT_EQ(InstallPrinter(printer), "");

  // The model list, where the maker's installer leaves it.
  for (const std::string& part : {std::string("C:\\Program Files\\BREVIK"), std::string(InstallDir())})
    static_cast<void>(files().MakeDir(part));  // it may be there already
  ASSERT_EQ(files().WriteText(std::string(InstallDir()) + "\\Drivers.ini", ModelList()), winerr::Success);
}

E2eMachine& Machine() {
  static E2eMachine machine;
  return machine;
}

}  // namespace e2e
