#include <set>

#include "image_load.h"
#include "platform/text.h"

namespace sim {

namespace {
plat::Acl ReadAcl(const json& j, const std::string& path) {
  plat::Acl acl;
  if (j.is_null()) {  // a null DACL: everybody may do everything
    acl.present = false;
    return acl;
  }
  if (!j.is_array()) Fail(path, "expected an array of access entries or null, found " + KindOf(j));
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string acePath = Child(path, std::to_string(i));
    const json& e = j[i];
    ExpectObject(e, acePath, {"type", "sid", "mask", "flags"});
    for (const char* required : {"type", "sid", "mask"})
      if (!e.contains(required)) Fail(Child(acePath, required), "missing");
    plat::Ace ace;
    const std::string type = ReadString(e["type"], Child(acePath, "type"));
    if (text::IEquals(type, "allow"))
      ace.type = plat::kAceAccessAllowed;
    else if (text::IEquals(type, "deny"))
      ace.type = plat::kAceAccessDenied;
    else
      Fail(Child(acePath, "type"), "expected \"allow\" or \"deny\", found \"" + type + "\"");
    ace.sid = ReadSid(e["sid"], Child(acePath, "sid"));
    ace.mask = ReadKeyMask(e["mask"], Child(acePath, "mask"));
    if (e.contains("flags")) ace.flags = ReadAceFlags(e["flags"], Child(acePath, "flags"));
    acl.aces.push_back(ace);
  }
  return acl;
}
}  // namespace

void LoadRegistry(const json& registry, const std::string& path, RegistryTree* out) {
  if (!registry.is_object()) Fail(path, "expected an object of keys by full path, found " + KindOf(registry));
  // Two spellings of one key would silently merge; refuse them instead.
  std::set<std::string, text::ILessFn> seen;
  for (const auto& [fullPath, key] : registry.items()) {
    const std::string keyPath = Child(path, fullPath);
    const auto parsed = ParseFullKeyPath(fullPath);
    if (!parsed) {
      const std::string root = fullPath.substr(0, fullPath.find('\\'));
      if (plat::RootFromName(root) == 0)
        Fail(keyPath, "unknown root '" + root + "' (HKLM, HKCU, HKCR, HKU, HKCC or their long names)");
      Fail(keyPath, "empty key name in path (doubled or trailing backslash)");
    }
    std::string canonical = RegistryTree::ShortRootName(parsed->root);
    for (const auto& part : parsed->parts) canonical += "\\" + part;
    if (!seen.insert(canonical).second) Fail(keyPath, "the same key is listed twice (names ignore case)");

    ExpectObject(key, keyPath, {"values", "acl", "owner", "class"});
    RegNode& node = out->CreateKey(*parsed);
    if (key.contains("values")) {
      const json& values = key["values"];
      const std::string valuesPath = Child(keyPath, "values");
      if (!values.is_object()) Fail(valuesPath, "expected an object of values by name, found " + KindOf(values));
      for (const auto& [name, value] : values.items()) {
        const std::string valuePath = Child(valuesPath, name);
        if (node.values.count(name)) Fail(valuePath, "the same value is listed twice (names ignore case)");
        node.values.emplace(name, ReadRegValue(value, valuePath));
      }
    }
    if (key.contains("acl")) node.acl = ReadAcl(key["acl"], Child(keyPath, "acl"));
    if (key.contains("owner")) node.owner = ReadSid(key["owner"], Child(keyPath, "owner"));
    if (key.contains("class")) node.className = ReadString(key["class"], Child(keyPath, "class"));
  }
}

}  // namespace sim
