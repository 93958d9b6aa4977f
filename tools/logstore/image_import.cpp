#include "image_import.h"

namespace logimport {

namespace {

using nlohmann::json;

struct Fail {
  ImportError error;
};

[[noreturn]] void Throw(const std::string& where, const std::string& what) { throw Fail{{where, what}}; }

std::string Str(const json& j, const std::string& where) {
  if (!j.is_string()) Throw(where, "expected a text");
  return j.get<std::string>();
}

std::string ListText(const json& j, const std::string& where) {
  if (j.is_string()) return j.get<std::string>();
  if (!j.is_array()) Throw(where, "expected an array of entries or the list's text");
  std::string text;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string entry = Str(j[i], where + "/" + std::to_string(i));
    if (entry.empty() || entry.find('\n') != std::string::npos)
      Throw(where + "/" + std::to_string(i), "an entry is not empty and holds no line break");
    text += entry + "\n";
  }
  return text;
}

logstore::ComponentRecord Record(const json& j, const std::string& where) {
  if (!j.is_object()) Throw(where, "expected a component record");
  logstore::ComponentRecord record;
  for (const auto& [member, value] : j.items()) {
    const std::string at = where + "/" + member;
    if (member == "installed") {
      if (!value.is_boolean()) Throw(at, "expected true or false");
      record.installed = value.get<bool>();
    } else if (member == "properties") {
      if (!value.is_object()) Throw(at, "expected an object of texts by name");
      for (const auto& [name, text] : value.items()) {
        if (name.empty() || !record.properties.emplace(name, Str(text, at + "/" + name)).second)
          Throw(at + "/" + name, "a property name is empty or given twice (names ignore case)");
      }
    } else {
      std::size_t kind = 0;
      while (kind < logstore::kListKinds && logstore::kListNames[kind] != member) ++kind;
      if (kind == logstore::kListKinds) Throw(at, "not a member of a component record");
      record.lists[kind] = ListText(value, at);
    }
  }
  return record;
}

}  // namespace

ImportResult ImportInstallLog(const json& image) {
  logstore::LogStore store;
  if (!image.is_object() || !image.contains("installLog")) return store;
  const json& log = image["installLog"];
  try {
    if (!log.is_object()) Throw("/installLog", "expected an object");
    if (!log.contains("components")) return store;
    const json& components = log["components"];
    if (!components.is_object()) Throw("/installLog/components", "expected an object of records by key");
    for (const auto& [key, record] : components.items()) {
      const std::string where = "/installLog/components/" + key;
      if (key.empty()) Throw(where, "a component key is empty");
      if (!store.components().emplace(key, Record(record, where)).second)
        Throw(where, "the same component is given twice (keys ignore case)");
    }
  } catch (const Fail& f) {
    return f.error;
  }
  return store;
}

}  // namespace logimport
