#include "machine_image.h"
#include "platform/win_errors.h"
#include "system/service_control.h"

namespace {

constexpr const char* kServices = R"({"os": "winxp", "services": {
  "spooler": {"state": "running", "onStop": "stops"},
  "idle": {"state": "stopped", "onStop": "stops"},
  "slowsvc": {"state": "running", "onStop": {"pendingSeconds": 5}},
  "hangsvc": {"state": "running", "onStop": {"hangSeconds": 4}},
  "stubborn": {"state": "running", "onStop": "refuses"}}%s})";

std::unique_ptr<sim::Machine> ServiceMachine(std::string_view faults = "") {
  std::string image = kServices;
  image.replace(image.find("%s"), 2, faults);
  return LoadMachine(image);
}

ServiceControl Control(sim::Machine& m, std::string name) {
  return ServiceControl(m.platform().services, m.platform().clock, std::move(name));
}

TEST(ServiceControlStop, ReturnsAtOnceWhenTheServiceAcceptsOrIsNotRunning) {
  auto m = ServiceMachine();
  ASSERT_TRUE(m);
  EXPECT_TRUE(Control(*m, "idle").Stop(30));
  EXPECT_TRUE(Control(*m, "spooler").Stop(30));
  EXPECT_EQ(m->ServiceState("spooler"), plat::svc::Stopped);
  EXPECT_TRUE(Control(*m, "slowsvc").Stop(30));  // the caller waits for a pending stop
  EXPECT_EQ(m->ServiceState("slowsvc"), plat::svc::StopPending);
  EXPECT_EQ(m->VirtualMillis(), 0u);
}

TEST(ServiceControlStop, WaitsForAFailedStopUntilTheStateTurnsOrTheTimeoutPasses) {
  auto m = ServiceMachine();
  ASSERT_TRUE(m);
  auto hung = Control(*m, "hangsvc");
  EXPECT_TRUE(hung.Stop(30));  // stop pending after the control timed out
  EXPECT_EQ(hung.lastError, winerr::ServiceRequestTimeout);
  EXPECT_EQ(m->VirtualMillis(), 500u);

  auto stubborn = Control(*m, "stubborn");
  const auto before = m->VirtualMillis();
  EXPECT_FALSE(stubborn.Stop(30));
  EXPECT_GE(m->VirtualMillis() - before, 30000u);
  EXPECT_LE(m->VirtualMillis() - before, 31000u);
  EXPECT_EQ(stubborn.lastError, winerr::InvalidServiceControl);
  EXPECT_EQ(m->ServiceState("stubborn"), plat::svc::Running);

  const auto beforeDefault = m->VirtualMillis();
  EXPECT_FALSE(stubborn.StopDefault());
  EXPECT_GE(m->VirtualMillis() - beforeDefault, 180000u);
}

TEST(ServiceControlStop, FailsWhenTheServiceCannotBeOpened) {
  auto m = ServiceMachine();
  ASSERT_TRUE(m);
  auto missing = Control(*m, "nosuch");
  EXPECT_FALSE(missing.Stop(30));
  EXPECT_EQ(missing.lastError, winerr::ServiceDoesNotExist);
  EXPECT_FALSE(missing.IsRunning());
  EXPECT_TRUE(Control(*m, "spooler").IsRunning());
  EXPECT_FALSE(Control(*m, "idle").IsRunning());
}

TEST(ServiceControlStart, StartsCreatesOrSkipsAMissingService) {
  auto m = ServiceMachine();
  ASSERT_TRUE(m);
  EXPECT_TRUE(Control(*m, "idle").Start());
  EXPECT_EQ(m->ServiceState("idle"), plat::svc::Running);
  EXPECT_TRUE(Control(*m, "spooler").Start());  // already running

  auto missing = Control(*m, "vorbces");
  EXPECT_TRUE(missing.Start());
  EXPECT_EQ(missing.lastError, winerr::ServiceDoesNotExist);
  EXPECT_FALSE(m->ServiceState("vorbces"));

  auto created = Control(*m, "vorbces");
  created.displayName = "Vorkast Bidi";
  created.imagePath = "C:\\WINDOWS\\system32\\vorbces.exe";
  EXPECT_TRUE(created.Start());
  EXPECT_EQ(m->ServiceState("vorbces"), plat::svc::Running);
}

TEST(ServiceControlStart, ReportsFailuresOtherThanAMissingService) {
  for (const char* call : {"Services.OpenManager", "Services.Open", "Services.Start"}) {
    auto m = ServiceMachine(std::string(R"(, "faults": [{"call": ")") + call +
                            R"(", "error": "ERROR_ACCESS_DENIED"}])");
    ASSERT_TRUE(m);
    auto idle = Control(*m, "idle");
    EXPECT_FALSE(idle.Start()) << call;
    EXPECT_EQ(idle.lastError, winerr::AccessDenied) << call;
    EXPECT_EQ(m->ServiceState("idle"), plat::svc::Stopped) << call;
  }
}

}  // namespace
