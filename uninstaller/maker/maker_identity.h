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

// ---- The software components and their removers ------------------------------
// Install-log keys of the components whose removers do more than drop what
// the installer logged, and of the parts they look at.
namespace component {
inline constexpr std::string_view kScheduler = "Scheduler";
inline constexpr std::string_view kStatusWindow = "StatusWindow";
inline constexpr std::string_view kDriverConfigTool = "DrvCfgTool";
inline constexpr std::string_view kKestrion = "Kestrion";
inline constexpr std::string_view kOpenView = "HPOpenView";
inline constexpr std::string_view kServerAgent = "ServerAgent";
inline constexpr std::string_view kEventAgent = "tivoli";
inline constexpr std::string_view kPlugNPrint = "PlugNPrint";
inline constexpr std::string_view kUninstaller = "Uninstaller";
inline constexpr std::string_view kKsinetClient = "KSINETClient";
inline constexpr std::string_view kKsinetServer = "KSINETServer";
inline constexpr std::string_view kKsinetMessenger = "KSINETSrvKSMessenger";
inline constexpr std::string_view kKsinetWebClient = "KSINETSrvWebClient";
inline constexpr std::string_view kKsinetWdpOnly = "KSINETSrvWDPOnly";
inline constexpr std::string_view kOpenViewSnapIn = "SnapInsHPOpenView";
inline constexpr std::string_view kUnicenterSnapIn = "SnapInsUnicenter";
inline constexpr std::string_view kBidi = "Bidi";
// Parts the management application brings along, removed with it.
inline constexpr std::string_view kSounds = "Sounds";
inline constexpr std::string_view kNetView = "NetView";
inline constexpr std::array<std::string_view, 3> kKestrionPlatformParts = {"managewise", "unicenter", "nwadmin"};
// The web-server add-in of the intranet server.
inline constexpr std::string_view kWebServerAddIn = "MSIIS";
// The uninstaller's own files, kept when the scheduler's base directory is
// cleared.
inline constexpr std::string_view kUninstallerFiles = "UninstallerBREVIK";
}  // namespace component

// Named properties of a component's record.
inline constexpr std::string_view kBaseDirProperty = "BaseDir";
inline constexpr std::string_view kSchedulerTypeProperty = "SchedulerType";
inline constexpr std::string_view kSchedulerTaskProperty = "SchedulerTaskName";

// The web update: how the scheduler starts it at log-on ("3"), as a job of
// the network scheduling service ("2") or as a Task Scheduler task ("1").
inline constexpr std::string_view kSchedulerAtLogOn = "3";
inline constexpr std::string_view kSchedulerAtJob = "2";
inline constexpr std::string_view kSchedulerTask = "1";
inline constexpr std::string_view kRunKey = "software\\microsoft\\windows\\CurrentVersion\\Run";
inline constexpr std::string_view kWebUpdateRunValue = "VorWebUpdate";
inline constexpr std::string_view kWebUpdateKey = "software\\vorkast\\web_update";
inline constexpr std::string_view kWebUpdateDirValue = "InstallDir";
inline constexpr std::string_view kWebUpdateLanguagesValue = "Languages";
// The job's command: InstallDir, this middle, the languages text after the
// switches. The doubled backslash is the installer's; it is collapsed with
// any other before comparing.
inline constexpr std::string_view kWebUpdateProgram = "\\InstallWeb\\\\InstallWeb.exe /S /L:";
// The Task Scheduler's agent: its hidden window, and the program that
// brings it up when the window is missing.
inline constexpr std::string_view kTaskAgentWindowClass = "SAGEWINDOWCLASS";
inline constexpr std::string_view kTaskAgentWindowTitle = "SYSTEM AGENT COM WINDOW";
inline constexpr std::string_view kTaskAgentProgram = "mstask.exe";

// Driver Profiler libraries that another product may still use.
inline constexpr std::array<std::string_view, 2> kProfileLibraries = {"VORCFI.DLL", "VORCFI16.DLL"};
inline constexpr std::string_view kProfilerMenuOrderKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\Start Menu\\&Programs\\Vorkast";
inline constexpr std::string_view kProfilerMenuOrderValue = "Driver Profiler";

// Plug and Print's agent service and the service host it runs in.
inline constexpr std::string_view kPnpAgentService = "VorPnPAgent";
inline constexpr std::string_view kPnpAgentProgram = "vorpnpagent.exe";
inline constexpr std::string_view kServiceHostProgram = "vorsvcsp.exe";
inline constexpr std::string_view kPnpAgentUnregister = " -u";
inline constexpr std::string_view kPnpAgentHostArgument = " vorpnpagent";

// The event agent's unregistering commands and its settings file in the
// system directory.
inline constexpr std::string_view kEventAgentUnregister = "vorevnts.exe -u";
inline constexpr std::string_view kEventAgentHostUnregister = "vorsvcsp.exe vorevnts";
inline constexpr std::string_view kEventAgentSettingsFile = "VorEvnts.ini";

// The server agent's switch, set off before its files go.
inline constexpr std::string_view kServerAgentKey = "SOFTWARE\\Vorkast\\Kestrion\\KSServer";
inline constexpr std::string_view kServerAgentEnableValue = "Enable Kestrion Server?";

// The management application's Start-menu folder, on the current drive.
inline constexpr std::string_view kKestrionMenuFolder = "\\BREVIK\\Kestrion";

// The intranet client and its own uninstaller, below its install directory.
inline constexpr std::string_view kKsinetClientKey = "Software\\Vorkast\\Kestrion for Intranets";
inline constexpr std::string_view kKsinetClientDirValue = "Install_Dir";
inline constexpr std::string_view kKsinetClientUninstaller = "\\UninstallerData\\Uninstall Kestrion.exe";

// The intranet server, its services and the web-server add-in's library.
inline constexpr std::string_view kKsinetServerKey = "SOFTWARE\\Vorkast\\Kestrion Server";
inline constexpr std::string_view kKsinetServerDirValue = "InstalledBaseDirectory";
inline constexpr std::string_view kUnregisterServerCommand = "regsvr32.exe /s /u";
inline constexpr std::string_view kWebServerAddInLibrary = "\\asp\\combce.dll";
inline constexpr std::string_view kKsServiceUninstall = "VorKsService -uninstall";
inline constexpr std::string_view kWebServiceUninstall = "VorWebService -uninstall";
inline constexpr std::string_view kWebServiceStop = "VorWebService -stop";
inline constexpr std::string_view kWebServiceStart = "VorWebService -start";

// The bidirectional-communication library among the Bidi component's files
// (matched in lower case).
inline constexpr std::string_view kBidiLibrary = "vorbce.dll";

}  // namespace maker
