#include "platform/services.h"
#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Events;
using simtest::Load;
namespace ka = plat::keyaccess;

namespace {

plat::WinError OpenLm(sim::Machine& m, const char* path) {
  plat::HKey k = 0;
  const plat::WinError err = m.platform().registry.OpenKey(plat::kHkeyLocalMachine, path, ka::Read, &k);
  if (k) m.platform().registry.Close(k);
  return err;
}

TEST(Faults, SkipThenCountCallsFailOnlyWhereThePatternMatches) {
  auto m = Load(R"({"registry": {"HKLM\\SOFTWARE\\Vorkast\\A": {}, "HKLM\\SOFTWARE\\Other": {}},
      "faults": [{"call": "Registry.OpenKey", "error": "ERROR_ACCESS_DENIED", "match": "HKLM\\*\\vorkast\\*",
                  "skip": 1, "count": 2}]})");
  EXPECT_EQ(OpenLm(*m, "SOFTWARE\\Other"), winerr::Success);  // no match: neither skipped nor counted
  EXPECT_EQ(OpenLm(*m, "SOFTWARE\\Vorkast\\A"), winerr::Success);  // skipped
  EXPECT_EQ(OpenLm(*m, "SOFTWARE\\Vorkast\\A"), winerr::AccessDenied);
  EXPECT_EQ(OpenLm(*m, "SOFTWARE\\Vorkast\\Missing"), winerr::AccessDenied);  // fires before the lookup
  EXPECT_EQ(OpenLm(*m, "SOFTWARE\\Vorkast\\A"), winerr::Success);  // count used up
  const auto fired = Events(*m, "fault");
  ASSERT_EQ(fired.size(), 2u);
  EXPECT_EQ(fired[0]["call"], "Registry.OpenKey");
  EXPECT_EQ(fired[0]["argument"], "HKLM\\SOFTWARE\\Vorkast\\A");
  EXPECT_EQ(fired[0]["error"], "ERROR_ACCESS_DENIED");
  EXPECT_EQ(m->Save()["faults"][0]["count"], 0);
}

TEST(Faults, HandleCallsMatchThePathTheHandleWasOpenedAt) {
  auto m = Load(R"({"registry": {"HKLM\\SOFTWARE\\Vorkast\\A": {"values": {"v": 1}}},
      "faults": [{"call": "Registry.QueryValue", "error": 1015, "match": "*\\VORKAST\\A"}]})");
  auto& r = m->platform().registry;
  plat::HKey k = 0;
  ASSERT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "software\\vorkast", ka::Read, &k), winerr::Success);
  plat::HKey a = 0;
  ASSERT_EQ(r.OpenKey(k, "a", ka::Read, &a), winerr::Success);
  plat::RegValue v;
  // Every later call fails when no count is given.
  EXPECT_EQ(r.QueryValue(a, "v", &v), plat::WinError(1015));
  EXPECT_EQ(r.QueryValue(a, "v", &v), plat::WinError(1015));
  EXPECT_EQ(r.QueryValue(k, "v", &v), winerr::FileNotFound);
  r.Close(a);
  r.Close(k);
}

TEST(Faults, OtherPortsFailByCallNameAndArgument) {
  auto m = Load(R"({"services": {"spooler": {"state": "running"}, "vorbces": {"state": "running"}},
      "files": {"C:\\App\\SETUPUI.DLL": {}},
      "resourceLibraries": {"C:\\App\\SETUPUI.DLL": {"strings": {"9": "x"}}},
      "faults": [{"call": "Services.Control", "error": "ERROR_SERVICE_REQUEST_TIMEOUT", "match": "vorb*"},
                 {"call": "ResourceStrings.*", "error": "ERROR_MOD_NOT_FOUND", "count": 1},
                 {"call": "Security.ProcessTokenGroups", "error": "ERROR_ACCESS_DENIED"},
                 {"call": "Ui.ShowMessage", "error": "ERROR_NOT_ENOUGH_MEMORY", "match": "*crash*"}]})");
  auto& p = m->platform();
  plat::Handle mgr = 0, spooler = 0, bidi = 0;
  ASSERT_EQ(p.services.OpenManager("", plat::svc::ManagerAllAccess, &mgr), winerr::Success);
  ASSERT_EQ(p.services.Open(mgr, "spooler", plat::svc::ServiceAllAccess, &spooler), winerr::Success);
  ASSERT_EQ(p.services.Open(mgr, "vorbces", plat::svc::ServiceAllAccess, &bidi), winerr::Success);
  plat::ServiceStatus st;
  EXPECT_EQ(p.services.Control(bidi, plat::svc::ControlStop, &st), winerr::ServiceRequestTimeout);
  EXPECT_EQ(p.services.Control(spooler, plat::svc::ControlStop, &st), winerr::Success);

  plat::Handle module = 0;
  EXPECT_EQ(p.resources.Load("C:\\App\\SETUPUI.DLL", &module), winerr::ModNotFound);
  EXPECT_EQ(p.resources.Load("C:\\App\\SETUPUI.DLL", &module), winerr::Success);

  std::vector<plat::Sid> groups;
  EXPECT_EQ(p.security.ProcessTokenGroups(&groups), winerr::AccessDenied);
  EXPECT_EQ(p.ui.ShowMessage(0, "about to crash", "x", 0), 0);
  EXPECT_EQ(p.ui.ShowMessage(0, "fine", "x", 0), plat::mb::IdOk);
  EXPECT_EQ(Events(*m, "fault").size(), 4u);
}

}  // namespace
