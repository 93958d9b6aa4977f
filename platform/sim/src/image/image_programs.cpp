// The image's outside programs and scheduled work:
//
//   "commands": [
//     {"match": "*\\Uninstall Kestrion.exe*",
//      "effects": [{"deleteValue": "HKLM\\Software\\Vorkast\\Kestrion for Intranets", "name": "Install_Dir"}]},
//     {"match": "regsvr32 *", "start": "fails"}
//   ],
//   "scheduledJobs": [{"id": 1, "command": "C:\\BREVIK\\poll.exe"}],
//   "scheduledTasks": {"available": true, "tasks": ["Kestrion Update"]}
//
// Each effect names its kind by its one key member: "deleteValue" and
// "setValue" (a key, with "name" and for setValue "value"), "deleteKey",
// "deleteFile" (a file, or a directory with everything in it), "createFile"
// (with an optional "content") and "stopService".
#include <set>

#include "image_load.h"
#include "model/journal.h"
#include "platform/win_path.h"

namespace sim {

namespace {

using Kind = CommandEffect::Kind;

struct EffectName {
  Kind kind;
  const char* member;
};
constexpr EffectName kEffects[] = {{Kind::DeleteValue, "deleteValue"}, {Kind::SetValue, "setValue"},
                                   {Kind::DeleteKey, "deleteKey"},     {Kind::DeleteFile, "deleteFile"},
                                   {Kind::CreateFile, "createFile"},   {Kind::StopService, "stopService"}};

const char* MemberOf(Kind kind) {
  for (const auto& e : kEffects)
    if (e.kind == kind) return e.member;
  return "";
}

std::string ReadKeyTarget(const json& j, const std::string& path) {
  const std::string key = ReadString(j, path);
  if (!ParseFullKeyPath(key)) Fail(path, "expected a key's full path such as \"HKLM\\\\SOFTWARE\\\\Vorkast\"");
  return key;
}

std::string ReadFileTarget(const json& j, const std::string& path) {
  const std::string file = ReadString(j, path);
  if (!winpath::IsDriveAbsolute(file)) Fail(path, "expected a full path such as \"C:\\\\dir\\\\file\"");
  return NormalizeFilePath(file);
}

CommandEffect ReadEffect(const json& j, const std::string& path) {
  ExpectObject(j, path,
               {"deleteValue", "setValue", "deleteKey", "deleteFile", "createFile", "stopService", "name", "value",
                "content"});
  std::vector<const EffectName*> given;
  for (const auto& e : kEffects)
    if (j.contains(e.member)) given.push_back(&e);
  if (given.size() != 1)
    Fail(path, "an effect is exactly one of deleteValue, setValue, deleteKey, deleteFile, createFile, stopService");
  CommandEffect effect;
  effect.kind = given.front()->kind;
  const std::string targetPath = Child(path, given.front()->member);
  const json& target = j[given.front()->member];
  const bool namesValue = effect.kind == Kind::DeleteValue || effect.kind == Kind::SetValue;
  if (namesValue != j.contains("name")) Fail(Child(path, "name"), namesValue ? "missing" : "only a value has a name");
  if ((effect.kind == Kind::SetValue) != j.contains("value"))
    Fail(Child(path, "value"), effect.kind == Kind::SetValue ? "missing" : "only setValue gives a value");
  if (j.contains("content") && effect.kind != Kind::CreateFile)
    Fail(Child(path, "content"), "only createFile gives a content");
  switch (effect.kind) {
    case Kind::DeleteValue:
    case Kind::SetValue:
    case Kind::DeleteKey:
      effect.target = ReadKeyTarget(target, targetPath);
      break;
    case Kind::DeleteFile:
    case Kind::CreateFile:
      effect.target = ReadFileTarget(target, targetPath);
      break;
    case Kind::StopService:
      effect.target = ReadString(target, targetPath);
      if (effect.target.empty()) Fail(targetPath, "a service has a name");
      break;
  }
  if (namesValue) effect.valueName = ReadString(j["name"], Child(path, "name"));
  if (effect.kind == Kind::SetValue) effect.value = ReadRegValue(j["value"], Child(path, "value"));
  if (j.contains("content")) effect.content = ReadString(j["content"], Child(path, "content"));
  return effect;
}

void ReadCommands(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_array()) Fail(path, "expected an array of commands, found " + KindOf(j));
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string cPath = Child(path, std::to_string(i));
    ExpectObject(j[i], cPath, {"match", "start", "effects"});
    if (!j[i].contains("match")) Fail(Child(cPath, "match"), "missing");
    CommandRule rule;
    rule.match = ReadString(j[i]["match"], Child(cPath, "match"));
    if (rule.match.empty()) Fail(Child(cPath, "match"), "an empty pattern matches no command line");
    if (j[i].contains("start")) {
      const std::string start = ReadString(j[i]["start"], Child(cPath, "start"));
      if (start != "fails" && start != "runs") Fail(Child(cPath, "start"), "expected \"runs\" or \"fails\"");
      rule.startFails = start == "fails";
    }
    if (j[i].contains("effects")) {
      const json& effects = j[i]["effects"];
      const std::string ePath = Child(cPath, "effects");
      if (!effects.is_array()) Fail(ePath, "expected an array of effects, found " + KindOf(effects));
      if (rule.startFails && !effects.empty()) Fail(ePath, "a command that fails to start changes nothing");
      for (std::size_t e = 0; e < effects.size(); ++e)
        rule.effects.push_back(ReadEffect(effects[e], Child(ePath, std::to_string(e))));
    }
    d.commands.push_back(std::move(rule));
  }
}

void ReadScheduledJobs(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_array()) Fail(path, "expected an array of jobs, found " + KindOf(j));
  std::set<std::uint32_t> ids;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string jPath = Child(path, std::to_string(i));
    ExpectObject(j[i], jPath, {"id", "command"});
    for (const char* required : {"id", "command"})
      if (!j[i].contains(required)) Fail(Child(jPath, required), "missing");
    ScheduledJobEntry job;
    job.id = static_cast<std::uint32_t>(ReadUnsigned(j[i]["id"], Child(jPath, "id"), 0xFFFFFFFFu));
    if (!ids.insert(job.id).second) Fail(Child(jPath, "id"), "another job has this id");
    job.command = ReadString(j[i]["command"], Child(jPath, "command"));
    d.scheduledJobs.push_back(std::move(job));
  }
}

void ReadScheduledTasks(const json& j, const std::string& path, MachineData& d) {
  ExpectObject(j, path, {"available", "tasks"});
  TaskSchedulerState& s = d.scheduledTasks;
  if (j.contains("available")) s.available = ReadBool(j["available"], Child(path, "available"));
  if (!j.contains("tasks")) return;
  const std::string tPath = Child(path, "tasks");
  if (!j["tasks"].is_array()) Fail(tPath, "expected an array of task names, found " + KindOf(j["tasks"]));
  std::set<std::string, text::ILessFn> names;
  for (std::size_t i = 0; i < j["tasks"].size(); ++i) {
    const std::string nPath = Child(tPath, std::to_string(i));
    std::string name = ReadString(j["tasks"][i], nPath);
    if (name.empty() || name.find_first_of("\\/") != std::string::npos) Fail(nPath, "invalid task name");
    if (!names.insert(name).second) Fail(nPath, "the same task is listed twice (names ignore case)");
    s.tasks.push_back(std::move(name));
  }
}

json EffectJson(const CommandEffect& e) {
  json out{{MemberOf(e.kind), ValidUtf8(e.target)}};
  if (e.kind == Kind::DeleteValue || e.kind == Kind::SetValue) out["name"] = ValidUtf8(e.valueName);
  if (e.kind == Kind::SetValue) out["value"] = RegValueJson(e.value);
  if (e.kind == Kind::CreateFile && !e.content.empty()) out["content"] = ValidUtf8(e.content);
  return out;
}

}  // namespace

void LoadPrograms(const json& members, MachineData& d) {
  if (members.contains("commands")) ReadCommands(members["commands"], "/commands", d);
  if (members.contains("scheduledJobs")) ReadScheduledJobs(members["scheduledJobs"], "/scheduledJobs", d);
  if (members.contains("scheduledTasks")) ReadScheduledTasks(members["scheduledTasks"], "/scheduledTasks", d);
}

void SavePrograms(const MachineData& d, json& image) {
  json commands = json::array();
  for (const CommandRule& rule : d.commands) {
    json out{{"match", ValidUtf8(rule.match)}, {"start", rule.startFails ? "fails" : "runs"}};
    json effects = json::array();
    for (const CommandEffect& e : rule.effects) effects.push_back(EffectJson(e));
    out["effects"] = std::move(effects);
    commands.push_back(std::move(out));
  }
  image["commands"] = std::move(commands);
  json jobs = json::array();
  for (const auto& job : d.scheduledJobs) jobs.push_back(json{{"id", job.id}, {"command", ValidUtf8(job.command)}});
  image["scheduledJobs"] = std::move(jobs);
  json tasks = json::array();
  for (const auto& name : d.scheduledTasks.tasks) tasks.push_back(ValidUtf8(name));
  image["scheduledTasks"] = json{{"available", d.scheduledTasks.available}, {"tasks", std::move(tasks)}};
}

}  // namespace sim
