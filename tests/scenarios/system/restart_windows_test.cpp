#include "machine_image.h"
#include "platform/desktop.h"
#include "system/os_kind.h"
#include "system/restart_windows.h"

namespace {

constexpr const char* kWindows = R"("windows": [
    {"id": 101, "title": "Explorer", "process": 1200},
    {"id": 102, "title": "Frozen", "process": 1300, "hung": true},
    {"id": 103, "title": "Frozen too", "process": 1300}])";

std::unique_ptr<sim::Machine> Desktop(std::string_view os) {
  return LoadMachine(std::string("{") + std::string(os) + ", " + kWindows + "}");
}

TEST(RestartWindows, NtEnablesTheShutdownPrivilegeAndReboots) {
  // An NT version newer than the classification knows takes the NT route too.
  for (const char* os : {R"("os": "winxp")", R"("os": {"platform": "NT", "major": 6, "minor": 0, "build": 6000})"}) {
    auto m = Desktop(os);
    ASSERT_TRUE(m);
    plat::OsVersion version;
    ASSERT_EQ(m->platform().osInfo.GetVersion(&version), winerr::Success);
    RestartWindows(m->platform().desktop, ClassifyOs(version));
    const auto privileges = EventsOf(*m, "privilege");
    ASSERT_EQ(privileges.size(), 1u) << os;
    EXPECT_EQ(privileges[0]["name"], "SeShutdownPrivilege");
    const auto restarts = EventsOf(*m, "restart");
    ASSERT_EQ(restarts.size(), 1u) << os;
    EXPECT_EQ(restarts[0]["flags"], plat::desk::EwxReboot);
    EXPECT_TRUE(EventsOf(*m, "windowMessage").empty()) << os;
  }
}

TEST(RestartWindows, NineXEndsEverySessionAndTerminatesHungPrograms) {
  auto m = Desktop(R"("os": "win98")");
  ASSERT_TRUE(m);
  RestartWindows(m->platform().desktop, OsWin98);

  std::vector<std::pair<int, std::uint32_t>> messages;  // window, message
  for (const auto& e : EventsOf(*m, "windowMessage")) {
    messages.emplace_back(e["window"].get<int>(), e["msg"].get<std::uint32_t>());
    EXPECT_EQ(e["lparam"], plat::desk::EndSessionLogoff);
    EXPECT_EQ(e["flags"], plat::desk::SmtoAbortIfHung);
    EXPECT_EQ(e["wparam"], e["msg"] == plat::desk::WmEndSession ? 1 : 0);
  }
  const std::vector<std::pair<int, std::uint32_t>> expected = {
      {101, plat::desk::WmQueryEndSession}, {101, plat::desk::WmEndSession}, {102, plat::desk::WmQueryEndSession}};
  EXPECT_EQ(messages, expected);
  const auto terminated = EventsOf(*m, "processTerminated");
  ASSERT_EQ(terminated.size(), 1u);
  EXPECT_EQ(terminated[0]["process"], 1300);
  EXPECT_EQ(m->VirtualMillis(), 2000u);  // the hung window had its full time

  const auto restarts = EventsOf(*m, "restart");
  ASSERT_EQ(restarts.size(), 1u);
  EXPECT_EQ(restarts[0]["flags"], plat::desk::EwxReboot);
  EXPECT_EQ(m->journal().back()["event"], "restart");
}

}  // namespace
