// The bidi library asked to uninstall: its three exports called in turn
// with the one handle, and the answer of the uninstall export.
#include <string>
#include <vector>

#include "contract_env.h"
#include "platform/bidi_library.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using BidiLibraryContract = ContractTest;

// The handle BceRegisterApp gave, from the last field of its logged call.
std::string GivenHandle(const std::vector<std::string>& calls) {
  if (calls.empty()) return {};
  return calls.front().substr(calls.front().find_last_of('|') + 1);
}

TEST_F(BidiLibraryContract, TheExportsAreCalledInTurnWithOneHandleAndTheStatusIsTheUninstallersAnswer) {
  struct Case {
    bool withUninstall;
    std::int32_t answer;
    std::int32_t status;
  };
  for (const Case& c : {Case{true, 0, 0}, Case{true, 5, 5}, Case{false, 5, 0}}) {
    SCOPED_TRACE(c.withUninstall ? "with BceUninstallLCS" : "without BceUninstallLCS");
    auto env = MakeContractEnv();
    const std::string library = env->BidiLibrary(c.withUninstall, c.answer);
    if (library.empty()) GTEST_SKIP() << "no bidi library here";
    std::int32_t status = -7;
    ASSERT_EQ(env->platform().bidiLibrary.Uninstall(library, &status), winerr::Success);
    EXPECT_EQ(status, c.status);
    const std::vector<std::string> calls = env->BidiCalls();
    const std::string app = GivenHandle(calls);
    std::vector<std::string> expected{"BceRegisterApp|-1|" + app};
    if (c.withUninstall) expected.push_back("BceUninstallLCS|" + app + "|31|0|" + std::to_string(c.answer));
    expected.push_back("BceUnregisterApp|" + app);
    EXPECT_EQ(calls, expected);
  }
}

TEST_F(BidiLibraryContract, ALibraryThatIsNotThereDoesNotLoad) {
  std::int32_t status = -7;
  EXPECT_EQ(P().bidiLibrary.Uninstall(env_->ExistingDirectory() + "\\no-such-vorbce.dll", &status),
            winerr::ModNotFound);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(P().bidiLibrary.Uninstall("", &status), winerr::ModNotFound);
}

}  // namespace
}  // namespace contract
