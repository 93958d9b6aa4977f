// The kinds of trap the machine generator can lay beside the maker's objects,
// each behind a switch. A switch is off only while the uninstaller still
// falls into that trap; its note names the fault, so that the switch can be
// turned on in the commit that mends it. DP_PROPERTY_HAZARDS turns switches
// on for a local run: "all" or names, joined with commas; "-name" turns one
// off again.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace property {

enum class Hazard : std::size_t {
  SharedFileCase,       // another maker's driver lists the maker's file names in another case
  FamilyFileClone,      // another maker's driver built on the maker's driver file, under an unlisted name
  ZipDoubleMembers,     // the archive lister reports each member twice, in two cases
  ForeignConnection,    // connections to other servers beside local printers
  TrailingDotNames,     // "X." on one side and "X" on the other: one file on Windows
  ZipMemberShared,      // another maker's driver lists a member of the maker's archive
  StaleZipList,         // the lister fails and an old member list lies beside the archive
  ShortInstanceId,      // a "DeviceInstanceID" of one or two parts
  ShortClassDriver,     // a "Driver" value that is only the class GUID
  LegacyShortDriver,    // on the 9x family, a "Driver" value that is only the class name
  LegacyDeviceDesc,     // on the 9x family, another maker's device described by the maker's printer's name
  PooledPort,           // another maker's printer on "USB001,USB002"
  PortCase,             // another maker's printer on "usb001"
  LongIniHeader,        // a section header in the model list longer than a line may be
  PrinterListFails,     // the printer enumeration fails after the drivers were listed
  NoDependentList,      // another maker's driver without a dependent-file list
  ConnectionCollapse,   // a connection "\\SRV\Q" beside a local printer "SRV" with a key "Q"
  KeyDescriptors,       // every key that survives keeps the access list it had
  DefaultUnreadable,    // the default printer cannot be read; another maker's is the default
  Companions,           // another maker's driver lists the ".GID"/".BPD" beside a maker's file
  ForeignProcessor,     // the maker's printer prints through another maker's print processor
  ProcessorCase,        // another maker's printer names the maker's print processor in another case
  PrinterDriverCase,    // a printer names its driver in another case than the spooler lists it
  SystemCopies,         // system-directory files that Windows protects or another company made
  DriveRoot,            // a driver naming "C:\" as a file
  Count
};

struct HazardSwitch {
  Hazard hazard;
  const char* name;
  bool on;
  const char* fault;  // why it is off; empty when on
};

inline constexpr std::array<HazardSwitch, static_cast<std::size_t>(Hazard::Count)> kHazards = {{
    {Hazard::SharedFileCase, "shared-file-case", true, ""},
    {Hazard::FamilyFileClone, "family-file-clone", true, ""},
    {Hazard::ZipDoubleMembers, "zip-double-members", true, ""},
    {Hazard::ForeignConnection, "foreign-connection", true, ""},
    {Hazard::TrailingDotNames, "trailing-dot-names", true, ""},
    {Hazard::ZipMemberShared, "zip-member-shared", true, ""},
    {Hazard::StaleZipList, "stale-zip-list", true, ""},
    {Hazard::ShortInstanceId, "short-instance-id", true, ""},
    {Hazard::ShortClassDriver, "short-class-driver", true, ""},
    {Hazard::LegacyShortDriver, "legacy-short-driver", true, ""},
    {Hazard::LegacyDeviceDesc, "legacy-device-desc", false,
     "on the 9x family a device is the printer's when its description equals the printer's name: "
     "kept on purpose, the description is the only link Windows 98 gives (docs/printing.md)"},
    {Hazard::PooledPort, "pooled-port", true, ""},
    {Hazard::PortCase, "port-case", true, ""},
    {Hazard::LongIniHeader, "long-ini-header", true, ""},
    {Hazard::PrinterListFails, "printer-list-fails", true, ""},
    {Hazard::NoDependentList, "no-dependent-list", true, ""},
    {Hazard::ConnectionCollapse, "connection-collapse", true, ""},
    {Hazard::KeyDescriptors, "key-descriptors", true, ""},
    {Hazard::DefaultUnreadable, "default-unreadable", true, ""},
    {Hazard::Companions, "companions", true, ""},
    {Hazard::ForeignProcessor, "foreign-processor", true, ""},
    {Hazard::ProcessorCase, "processor-case", true, ""},
    {Hazard::PrinterDriverCase, "printer-driver-case", true, ""},
    {Hazard::SystemCopies, "system-copies", true, ""},
    {Hazard::DriveRoot, "drive-root", true, ""},
}};

class HazardSet {
 public:
  // The committed switches, with DP_PROPERTY_HAZARDS applied.
  static HazardSet FromEnvironment();
  static HazardSet Only(Hazard hazard);
  static HazardSet None() { return HazardSet(); }

  bool Has(Hazard h) const { return on_[static_cast<std::size_t>(h)]; }
  void Set(Hazard h, bool value) { on_[static_cast<std::size_t>(h)] = value; }
  // The names of the switches that are on, joined with commas.
  std::string Names() const;

 private:
  std::array<bool, static_cast<std::size_t>(Hazard::Count)> on_{};
};

const HazardSwitch& SwitchOf(Hazard hazard);
const HazardSwitch* SwitchNamed(std::string_view name);

}  // namespace property
