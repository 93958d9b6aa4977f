// The nine commands the extension can offer, in menu order: their bits in the
// item set, their command offsets, string numbers and texts, the family code
// that asks for each uninstaller and the registry value naming it. One table,
// read by the menu, the command strings, the handlers and the resource script.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace shellext {

struct MenuItem {
  std::uint32_t bit;
  std::uint32_t offset;
  std::uint32_t menuStringId;
  std::string_view menuText;
  std::uint32_t helpStringId;
  std::string_view helpText;
  std::uint32_t familyCode;         // 0: a profile item
  std::string_view registryValue;   // empty for the profile items
  std::string_view handlerTrace;
};

inline constexpr std::uint32_t kExportBit = 0x001;
inline constexpr std::uint32_t kImportBit = 0x002;
inline constexpr std::uint32_t kMakerUninstallBit = 0x004;
inline constexpr std::uint32_t kGenericUninstallBit = 0x008;
inline constexpr std::uint32_t kAllItems = 0x1FF;
inline constexpr std::uint32_t kLastOffset = 8;
inline constexpr std::uint32_t kFirstUninstallOffset = 2;
inline constexpr std::size_t kUninstallItems = 7;

inline constexpr std::array<MenuItem, 9> kMenuItems{{
    {0x001, 0, 101, "&Export Profile...", 501, "Export the printer data into a profile.", 0, "",
     "CShellExt::DoPrinterMenuExportProfile()\r\n"},
    {0x002, 1, 100, "&Import Profile...", 500, "Import a profile into the printer.", 0, "",
     "CShellExt::DoPrinterMenuImportProfile()\r\n"},
    {0x004, 2, 110, "&Vorkast Software Uninstall...", 510, "Run the Vorkast printer software uninstall program.", 2,
     "Executable", "CShellExt::DoPrinterMenuUninstallVor()\r\n"},
    {0x008, 3, 111, "&Printer Software Uninstall...", 511, "Run the printer software uninstall program.", 3,
     "Executable_OEM", "CShellExt::DoPrinterMenuUninstallOEM()\r\n"},
    {0x010, 4, 112, "&Sundara Software Uninstall...", 512, "Run the Sundara printer software uninstall program.", 4,
     "Executable_Sundara", "CShellExt::DoPrinterMenuUninstallOEMSundara()\r\n"},
    {0x020, 5, 113, "B&REVIK Software Uninstall...", 513, "Run the BREVIK printer software uninstall program.", 6,
     "Executable_BREVIK", "CShellExt::DoPrinterMenuUninstallOEMBREVIK()\r\n"},
    {0x040, 6, 114, "Tal&mor Software Uninstall...", 514, "Run the Talmor printer software uninstall program.", 7,
     "Executable_Talmor", "CShellExt::DoPrinterMenuUninstallOEMTalmor()\r\n"},
    {0x080, 7, 115, "Vorkast &Q250c Uninstall...", 515, "Run the Vorkast Q250c printer uninstall program.", 8,
     "Executable_Q250c", "CShellExt::DoPrinterMenuUninstallCertifiedQ250()\r\n"},
    {0x100, 8, 116, "Vorkast &Document Distributor Printer Uninstall...", 516,
     "Run the Vorkast Document Distributor printer uninstall program.", 9, "Executable_VDD",
     "CShellExt::DoPrinterMenuUninstallVDD()\r\n"},
}};

// The uninstall item a family code asks for; none for code 5 and codes
// outside 2 to 9.
inline const MenuItem* ItemForFamily(std::uint32_t familyCode) {
  if (familyCode < 2 || familyCode > 9) return nullptr;
  for (const auto& item : kMenuItems)
    if (item.familyCode == familyCode) return &item;
  return nullptr;
}

inline constexpr std::string_view kUninstallKey = "SOFTWARE\\Vorkast\\Uninstall";
inline constexpr std::string_view kProfileLibraryName = "VORCFI.DLL";
inline constexpr std::string_view kAddPrinterObject = "WinUtils_NewObject";
inline constexpr std::string_view kFriendlyNameFormat = "PrinterFriendlyName";

}  // namespace shellext
