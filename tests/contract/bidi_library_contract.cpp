#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using BidiLibraryContract = ContractTest;

TEST_F(BidiLibraryContract, AMissingLibraryDoesNotLoad) {
  std::int32_t status = 0;
  EXPECT_EQ(P().bidiLibrary.Uninstall(env_->ScratchDirectory() + "\\vorbce.dll", &status), winerr::ModNotFound);
}

}  // namespace
}  // namespace contract
