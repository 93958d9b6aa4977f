// Registry keys formed from a printer's or a port's name: a name that holds
// a backslash or is made of dots reaches other keys than its own, so no
// key is formed from it, and what is left in place is said.
#include "removal_harness.h"

namespace printing_test {
namespace {

const std::string kSpoolerPrinters = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";
const std::string kMakerPrinters = "HKU\\.DEFAULT\\SOFTWARE\\VORKAST\\PRINTERS\\";
const std::string kDevModes = "HKU\\.DEFAULT\\PRINTERS\\DEVMODES2\\";
const std::string kPnpPrinters = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\";

TEST(PrinterNameKeys, AConnectionDoesNotReachTheKeysOfALocalPrinterNamedLikeItsServer) {
  json image = Image("winxp");
  AddDrivers(image, {Driver("Vor LP", kNtX86, 3, "vkpcl2a.dll")});
  AddForeignDriver(image, "Contoso Jet");
  json connection = Printer("PrinterDriverData", "Vor LP");
  connection["server"] = "\\\\SRV";
  AddPrinters(image, {connection, Printer("SRV", "Contoso Jet", "USB001")});
  AddKey(image, kSpoolerPrinters + "SRV", {{"Port", "USB001"}});
  AddKey(image, kSpoolerPrinters + "SRV\\PrinterDriverData", {{"Resolution", 600}});
  AddKey(image, kDevModes + "SRV\\PrinterDriverData", {{"Copies", 1}});
  AddKey(image, kMakerPrinters + "SRV\\PrinterDriverData", {{"Tray", 2}});
  AddKey(image, kPnpPrinters + "SRV\\PrinterDriverData\\PnPData", {{"DeviceInstanceID", "USBPRINT\\CONTOSO\\1"}});
  AddKey(image, kPnpPrinters + "SRV\\PnPData", {{"DeviceInstanceID", "USBPRINT\\CONTOSO\\1"}});
  AddKey(image, "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\CONTOSO\\1", {{"DeviceDesc", "Contoso Jet"}});

  Removal run(image, {"Vor LP"});
  run.Select({"\\\\SRV\\PrinterDriverData"});
  run.Run();
  ASSERT_EQ(run.PrinterNamed("\\\\SRV\\PrinterDriverData").state, RemovalState::Removed);
  EXPECT_EQ(run.Events("connectionDeleted").size(), 1u);
  EXPECT_TRUE(run.KeyExists(kSpoolerPrinters + "SRV\\PrinterDriverData"));
  EXPECT_TRUE(run.KeyExists(kDevModes + "SRV\\PrinterDriverData"));
  EXPECT_TRUE(run.KeyExists(kMakerPrinters + "SRV\\PrinterDriverData"));
  EXPECT_TRUE(run.KeyExists("HKLM\\SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\CONTOSO\\1"));
  // Windows keeps no spooler or device key for a connection; only the
  // maker's own key, whose form for a connection is not known, is left.
  EXPECT_EQ(run.PrinterNamed("\\\\SRV\\PrinterDriverData").keysLeft,
            std::vector<std::string>{"HKEY_USERS\\.DEFAULT\\SOFTWARE\\VORKAST\\PRINTERS\\\\\\SRV\\PrinterDriverData"});
}

TEST(PrinterNameKeys, ANameThatIsNoKeyNameFormsNoKeyAndEachKeyLeftIsSaid) {
  Inventory inv(Image("winxp"));
  for (const char* name : {"..", ".", "...", "A\\..\\..", "Q\\", "\\Q", "Front\\PrinterDriverData"}) {
    plat::PrinterInfo info;
    info.printerName = name;
    info.driverName = "X";
    CPrinter printer(info, inv.app->printing);
    printer.CollectRegistryRemovals();
    EXPECT_TRUE(printer.regRemovals.empty()) << name;
    EXPECT_EQ(printer.keysLeft,
              (std::vector<std::string>{"HKEY_USERS\\.DEFAULT\\PRINTERS\\DEVMODES2\\" + std::string(name),
                                        "HKEY_USERS\\.DEFAULT\\SOFTWARE\\VORKAST\\PRINTERS\\" + std::string(name),
                                        "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" +
                                            std::string(name)}))
        << name;
  }
  // Dots among other characters are an ordinary name.
  plat::PrinterInfo dotted;
  dotted.printerName = "Vor. LP 5.";
  CPrinter printer(dotted, inv.app->printing);
  printer.CollectRegistryRemovals();
  EXPECT_EQ(printer.regRemovals.size(), 3u);
  EXPECT_TRUE(printer.keysLeft.empty());
}

TEST(PrinterNameKeys, OnWindows98APortNameWithABackslashFormsNoPortKey) {
  json image = Image("win98");
  AddDrivers(image, {Driver("Vor LP", "Windows 4.0", 0, "C:\\WINDOWS\\SYSTEM\\VKPCL5C.DRV")});
  AddForeignDriver(image, "Contoso Jet");
  AddPrinters(image, {Printer("Vor LP 5", "Vor LP", "USB003\\Settings"), Printer("Contoso", "Contoso Jet", "USB003")});
  const std::string ports = "HKLM\\System\\CurrentControlSet\\Control\\Print\\Ports\\";
  AddKey(image, ports + "USB003", {{"Description", "Virtual printer port for USB"}});
  AddKey(image, ports + "USB003\\Settings", {{"Timeout", 15}});
  Removal run(image, {"Vor LP"});
  run.Select({"Vor LP 5"});
  run.Run();
  ASSERT_EQ(run.PrinterNamed("Vor LP 5").state, RemovalState::Removed);
  EXPECT_TRUE(run.KeyExists(ports + "USB003\\Settings"));
}

}  // namespace
}  // namespace printing_test
