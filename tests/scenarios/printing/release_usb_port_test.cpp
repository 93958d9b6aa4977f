// USB ports freed by the removal pass: what remaining printers use stays,
// what is freed loses its spooler record and its Plug and Play keys.
#include "release_harness.h"

namespace printing_test {
namespace {

const std::string kClassKey =
    "HKLM\\System\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

// One device interface of the USB printing class for a port number.
std::string AddInterface(json& image, const std::string& device, json portNumber) {
  const std::string key = kClassKey + "\\##?#USB#" + device + "#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
  AddKey(image, key, {{"DeviceInstance", "USB\\" + device}});
  AddKey(image, key + "\\#\\Device Parameters", {{"Port Number", std::move(portNumber)}});
  return key;
}

json XpWithPrinters(const std::vector<json>& printers) {
  json image = Image("winxp");
  AddForeignDriver(image, "Drv");
  AddPrinters(image, printers);
  return image;
}

TEST(ReleaseUsbPort, APortStaysWhileAnyPrinterNotRemovedUsesIt) {
  json image = XpWithPrinters({Printer("A", "Drv", "USB001"), Printer("B", "Drv", "USB001")});
  const std::string port1 = AddInterface(image, "VID_1&PID_1#1", 1);
  Inventory inv(image);
  inv.TakeAll();
  Mark(inv.app->printers, "A", RemovalState::Removed);
  Mark(inv.app->printers, "B", RemovalState::Failed);
  inv.app->printers.ReleaseAfterRemoval({"USB001"}, {});
  EXPECT_TRUE(inv.machine->KeyExists(port1 + "\\#\\Device Parameters"));
  EXPECT_FALSE(inv.app->restartSpooler);

  // A printer never tried (another maker's, or not chosen) holds the port as well.
  Inventory untried(image);
  untried.TakeAll();
  Mark(untried.app->printers, "A", RemovalState::Removed);
  untried.app->printers.ReleaseAfterRemoval({"USB001"}, {});
  EXPECT_TRUE(untried.machine->KeyExists(port1));
}

TEST(ReleaseUsbPort, AnotherPrintersPortListKeepsThePortWhateverItsSpelling) {
  struct Case {
    const char* otherPorts;
    bool keeps;
  };
  const std::vector<Case> cases = {
      {"usb001", true},           // port names compare without case
      {"USB002,USB001", true},    // a pooled printer prints to each port of its list
      {"LPT1:, USB001 ", true},   // blanks around a list entry are not part of the name
      {"USB0011", false},
      {"USB002,USB01", false},
      {"USB001X,LPT1:", false},
  };
  for (const Case& c : cases) {
    json image = Image("winxp");
    AddDrivers(image, {Driver("Vor LP", "Windows NT x86", 3, "vkpcl2a.dll")});
    AddForeignDriver(image, "Contoso Jet");
    AddPrinters(image,
                {Printer("Vor Front", "Vor LP", "USB001"), Printer("Contoso Office", "Contoso Jet", c.otherPorts)});
    const std::string port1 = AddInterface(image, "VID_1&PID_1#1", 1);
    Inventory inv(image);
    inv.TakeAll();
    inv.app->drivers.FindSet("Vor LP")->isMaker = true;
    inv.app->printers.FindByName("Vor Front")->selected = true;
    inv.app->printers.FindByName("Contoso Office")->selected = true;  // another maker's: never removed
    inv.app->printers.RemoveSelected(nullptr, nullptr);
    ASSERT_EQ(inv.app->printers.FindByName("Vor Front")->state, RemovalState::Removed) << c.otherPorts;
    EXPECT_EQ(inv.machine->KeyExists(port1 + "\\#\\Device Parameters"), c.keeps) << c.otherPorts;
    EXPECT_EQ(inv.app->restartSpooler, !c.keeps) << c.otherPorts;
  }
}

TEST(ReleaseUsbPort, AFreedPortLosesOnlyItsOwnInterfaceKeysAndRestartsTheSpoolerOn2000AndXp) {
  json image = XpWithPrinters({Printer("A", "Drv", "USB003"), Printer("B", "Drv", "USB001")});
  const std::string port3 = AddInterface(image, "VID_1&PID_1#3", 3);
  const std::string port3Again = AddInterface(image, "VID_2&PID_2#7", 3);
  const std::string port1 = AddInterface(image, "VID_1&PID_1#1", 1);
  const std::string port30 = AddInterface(image, "VID_3&PID_3#30", 30);
  const std::string textNumber = AddInterface(image, "VID_4&PID_4#4", "3");
  Inventory inv(image);
  inv.TakeAll();
  Mark(inv.app->printers, "A", RemovalState::Removed);
  inv.app->printers.ReleaseAfterRemoval({"USB003"}, {});
  EXPECT_FALSE(inv.machine->KeyExists(port3));
  EXPECT_FALSE(inv.machine->KeyExists(port3Again));
  EXPECT_FALSE(inv.machine->KeyExists(textNumber));  // read as text, a REG_SZ "3" is the same number
  EXPECT_TRUE(inv.machine->KeyExists(port1 + "\\#\\Device Parameters"));
  EXPECT_TRUE(inv.machine->KeyExists(port30 + "\\#\\Device Parameters"));
  EXPECT_TRUE(inv.machine->KeyExists(kClassKey));
  EXPECT_TRUE(inv.app->restartSpooler);

  // NT 4.0 keeps its ports without a restart.
  json nt4 = image;
  nt4["os"] = "nt4";
  Inventory old(nt4);
  old.TakeAll();
  Mark(old.app->printers, "A", RemovalState::Removed);
  old.app->printers.ReleaseAfterRemoval({"USB003"}, {});
  EXPECT_FALSE(old.machine->KeyExists(port3));
  EXPECT_FALSE(old.app->restartSpooler);
}

TEST(ReleaseUsbPort, ANameWithoutAPlainPortNumberDeletesNoInterfaceKeys) {
  // "USB" + 0 would be read as port 0 by a lenient reading of these names;
  // "USB 1", "USB+1", "USB1X" as port 1; an overflow as anything.
  const std::vector<std::string> names = {"USB", "USBX", "USB 1", "USB+1", "USB-1", "USB1X", "USB001,USB002",
                                          "USB99999999999999999999", "USB4294967297"};
  for (const std::string& name : names) {
    json image = XpWithPrinters({Printer("A", "Drv", name)});
    const std::vector<std::string> keys = {AddInterface(image, "VID_1#0", 0), AddInterface(image, "VID_1#1", 1),
                                           AddInterface(image, "VID_1#M", 2147483647)};
    Inventory inv(image);
    inv.TakeAll();
    Mark(inv.app->printers, "A", RemovalState::Removed);
    inv.app->printers.ReleaseAfterRemoval({name}, {});
    for (const std::string& key : keys) EXPECT_TRUE(inv.machine->KeyExists(key + "\\#\\Device Parameters")) << name;
  }
}

TEST(ReleaseUsbPort, OnWindows98TheSpoolerRecordInstancesAndEmptyDeviceKeysGo) {
  json image = Image("win98");
  AddForeignDriver(image, "Drv");
  AddPrinters(image, {Printer("A", "Drv", "USB003"), Printer("B", "Drv", "USB004")});
  const std::string ports = "HKLM\\System\\CurrentControlSet\\Control\\Print\\Ports";
  AddKey(image, ports + "\\USB003", {{"Description", "Virtual printer port for USB"}});
  AddKey(image, ports + "\\USB003\\Settings", {{"Timeout", 15}});
  AddKey(image, ports + "\\USB004", {{"Description", "Virtual printer port for USB"}});
  const std::string usb = "HKLM\\Enum\\USB";
  // Device 1 has one instance on each port: it stays with the other instance.
  AddKey(image, usb + "\\VID_1&PID_1\\INST_A", {{"PortName", "USB003"}, {"DeviceDesc", "A"}});
  AddKey(image, usb + "\\VID_1&PID_1\\INST_A\\Device Parameters", {{"X", 1}});
  AddKey(image, usb + "\\VID_1&PID_1\\INST_B", {{"PortName", "USB004"}});
  // Device 2's only instance names the port in other letter case: both go.
  AddKey(image, usb + "\\VID_2&PID_2\\INST_C", {{"PortName", "usb003"}});
  // A port value one level too deep or too high is not a match.
  AddKey(image, usb + "\\VID_3&PID_3", {{"PortName", "USB003"}});
  AddKey(image, usb + "\\VID_4&PID_4\\INST_D\\Deeper", {{"PortName", "USB003"}});
  const std::string port3 = AddInterface(image, "VID_1&PID_1#INST_A", 3);
  const std::string port4 = AddInterface(image, "VID_1&PID_1#INST_B", 4);
  Inventory inv(image);
  inv.TakeAll();
  Mark(inv.app->printers, "A", RemovalState::Removed);
  inv.app->printers.ReleaseAfterRemoval({"USB003"}, {});

  EXPECT_FALSE(inv.machine->KeyExists(ports + "\\USB003"));
  EXPECT_TRUE(inv.machine->KeyExists(ports + "\\USB004"));
  EXPECT_FALSE(inv.machine->KeyExists(usb + "\\VID_1&PID_1\\INST_A"));
  EXPECT_TRUE(inv.machine->KeyExists(usb + "\\VID_1&PID_1\\INST_B"));
  EXPECT_FALSE(inv.machine->KeyExists(usb + "\\VID_2&PID_2"));
  EXPECT_TRUE(inv.machine->KeyExists(usb + "\\VID_3&PID_3"));
  EXPECT_TRUE(inv.machine->KeyExists(usb + "\\VID_4&PID_4\\INST_D\\Deeper"));
  EXPECT_FALSE(inv.machine->KeyExists(port3));
  EXPECT_TRUE(inv.machine->KeyExists(port4 + "\\#\\Device Parameters"));
  EXPECT_FALSE(inv.app->restartSpooler);
}

TEST(ReleaseUsbPort, ThroughTheRemovalPassOnlyPortsOfDeletedPrintersAreTouched) {
  json image = XpWithPrinters({Printer("On USB", "Drv", "USB001"), Printer("Same port", "Drv", "USB001"),
                               Printer("On LPT", "Drv", "LPT1:"), Printer("Other USB", "Drv", "USB002")});
  image["faults"] = {{{"call", "Spooler.DeletePrinter"}, {"error", "ERROR_ACCESS_DENIED"}, {"match", "Same port"}}};
  const std::string port1 = AddInterface(image, "VID_1#1", 1);
  const std::string port2 = AddInterface(image, "VID_1#2", 2);
  Inventory inv(image);
  inv.TakeAll();
  for (const auto& set : inv.app->drivers) set->isMaker = true;
  for (const char* name : {"On USB", "Same port", "On LPT"}) inv.app->printers.FindByName(name)->selected = true;
  inv.app->printers.RemoveSelected(nullptr, nullptr);

  ASSERT_EQ(inv.app->printers.FindByName("On USB")->state, RemovalState::Removed);
  ASSERT_EQ(inv.app->printers.FindByName("Same port")->state, RemovalState::Failed);
  ASSERT_EQ(inv.app->printers.FindByName("On LPT")->state, RemovalState::Removed);
  EXPECT_TRUE(inv.machine->KeyExists(port1 + "\\#\\Device Parameters"));
  EXPECT_TRUE(inv.machine->KeyExists(port2 + "\\#\\Device Parameters"));
  // Neither the kept USB port nor the LPT port caused port work.
  EXPECT_FALSE(inv.app->restartSpooler);
}

}  // namespace
}  // namespace printing_test
