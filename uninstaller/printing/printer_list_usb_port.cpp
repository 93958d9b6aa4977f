// A USB port whose last printer went: its spooler record (9x) and the Plug
// and Play keys of the device behind it.
#include <string>

#include "printing/key_name_rules.h"
#include "printing/printer_list.h"
#include "printing/usb_port_number.h"
#include "system/registry_helpers.h"

namespace {

constexpr char kPortsKey[] = "System\\CurrentControlSet\\Control\\Print\\Ports";
constexpr char kUsbEnumKey[] = "Enum\\USB";
// The device interface class of USB printing ports.
constexpr char kUsbPrintClassKey[] =
    "System\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

// The matching keys lie two levels below the start key; their parents, one
// level below, come after them in the results.
constexpr int kSearchDepth = 3;
constexpr int kCollectDepth = 2;

void RemoveWin9xPortRecords(plat::Registry& reg, const std::string& portName) {
  // "USB003\Settings" would be a key of the port USB003, which may still be in use.
  // A port's records are tidied as far as they go: the printer's outcome is
  // already decided, so the results here are dropped.
  if (IsPlainKeyName(portName))
    static_cast<void>(
        RegDeleteKeyTree(reg, plat::kHkeyLocalMachine, std::string(kPortsKey) + "\\" + portName, true, false));

  std::vector<SearchKeyInfo> found;
  // The list says what matched.
  static_cast<void>(RegFindKeysByValue(reg, plat::kHkeyLocalMachine, kUsbEnumKey, "PortName", portName, kSearchDepth,
                                       kCollectDepth, "", found));
  // Each device instance goes; its device key only when no other instance is left in it.
  for (const SearchKeyInfo& key : found)
    static_cast<void>(RegDeleteKeyTree(reg, plat::kHkeyLocalMachine, key.keyPath, false, key.isAncestor));
}

void RemoveDeviceInterfaces(plat::Registry& reg, int portNumber) {
  std::vector<SearchKeyInfo> found;
  // The list says what matched; each interface is tidied as far as it goes.
  static_cast<void>(RegFindKeysByValue(reg, plat::kHkeyLocalMachine, kUsbPrintClassKey, "Port Number",
                                       std::to_string(portNumber), kSearchDepth, kCollectDepth, "Device Parameters",
                                       found));
  for (const SearchKeyInfo& key : found)
    static_cast<void>(RegDeleteKeyTree(reg, plat::kHkeyLocalMachine, key.keyPath, false, false));
}

}  // namespace

void CPrinterList::RemoveUsbPort(const std::string& portName) {
  plat::Registry& reg = context_.platform.registry;
  const OsKind os = context_.os();
  if (IsWin9x(os)) RemoveWin9xPortRecords(reg, portName);
  if (const auto number = UsbPortNumber(portName)) RemoveDeviceInterfaces(reg, *number);
  // The spooler keeps its ports in memory; on 2000/XP it must start again to forget this one.
  if (IsNT5(os)) context_.restartSpooler = true;
}
