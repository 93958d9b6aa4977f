#include <string>
#include <vector>

#include "shell_image.h"

namespace {
using nlohmann::json;

TEST(ContextMenu, AddPrinterObjectAloneGetsNoItemsAndLeavesTheLibraryUnloaded) {
  auto image = ShellImage();
  AddPrinter(image, "BRV-2100", "BREVIK BRV-2100 PCL5");
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(s.Select({"WinUtils_NewObject"}), shellext::kSOk);
  EXPECT_TRUE(s.ext->suppressMenu());
  const auto plan = s.Menu();
  EXPECT_TRUE(plan.entries.empty());
  EXPECT_EQ(plan.result, shellext::kSOk);
  EXPECT_TRUE(EventsOf(*s.machine, "libraryLoad").empty());
}

TEST(ContextMenu, AddPrinterObjectBesideAPrinterGivesThatPrintersItems) {
  auto image = ShellImage();
  AddPrinter(image, "BRV-2100", "BREVIK BRV-2100 PCL5");
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.Select({"WinUtils_NewObject", "BRV-2100"}), shellext::kSOk);
  EXPECT_EQ(s.ext->printerNames(), std::vector<std::string>{"BRV-2100"});
  // Export, import, then the BREVIK uninstaller (the brand word beats family 2).
  EXPECT_EQ(Shape(s.Menu()), "01-5");
}

TEST(ContextMenu, TwoPrintersGetNoProfileItemsAndOneUninstallItemPerFamily) {
  auto image = ShellImage();
  AddPrinter(image, "BRV-2100", "BREVIK BRV-2100 PCL5");
  AddPrinter(image, "BRV-3100", "BREVIK BRV-3100 PCL5");
  AddPrinter(image, "Office", "Office Laser", {{"capabilities", 3}, {"family", 2}});
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.Select({"BRV-2100", "BRV-3100", "Office"}), shellext::kSOk);
  const auto plan = s.Menu(3, 200);
  EXPECT_EQ(Shape(plan), "-2-5");
  EXPECT_EQ(plan.entries.front().position, 3u);
  EXPECT_EQ(plan.entries.back().position, 6u);
  EXPECT_EQ(plan.entries.back().commandId, 205u);
}

struct BrandCase {
  const char* driver;
  std::uint32_t libraryFamily;
  std::string shape;  // uninstall items only: the library reports no profiles
};

class BrandWords : public testing::TestWithParam<BrandCase> {};

TEST_P(BrandWords, DecideTheUninstallerInTheirOrderOverTheLibrarysFamily) {
  auto image = ShellImage();
  AddPrinter(image, "P", GetParam().driver, {{"family", GetParam().libraryFamily}});
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
  EXPECT_EQ(Shape(s.Menu()), GetParam().shape) << GetParam().driver;
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, BrandWords,
    testing::Values(BrandCase{"Sundara SX-10 PS", 9, "-4"},             // the first test wins over family 9
                    BrandCase{"SUNDARA SX-10", 2, "-4"}, BrandCase{"Laser sundara", 2, "-4"},
                    BrandCase{"sUNDARA SX-10", 9, "-8"},                // no search matches this spelling
                    BrandCase{"Brevik Sundara", 2, "-4"},               // Sundara is tested before BREVIK
                    BrandCase{"brevik 2100", 2, "-5"}, BrandCase{"Talmor T1", 2, "-6"},
                    BrandCase{"TALMOR BREVIK", 2, "-5"},                // BREVIK before TALMOR
                    BrandCase{"Vorkast q250C", 2, "-7"}, BrandCase{"Vorkast Q250c PS", 2, "-2"},
                    BrandCase{"VORKAST DOCUMENT DISTRIBUTOR", 2, "-8"}, BrandCase{"Plain Laser", 5, ""},
                    BrandCase{"Plain Laser", 0, ""}, BrandCase{"Plain Laser", 3, "-3"}));

TEST(ContextMenu, AnUninstallerWhoseFileIsMissingOrWhoseValueIsEmptyOrTooLongIsLeftOut) {
  struct Case {
    const char* name;
    json value;
    bool onDisk;
  };
  const std::string longPath = "C:\\Uninst\\" + std::string(780, 'x') + ".exe";
  for (const auto& c : {Case{"missing file", "C:\\Uninst\\gone.exe", false}, Case{"empty value", "", false},
                        Case{"longer than the buffer", longPath, true}, Case{"present", "C:\\Uninst\\oem.exe", true}}) {
    auto image = ShellImage();
    AddPrinter(image, "P", "Plain Laser", {{"family", 3}});
    image["registry"]["HKLM\\SOFTWARE\\Vorkast\\Uninstall"]["values"]["Executable_OEM"] = c.value;
    if (c.onDisk) image["files"][c.value.get<std::string>()] = json::object();
    ShellSession s(image.dump());
    ASSERT_TRUE(s.ok()) << c.name;
    ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
    EXPECT_EQ(Shape(s.Menu()), std::string(c.name) == "present" ? "-3" : "") << c.name;
  }
}

TEST(ContextMenu, NtGroupsDecideTheMakersGenericAndImportItems) {
  struct Case {
    std::vector<std::string> groups;
    std::string shape;
  };
  const std::string admins = "S-1-5-32-544", users = "S-1-5-32-545", power = "S-1-5-32-547";
  for (const auto& c : {Case{{admins}, "01-2"}, Case{{users, admins}, "0"}, Case{{power, users}, "01"},
                        Case{{users, power, admins}, "0"}, Case{{"S-1-1-0", admins, users}, "01-2"}}) {
    auto image = ShellImage();
    AddPrinter(image, "P", "Plain Laser", {{"capabilities", 3}, {"family", 2}});
    image["token"] = {{"user", "S-1-5-21-1-2-3-1000"}, {"process", c.groups}};
    ShellSession s(image.dump());
    ASSERT_TRUE(s.ok());
    ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
    EXPECT_EQ(Shape(s.Menu()), c.shape) << testing::PrintToString(c.groups);
  }
}

TEST(ContextMenu, ImportIsNotOfferedForAConnectionToAnotherMachinesPrinter) {
  auto image = ShellImage();
  image["drivers"].push_back({{"name", "Plain Laser"}});
  image["printers"].push_back({{"name", "Shared"}, {"server", "\\\\PRINTSRV"}, {"driver", "Plain Laser"}});
  image["profileLibrary"]["printers"]["\\\\PRINTSRV\\Shared"] = {{"capabilities", 3}};
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.Select({"\\\\PRINTSRV\\Shared"}), shellext::kSOk);
  EXPECT_EQ(Shape(s.Menu()), "0");
}

TEST(ContextMenu, SeparatorsStandBeforeProfileItemsOnlyOnThe9xFamily) {
  for (const auto& [os, capabilities, shape] :
       {std::tuple{"win98", 3, "-01-2"}, std::tuple{"win98", 1, "-1-2"}, std::tuple{"winxp", 3, "01-2"}}) {
    auto image = ShellImage(os);
    AddPrinter(image, "P", "Plain Laser", {{"capabilities", capabilities}, {"family", 2}});
    ShellSession s(image.dump());
    ASSERT_TRUE(s.ok());
    ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
    EXPECT_EQ(Shape(s.Menu()), shape) << os << " " << capabilities;
  }
}

TEST(ContextMenu, ReturnsTheLastItemsOffsetPlusOne) {
  struct Case {
    json support;
    const char* driver;
    shellext::HResult result;
  };
  for (const auto& c : {Case{{{"capabilities", 3}}, "Plain Laser", 2}, Case{{{"capabilities", 2}}, "Plain Laser", 1},
                        Case{{{"capabilities", 3}, {"family", 2}}, "Vorkast Document Distributor 2", 9},
                        Case{{{"capabilities", 0}, {"family", 9}}, "Plain Laser", 9}}) {
    auto image = ShellImage();
    AddPrinter(image, "P", c.driver, c.support);
    ShellSession s(image.dump());
    ASSERT_TRUE(s.ok());
    ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
    EXPECT_EQ(s.Menu(0, 1000).result, c.result) << c.support.dump();
  }
}

TEST(ContextMenu, OffersNothingWithoutTheLibraryOrItsEntryPoint) {
  for (const auto& library : {json{{"loadsFrom", json::array()}}, json{{"loadsFrom", {"VORCFI.DLL"}},
                                                                      {"exports", {"DrvProfileWizard"}}}}) {
    auto image = ShellImage();
    AddPrinter(image, "P", "BREVIK 2100", json());
    image["profileLibrary"] = library;
    ShellSession s(image.dump());
    ASSERT_TRUE(s.ok());
    ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
    const auto plan = s.Menu();
    EXPECT_TRUE(plan.entries.empty());
    EXPECT_EQ(plan.result, shellext::kSOk);
  }
}

TEST(ContextMenu, AMisbehavingLibraryCallbackContributesNothingButTheBrand) {
  struct Case {
    json support;
    std::string shape;
  };
  for (const auto& c : {Case{{{"callback", "nullInfo"}, {"capabilities", 3}, {"family", 3}}, ""},
                        Case{{{"callback", "nullContext"}, {"capabilities", 3}, {"family", 3}}, ""},
                        Case{{{"version", 1}, {"capabilities", 3}, {"family", 3}}, ""},
                        Case{{{"version", 2}, {"capabilities", 3}, {"family", 3}}, "01"},
                        Case{{{"answer", 5}, {"capabilities", 3}, {"family", 3}}, ""},
                        Case{{{"callback", "nullInfo"}, {"capabilities", 3}}, "-5"}}) {
    auto image = ShellImage();
    const bool brevik = c.shape == "-5";
    AddPrinter(image, "P", brevik ? "BREVIK 2100" : "Plain Laser", c.support);
    ShellSession s(image.dump());
    ASSERT_TRUE(s.ok());
    ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
    EXPECT_EQ(Shape(s.Menu()), c.shape) << c.support.dump();
  }
}

TEST(ContextMenu, IsEvaluatedAfreshSoRegistryChangesShowAtOnce) {
  auto image = ShellImage();
  AddPrinter(image, "P", "Plain Laser", {{"family", 3}});
  ShellSession s(image.dump());
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.Select({"P"}), shellext::kSOk);
  EXPECT_EQ(Shape(s.Menu()), "-3");
  auto& reg = s.machine->platform().registry;
  plat::HKey key = plat::kNoHandle;
  ASSERT_TRUE(reg.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Uninstall", plat::keyaccess::AllAccess, &key).ok());
  ASSERT_TRUE(reg.DeleteValue(key, "Executable_OEM").ok());
  reg.Close(key);
  EXPECT_EQ(Shape(s.Menu()), "");
}

}  // namespace
