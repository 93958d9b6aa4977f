// Calls whose procedures the adapters find at run time: present where the
// system has them, and a plain error where it does not.
#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using RunTimeImportsContract = ContractTest;

TEST_F(RunTimeImportsContract, TheExtendedDriverDeletionIsThereFromWindows2000) {
  plat::OsVersion v;
  ASSERT_EQ(P().osInfo.GetVersion(&v), winerr::Success);
  const plat::WinError result = P().spooler.DeleteDriverEx(plat::spool::EnvNtX86, "No Such Driver For Drvpurge",
                                                          plat::spool::DpdDeleteSpecificVersion, 3);
  if (v.platformId == plat::kPlatformNT && v.major >= 5) {
    EXPECT_NE(result, winerr::ProcNotFound);
    EXPECT_NE(result, winerr::Success);
  } else {
    SKIP_ON_WINE("Wine exports it whatever version it reports");
    EXPECT_EQ(result, winerr::ProcNotFound);
  }
}

TEST_F(RunTimeImportsContract, AListerLibraryThatIsMissingDoesNotLoad) {
  EXPECT_EQ(P().zipLister.List(env_->ExistingDirectory() + "\\no-such-library-for-drvpurge.dll",
                               env_->ExistingDirectory() + "\\HELP"),
            winerr::ModNotFound);
}

}  // namespace
}  // namespace contract
