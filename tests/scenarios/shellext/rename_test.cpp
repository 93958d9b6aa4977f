#include <string>
#include <vector>

#include "printer_rename.h"
#include "shell_image.h"

namespace {
using nlohmann::json;

const std::string kPrinters = "HKLM\\System\\CurrentControlSet\\control\\print\\printers\\";

// A 9x or NT machine on which "New" is a printer with the given driver file
// and settings under its own "PrinterDriverData".
json RenameImage(std::string_view os, std::string_view driverFile, json library) {
  auto image = ShellImage(os);
  image["drivers"] = {{{"name", "Vor PCL"}, {"driverPath", std::string(driverFile)}}};
  image["printers"] = {{{"name", "New"}, {"driver", "Vor PCL"}}};
  image["registry"][kPrinters + "New\\PrinterDriverData"] = {{"values", {{"Tray", 2}, {"Duplex", "on"}}}};
  image["profileLibrary"] = library;
  return image;
}

std::uint32_t Rename(ShellSession& s, std::uint32_t operation = shellext::kPoRename) {
  return s.ext->CopyCallback(0, operation, "Old", "New");
}

TEST(CopyCallback, OnNtCallsTheLibraryAndNeverCopiesSettingsWhateverItAnswers) {
  for (const auto& library : {json{{"loadsFrom", {"VORCFI.DLL"}}, {"renameAnswer", 1}}, json{{"loadsFrom", json::array()}}}) {
    ShellSession s(RenameImage("winxp", "VKPCL5C.DRV", library).dump());
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(Rename(s), shellext::kIdYes);
    EXPECT_FALSE(s.machine->machine().KeyExists(kPrinters + "Old"));
  }
  ShellSession s(RenameImage("winxp", "VKPCL5C.DRV", {{"loadsFrom", {"VORCFI.DLL"}}}).dump());
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(Rename(s), shellext::kIdYes);
  const auto calls = EventsOf(*s.machine, "profileRename");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0]["newName"], "New");
  EXPECT_EQ(calls[0]["oldName"], "Old");
}

TEST(CopyCallback, On9xWithoutTheLibraryCopiesSettingsOnlyForTheMakersLegacyDrivers) {
  struct Case {
    const char* driverFile;
    bool copied;
  };
  for (const auto& c : {Case{"C:\\WINDOWS\\SYSTEM\\vkpcl5c.drv", true}, Case{"VORPS.DRV", true},
                        Case{"VKIJ72XX.DRV", true}, Case{"VKPCL5E.DRV", false}, Case{"PSCRIPT.DRV", false}}) {
    ShellSession s(RenameImage("win98", c.driverFile, {{"loadsFrom", json::array()}}).dump());
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(Rename(s), shellext::kIdYes);
    // The new name's settings land under the old name, not the other way round.
    const auto tray = s.machine->machine().Value(kPrinters + "Old\\PrinterDriverData", "Tray");
    EXPECT_EQ(tray.has_value(), c.copied) << c.driverFile;
    if (c.copied) {
      EXPECT_EQ(tray->AsDword(), 2u);
      EXPECT_EQ(s.machine->machine().Value(kPrinters + "Old\\PrinterDriverData", "Duplex")->AsText(), "on");
    }
  }
}

TEST(CopyCallback, On9xALibraryThatCarriedTheRenameLeavesTheRegistryAlone) {
  ShellSession s(RenameImage("win98", "VORPS.DRV", {{"loadsFrom", {"VORCFI.DLL"}}, {"renameAnswer", 0}}).dump());
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(Rename(s), shellext::kIdYes);
  EXPECT_FALSE(s.machine->machine().KeyExists(kPrinters + "Old"));
  EXPECT_EQ(EventsOf(*s.machine, "profileRename").size(), 1u);
}

TEST(CopyCallback, WithoutTheNewNamesSettingsStillCreatesTheOldNamesKeysAndCopiesNothing) {
  auto image = RenameImage("win98", "VORPS.DRV", {{"loadsFrom", json::array()}});
  image["registry"].erase(kPrinters + "New\\PrinterDriverData");
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(Rename(s), shellext::kIdYes);
  EXPECT_TRUE(s.machine->machine().KeyExists(kPrinters + "Old\\PrinterDriverData"));
  EXPECT_FALSE(s.machine->machine().Value(kPrinters + "Old\\PrinterDriverData", "Tray"));
}

TEST(CopyCallback, LetsOtherOperationsAndEmptyNamesThroughUntouched) {
  ShellSession s(RenameImage("win98", "VORPS.DRV", {{"loadsFrom", {"VORCFI.DLL"}}, {"renameAnswer", 1}}).dump());
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(Rename(s, 0x2), shellext::kIdYes);  // a copy
  EXPECT_EQ(s.ext->CopyCallback(0, shellext::kPoRename, "", "New"), shellext::kIdYes);
  EXPECT_EQ(s.ext->CopyCallback(0, shellext::kPoRename, "Old", ""), shellext::kIdYes);
  EXPECT_TRUE(EventsOf(*s.machine, "libraryLoad").empty());
  EXPECT_FALSE(s.machine->machine().KeyExists(kPrinters + "Old"));
}

}  // namespace
