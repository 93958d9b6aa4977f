// The image's "installLog" member: the install-log server's records.
//
//   "installLog": {
//     "storePath": "C:\\Program Files\\BREVIK\\vorlog.dat",
//     "components": {
//       "Install": { "children": ["Kestrion", "Printer"] },
//       "Kestrion": { "files": ["C:\\...\\ks.exe"], "properties": { "BaseDir": "C:\\..." } }
//     }
//   }
//
// A list is an array of entries, or a string handed to the uninstaller as
// the server's text exactly (for malformed texts). Without the member the
// server is registered and holds no records; "registered": false leaves the
// machine without a server.
#include "image_load.h"
#include "model/journal.h"

namespace sim {

namespace {

std::string ReadLogList(const json& j, const std::string& path) {
  if (j.is_string()) return j.get<std::string>();
  if (!j.is_array()) Fail(path, "expected an array of entries or the list's text, found " + KindOf(j));
  std::string text;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string entry = ReadString(j[i], Child(path, std::to_string(i)));
    if (entry.empty() || entry.find('\n') != std::string::npos)
      Fail(Child(path, std::to_string(i)), "an entry is not empty and holds no line break; give the list as text");
    text += entry + "\n";
  }
  return text;
}

LoggedComponent ReadComponent(const json& j, const std::string& path) {
  ExpectObject(j, path,
               {"installed", "properties", "children", "files", "directories", "registryValues", "registryKeys",
                "shellItems", "lateShellItems"});
  LoggedComponent c;
  if (j.contains("installed")) c.installed = ReadBool(j["installed"], Child(path, "installed"));
  for (std::size_t kind = 0; kind < LoggedComponent::kKinds; ++kind) {
    const char* name = kLogListNames[kind];
    if (j.contains(name)) c.lists[kind] = ReadLogList(j[name], Child(path, name));
  }
  if (j.contains("properties")) {
    const json& props = j["properties"];
    const std::string pPath = Child(path, "properties");
    if (!props.is_object()) Fail(pPath, "expected an object of texts by name, found " + KindOf(props));
    for (const auto& [name, value] : props.items()) {
      if (c.properties.count(name)) Fail(Child(pPath, name), "the same property is given twice (names ignore case)");
      c.properties.emplace(name, ReadString(value, Child(pPath, name)));
    }
  }
  return c;
}

// A list goes back as entries when the text splits into them exactly.
json LogListJson(const std::string& text) {
  json entries = json::array();
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos || end == start) return ValidUtf8(text);
    entries.push_back(ValidUtf8(text.substr(start, end - start)));
    start = end + 1;
  }
  return entries;
}

}  // namespace

void LoadInstallLog(const json& j, const std::string& path, MachineData& d) {
  ExpectObject(j, path, {"registered", "storePath", "components"});
  d.installLog.registered = j.contains("registered") ? ReadBool(j["registered"], Child(path, "registered")) : true;
  if (j.contains("storePath")) d.installLog.storePath = ReadString(j["storePath"], Child(path, "storePath"));
  if (j.contains("components")) {
    const json& comps = j["components"];
    const std::string cPath = Child(path, "components");
    if (!comps.is_object()) Fail(cPath, "expected an object of records by component key, found " + KindOf(comps));
    for (const auto& [key, record] : comps.items()) {
      if (key.empty()) Fail(Child(cPath, key), "a component key is not empty");
      if (d.installLog.components.count(key))
        Fail(Child(cPath, key), "the same component is given twice (keys ignore case)");
      d.installLog.components.emplace(key, ReadComponent(record, Child(cPath, key)));
    }
  }
}

void SaveInstallLog(const MachineData& d, json& image) {
  const InstallLogData& log = d.installLog;
  if (log.registered && log.storePath.empty() && log.components.empty()) return;
  json out{{"registered", log.registered}};
  if (!log.storePath.empty()) out["storePath"] = ValidUtf8(log.storePath);
  json comps = json::object();
  for (const auto& [key, c] : log.components) {
    json record = json::object();
    if (!c.installed) record["installed"] = false;
    for (std::size_t kind = 0; kind < LoggedComponent::kKinds; ++kind)
      if (!c.lists[kind].empty()) record[kLogListNames[kind]] = LogListJson(c.lists[kind]);
    if (!c.properties.empty()) {
      json props = json::object();
      for (const auto& [name, value] : c.properties) props[ValidUtf8(name)] = ValidUtf8(value);
      record["properties"] = std::move(props);
    }
    comps[ValidUtf8(key)] = std::move(record);
  }
  out["components"] = std::move(comps);
  image["installLog"] = std::move(out);
}

}  // namespace sim
