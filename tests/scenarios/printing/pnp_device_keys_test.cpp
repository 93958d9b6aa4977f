// The Plug and Play keys a maker's printer takes with it are named by values
// read from the registry; a value that is not a whole device or class name
// must not widen the deletion to keys other printers' devices live in.
#include "removal_harness.h"

namespace printing_test {
namespace {

const std::string kPnpData =
    "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\Vor Front\\PnPData";
const std::string kEnum = "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\";
const std::string kClass = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\";
const std::string kPrinterClass = "{4D36E979-E325-11CE-BFC1-08002BE10318}";

// The maker's printer and another maker's printer whose devices share the
// USBPRINT enumerator, the maker's device key and the printer class key.
json XpBesideAForeignDevice(const std::string& instanceId, const std::string& driverValue) {
  json image = Image("winxp");
  AddDrivers(image, {Driver("Vor LP", kNtX86, 3, "vkpcl2a.dll")});
  AddForeignDriver(image, "Contoso Jet");
  AddPrinters(image, {Printer("Vor Front", "Vor LP", "USB001"), Printer("Contoso Office", "Contoso Jet", "USB002")});
  AddKey(image, kPnpData, {{"DeviceInstanceID", instanceId}});
  AddKey(image, kEnum + "USBPRINT\\VORKASTLP\\7&1&0&USB001", {{"Driver", driverValue}});
  AddKey(image, kEnum + "USBPRINT\\VORKASTLP\\7&2&0&USB002", {{"Driver", kPrinterClass + "\\0002"}});
  AddKey(image, kEnum + "USBPRINT\\CONTOSOJET\\5&1&0&USB002", {{"Driver", kPrinterClass + "\\0001"}});
  AddKey(image, kClass + kPrinterClass + "\\0001", {{"DriverDesc", "Contoso Jet"}});
  AddKey(image, kClass + kPrinterClass + "\\0002", {{"DriverDesc", "Contoso Jet"}});
  AddKey(image, kClass + kPrinterClass + "\\0003", {{"DriverDesc", "Vor LP"}});
  return image;
}

std::vector<std::string> PnpRequests(const CPrinter& printer) {
  std::vector<std::string> out;
  for (const std::string& request : Describe(printer.regRemovals)) {
    if (request.find("\\Enum") != std::string::npos || request.find("\\Class") != std::string::npos)
      out.push_back(request);
  }
  return out;
}

TEST(PnpDeviceKeys, AnInstanceIdWithoutAllThreePartsNamesNoDeviceKey) {
  const std::string driver = kPrinterClass + "\\0003";
  const std::vector<std::string> ids = {
      "USBPRINT",                                 // the whole enumerator
      "USBPRINT\\VORKASTLP",                      // a device with other printers' instances
      "USBPRINT\\\\7&1&0&USB001",                 // an empty part collapses
      "USBPRINT\\*\\7&1&0&USB001",                // a wildcard names no one device
      "USBPRINT\\VORKASTLP\\?&1&0&USB001",
      "USBPRINT\\..\\7&1&0&USB001",               // dots climb where paths are resolved
      "USBPRINT\\VORKASTLP\\.",
      "USBPRINT\\VORKASTLP\\7&1&0&USB001\\Device Parameters",  // below an instance
  };
  for (const std::string& id : ids) {
    Removal run(XpBesideAForeignDevice(id, driver), {"Vor LP"});
    EXPECT_TRUE(PnpRequests(run.PrinterNamed("Vor Front")).empty()) << id;
    run.Select({"Vor Front"});
    run.Run();
    ASSERT_EQ(run.PrinterNamed("Vor Front").state, RemovalState::Removed) << id;
    EXPECT_TRUE(run.KeyExists(kEnum + "USBPRINT\\CONTOSOJET\\5&1&0&USB002")) << id;
    EXPECT_TRUE(run.KeyExists(kEnum + "USBPRINT\\VORKASTLP\\7&2&0&USB002")) << id;
    EXPECT_TRUE(run.KeyExists(kClass + kPrinterClass + "\\0001")) << id;
  }
}

TEST(PnpDeviceKeys, ADriverValueOtherThanClassGuidAndIndexNamesNoClassKey) {
  const std::vector<std::string> values = {
      kPrinterClass,                          // the whole printer class
      kPrinterClass + "\\",
      kPrinterClass + "\\*",
      kPrinterClass + "\\..",
      kPrinterClass + "\\0003\\Settings",
      "Printer\\0003",                        // not a class GUID
      "{4D36E979-E325-11CE-BFC1}\\0003",
  };
  for (const std::string& value : values) {
    Removal run(XpBesideAForeignDevice("USBPRINT\\VORKASTLP\\7&1&0&USB001", value), {"Vor LP"});
    run.Select({"Vor Front"});
    run.Run();
    // The instance itself is well named and goes; its device stays for the other instance.
    EXPECT_FALSE(run.KeyExists(kEnum + "USBPRINT\\VORKASTLP\\7&1&0&USB001")) << value;
    EXPECT_TRUE(run.KeyExists(kEnum + "USBPRINT\\VORKASTLP\\7&2&0&USB002")) << value;
    EXPECT_TRUE(run.KeyExists(kClass + kPrinterClass + "\\0001")) << value;
    EXPECT_TRUE(run.KeyExists(kClass + kPrinterClass + "\\0002")) << value;
    EXPECT_TRUE(run.KeyExists(kClass + kPrinterClass + "\\0003")) << value;
  }

  // The whole form still takes the maker's own class key.
  Removal whole(XpBesideAForeignDevice("USBPRINT\\VORKASTLP\\7&1&0&USB001", kPrinterClass + "\\0003"), {"Vor LP"});
  whole.Select({"Vor Front"});
  whole.Run();
  EXPECT_FALSE(whole.KeyExists(kClass + kPrinterClass + "\\0003"));
  EXPECT_TRUE(whole.KeyExists(kClass + kPrinterClass + "\\0002"));
}

TEST(PnpDeviceKeys, OnWindows98ALegacyDriverValueNeedsClassAndIndex) {
  for (const char* value : {"Printer", "Printer\\", "Printer\\..", "Printer\\*", "Printer\\0001\\X"}) {
    json image = Image("win98");
    AddDrivers(image, {Driver("Vor LP", "Windows 4.0", 0, "C:\\WINDOWS\\SYSTEM\\VKPCL5C.DRV")});
    AddForeignDriver(image, "Contoso Jet");
    AddPrinters(image, {Printer("Vor LP 5", "Vor LP"), Printer("Contoso", "Contoso Jet", "LPT2:")});
    AddKey(image, "HKLM\\Enum\\LPTENUM\\VORKASTLP5\\1", {{"DeviceDesc", "Vor LP 5"}, {"Driver", value}});
    AddKey(image, "HKLM\\Enum\\LPTENUM\\CONTOSO\\1", {{"DeviceDesc", "Contoso"}, {"Driver", "Printer\\0002"}});
    AddKey(image, "HKLM\\System\\CurrentControlSet\\Services\\Class\\Printer\\0001", {{"DriverDesc", "Vor LP"}});
    AddKey(image, "HKLM\\System\\CurrentControlSet\\Services\\Class\\Printer\\0002", {{"DriverDesc", "Contoso"}});
    Removal run(image, {"Vor LP"});
    run.Select({"Vor LP 5"});
    run.Run();
    ASSERT_EQ(run.PrinterNamed("Vor LP 5").state, RemovalState::Removed) << value;
    EXPECT_FALSE(run.KeyExists("HKLM\\Enum\\LPTENUM\\VORKASTLP5")) << value;
    EXPECT_TRUE(run.KeyExists("HKLM\\System\\CurrentControlSet\\Services\\Class\\Printer\\0002")) << value;
    EXPECT_TRUE(run.KeyExists("HKLM\\System\\CurrentControlSet\\Services\\Class\\Printer\\0001")) << value;
  }
}

}  // namespace
}  // namespace printing_test
