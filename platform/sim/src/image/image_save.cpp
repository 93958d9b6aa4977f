#include "image_load.h"
#include "model/journal.h"
#include "platform/win_errors.h"
#include "sim/message_box_text.h"

namespace sim {

namespace {

json AclJson(const plat::Acl& acl) {
  if (!acl.present) return nullptr;
  json aces = json::array();
  for (const auto& ace : acl.aces) {
    json e{{"type", ace.type == plat::kAceAccessDenied ? "deny" : "allow"}, {"sid", ace.sid},
           {"mask", KeyMaskJson(ace.mask)}};
    if (ace.flags != 0) e["flags"] = AceFlagsJson(ace.flags);
    aces.push_back(std::move(e));
  }
  return aces;
}

// Keys are listed flat by full path. A key is written when it carries
// anything of its own or is a leaf; its ancestors then exist implicitly.
void SaveKey(const RegNode& node, const std::string& fullPath, json& out) {
  const bool isRoot = node.parent == nullptr;
  const bool hasOwn = !node.values.empty() || node.acl || node.owner || !node.className.empty();
  if (hasOwn || (!isRoot && node.subkeys.empty())) {
    json key = json::object();
    if (!node.values.empty()) {
      json values = json::object();
      for (const auto& [name, value] : node.values) values[ValidUtf8(name)] = RegValueJson(value);
      key["values"] = std::move(values);
    }
    if (node.acl) key["acl"] = AclJson(*node.acl);
    if (node.owner) key["owner"] = *node.owner;
    if (!node.className.empty()) key["class"] = ValidUtf8(node.className);
    out[fullPath] = std::move(key);
  }
  for (const auto& [name, child] : node.subkeys) SaveKey(*child, fullPath + "\\" + ValidUtf8(child->name), out);
}

json TokenJson(const TokenState& t) {
  json token{{"user", t.user}, {"process", t.process}};
  token["thread"] = t.thread ? json(*t.thread) : json(nullptr);
  if (t.privileges) token["privileges"] = *t.privileges;
  if (!t.enabledPrivileges.empty()) token["enabledPrivileges"] = t.enabledPrivileges;
  return token;
}

json ServiceJson(const ServiceEntry& s) {
  json out{{"state", ServiceStateName(s.state)}, {"onStop", OnStopJson(s.onStop)}, {"startType", StartTypeJson(s.startType)}};
  if (!s.displayName.empty()) out["displayName"] = ValidUtf8(s.displayName);
  if (!s.imagePath.empty()) out["imagePath"] = ValidUtf8(s.imagePath);
  if (s.stopsAt) out["stopsAt"] = *s.stopsAt;
  return out;
}

json AnswerJson(const UiAnswer& a) {
  if (!a.dialog && !a.text && !a.caption) return AnswerName(a.answer);
  json out{{"answer", AnswerName(a.answer)}};
  if (a.dialog) out["dialog"] = *a.dialog;
  if (a.afterSeconds) out["after"] = *a.afterSeconds;
  if (!a.tick.empty()) out["tick"] = a.tick;
  if (a.text) out["text"] = *a.text;
  if (a.caption) out["caption"] = *a.caption;
  return out;
}

json FaultJson(const Fault& f) {
  json out{{"call", f.call}, {"error", winerr::Name(f.error)}};
  if (f.match) out["match"] = *f.match;
  if (f.skip) out["skip"] = f.skip;
  if (f.count) out["count"] = *f.count;
  if (f.raises) out["raises"] = true;
  return out;
}

}  // namespace

json SaveImage(const MachineData& d) {
  json image = json::object();
  image["os"] = OsJson(d.os);
  image["computerName"] = d.computerName;
  image["token"] = TokenJson(d.token);
  image["program"] = ValidUtf8(d.program);
  // The files below are the machine's files exactly: a driver file or a
  // standard directory that a run deleted must not come back on loading.
  image["filesComplete"] = true;

  json files = json::object();
  for (const auto& [path, f] : d.files) {
    json file = json::object();
    file["attributes"] = FileAttributesJson(f.attributes);
    if (f.content) file["content"] = ValidUtf8(*f.content);
    if (!f.shortName.empty()) file["shortName"] = f.shortName;
    if (f.locked) file["locked"] = true;
    if (!f.lockedBy.empty()) file["lockedBy"] = ValidUtf8(f.lockedBy);
    if (f.isProtected) file["protected"] = true;
    if (f.company) file["company"] = ValidUtf8(*f.company);
    files[ValidUtf8(path)] = std::move(file);
  }
  image["files"] = std::move(files);

  json libraries = json::object();
  for (const auto& [path, lib] : d.resourceLibraries) {
    json strings = json::object();
    for (const auto& [id, textValue] : lib.strings) strings[std::to_string(id)] = ValidUtf8(textValue);
    libraries[ValidUtf8(path)] = json{{"strings", std::move(strings)}};
  }
  image["resourceLibraries"] = std::move(libraries);

  json registry = json::object();
  for (const plat::HKey root : RegistryTree::kRoots) {
    const RegNode* node = d.registry.Root(root);
    SaveKey(*node, node->name, registry);
  }
  image["registry"] = std::move(registry);

  json services = json::object();
  for (const auto& [name, s] : d.services) services[ValidUtf8(name)] = ServiceJson(s);
  image["services"] = std::move(services);

  json windows = json::array();
  for (const auto& w : d.windows) {
    json win{{"id", w.id}, {"title", ValidUtf8(w.title)}, {"process", w.process}, {"hung", w.hung}};
    if (w.refusesEndSession) win["refusesEndSession"] = true;
    if (!w.className.empty()) win["className"] = ValidUtf8(w.className);
    windows.push_back(std::move(win));
  }
  image["windows"] = std::move(windows);

  image["clock"] = json{{"now", d.clock.startNow}, {"tick", d.clock.startTick}, {"elapsed", d.clock.elapsedMs}};

  json answers = json::array();
  for (const auto& a : d.answers) answers.push_back(AnswerJson(a));
  image["ui"] = json{{"answers", std::move(answers)}};

  json faults = json::array();
  for (const auto& f : d.faults) faults.push_back(FaultJson(f));
  image["faults"] = std::move(faults);

  SavePrinting(d, image);
  SaveInstallLog(d, image);
  SavePrograms(d, image);
  image["journal"] = d.journal;
  return image;
}

}  // namespace sim
