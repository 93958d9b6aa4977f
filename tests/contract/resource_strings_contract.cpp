#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using ResourceStringsContract = ContractTest;

TEST_F(ResourceStringsContract, ALibraryLoadsByPathAndGivesItsStrings) {
  const std::string path = env_->ResourceLibrary();
  if (path.empty()) GTEST_SKIP() << "no resource library here";
  auto& res = P().resources;
  plat::Handle module = 0;
  ASSERT_EQ(res.Load(path, &module), winerr::Success);
  plat::UniqueModule guard(res, module);
  std::string text;
  ASSERT_EQ(res.LoadText(module, env_->KnownStringId(), &text), winerr::Success);
  EXPECT_EQ(text, env_->KnownString());
  EXPECT_EQ(res.LoadText(module, 65000, &text), winerr::ResourceNameNotFound);
}

TEST_F(ResourceStringsContract, AMissingLibraryIsModNotFound) {
  plat::Handle module = 0;
  EXPECT_EQ(P().resources.Load(env_->ExistingDirectory() + "\\no-such-library.dll", &module), winerr::ModNotFound);
}

}  // namespace
}  // namespace contract
