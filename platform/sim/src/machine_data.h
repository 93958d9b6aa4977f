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
};

struct ResourceLibrary {
  std::string path;
  std::map<std::uint32_t, std::string> strings;
};

struct WindowEntry {
  std::uint64_t id = 0;
  std::string title;
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
  std::optional<std::string> text;     // wildcard over the box text
  std::optional<std::string> caption;  // wildcard over the caption
  int answer = 0;
};

struct Fault {
  std::string call;  // wildcard over "<Port>.<Method>"
  std::uint32_t error = 0;
  std::optional<std::string> match;  // wildcard over the main argument
  std::uint64_t skip = 0;
  std::optional<std::uint64_t> count;  // nullopt: every later call
};

struct MachineData {
  plat::OsVersion os;
  std::string computerName = "PC01";
  TokenState token;
  std::string program = "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe";
  std::map<std::string, FileEntry, text::ILessFn> files;
  std::map<std::string, ResourceLibrary, text::ILessFn> resourceLibraries;
  RegistryTree registry;
  std::map<std::string, ServiceEntry, text::ILessFn> services;
  std::vector<WindowEntry> windows;
  ClockState clock;
  std::vector<UiAnswer> answers;
  std::vector<Fault> faults;
  nlohmann::json journal = nlohmann::json::array();

  MachineData();
  bool IsNT() const { return os.platformId == plat::kPlatformNT; }
};

}  // namespace sim
