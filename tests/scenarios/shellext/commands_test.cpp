#include <string>
#include <vector>

#include "commands.h"
#include "shell_image.h"

namespace {
using nlohmann::json;

TEST(InvokeCommand, RefusesVerbsGivenAsStringsAndOffsetsAboveEight) {
  ShellSession s(ShellImage().dump());
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(s.ext->InvokeCommand(true, 0, 0), shellext::kEFail);
  EXPECT_EQ(s.ext->InvokeCommand(false, 9, 0), shellext::kEInvalidArg);
  EXPECT_TRUE(EventsOf(*s.machine, "processStarted").empty());
  EXPECT_TRUE(EventsOf(*s.machine, "libraryLoad").empty());
}

TEST(InvokeCommand, StartsTheOfferedUninstallerWithItsRegistryCommandLineAndDoesNotWait) {
  auto image = ShellImage();
  AddPrinter(image, "P", "Talmor T1");
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
  ASSERT_EQ(Shape(s.Menu()), "01-6");
  EXPECT_EQ(s.ext->InvokeCommand(false, 6, 0), shellext::kSOk);
  const auto started = EventsOf(*s.machine, "processStarted");
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0]["commandLine"], "C:\\Uninst\\Executable_Talmor.exe");
  EXPECT_EQ(started[0]["flags"], 0x30);
  EXPECT_EQ(started[0]["show"], 1);
  const auto traces = EventsOf(*s.machine, "trace");
  EXPECT_EQ(traces[traces.size() - 2]["text"], "CShellExt::InvokeCommand()\r\n");
  EXPECT_EQ(traces.back()["text"], "CShellExt::DoPrinterMenuUninstallOEMTalmor()\r\n");
}

TEST(InvokeCommand, AnUninstallItemThatWasNotOfferedHasNoCommandLine) {
  auto image = ShellImage();
  AddPrinter(image, "P", "Talmor T1");
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
  static_cast<void>(s.Menu());  // the plan is beside the point: only the command lines it leaves
  EXPECT_EQ(s.ext->InvokeCommand(false, 4, 0), shellext::kEInvalidArg);
  EXPECT_TRUE(EventsOf(*s.machine, "processStarted").empty());
}

TEST(InvokeCommand, AStartThatFailsIsNotReported) {
  auto image = ShellImage();
  AddPrinter(image, "P", "Talmor T1");
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
  static_cast<void>(s.Menu());  // registers the command line
  ASSERT_TRUE(s.machine->platform().files.RemoveFile("C:\\Uninst\\Executable_Talmor.exe").ok());
  EXPECT_EQ(s.ext->InvokeCommand(false, 6, 0), shellext::kSOk);
  EXPECT_EQ(EventsOf(*s.machine, "processStarted").at(0)["started"], false);
}

TEST(ProfileCommands, RunTheWizardForTheFirstPrinterWithItsDriversHelpFile) {
  for (const auto& [offset, mode] : {std::pair{0u, 2u}, std::pair{1u, 1u}}) {
    auto image = ShellImage();
    AddPrinter(image, "P", "Plain Laser", {{"capabilities", 3}});
    ShellSession s(image.dump());
    ASSERT_TRUE(s.ok());
    ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
    EXPECT_EQ(s.ext->InvokeCommand(false, offset, 0x1234), shellext::kSOk);
    const auto wizard = EventsOf(*s.machine, "profileWizard");
    ASSERT_EQ(wizard.size(), 1u);
    EXPECT_EQ(wizard[0]["printer"], "P");
    EXPECT_TRUE(text::IEndsWith(wizard[0]["helpFile"].get<std::string>(), "\\3\\VKHELP.HLP")) << wizard[0].dump();
    EXPECT_EQ(wizard[0]["window"], 0x1234);
    EXPECT_EQ(wizard[0]["mode"], mode);
  }
}

TEST(ProfileCommands, ADriverWithoutAHelpFileGetsNoWizardAndTheCommandStillSucceeds) {
  auto image = ShellImage();
  image["drivers"].push_back({{"name", "Plain Laser"}});
  image["printers"].push_back({{"name", "P"}, {"driver", "Plain Laser"}});
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
  EXPECT_EQ(s.ext->InvokeCommand(false, 0, 0), shellext::kSOk);
  EXPECT_TRUE(EventsOf(*s.machine, "profileWizard").empty());
  EXPECT_EQ(shellext::RunProfileWizard(s.machine->platform(), s.module, 0, "P", 2), shellext::kWizardNoHelpFile);
}

TEST(ProfileCommands, RunProfileWizardNamesWhatWasMissing) {
  struct Case {
    json library;
    const char* printer;
    std::uint32_t result;
  };
  for (const auto& c : {Case{{{"loadsFrom", json::array()}}, "P", shellext::kLibraryNotLoaded},
                        Case{{{"loadsFrom", {"VORCFI.DLL"}}, {"exports", {"CFIRenamePrtObj"}}}, "P",
                             shellext::kLibraryEntryMissing},
                        Case{{{"loadsFrom", {"VORCFI.DLL"}}}, "", shellext::kWizardNoHelpFile},
                        Case{{{"loadsFrom", {"VORCFI.DLL"}}, {"wizardAnswer", 42}}, "P", 42}}) {
    auto image = ShellImage();
    AddPrinter(image, "P", "Plain Laser", json());
    image["profileLibrary"] = c.library;
    ShellSession s(image.dump());
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(shellext::RunProfileWizard(s.machine->platform(), s.module, 0, c.printer, 1), c.result)
        << c.library.dump();
  }
}

TEST(FindDriverHelpFile, TakesTheFirstDriverRecordOfTheExactNameInEnumerationOrder) {
  auto image = ShellImage();
  image["drivers"] = {{{"name", "Plain Laser"}, {"version", 2}, {"helpFile", "OLD.HLP"}},
                      {{"name", "Plain Laser"}, {"version", 3}, {"helpFile", "NEW.HLP"}},
                      {{"name", "plain laser x"}, {"helpFile", "X.HLP"}}};
  image["printers"] = {{{"name", "P"}, {"driver", "Plain Laser"}}};
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  auto& spooler = s.machine->platform().spooler;
  std::vector<plat::DriverInfo> drivers;
  ASSERT_TRUE(spooler.EnumDrivers({}, 3, &drivers).ok());
  ASSERT_EQ(drivers.size(), 3u);
  const auto help = shellext::FindDriverHelpFile(spooler, "P");
  ASSERT_TRUE(help);
  EXPECT_EQ(*help, drivers[0].helpFile);
  EXPECT_FALSE(shellext::FindDriverHelpFile(spooler, ""));
  EXPECT_FALSE(shellext::FindDriverHelpFile(spooler, "Nobody"));
}

}  // namespace
