// The bidirectional-communication component: which library is asked to
// uninstall, and what stays when it cannot be asked or refuses.
#include "remover_harness.h"

namespace remover_test {
namespace {

const char kOldLibrary[] = "C:\\Program Files\\BREVIK\\Bidi\\old\\VORBCE.DLL";
const char kLibrary[] = "C:\\WINNT\\system32\\vorbce.dll";

json BidiMachine(const char* os) {
  json image = Machine(os, {{"Bidi", {{"files", {kOldLibrary, "C:\\WINNT\\system32\\vorbcui.dll", kLibrary}}}}},
                       {{kOldLibrary, json::object()}, {kLibrary, json::object()},
                        {"C:\\WINNT\\system32\\vorbcui.dll", json::object()}});
  image["drivers"] = {{{"name", "Fabrikam Laser"}}};
  image["printers"] = {{{"name", "Office"}, {"driver", "Fabrikam Laser"}, {"port", "USB001"}}};
  return image;
}

TEST(RemoveBidi, OnWindows2000WithAUsbPrinterAsksTheLastListedLibrary) {
  json image = BidiMachine("win2k");
  image["faults"] = {Fault("BidiLibrary.Uninstall", "ERROR_MOD_NOT_FOUND", "*")};
  RemoverRun run(image);
  EXPECT_FALSE(run.remover->RemoveBidi());
  const std::vector<json> faults = run.Events("fault");
  ASSERT_EQ(faults.size(), 1u);
  EXPECT_EQ(faults[0].value("argument", ""), kLibrary);
  // A library that does not load leaves the whole component in place.
  EXPECT_TRUE(run.Forgotten().empty());
  EXPECT_TRUE(run.Exists(kLibrary));
  EXPECT_FALSE(run.remover->bidiRemoved);
}

}  // namespace
}  // namespace remover_test

namespace remover_test {
namespace {

json LoadableBidiMachine(int uninstallStatus) {
  json image = BidiMachine("win2k");
  image["libraries"] = {{kLibrary,
                         {{"exports", {"BceRegisterApp", "BceUninstallLCS", "BceUnregisterApp"}},
                          {"uninstallStatus", uninstallStatus}}}};
  return image;
}

std::vector<std::string> Calls(const RemoverRun& run) { return run.Paths("libraryCall", "procedure"); }

TEST(RemoveBidi, RemovesTheComponentWhenTheLibraryUninstalls) {
  RemoverRun run(LoadableBidiMachine(0));
  EXPECT_TRUE(run.remover->RemoveBidi());
  EXPECT_EQ(Calls(run), (std::vector<std::string>{"BceRegisterApp", "BceUninstallLCS", "BceUnregisterApp"}));
  EXPECT_EQ(run.Forgotten(), std::vector<std::string>{"Bidi"});
  EXPECT_FALSE(run.Exists(kLibrary));
  EXPECT_TRUE(run.remover->bidiRemoved);
}

TEST(RemoveBidi, KeepsTheComponentWhenTheLibraryRefuses) {
  RemoverRun run(LoadableBidiMachine(5));
  EXPECT_FALSE(run.remover->RemoveBidi());
  EXPECT_EQ(Calls(run).size(), 3u);
  EXPECT_TRUE(run.Forgotten().empty());
  EXPECT_TRUE(run.Exists(kLibrary));
  EXPECT_FALSE(run.remover->bidiRemoved);
}

}  // namespace
}  // namespace remover_test
