#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using LibrariesContract = ContractTest;

TEST_F(LibrariesContract, WinspoolLoadsAndOffersTheExtendedDeletionFromWindows2000) {
  auto& libs = P().libraries;
  plat::UniqueLibrary spool;
  {
    plat::Handle h = 0;
    ASSERT_EQ(libs.Load("WINSPOOL.DRV", &h), winerr::Success);
    spool = plat::UniqueLibrary(libs, h);
  }
  plat::Handle proc = 0;
  EXPECT_EQ(libs.FindProcedure(spool.get(), "NoSuchExportForDrvpurge", &proc), winerr::ProcNotFound);
  plat::OsVersion v;
  ASSERT_EQ(P().osInfo.GetVersion(&v), winerr::Success);
  const std::uint32_t found = libs.FindProcedure(spool.get(), "DeletePrinterDriverExA", &proc);
  if (v.platformId == plat::kPlatformNT && v.major >= 5) {
    EXPECT_EQ(found, winerr::Success);
    EXPECT_NE(proc, plat::kNoHandle);
  } else {
    SKIP_ON_WINE("Wine exports it whatever version it reports");
    EXPECT_EQ(found, winerr::ProcNotFound);
  }
}

TEST_F(LibrariesContract, AMissingLibraryDoesNotLoad) {
  plat::Handle h = 0;
  EXPECT_EQ(P().libraries.Load(env_->ExistingDirectory() + "\\no-such-library-for-drvpurge.dll", &h),
            winerr::ModNotFound);
}

}  // namespace
}  // namespace contract
