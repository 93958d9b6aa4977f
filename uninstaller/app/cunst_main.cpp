#include "app/cunst_main.h"

#include <algorithm>
#include <utility>

#include "app/cmd_line.h"
#include "app/script_selection.h"
#include "components/component_remover.h"
#include "maker/maker_identity.h"
#include "platform/security_types.h"
#include "platform/text.h"
#include "platform/win_errors.h"
#include "platform/win_path.h"
#include "system/registry_helpers.h"

namespace {

const char kAppName[] = "drvpurge";
const char kUninstallCaption[] = "Uninstall";
const char kNoRightsText[] = "You do not have the authority to uninstall.\n\nProgram will abort.";
const char kNoResourcesText[] = "No translated resources available. Please check your installation.";
const char kDetectionFailedText[] =
    "The uninstaller cannot be run because a component of the uninstaller is missing.";
const char kScriptErrorCaption[] = "Script Uninstall Error";
const char kProgramWillAbort[] = "Program will abort.";
const char kNothingInstalledText[] =
    "There is nothing to uninstall.  Would you like to remove the uninstaller?";

}  // namespace

CUnstMain::CUnstMain(plat::Platform& platform)
    : deleter(platform.files, platform.registry, platform.spooler),
      printing{platform, osKind_, deleter, restartSpooler, drivers},
      drivers(printing),
      printers(printing),
      platform_(platform),
      osKind_(platform.osInfo) {
  // Locked files are collected for the spooler step from the start; the end
  // of the removal switches this off.
  deleter.collectMode = true;
  // The program goes at the end, once it has exited; no folder deleted on
  // the way takes it along.
  deleter.runningProgram = platform_.process.ModulePath();
}

CUnstMain::~CUnstMain() {
  JoinRemoval();
  FreeResourceDll();
}

void CUnstMain::SetArguments(std::vector<std::string> args) { args_ = std::move(args); }

int CUnstMain::AppMessageBox(const std::string& text, std::uint32_t flags) {
  return platform_.ui.ShowMessage(plat::kNoHandle, text, kAppName, flags);
}

bool CUnstMain::InitInstance() {
  exitCode = 0;
  // Three-dimensional dialog controls are what every supported system draws
  // anyway; there is nothing to switch on.

  CCmdLine cmdLine;
  cmdLine.Parse(args_);
  silent = cmdLine.silent;
  rebootMode = cmdLine.rebootMode;
  removeAll = cmdLine.removeAll;
  backButton = cmdLine.backButton;
  scriptFile = cmdLine.scriptFile;

  if (!IsAdministrator()) {
    if (!silent) {
      platform_.ui.ShowMessage(plat::kNoHandle, kNoRightsText, kUninstallCaption, plat::mb::IconError);
    }
    return false;
  }

  savedResourceHandle = resourceHandle;
  resourceDll = LoadResourceDll();
  if (resourceDll == plat::kNoHandle) {
    AppMessageBox(kNoResourcesText, plat::mb::IconError);
    return false;
  }
  // Only component display names come from the library; every other text is
  // built in.
  resourceHandle = resourceDll;

  const std::optional<std::size_t> componentCount = DetectComponents();
  if (!componentCount) {
    FreeResourceDll();
    AppMessageBox(kDetectionFailedText, plat::mb::IconError);
    return false;
  }
  BuildComponentTree();
  InventoryPrinting();
  FreeResourceDll();

  if (silent || removeAll || !scriptFile.empty()) {
    ScriptSelection script(platform_.files, scriptFile);
    if (!script.ApplyScript(items, printers, orphanDrivers)) {
      platform_.ui.ShowMessage(plat::kNoHandle, script.errorText + "\n" + kProgramWillAbort, kScriptErrorCaption,
                               plat::mb::IconError);
      return false;
    }
  }

  bool showWizard = true;
  if (*componentCount == 0 && !drivers.AnyMakerSet() && !silent) {
    const int answer = platform_.ui.ShowMessage(plat::kNoHandle, kNothingInstalledText, kUninstallCaption,
                                                plat::mb::YesNo | plat::mb::IconQuestion);
    if (answer != plat::mb::IdYes) return false;
    // The run goes on with nothing selected, which removes the uninstaller.
    showWizard = false;
  }
  if (!scriptFile.empty()) showWizard = false;

  if (silent) {
    RunSilent();
  } else {
    RunInteractive(showWizard);
  }
  return false;
}

int CUnstMain::ExitInstance() { return exitCode; }

bool CUnstMain::IsAdministrator() {
  // The 9x family has no accounts to check.
  if (IsWin9x(GetOsKind())) return true;

  // An impersonating thread acts with its own token; otherwise the process
  // token decides.
  std::vector<plat::Sid> groups;
  plat::WinError error = platform_.security.ThreadTokenGroups(&groups);
  if (error == winerr::NoToken) {
    groups.clear();
    error = platform_.security.ProcessTokenGroups(&groups);
  }
  if (error != winerr::Success) return false;

  const plat::Sid administrators = plat::MakeSid(5, {32, 544});
  return std::any_of(groups.begin(), groups.end(),
                     [&](const plat::Sid& sid) { return text::IEquals(sid, administrators); });
}

plat::Handle CUnstMain::LoadResourceDll() {
  // The library must come from the uninstaller's own directory; a program
  // path without one would let the loader search elsewhere, so it loads
  // nothing.
  const std::string programPath = platform_.process.ModulePath();
  const std::string_view programFile = winpath::LastComponent(programPath);
  if (programFile.size() == programPath.size()) return plat::kNoHandle;

  const std::string libraryPath =
      programPath.substr(0, programPath.size() - programFile.size()) + std::string(maker::kResourceLibrary);
  plat::Handle module = plat::kNoHandle;
  if (platform_.resources.Load(libraryPath, &module) != winerr::Success) return plat::kNoHandle;
  return module;
}

void CUnstMain::FreeResourceDll() {
  if (resourceDll != plat::kNoHandle) {
    platform_.resources.Close(resourceDll);
    resourceDll = plat::kNoHandle;
    resourceHandle = savedResourceHandle;
  }
}

ComponentContext CUnstMain::Components() {
  return ComponentContext{platform_, osKind_, deleter, printers, drivers, removeAll};
}

std::optional<std::size_t> CUnstMain::DetectComponents() {
  plat::InstallLog& log = platform_.installLog;
  if (!log.InitializeOle().ok()) return std::nullopt;
  std::optional<std::size_t> count;
  try {
    ComponentRemover remover(Components());
    count = remover.FillCatalogue(items, resourceHandle);
  } catch (const InstallLogError&) {
    // No server, or one that failed a call: the catalogue cannot be trusted,
    // and start-up says a part of the uninstaller is missing.
  }
  log.UninitializeOle();
  return count;
}

void CUnstMain::BuildComponentTree() { componentTree.Build(items); }

void CUnstMain::InventoryPrinting() {
  // The maker's sets are known before the printers are read, and the
  // printers before the orphans: a set is an orphan when no printer uses it.
  drivers.Build();
  drivers.RecognizeMakerSets(InstallDirectory() + "\\" + std::string(maker::kModelListFile));
  printers.Build();
  drivers.AttachPrinters(printers);
  drivers.CollectOrphanDrivers(orphanDrivers);
}

std::string CUnstMain::InstallDirectory() {
  return RegGetString(platform_.registry, plat::kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                      "ProgramFilesDir")
             .value_or("") +
         "\\" + std::string(maker::kInstallSubdirectory);
}
