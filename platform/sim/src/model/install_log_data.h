// The install log as the simulated machine holds it: the records the maker's
// installers left with the install-log server, one per component key.
#pragma once
#include <array>
#include <cstddef>
#include <map>
#include <string>

#include "platform/text.h"

namespace sim {

// One component's record. Each list is kept as the server's text (entries
// each ended by "\n"), so that an image can also hand the uninstaller a
// malformed text.
struct LoggedComponent {
  static constexpr std::size_t kKinds = 7;  // plat::logkind 0..6
  bool installed = true;
  std::array<std::string, kKinds> lists;
  std::map<std::string, std::string, text::ILessFn> properties;
};

struct InstallLogData {
  // False: no server is registered, and creating it fails with
  // REGDB_E_CLASSNOTREG. An image without a log has a server with no records.
  bool registered = true;
  // The file in which the server keeps the log.
  std::string storePath;
  std::map<std::string, LoggedComponent, text::ILessFn> components;
};

// The image's member names of the seven lists, by kind.
inline constexpr std::array<const char*, LoggedComponent::kKinds> kLogListNames = {
    "children", "files", "directories", "registryValues", "registryKeys", "shellItems", "lateShellItems"};

}  // namespace sim
