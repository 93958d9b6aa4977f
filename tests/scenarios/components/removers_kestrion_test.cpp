// The intranet editions of the management application: the client's own
// uninstaller decides whether its record goes; the server's services and
// web components are told in order.
#include "remover_harness.h"

namespace remover_test {
namespace {

const char kClientKey[] = "HKLM\\Software\\Vorkast\\Kestrion for Intranets";

TEST(RemoveKsinetClient, KeepsTheRecordWhenTheProductsUninstallerLeavesInstallDir) {
  RemoverRun run(Machine("win2k", {{"KSINETClient", json::object()}}, {{"C:\\KsNet\\client.exe", json::object()}},
                         {{kClientKey, {{"values", {{"Install_Dir", "C:\\KsNet"}}}}}}));
  run.remover->RemoveKsinetClient();
  EXPECT_EQ(run.Commands(), std::vector<std::string>{"C:\\KsNet\\UninstallerData\\Uninstall Kestrion.exe"});
  EXPECT_TRUE(run.Forgotten().empty());
  EXPECT_TRUE(run.Exists("C:\\KsNet\\client.exe"));
}

TEST(RemoveKsinetClient, ForgetsTheRecordAtOnceWithoutInstallDir) {
  RemoverRun run(Machine("win2k", {{"KSINETClient", json::object()}}));
  run.remover->RemoveKsinetClient();
  EXPECT_TRUE(run.Commands().empty());
  EXPECT_EQ(run.Forgotten(), std::vector<std::string>{"KSINETClient"});
}

TEST(RemoveKsinetServer, UnregistersTheWebAddInThenUninstallsBothServices) {
  RemoverRun run(Machine("win2k", {{"KSINETServer", json::object()}, {"MSIIS", json::object()}}, json::object(),
                         {{"HKLM\\SOFTWARE\\Vorkast\\Kestrion Server",
                           {{"values", {{"InstalledBaseDirectory", "C:\\Ks Server"}}}}}}));
  run.remover->RemoveKsinetServer();
  EXPECT_EQ(run.Commands(), (std::vector<std::string>{"regsvr32.exe /s /u C:\\Ks Server\\asp\\combce.dll",
                                                      "VorKsService -uninstall", "VorWebService -uninstall"}));
  EXPECT_EQ(run.Forgotten(), (std::vector<std::string>{"MSIIS", "KSINETServer"}));
}

TEST(RemoveKsinetServer, LeavesTheWebAddInWhenTheServerNamesNoDirectory) {
  RemoverRun run(Machine("win2k", {{"KSINETServer", json::object()}, {"MSIIS", json::object()}}));
  run.remover->RemoveKsinetServer();
  EXPECT_EQ(run.Commands(), (std::vector<std::string>{"VorKsService -uninstall", "VorWebService -uninstall"}));
  EXPECT_EQ(run.Forgotten(), std::vector<std::string>{"KSINETServer"});
}

TEST(RemoveWebComponent, DropsTheServersEmptiedBaseDirectoryButNotAProtectedOne) {
  const struct {
    const char* baseDir;
    bool gone;
  } cases[] = {{"C:\\Ks Server", true}, {"C:\\Program Files", false}, {"Ks Server", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.baseDir);
    RemoverRun run(Machine("win2k",
                           {{"KSINETServer", {{"properties", {{"BaseDir", c.baseDir}}}}},
                            {"KSINETSrvWDPOnly", json::object()}},
                           {{"C:\\Ks Server\\Empty", {{"attributes", "DIRECTORY"}}},
                            {"C:\\Program Files\\Empty", {{"attributes", "DIRECTORY"}}}}));
    ASSERT_EQ(run.platform().files.SetCurrentDir("C:\\"), winerr::Success);
    run.remover->RemoveWebComponent("KSINETSrvWDPOnly", false);
    EXPECT_EQ(!run.Exists("C:\\Ks Server"), c.gone);
    EXPECT_TRUE(run.Exists("C:\\Program Files\\Empty"));
    EXPECT_EQ(run.Forgotten(), std::vector<std::string>{"KSINETSrvWDPOnly"});
  }
}

}  // namespace
}  // namespace remover_test

namespace remover_test {
namespace {

TEST(RemoveKsinetClient, ForgetsTheRecordAndDropsTheEmptiedDirectoryWhenItsUninstallerClearsInstallDir) {
  json image = Machine("win2k", {{"KSINETClient", json::object()}},
                       {{"C:\\KsNet\\client.exe", json::object()}, {"C:\\KsNet\\Logs", {{"attributes", "DIRECTORY"}}}},
                       {{kClientKey, {{"values", {{"Install_Dir", "C:\\KsNet"}}}}}});
  image["commands"] = {{{"match", "*\\UninstallerData\\Uninstall Kestrion.exe"},
                        {"effects",
                         {{{"deleteValue", kClientKey}, {"name", "Install_Dir"}}, {{"deleteFile", "C:\\KsNet\\client.exe"}}}}}};
  RemoverRun run(image);
  run.remover->RemoveKsinetClient();
  EXPECT_EQ(run.Forgotten(), std::vector<std::string>{"KSINETClient"});
  EXPECT_FALSE(run.Exists("C:\\KsNet"));
}

}  // namespace
}  // namespace remover_test
