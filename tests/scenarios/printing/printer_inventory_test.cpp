// The printer list on simulated machines: names, connections, ports, queued
// jobs and the registry keys prepared for each printer.
#include "printing_harness.h"

#include "printing/printer_list.h"

namespace printing_test {
namespace {

const std::vector<std::string> NtRequests(const std::string& printer) {
  return {"subkey HKEY_USERS\\.DEFAULT\\PRINTERS\\DEVMODES2\\" + printer,
          "tree HKEY_USERS\\.DEFAULT\\SOFTWARE\\VORKAST\\PRINTERS\\" + printer,
          "tree HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" + printer};
}

TEST(PrinterInventory, EntriesKeepTheSpoolersOrderNamesAndConnectionFlag) {
  json image = Image("winxp");
  AddForeignDriver(image, "X");
  json shared = Printer("Shared", "Drv B", "USB001");
  shared["server"] = "\\\\SERVER";
  AddForeignDriver(image, "Drv A");
  AddForeignDriver(image, "Drv B");
  json local = Printer("Local", "Drv A", "LPT1:,LPT2:");
  local["printProcessor"] = "VorProc";
  AddPrinters(image, {local, shared});
  Inventory inv(image);
  ASSERT_TRUE(inv.app->printers.Build());
  ASSERT_EQ(inv.app->printers.size(), 2u);
  const CPrinter& first = **inv.app->printers.begin();
  EXPECT_EQ(first.GetName(), "Local");
  EXPECT_EQ(first.GetPortName(), "LPT1:,LPT2:");
  EXPECT_EQ(first.GetPrintProcessor(), "VorProc");
  EXPECT_EQ(first.driverName, "Drv A");
  EXPECT_FALSE(first.isConnection);
  EXPECT_EQ(first.state, RemovalState::NotTried);
  const CPrinter* second = inv.app->printers.FindByName("\\\\SERVER\\Shared");
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->isConnection);
}

TEST(PrinterInventory, FindByNameIsCaseSensitiveAndAnEmptySpoolerGivesFalse) {
  json image = Image("winxp");
  AddForeignDriver(image, "X");
  AddPrinters(image, {Printer("Office", "X")});
  Inventory inv(image);
  ASSERT_TRUE(inv.app->printers.Build());
  EXPECT_NE(inv.app->printers.FindByName("Office"), nullptr);
  EXPECT_EQ(inv.app->printers.FindByName("office"), nullptr);
  EXPECT_EQ(inv.app->printers.FindByName("OFFICE"), nullptr);

  Inventory empty(Image("winxp"));
  EXPECT_FALSE(empty.app->printers.Build());
  EXPECT_TRUE(empty.app->printers.empty());

  json failing = Image("winxp");
  AddForeignDriver(failing, "X");
  AddPrinters(failing, {Printer("Office", "X")});
  failing["faults"] = {{{"call", "Spooler.ListPrinters"}, {"error", "ERROR_ACCESS_DENIED"}}};
  Inventory refused(failing);
  EXPECT_FALSE(refused.app->printers.Build());
  EXPECT_TRUE(refused.app->printers.empty());
}

TEST(PrinterInventory, OnlyAPortBeginningWithUsbIsAUsbPort) {
  json image = Image("winxp");
  AddForeignDriver(image, "X");
  AddPrinters(image, {Printer("a", "X", "usb001"), Printer("b", "X", "LPT1:"), Printer("c", "X", "FILE:"),
                      Printer("d", "X", " USB002"), Printer("e", "X", "US")});
  Inventory inv(image);
  ASSERT_TRUE(inv.app->printers.Build());
  std::vector<std::string> usb;
  for (const auto& p : inv.app->printers) {
    if (p->IsUsbPort()) usb.push_back(p->name);
  }
  EXPECT_EQ(usb, std::vector<std::string>{"a"});
  EXPECT_TRUE(inv.app->printers.AnyOnUsbPort());

  json noUsb = Image("winxp");
  AddForeignDriver(noUsb, "X");
  AddPrinters(noUsb, {Printer("b", "X", "LPT1:")});
  Inventory lpt(noUsb);
  ASSERT_TRUE(lpt.app->printers.Build());
  EXPECT_FALSE(lpt.app->printers.AnyOnUsbPort());
}

TEST(PrinterInventory, PendingJobsAreSeenAndAPrinterThatCannotBeOpenedHasNone) {
  json image = Image("winxp");
  AddForeignDriver(image, "X");
  json busy = Printer("Busy", "X");
  busy["jobs"] = {{{"id", 4}, {"document", "report.doc"}}};
  AddPrinters(image, {busy, Printer("Idle", "X")});
  image["faults"] = {{{"call", "Spooler.OpenPrinterByName"}, {"error", "ERROR_ACCESS_DENIED"}, {"skip", 2}}};
  Inventory inv(image);
  ASSERT_TRUE(inv.app->printers.Build());
  CPrinter* busyPrinter = inv.app->printers.FindByName("Busy");
  ASSERT_NE(busyPrinter, nullptr);
  EXPECT_FALSE(busyPrinter->HasNoPendingJobs());
  EXPECT_TRUE(inv.app->printers.FindByName("Idle")->HasNoPendingJobs());
  EXPECT_TRUE(busyPrinter->HasNoPendingJobs());  // the third open fails
}

// The printer list with every printer's keys prepared, as start-up
// prepares the maker's.
bool BuildWithKeys(Inventory& inv) {
  if (!inv.app->printers.Build()) return false;
  for (const auto& printer : inv.app->printers) printer->CollectRegistryRemovals();
  return true;
}

TEST(PrinterRegistry, OnlyTheMakersPrintersHaveTheirKeysPrepared) {
  json image = Image("winxp");
  AddDrivers(image, {Driver("Vor LP", "Windows NT x86", 3, "vkpcl2a.dll")});
  AddForeignDriver(image, "Contoso Jet");
  AddPrinters(image, {Printer("Vor Front", "Vor LP"), Printer("Contoso Office", "Contoso Jet")});
  AddFile(image, kModelList, "[Printer]\r\nm=M\r\n[M]\r\nPCL5Name=Vor LP\r\n");
  Inventory inv(image);
  inv.TakeAll();
  ASSERT_TRUE(inv.app->printers.FindByName("Vor Front")->IsMakerPrinter());
  EXPECT_EQ(Describe(inv.app->printers.FindByName("Vor Front")->regRemovals), NtRequests("Vor Front"));
  EXPECT_TRUE(inv.app->printers.FindByName("Contoso Office")->regRemovals.empty());
}

TEST(PrinterRegistry, WindowsXpWithoutPlugAndPlayDataGetsTheThreeNtRequests) {
  json image = Image("win2k");
  AddForeignDriver(image, "X");
  AddPrinters(image, {Printer("Office", "X")});
  Inventory inv(image);
  ASSERT_TRUE(BuildWithKeys(inv));
  EXPECT_EQ(Describe(inv.app->printers.FindByName("Office")->regRemovals), NtRequests("Office"));
}

TEST(PrinterRegistry, WindowsXpAddsTheDeviceItsParentIfEmptyAndItsClassKey) {
  json image = Image("winxp");
  AddForeignDriver(image, "X");
  AddPrinters(image, {Printer("Office", "X", "USB001"), Printer("Bad id", "X")});
  AddKey(image, "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\Office\\PnPData",
         {{"DeviceInstanceID", "  USBPRINT\\VORKASTLP\\7&1&0&USB001 "}});
  AddKey(image, "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\VORKASTLP\\7&1&0&USB001",
         {{"Driver", "{4D36E979-E325-11CE-BFC1-08002BE10318}\\0003"}});
  // An id ending in a backslash would name the whole enumerator.
  AddKey(image, "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\Bad id\\PnPData",
         {{"DeviceInstanceID", "USBPRINT\\"}});
  Inventory inv(image);
  ASSERT_TRUE(BuildWithKeys(inv));

  std::vector<std::string> expected = NtRequests("Office");
  expected.push_back("tree HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\VORKASTLP\\7&1&0&USB001");
  expected.push_back("empty HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\USBPRINT\\VORKASTLP");
  expected.push_back(
      "tree HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E979-E325-11CE-BFC1-08002BE10318}\\0003");
  EXPECT_EQ(Describe(inv.app->printers.FindByName("Office")->regRemovals), expected);
  EXPECT_EQ(Describe(inv.app->printers.FindByName("Bad id")->regRemovals), NtRequests("Bad id"));
}

TEST(PrinterRegistry, Windows98TakesTheMatchingLegacyInstancesThenTheirDeviceIfEmpty) {
  json image = Image("win98");
  AddForeignDriver(image, "X");
  AddPrinters(image, {Printer("Vor LP 5", "X"), Printer("Vor USB", "X", "USB001")});
  AddKey(image, "HKLM\\Enum\\LPTENUM\\VORKASTLP5\\1", {{"DeviceDesc", "VOR LP 5"}, {"Driver", " Printer\\0001 "}});
  AddKey(image, "HKLM\\Enum\\LPTENUM\\VORKASTLP5\\2", {{"DeviceDesc", "Other printer"}, {"Driver", "Printer\\0002"}});
  AddKey(image, "HKLM\\Enum\\LPTENUM\\OTHERDEV\\1", {{"DeviceDesc", "Unrelated"}});
  AddKey(image, "HKLM\\Enum\\USBPRINT\\VORUSB\\A", {{"DeviceDesc", "Vor USB"}});
  AddKey(image, "HKLM\\Enum\\USBPRINT\\VORUSB\\B", {{"DeviceDesc", "vor usb"}, {"Driver", "Printer\\"}});
  Inventory inv(image);
  ASSERT_TRUE(BuildWithKeys(inv));

  EXPECT_EQ(Describe(inv.app->printers.FindByName("Vor LP 5")->regRemovals),
            (std::vector<std::string>{"tree HKEY_LOCAL_MACHINE\\Enum\\LPTENUM\\VORKASTLP5\\1",
                                      "tree HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\Printer\\0001",
                                      "empty HKEY_LOCAL_MACHINE\\Enum\\LPTENUM\\VORKASTLP5"}));
  // Without a usable "Driver" value no class key is named.
  EXPECT_EQ(Describe(inv.app->printers.FindByName("Vor USB")->regRemovals),
            (std::vector<std::string>{"tree HKEY_LOCAL_MACHINE\\Enum\\USBPRINT\\VORUSB\\A",
                                      "tree HKEY_LOCAL_MACHINE\\Enum\\USBPRINT\\VORUSB\\B",
                                      "empty HKEY_LOCAL_MACHINE\\Enum\\USBPRINT\\VORUSB"}));
}

TEST(PrinterRegistry, Windows95GetsNoNtRequestsAndAnUnreadableEnumeratorIsSkipped) {
  json image = Image("win95");
  AddForeignDriver(image, "X");
  AddPrinters(image, {Printer("Vor LP", "X")});
  AddKey(image, "HKLM\\Enum\\LPTENUM\\DEV\\1", {{"DeviceDesc", "Vor LP"}});
  AddKey(image, "HKLM\\Enum\\USBPRINT\\DEV\\1", {{"DeviceDesc", "Vor LP"}});
  image["faults"] = {{{"call", "Registry.OpenKey"}, {"error", "ERROR_ACCESS_DENIED"}, {"match", "*LPTENUM"}}};
  Inventory inv(image);
  ASSERT_TRUE(BuildWithKeys(inv));
  EXPECT_EQ(Describe(inv.app->printers.FindByName("Vor LP")->regRemovals),
            (std::vector<std::string>{"tree HKEY_LOCAL_MACHINE\\Enum\\USBPRINT\\DEV\\1",
                                      "empty HKEY_LOCAL_MACHINE\\Enum\\USBPRINT\\DEV"}));
}

TEST(PrinterRegistry, APrinterWithoutANameNamesNoKey) {
  Inventory inv(Image("winxp"));
  plat::PrinterInfo nameless;
  nameless.driverName = "X";
  CPrinter printer(nameless, inv.app->printing);
  printer.CollectRegistryRemovals();
  EXPECT_TRUE(printer.regRemovals.empty());
  plat::PrinterInfo named = nameless;
  named.printerName = "P";
  CPrinter namedPrinter(named, inv.app->printing);
  namedPrinter.CollectRegistryRemovals();
  EXPECT_EQ(Describe(namedPrinter.regRemovals), NtRequests("P"));
}

}  // namespace
}  // namespace printing_test
