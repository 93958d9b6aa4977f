#include "platform/services.h"
#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Events;
using simtest::Load;
namespace svc = plat::svc;

namespace {

const char* kServices = R"({"services": {
    "spooler": {"state": "running", "onStop": "stops"},
    "slowsvc": {"state": "running", "onStop": {"pendingSeconds": 5}},
    "hangsvc": {"state": "running", "onStop": {"hangSeconds": 40}},
    "stubborn": {"state": "running", "onStop": "refuses"},
    "idle": {"state": "stopped"},
    "off": {"state": "stopped", "startType": "disabled"}}})";

struct ServiceFixture : ::testing::Test {
  std::unique_ptr<sim::Machine> m = Load(kServices);
  plat::Services& s = m->platform().services;
  plat::Handle manager = 0;
  void SetUp() override { ASSERT_EQ(s.OpenManager("", svc::ManagerAllAccess, &manager), winerr::Success); }
  void TearDown() override { s.Close(manager); }
  plat::Handle OpenService(const char* name) {
    plat::Handle h = 0;
    EXPECT_EQ(s.Open(manager, name, svc::ServiceAllAccess, &h), winerr::Success) << name;
    return h;
  }
};

TEST_F(ServiceFixture, AServiceThatStopsStopsAtOnceAndIsJournaled) {
  plat::UniqueServiceHandle h(s, OpenService("SPOOLER"));
  plat::ServiceStatus st;
  ASSERT_EQ(s.Control(h.get(), svc::ControlStop, &st), winerr::Success);
  EXPECT_EQ(st.currentState, svc::Stopped);
  EXPECT_EQ(s.Control(h.get(), svc::ControlStop, &st), winerr::ServiceNotActive);
  ASSERT_EQ(Events(*m, "serviceStopped").size(), 1u);
  EXPECT_EQ(Events(*m, "serviceStopped")[0]["name"], "spooler");
  ASSERT_EQ(s.Start(h.get()), winerr::Success);
  EXPECT_EQ(s.Start(h.get()), winerr::ServiceAlreadyRunning);
  EXPECT_EQ(m->ServiceState("spooler"), svc::Running);
  EXPECT_EQ(Events(*m, "serviceStarted").size(), 1u);
}

TEST_F(ServiceFixture, APendingStopEndsWhenVirtualTimePassesIt) {
  plat::UniqueServiceHandle h(s, OpenService("slowsvc"));
  plat::ServiceStatus st;
  ASSERT_EQ(s.Control(h.get(), svc::ControlStop, &st), winerr::Success);
  EXPECT_EQ(st.currentState, svc::StopPending);
  EXPECT_EQ(s.Control(h.get(), svc::ControlStop, &st), winerr::ServiceCannotAcceptCtrl);
  m->platform().clock.Sleep(4999);
  ASSERT_EQ(s.QueryStatus(h.get(), &st), winerr::Success);
  EXPECT_EQ(st.currentState, svc::StopPending);
  m->platform().clock.Sleep(10000);
  ASSERT_EQ(s.QueryStatus(h.get(), &st), winerr::Success);
  EXPECT_EQ(st.currentState, svc::Stopped);
  const auto stopped = Events(*m, "serviceStopped");
  ASSERT_EQ(stopped.size(), 1u);
  EXPECT_EQ(stopped[0]["t"], 5000);  // journaled when it stopped, not when somebody looked
}

TEST_F(ServiceFixture, AHangingServiceTimesOutTheControlAndStopsLater) {
  plat::UniqueServiceHandle h(s, OpenService("hangsvc"));
  plat::ServiceStatus st;
  EXPECT_EQ(s.Control(h.get(), svc::ControlStop, &st), winerr::ServiceRequestTimeout);
  EXPECT_EQ(st.currentState, svc::StopPending);
  m->platform().clock.Sleep(40000);
  EXPECT_EQ(m->ServiceState("hangsvc"), svc::Stopped);
}

TEST_F(ServiceFixture, ARefusingServiceKeepsRunningForever) {
  plat::UniqueServiceHandle h(s, OpenService("stubborn"));
  plat::ServiceStatus st;
  EXPECT_EQ(s.Control(h.get(), svc::ControlStop, &st), winerr::InvalidServiceControl);
  EXPECT_EQ(st.currentState, svc::Running);
  m->platform().clock.Sleep(3600 * 1000);
  ASSERT_EQ(s.Control(h.get(), svc::ControlInterrogate, &st), winerr::Success);
  EXPECT_EQ(st.currentState, svc::Running);
  EXPECT_TRUE(Events(*m, "serviceStopped").empty());
}

TEST_F(ServiceFixture, MissingDisabledAndCreatedServices) {
  plat::Handle h = 0;
  EXPECT_EQ(s.Open(manager, "nosuch", svc::ServiceAllAccess, &h), winerr::ServiceDoesNotExist);
  EXPECT_EQ(s.Start(0x77), winerr::InvalidHandle);
  plat::UniqueServiceHandle off(s, OpenService("off"));
  EXPECT_EQ(s.Start(off.get()), winerr::ServiceDisabled);

  plat::ServiceCreateParams p;
  p.name = "newsvc";
  p.displayName = "New";
  p.imagePath = "C:\\new.exe";
  p.access = svc::ServiceAllAccess;
  p.startType = svc::AutoStart;
  ASSERT_EQ(s.Create(manager, p, &h), winerr::Success);
  EXPECT_EQ(m->ServiceState("NewSvc"), svc::Stopped);
  EXPECT_EQ(s.Start(h), winerr::Success);
  s.Close(h);
  EXPECT_EQ(s.Create(manager, p, &h), winerr::ServiceExists);
  // A service handle is not a manager handle.
  plat::UniqueServiceHandle idle(s, OpenService("idle"));
  EXPECT_EQ(s.Open(idle.get(), "spooler", svc::ServiceAllAccess, &h), winerr::InvalidHandle);
}

TEST(Services, APlainUserMayNotStopServicesAndThe9xFamilyHasNoManager) {
  auto user = Load(R"({"os": "win2k", "token": {"user": "S-1-5-21-1-2-3-1001", "process": ["S-1-1-0", "S-1-5-32-545"]},
                       "services": {"spooler": {"state": "running"}}})");
  auto& s = user->platform().services;
  plat::Handle manager = 0;
  EXPECT_EQ(s.OpenManager("", svc::ManagerAllAccess, &manager), winerr::AccessDenied);
  ASSERT_EQ(s.OpenManager("", svc::GenericRead, &manager), winerr::Success);
  plat::Handle h = 0;
  EXPECT_EQ(s.Open(manager, "spooler", svc::GenericExecute | svc::GenericRead, &h), winerr::AccessDenied);
  ASSERT_EQ(s.Open(manager, "spooler", svc::ServiceQueryStatus, &h), winerr::Success);
  plat::ServiceStatus st;
  EXPECT_EQ(s.Control(h, svc::ControlStop, &st), winerr::AccessDenied);
  s.Close(h);
  s.Close(manager);

  auto w98 = Load(R"({"os": "win98"})");
  EXPECT_EQ(w98->platform().services.OpenManager("", svc::ManagerAllAccess, &manager), winerr::CallNotImplemented);
}

}  // namespace
