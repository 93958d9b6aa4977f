// Everything a machine image describes, as plain data. The loader builds one
// of these completely before a machine exists, so a bad image never leaves a
// half-loaded machine; the saver writes it back in the same shape.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/os_info.h"
#include "platform/security_types.h"
#include "platform/text.h"
#include "driver_table.h"
#include "file_table.h"
#include "install_log_data.h"
#include "printer_table.h"
#include "program_data.h"
#include "registry_tree.h"

namespace sim {

// "c:/dir//x\\" -> "c:\\dir\\x": one spelling for the forms Windows accepts
// for the same file path (the keys of the file and library tables).
std::string NormalizeFilePath(std::string_view path);

struct TokenState {
  plat::Sid user;
  // nullopt: the thread is not impersonating (ERROR_NO_TOKEN).
  std::optional<std::vector<plat::Sid>> thread;
  std::vector<plat::Sid> process;
  // Privileges the token holds; nullopt: every privilege.
  std::optional<std::vector<std::string>> privileges;
  std::vector<std::string> enabledPrivileges;

  // The identities an access check looks at: the user and the groups of the
  // thread token when there is one, else of the process token.
  std::vector<plat::Sid> AccessSids() const;
  bool Holds(const plat::Sid& sid) const;
  bool IsAdministrator() const;
};

struct OnStop {
  enum class Kind { Stops, Refuses, Pending, Hangs };
  Kind kind = Kind::Stops;
  std::uint32_t seconds = 0;  // for Pending and Hangs
  bool operator==(const OnStop&) const = default;
};

struct ServiceEntry {
  std::string name;
  std::uint32_t state = 1;  // svc::Stopped
  OnStop onStop;
  std::string displayName;
  std::string imagePath;
  std::uint32_t startType = 3;  // demand start
  // Virtual milliseconds at which a stop-pending service reaches "stopped".
  std::optional<std::uint64_t> stopsAt;
};

struct FileEntry {
  std::string path;
  std::uint32_t attributes = 0x20;  // archive
  std::optional<std::string> content;
  // The 8.3 alternate name; empty when the long name is already 8.3. Fixed
  // when the entry is created, as a file system does, so it never shifts
  // when siblings come and go.
  std::string shortName;
  // Held open by somebody for good ("locked": true), or by a service until
  // that service stops ("lockedBy": "spooler").
  bool locked = false;
  std::string lockedBy;
  // Windows File Protection guards it ("protected": true; 2000 and later).
  bool isProtected = false;
  // The company its version resource names; none when the file carries no
  // version information, empty when the resource names no company.
  std::optional<std::string> company;
  bool IsDirectory() const { return (attributes & 0x10) != 0; }
};

struct PrintProcessorEntry {
  std::string name;
  std::string environment;
  std::string dll;
};

struct LibraryEntry {
  std::string path;  // full path, or a bare name for a system library
  std::vector<std::string> exports;
  // For the bidi library: what its BceUninstallLCS answers (0 when unset).
  std::optional<std::int32_t> uninstallStatus;
};

struct ResourceLibrary {
  std::string path;
  std::map<std::uint32_t, std::string> strings;
};

struct WindowEntry {
  std::uint64_t id = 0;
  std::string title;
  // The window class FindWindow compares; empty: none given.
  std::string className;
  std::uint32_t process = 0;
  bool hung = false;
  // WM_QUERYENDSESSION answers FALSE.
  bool refusesEndSession = false;
};

struct ClockState {
  std::int64_t startNow = 1796000000;
  std::uint32_t startTick = 0;
  std::uint64_t elapsedMs = 0;
};

struct UiAnswer {
  // The dialog answered ("wizard", "wait", "completion"); none for a message
  // box.
  std::optional<std::string> dialog;
  std::optional<std::string> text;     // wildcard over the box text
  std::optional<std::string> caption;  // wildcard over the caption
  int answer = 0;
  // For the wait dialog: the whole second at which the user presses Cancel.
  std::optional<std::uint64_t> afterSeconds;
  // For the wizard: the tree's labels whose boxes are clicked, in order,
  // before the answer's button.
  std::vector<std::string> tick;
};

struct Fault {
  std::string call;  // wildcard over "<Port>.<Method>"
  std::uint32_t error = 0;
  std::optional<std::string> match;  // wildcard over the main argument
  std::uint64_t skip = 0;
  std::optional<std::uint64_t> count;  // nullopt: every later call
  // The call runs out of memory: it raises std::bad_alloc instead of
  // returning `error`.
  bool raises = false;
};

struct MachineData {
  plat::OsVersion os;
  std::string computerName = "PC01";
  TokenState token;
  std::string program = "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe";
  // Set by images the sim saved: "files" lists every file, so loading adds
  // no implied driver files or standard directories.
  bool filesComplete = false;
  FoldedTable<FileEntry> files;
  std::map<std::string, ResourceLibrary, text::ILessFn> resourceLibraries;
  RegistryTree registry;
  std::map<std::string, ServiceEntry, text::ILessFn> services;
  std::vector<WindowEntry> windows;
  ClockState clock;
  std::vector<UiAnswer> answers;
  std::vector<Fault> faults;
  PrinterTable printers;
  DriverTable drivers;
  std::vector<PrintProcessorEntry> printProcessors;
  // win.ini: section -> key -> value.
  std::map<std::string, std::map<std::string, std::string, text::ILessFn>, text::ILessFn> winIni;
  std::map<std::string, LibraryEntry, text::ILessFn> libraries;
  // What the maker's archive lister reports for each archive.
  std::map<std::string, std::vector<std::string>, text::ILessFn> zipArchives;
  // The install-log server and its records.
  InstallLogData installLog;
  // Overrides of the directories the OS decides ("windows", "temp", "current").
  std::string windowsDirectory;
  std::string tempDirectory;
  std::string currentDirectory;
  // Directories of the PATH variable, searched after the standard ones.
  std::vector<std::string> searchPath;
  // Outside programs and scheduled work.
  std::vector<CommandRule> commands;
  std::vector<ScheduledJobEntry> scheduledJobs;
  TaskSchedulerState scheduledTasks;
  nlohmann::json journal = nlohmann::json::array();

  MachineData();
  bool IsNT() const { return os.platformId == plat::kPlatformNT; }
  // Windows 2000 and XP (NT 5.x).
  bool IsNT5() const { return IsNT() && os.major == 5; }
};

}  // namespace sim
