// The registry keys that belong to a printer and go when it goes: its
// per-user and spooler keys on Windows NT, its Plug and Play device on
// Windows 2000 and XP, and its legacy device entries on the 9x family.
#include <string>

#include "maker/maker_identity.h"
#include "platform/text.h"
#include "platform/win_errors.h"
#include "printing/key_name_rules.h"
#include "printing/printer.h"
#include "system/registry_helpers.h"

namespace {

const char* const kLegacyEnumerators[] = {"Enum\\LPTENUM", "Enum\\USBPRINT"};
constexpr char kDevModesKey[] = ".DEFAULT\\PRINTERS\\DEVMODES2";
constexpr char kSpoolerPrintersKey[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";

std::string TrimmedValue(plat::Registry& registry, plat::HKey root, std::string_view key, std::string_view value) {
  return std::string(text::Trim(RegGetString(registry, root, key, value).value_or("")));
}

// Subkey names by index; names that cannot be read or are empty are skipped.
std::vector<std::string> SubkeyNames(plat::Registry& registry, plat::HKey key, std::uint32_t count) {
  std::vector<std::string> names;
  for (std::uint32_t index = 0; index < count; ++index) {
    std::string name;
    const plat::WinError error = registry.EnumKey(key, index, &name);
    if ((error == winerr::Success || error == winerr::MoreData) && !name.empty()) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

void CPrinter::CollectRegistryRemovals() {
  regRemovals.clear();
  keysLeft.clear();
  // Every key below is formed from the printer's name; without one each
  // would name the parent of every printer's key.
  if (name.empty()) return;

  const OsKind os = context_.os();
  if (IsWinNT(os)) {
    // The name is joined below a fixed key. One with a backslash, or made of
    // dots, would reach another key than this printer's: a connection
    // "\\SRV\Q" the key of a local printer "SRV".
    if (!IsPlainKeyName(name)) {
      LeaveNamedKeys();
      return;
    }
    RegRemoval devmode;
    devmode.root = plat::kHkeyUsers;
    devmode.keyPath = kDevModesKey;
    devmode.subkeyName = name;
    regRemovals.push_back(std::move(devmode));
    AddTree(plat::kHkeyUsers, std::string(maker::kDefaultUserPrintersKey) + "\\" + name);
    AddTree(plat::kHkeyLocalMachine, std::string(kSpoolerPrintersKey) + "\\" + name);
    if (IsNT5(os)) CollectPnpRemovals();
  } else if (IsWin9x(os)) {
    CollectLegacyDeviceRemovals();
  }
}

void CPrinter::LeaveNamedKeys() {
  // Windows keeps neither device defaults nor a spooler key under a
  // connection's name (its own keys go with the connection), so for a
  // connection only the maker's key is left.
  const auto leave = [this](plat::HKey root, std::string_view parent) {
    keysLeft.push_back(std::string(plat::RootName(root)) + "\\" + std::string(parent) + "\\" + name);
  };
  if (!isConnection) leave(plat::kHkeyUsers, kDevModesKey);
  leave(plat::kHkeyUsers, maker::kDefaultUserPrintersKey);
  if (!isConnection) leave(plat::kHkeyLocalMachine, kSpoolerPrintersKey);
}

void CPrinter::CollectPnpRemovals() {
  plat::Registry& registry = context_.platform.registry;
  const std::string instanceId =
      TrimmedValue(registry, plat::kHkeyLocalMachine,
                   "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\" + name + "\\PnPData",
                   "DeviceInstanceID");
  // Only a whole instance id names one device: fewer parts would take the
  // device or enumerator key with other printers' devices in it.
  if (!IsDeviceInstanceId(instanceId)) return;

  const std::string instanceKey = "SYSTEM\\CurrentControlSet\\Enum\\" + instanceId;
  AddTree(plat::kHkeyLocalMachine, instanceKey);
  AddTree(plat::kHkeyLocalMachine, instanceKey.substr(0, instanceKey.rfind('\\')), true);

  const std::string deviceClass = RegGetString(registry, plat::kHkeyLocalMachine, instanceKey, "Driver").value_or("");
  // The class GUID alone would be the key of every printer's driver.
  if (IsClassGuidAndIndex(deviceClass)) {
    AddTree(plat::kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Class\\" + deviceClass);
  }
}

void CPrinter::CollectLegacyDeviceRemovals() {
  plat::Registry& registry = context_.platform.registry;
  for (const char* enumerator : kLegacyEnumerators) {
    plat::HKey rawEnumerator = plat::kNoHandle;
    if (registry.OpenKey(plat::kHkeyLocalMachine, enumerator, plat::keyaccess::AllAccess, &rawEnumerator) !=
        winerr::Success) {
      continue;
    }
    plat::UniqueKey enumeratorKey(registry, rawEnumerator);
    plat::RegKeyInfo enumeratorInfo;
    if (registry.QueryInfo(enumeratorKey.get(), &enumeratorInfo) != winerr::Success) continue;

    for (const std::string& device : SubkeyNames(registry, enumeratorKey.get(), enumeratorInfo.subkeys)) {
      const std::string devicePath = std::string(enumerator) + "\\" + device;
      plat::HKey rawDevice = plat::kNoHandle;
      if (registry.OpenKey(plat::kHkeyLocalMachine, devicePath, plat::keyaccess::AllAccess, &rawDevice) !=
          winerr::Success) {
        continue;
      }
      plat::UniqueKey deviceKey(registry, rawDevice);
      plat::RegKeyInfo deviceInfo;
      if (registry.QueryInfo(deviceKey.get(), &deviceInfo) != winerr::Success) continue;

      bool anyInstanceMatched = false;
      for (const std::string& instance : SubkeyNames(registry, deviceKey.get(), deviceInfo.subkeys)) {
        const std::string instancePath = devicePath + "\\" + instance;
        const std::string description =
            RegGetString(registry, plat::kHkeyLocalMachine, instancePath, "DeviceDesc").value_or("");
        if (description.empty() || !text::IEquals(description, name)) continue;

        anyInstanceMatched = true;
        AddTree(plat::kHkeyLocalMachine, instancePath);
        const std::string deviceClass = TrimmedValue(registry, plat::kHkeyLocalMachine, instancePath, "Driver");
        if (IsClassNameAndIndex(deviceClass)) {
          AddTree(plat::kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\Class\\" + deviceClass);
        }
      }
      // The device key goes with its last instance, after them.
      if (anyInstanceMatched) AddTree(plat::kHkeyLocalMachine, devicePath, true);
    }
  }
}
