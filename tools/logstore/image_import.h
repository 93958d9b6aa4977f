// A machine image's "installLog" member as the server's store, so that a run
// on Windows starts from the same log as a run on the sim. The member reads
// as the sim reads it: components by key, each with "installed",
// "properties" and the seven lists, a list given as an array of entries or
// as its exact text.
#pragma once
#include <string>
#include <variant>

#include <nlohmann/json.hpp>

#include "log_store.h"

namespace logimport {

// Why the image could not be imported: where in the image and what is wrong.
struct ImportError {
  std::string where;
  std::string what;
};

using ImportResult = std::variant<logstore::LogStore, ImportError>;

// `image` is the whole machine image; without an "installLog" member the log
// is empty.
[[nodiscard]] ImportResult ImportInstallLog(const nlohmann::json& image);

}  // namespace logimport
