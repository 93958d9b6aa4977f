// Who the maker is, as the uninstaller meets it on a machine: the company
// and brand words, the registry keys its installers write, the files and
// services of its software, and the names of the uninstaller's own files.
// Every other file refers to these entries, so that a name is spelled once
// and a rebranded edition changes this table alone.
//
// Registry paths keep the spelling the installers use for each key; the
// registry compares names without case, so spellings may differ between
// entries without naming different keys.
#pragma once
#include <array>
#include <string_view>

namespace maker {

// ---- Company and brand words ------------------------------------------------
// A word of a file's company text that marks it as the maker's: the maker
// itself and the brand under which this edition ships its drivers.
inline constexpr std::array<std::string_view, 2> kCompanyWords = {"Vorkast", "BREVIK"};

// ---- Registry (all under HKEY_LOCAL_MACHINE unless noted) -------------------
// The root of everything the maker's installers wrote; the key trees whose
// access lists are rewritten before deleting in them.
inline constexpr std::string_view kSoftwareKey = "Software\\Vorkast";
// Install records: one "UnstDir<brand>" value per brand's uninstaller.
inline constexpr std::string_view kInstallKey = "SOFTWARE\\Vorkast\\Install";
// This edition's own value under kInstallKey: the directory of its archives.
inline constexpr std::string_view kOwnUninstallDirValue = "UnstDirBREVIK";
// What every brand's value name under kInstallKey holds, in capitals.
inline constexpr std::string_view kUninstallDirValueMark = "UNSTDIR";
// One subkey per driver name, written by the driver setup.
inline constexpr std::string_view kDriverSetupKey = "SOFTWARE\\VORKAST\\DRIVERSETUP";
// Per-printer settings of the default user, under HKEY_USERS.
inline constexpr std::string_view kDefaultUserPrintersKey = ".DEFAULT\\SOFTWARE\\VORKAST\\PRINTERS";

// ---- The maker's run-time files and services --------------------------------
// Libraries several of the maker's products share; the 9x family keeps them
// in the system directory, where another product may still need them.
inline constexpr std::array<std::string_view, 4> kSharedFiles = {"VORCFI.DLL", "VORCFI16.DLL", "VORLOG.DLL",
                                                                 "VORLOGSERVER.EXE"};
// The library that lists the members of a driver archive; it lies in the
// directory named by kOwnUninstallDirValue.
inline constexpr std::string_view kZipListerLibrary = "ptzipw32.dll";
// The bidirectional-communication service, stopped with the spooler while
// locked files are retried.
inline constexpr std::string_view kBidiService = "vorbces";

// The driver files of the maker's two driver families, by kind of driver:
// NT 4.0 kernel-mode (version 2), user-mode (version 3), and 9x.
struct FamilyDriverFiles {
  std::array<std::string_view, 2> version2;
  std::array<std::string_view, 2> version3;
  std::array<std::string_view, 2> version9x;
};
// Unused slots are empty and match no file.
inline constexpr FamilyDriverFiles kPclDriverFiles{{"vkpclna.dll"}, {"vkpcl2a.dll"}, {"vkpcl5c.drv", "vkpcl5d.drv"}};
inline constexpr FamilyDriverFiles kPostScriptDriverFiles{{"vorpsnt.dll"}, {"vorpsnt3.dll"}, {"vorps.drv"}};

// ---- The uninstaller's own files ---------------------------------------------
// Below the Program Files directory: where the uninstaller and the model
// list are installed.
inline constexpr std::string_view kInstallSubdirectory = "BREVIK\\Install";
// The model list, in the install directory.
inline constexpr std::string_view kModelListFile = "Drivers.ini";
// The translated-resource library, beside the uninstaller.
inline constexpr std::string_view kResourceLibrary = "SETUPUI.DLL";
// The batch file that removes directories at the next log-on on the 9x
// family, the temporary copy it is rewritten through, and the run-once
// value that starts it.
inline constexpr std::string_view kRebootBatchPath = "c:\\unsttmp0.bat";
inline constexpr std::string_view kRebootBatchCopyPath = "c:\\unsttmp1.bat";
inline constexpr std::string_view kRebootBatchRunOnceValue = "VorTmpDelBat";

}  // namespace maker
