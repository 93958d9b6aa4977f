#include "platform/services.h"
#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Load;

namespace {

const char* kRichImage = R"({
  "_note": "notes are not machine state",
  "os": {"platform": "NT", "major": 5, "minor": 0, "build": 2195, "csd": "Service Pack 4"},
  "computerName": "PRINTSRV",
  "token": {"user": "S-1-5-21-9-9-9-1000", "thread": ["S-1-1-0"], "process": ["S-1-1-0", "S-1-5-32-544"],
            "privileges": ["SeShutdownPrivilege"]},
  "program": "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe",
  "files": {"C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL": {"attributes": "READONLY", "content": "MZ"}},
  "resourceLibraries": {"C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL": {"strings": {"9": "Status Monitor"}}},
  "registry": {
    "HKLM\\SOFTWARE\\Vorkast\\Locked": {
      "values": {"Count": 5, "Blob": {"type": "REG_BINARY", "data": "01ff"},
                 "List": {"type": "REG_MULTI_SZ", "data": ["a", "b"]},
                 "Path": {"type": "REG_EXPAND_SZ", "data": "%SystemRoot%"}, "Nothing": {"type": "REG_NONE"},
                 "Odd": {"type": "REG_SZ", "hex": "410042"}, "Short": {"type": "REG_DWORD", "hex": "01"}},
      "acl": [{"type": "deny", "sid": "S-1-5-32-544", "mask": "DELETE"},
              {"type": "allow", "sid": "S-1-1-0", "mask": "KEY_ALL_ACCESS", "flags": "CONTAINER_INHERIT"}],
      "owner": "S-1-5-32-544", "class": "REG_SZ"},
    "HKCU\\Software\\Empty": {},
    "HKLM\\SOFTWARE\\Open": {"acl": null}
  },
  "services": {"spooler": {"state": "running", "onStop": "stops"},
               "slowsvc": {"state": "stopPending", "onStop": {"pendingSeconds": 5}, "stopsAt": 9000},
               "stubborn": {"state": "running", "onStop": "refuses", "startType": "disabled"}},
  "windows": [{"id": 101, "title": "Explorer", "process": 1200, "hung": false},
              {"id": 102, "title": "Stuck", "process": 1300, "hung": true, "refusesEndSession": true}],
  "clock": {"now": 1796000000, "tick": 5, "elapsed": 1500},
  "ui": {"answers": [{"text": "*nothing to uninstall*", "answer": "IDNO"}, "IDYES"]},
  "faults": [{"call": "Registry.OpenKey", "error": "ERROR_ACCESS_DENIED", "match": "*\\Vorkast\\*",
              "skip": 1, "count": 1}],
  "journal": [{"event": "exit", "code": 0, "t": 0}]
})";

TEST(ImageSave, SavedImageLoadsBackToTheSameMachine) {
  auto m = Load(kRichImage);
  const nlohmann::json saved = m->Save();
  auto again = Load(saved.dump());
  EXPECT_EQ(again->Save(), saved);
  // And the text is deterministic.
  EXPECT_EQ(Load(kRichImage)->Save().dump(2), saved.dump(2));
}

TEST(ImageSave, ValuesThatNoPlainFormFitsKeepTheirBytes) {
  auto m = Load(kRichImage);
  auto again = Load(m->Save().dump());
  const char* key = "HKLM\\SOFTWARE\\Vorkast\\Locked";
  const auto odd = again->Value(key, "Odd");
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->type, plat::RegType::Sz);
  EXPECT_EQ(odd->data, (std::vector<std::uint8_t>{0x41, 0x00, 0x42}));
  EXPECT_EQ(again->Value(key, "Short")->data, (std::vector<std::uint8_t>{0x01}));
  EXPECT_EQ(again->Save()["registry"]["HKLM\\SOFTWARE\\Vorkast\\Locked"]["values"]["Count"], 5);
}

TEST(ImageSave, StateChangesAndJournalSurviveTheRoundTrip) {
  auto m = Load(kRichImage);
  auto& p = m->platform();
  plat::HKey key = 0;
  bool created = false;
  ASSERT_EQ(p.registry.CreateKey(plat::kHkeyLocalMachine, "SOFTWARE\\New\\Deep", "", plat::keyaccess::AllAccess, &key,
                                 &created),
            winerr::Success);
  ASSERT_EQ(p.registry.SetValue(key, "Name", plat::RegValue::String("x")), winerr::Success);
  p.registry.Close(key);
  p.clock.Sleep(250);
  p.ui.ShowMessage(0, "There is nothing to uninstall.", "Uninstall", 0x24);
  m->Record({{"event", "exit"}, {"code", 1}});

  const nlohmann::json saved = m->Save();
  auto again = Load(saved.dump());
  EXPECT_EQ(again->Save(), saved);
  EXPECT_EQ(again->Value("HKLM\\SOFTWARE\\New\\Deep", "name")->AsText(), "x");
  EXPECT_EQ(again->VirtualMillis(), 1750u);
  EXPECT_EQ(again->journal().size(), 3u);
  EXPECT_EQ(saved["ui"]["answers"].size(), 1u);  // one answer consumed
  EXPECT_FALSE(saved.contains("_note"));
}

TEST(ImageSave, PendingStopContinuesAfterReload) {
  auto m = Load(kRichImage);
  auto again = Load(m->Save().dump());
  EXPECT_EQ(again->ServiceState("slowsvc"), plat::svc::StopPending);
  again->platform().clock.Sleep(7500);  // elapsed 1500 -> 9000
  EXPECT_EQ(again->ServiceState("SLOWSVC"), plat::svc::Stopped);
  EXPECT_EQ(again->journal().back()["t"], 9000);
}

// A hand-written image may leave a driver's files implied; a saved one lists
// the machine's files exactly, so what a run deleted stays deleted.
TEST(ImageSave, DeletedDriverFilesStayDeletedAfterReload) {
  auto m = Load(R"({"os": "winxp", "drivers": [{"name": "Maker", "driverPath": "vk.dll"}]})");
  const std::string file = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\vk.dll";
  ASSERT_TRUE(m->platform().files.Exists(file));
  ASSERT_EQ(m->platform().files.RemoveFile(file), winerr::Success);

  const nlohmann::json saved = m->Save();
  auto again = Load(saved.dump());
  EXPECT_FALSE(again->platform().files.Exists(file));
  EXPECT_EQ(again->Save(), saved);
}

}  // namespace
