// Which remover a component's key chooses, what RemoveComponent answers,
// and how a command that cannot be started is reported.
#include "remover_harness.h"

namespace remover_test {
namespace {

UnstItem Item(const std::string& key) {
  UnstItem item;
  item.key = key;
  item.displayName = key;
  return item;
}

struct DispatchCase {
  const char* key;
  std::vector<std::string> commands;
  // The record the remover drops: its own key where it names one.
  const char* forgotten;
};

TEST(RemoveComponent, ChoosesTheRemoverByKeyIgnoringCase) {
  const std::vector<DispatchCase> cases = {
      {"ksinetsrvwebclient", {"VorWebService -stop", "VorWebService -start"}, "ksinetsrvwebclient"},
      {"KSINETSRVKSMESSENGER", {"VorWebService -stop", "VorWebService -start"}, "KSINETSRVKSMESSENGER"},
      {"ksinetsrvwdponly", {}, "ksinetsrvwdponly"},
      {"TIVOLI", {"vorevnts.exe -u", "vorsvcsp.exe vorevnts"}, "tivoli"},
      {"KsinetServer", {"VorKsService -uninstall", "VorWebService -uninstall"}, "KSINETServer"},
      {"Fonts", {}, "Fonts"},
  };
  for (const DispatchCase& c : cases) {
    SCOPED_TRACE(c.key);
    RemoverRun run(Machine("win2k", {{c.key, json::object()}}));
    UnstItem item = Item(c.key);
    EXPECT_TRUE(run.remover->RemoveComponent(item));
    EXPECT_EQ(run.Commands(), c.commands);
    EXPECT_EQ(run.Forgotten(), std::vector<std::string>{c.forgotten});
  }
}

TEST(RemoveComponent, AnnouncesTheComponentAndAdvancesOneStep) {
  RemoverRun run(Machine("win2k", {{"Fonts", json::object()}}));
  run.remover->SetStatusWindow(plat::Handle{1});
  UnstItem item = Item("Fonts");
  item.displayName = "Font Pack";
  ASSERT_TRUE(run.remover->RemoveComponent(item));
  const std::vector<json> status = run.Events("status");
  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0].value("text", ""), "Removing \"Font Pack\" files...");
  EXPECT_EQ(status[0].value("flags", 0), plat::status::ShowText);
  EXPECT_EQ(status[1].value("flags", 0), plat::status::Step);
  EXPECT_EQ(status[1].value("text", ""), "");
}

TEST(RemoveComponent, BidiWithoutItsLibraryInTheListStaysAndAnswersFalse) {
  RemoverRun run(Machine("win2k", {{"Bidi", {{"files", {"C:\\Program Files\\BREVIK\\Bidi\\vorbcui.dll"}}}}},
                         {{"C:\\Program Files\\BREVIK\\Bidi\\vorbcui.dll", json::object()}}));
  UnstItem item = Item("Bidi");
  EXPECT_FALSE(run.remover->RemoveComponent(item));
  EXPECT_TRUE(run.Forgotten().empty());
  EXPECT_TRUE(run.Exists("C:\\Program Files\\BREVIK\\Bidi\\vorbcui.dll"));
  EXPECT_FALSE(run.remover->bidiRemoved);
}

TEST(RemoveBidi, OnWindows98WithAUsbPrinterDoesNothing) {
  json image = Machine("win98", {{"Bidi", {{"files", {"C:\\WINDOWS\\SYSTEM\\vorbce.dll"}}}}},
                       {{"C:\\WINDOWS\\SYSTEM\\vorbce.dll", json::object()}});
  image["drivers"] = {{{"name", "Fabrikam Laser"}}};
  image["printers"] = {{{"name", "Office"}, {"driver", "Fabrikam Laser"}, {"port", "usb001"}}};
  RemoverRun run(image);
  EXPECT_FALSE(run.remover->RemoveBidi());
  EXPECT_TRUE(run.Events("bidiUninstall").empty());
  EXPECT_TRUE(run.Forgotten().empty());
  EXPECT_TRUE(run.Exists("C:\\WINDOWS\\SYSTEM\\vorbce.dll"));
}

TEST(RunCommand, AnswersFalseOnlyWhenTheProgramCannotBeStarted) {
  json image = Machine("win2k", json::object());
  image["faults"] = {Fault("Processes.RunCommand", "ERROR_FILE_NOT_FOUND", "missing.exe*")};
  RemoverRun run(image);
  EXPECT_FALSE(run.remover->RunCommand("missing.exe -u", true));
  EXPECT_TRUE(run.remover->RunCommand("present.exe -u", true));
  EXPECT_EQ(run.Commands(), std::vector<std::string>{"present.exe -u"});
}

}  // namespace
}  // namespace remover_test
