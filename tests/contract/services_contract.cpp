#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

namespace svc = plat::svc;

class ServicesContract : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    if (!IsNT()) GTEST_SKIP() << "the 9x family has no service control manager";
    ASSERT_EQ(S().OpenManager("", svc::ManagerAllAccess, &manager_), winerr::Success);
  }
  void TearDown() override {
    if (manager_) S().Close(manager_);
    ContractTest::TearDown();
  }
  plat::Services& S() { return P().services; }
  plat::Handle manager_ = 0;
};

TEST_F(ServicesContract, AnInstalledServiceReportsAState) {
  plat::Handle h = 0;
  ASSERT_EQ(S().Open(manager_, env_->ExistingService(), svc::GenericRead, &h), winerr::Success);
  plat::ServiceStatus st;
  ASSERT_EQ(S().QueryStatus(h, &st), winerr::Success);
  EXPECT_GE(st.currentState, svc::Stopped);
  EXPECT_LE(st.currentState, svc::Paused);
  S().Close(h);
}

TEST_F(ServicesContract, AMissingServiceDoesNotExist) {
  plat::Handle h = 0;
  EXPECT_EQ(S().Open(manager_, env_->MissingService(), svc::GenericRead, &h), winerr::ServiceDoesNotExist);
}

TEST_F(ServicesContract, StoppingAndStartingAServiceReachesEachState) {
  const std::string name = env_->StoppableService();
  if (name.empty()) GTEST_SKIP() << "no service is safe to stop here";
  plat::Handle h = 0;
  ASSERT_EQ(S().Open(manager_, name, svc::ServiceAllAccess, &h), winerr::Success);
  EXPECT_EQ(S().Start(h), winerr::ServiceAlreadyRunning);
  plat::ServiceStatus st;
  ASSERT_EQ(S().Control(h, svc::ControlStop, &st), winerr::Success);
  for (int i = 0; i < 60 && st.currentState != svc::Stopped; ++i) {
    P().clock.Sleep(500);
    ASSERT_EQ(S().QueryStatus(h, &st), winerr::Success);
  }
  EXPECT_EQ(st.currentState, svc::Stopped);
  EXPECT_EQ(S().Control(h, svc::ControlStop, &st), winerr::ServiceNotActive);
  ASSERT_EQ(S().Start(h), winerr::Success);
  S().Close(h);
}

}  // namespace
}  // namespace contract
