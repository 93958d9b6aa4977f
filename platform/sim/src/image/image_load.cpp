#include "image_load.h"

#include <set>

#include "model/file_tree.h"
#include "platform/text.h"
#include "platform/win_path.h"
#include "sim/message_box_text.h"

namespace sim {

namespace {

std::vector<plat::Sid> ReadSidList(const json& j, const std::string& path) {
  if (!j.is_array()) Fail(path, "expected an array of SIDs, found " + KindOf(j));
  std::vector<plat::Sid> sids;
  for (std::size_t i = 0; i < j.size(); ++i) sids.push_back(ReadSid(j[i], Child(path, std::to_string(i))));
  return sids;
}

std::vector<std::string> ReadPrivilegeList(const json& j, const std::string& path) {
  if (!j.is_array()) Fail(path, "expected an array of privilege names, found " + KindOf(j));
  std::vector<std::string> names;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string itemPath = Child(path, std::to_string(i));
    names.push_back(ReadString(j[i], itemPath));
    if (!IsKnownPrivilege(names.back())) Fail(itemPath, "unknown privilege '" + names.back() + "'");
  }
  return names;
}

TokenState ReadToken(const json& j, const std::string& path) {
  ExpectObject(j, path, {"user", "thread", "process", "privileges", "enabledPrivileges"});
  for (const char* required : {"user", "process"})
    if (!j.contains(required)) Fail(Child(path, required), "missing");
  TokenState t;
  t.user = ReadSid(j["user"], Child(path, "user"));
  t.process = ReadSidList(j["process"], Child(path, "process"));
  if (j.contains("thread") && !j["thread"].is_null()) t.thread = ReadSidList(j["thread"], Child(path, "thread"));
  if (j.contains("privileges")) t.privileges = ReadPrivilegeList(j["privileges"], Child(path, "privileges"));
  if (j.contains("enabledPrivileges"))
    t.enabledPrivileges = ReadPrivilegeList(j["enabledPrivileges"], Child(path, "enabledPrivileges"));
  return t;
}

bool IsAbsoluteFilePath(std::string_view p) {
  // A drive alone ("C:") names its root here.
  const bool drive = winpath::IsDriveAbsolute(p) || (winpath::HasDrive(p) && p.size() == 2);
  return drive || (p.size() > 2 && winpath::IsUnc(p));
}

std::string ReadFilePathKey(const std::string& raw, const std::string& path) {
  if (!IsAbsoluteFilePath(raw)) Fail(path, "expected a full path such as \"C:\\\\dir\\\\file\"");
  return NormalizeFilePath(raw);
}

void ReadFiles(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_object()) Fail(path, "expected an object of files by full path, found " + KindOf(j));
  for (const auto& [rawPath, file] : j.items()) {
    const std::string filePath = Child(path, rawPath);
    FileEntry e;
    e.path = ReadFilePathKey(rawPath, filePath);
    if (IsDrive(e.path))
      Fail(filePath, "a drive root is not listed: C: always exists, another drive when files lie on it");
    ExpectObject(file, filePath, {"attributes", "content", "shortName", "locked", "lockedBy", "protected", "company"});
    if (file.contains("attributes")) e.attributes = ReadFileAttributes(file["attributes"], Child(filePath, "attributes"));
    if (file.contains("content")) e.content = ReadString(file["content"], Child(filePath, "content"));
    if (file.contains("shortName")) {
      e.shortName = ReadString(file["shortName"], Child(filePath, "shortName"));
      if (!IsShortName(e.shortName) || e.shortName == "." || e.shortName == "..")
        Fail(Child(filePath, "shortName"), "expected an 8.3 name such as \"PROGRA~1\"");
    }
    if (file.contains("locked")) e.locked = ReadBool(file["locked"], Child(filePath, "locked"));
    if (file.contains("lockedBy")) e.lockedBy = ReadString(file["lockedBy"], Child(filePath, "lockedBy"));
    if (file.contains("protected")) e.isProtected = ReadBool(file["protected"], Child(filePath, "protected"));
    if (file.contains("company")) e.company = ReadString(file["company"], Child(filePath, "company"));
    if (e.IsDirectory() && (e.content || e.locked || !e.lockedBy.empty()))
      Fail(filePath, "a directory has no content and is not held open");
    if (e.IsDirectory() && (e.isProtected || e.company))
      Fail(filePath, "a directory is not protected and carries no version information");
    if (d.files.count(e.path)) Fail(filePath, "the same file is listed twice (paths ignore case)");
    d.files.emplace(e.path, std::move(e));
  }
}

void ReadResourceLibraries(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_object()) Fail(path, "expected an object of libraries by full path, found " + KindOf(j));
  for (const auto& [rawPath, lib] : j.items()) {
    const std::string libPath = Child(path, rawPath);
    ResourceLibrary r;
    r.path = ReadFilePathKey(rawPath, libPath);
    ExpectObject(lib, libPath, {"strings"});
    if (lib.contains("strings")) {
      const json& strings = lib["strings"];
      const std::string stringsPath = Child(libPath, "strings");
      if (!strings.is_object()) Fail(stringsPath, "expected an object of texts by number, found " + KindOf(strings));
      for (const auto& [id, textValue] : strings.items()) {
        const std::string idPath = Child(stringsPath, id);
        std::uint32_t number = 0;
        for (char c : id) {
          if (c < '0' || c > '9' || number > 65535) Fail(idPath, "expected a string number from 0 to 65535");
          number = number * 10 + static_cast<std::uint32_t>(c - '0');
        }
        if (id.empty() || number > 65535) Fail(idPath, "expected a string number from 0 to 65535");
        if (r.strings.count(number)) Fail(idPath, "the same string number is listed twice");
        r.strings.emplace(number, ReadString(textValue, idPath));
      }
    }
    if (d.resourceLibraries.count(r.path)) Fail(libPath, "the same library is listed twice (paths ignore case)");
    d.resourceLibraries.emplace(r.path, std::move(r));
  }
}

void ReadServices(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_object()) Fail(path, "expected an object of services by name, found " + KindOf(j));
  for (const auto& [name, service] : j.items()) {
    const std::string servicePath = Child(path, name);
    if (name.empty() || name.find_first_of("/\\") != std::string::npos) Fail(servicePath, "invalid service name");
    if (d.services.count(name)) Fail(servicePath, "the same service is listed twice (names ignore case)");
    ExpectObject(service, servicePath, {"state", "onStop", "displayName", "imagePath", "startType", "stopsAt"});
    ServiceEntry s;
    s.name = name;
    if (service.contains("state")) s.state = ReadServiceState(service["state"], Child(servicePath, "state"));
    if (service.contains("onStop")) s.onStop = ReadOnStop(service["onStop"], Child(servicePath, "onStop"));
    if (service.contains("displayName"))
      s.displayName = ReadString(service["displayName"], Child(servicePath, "displayName"));
    if (service.contains("imagePath")) s.imagePath = ReadString(service["imagePath"], Child(servicePath, "imagePath"));
    if (service.contains("startType"))
      s.startType = ReadStartType(service["startType"], Child(servicePath, "startType"));
    // A stop in progress carries the virtual time it ends at; nothing else may.
    if (service.contains("stopsAt")) {
      if (s.state != 3) Fail(Child(servicePath, "stopsAt"), "only a stopPending service has a stop time");
      s.stopsAt = ReadUnsigned(service["stopsAt"], Child(servicePath, "stopsAt"), 1ull << 53);
    } else if (s.state == 3) {
      Fail(Child(servicePath, "stopsAt"), "a stopPending service needs the virtual millisecond it stops at");
    }
    d.services.emplace(name, std::move(s));
  }
}

void ReadWindows(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_array()) Fail(path, "expected an array of windows, found " + KindOf(j));
  std::set<std::uint64_t> ids;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string wPath = Child(path, std::to_string(i));
    const json& w = j[i];
    ExpectObject(w, wPath, {"id", "title", "className", "process", "hung", "refusesEndSession"});
    if (!w.contains("id")) Fail(Child(wPath, "id"), "missing");
    WindowEntry e;
    e.id = ReadUnsigned(w["id"], Child(wPath, "id"), 0xFFFFFFFFu);
    if (e.id == 0) Fail(Child(wPath, "id"), "0 is no window");
    if (!ids.insert(e.id).second) Fail(Child(wPath, "id"), "another window has this id");
    if (w.contains("title")) e.title = ReadString(w["title"], Child(wPath, "title"));
    if (w.contains("className")) e.className = ReadString(w["className"], Child(wPath, "className"));
    if (w.contains("process"))
      e.process = static_cast<std::uint32_t>(ReadUnsigned(w["process"], Child(wPath, "process"), 0xFFFFFFFFu));
    if (w.contains("hung")) e.hung = ReadBool(w["hung"], Child(wPath, "hung"));
    if (w.contains("refusesEndSession"))
      e.refusesEndSession = ReadBool(w["refusesEndSession"], Child(wPath, "refusesEndSession"));
    d.windows.push_back(std::move(e));
  }
}

ClockState ReadClock(const json& j, const std::string& path) {
  ExpectObject(j, path, {"now", "tick", "elapsed"});
  ClockState c;
  if (j.contains("now")) c.startNow = static_cast<std::int64_t>(ReadUnsigned(j["now"], Child(path, "now"), 1ull << 40));
  if (j.contains("tick"))
    c.startTick = static_cast<std::uint32_t>(ReadUnsigned(j["tick"], Child(path, "tick"), 0xFFFFFFFFu));
  if (j.contains("elapsed")) c.elapsedMs = ReadUnsigned(j["elapsed"], Child(path, "elapsed"), 1ull << 53);
  return c;
}

int ReadAnswer(const json& j, const std::string& path) {
  const std::string s = ReadString(j, path);
  const auto answer = AnswerFromName(s);
  if (!answer) Fail(path, "unknown answer '" + s + "' (IDOK, IDCANCEL, IDYES, IDNO, ...)");
  return *answer;
}

std::vector<UiAnswer> ReadUi(const json& j, const std::string& path) {
  ExpectObject(j, path, {"answers"});
  std::vector<UiAnswer> answers;
  if (!j.contains("answers")) return answers;
  const std::string listPath = Child(path, "answers");
  const json& list = j["answers"];
  if (!list.is_array()) Fail(listPath, "expected an array of answers, found " + KindOf(list));
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string aPath = Child(listPath, std::to_string(i));
    UiAnswer a;
    if (list[i].is_string()) {
      a.answer = ReadAnswer(list[i], aPath);
    } else {
      ExpectObject(list[i], aPath, {"dialog", "text", "caption", "answer", "after", "tick"});
      if (!list[i].contains("answer")) Fail(Child(aPath, "answer"), "missing");
      a.answer = ReadAnswer(list[i]["answer"], Child(aPath, "answer"));
      if (list[i].contains("dialog")) {
        a.dialog = ReadString(list[i]["dialog"], Child(aPath, "dialog"));
        if (*a.dialog != "wizard" && *a.dialog != "wait" && *a.dialog != "completion")
          Fail(Child(aPath, "dialog"), "unknown dialog '" + *a.dialog + "' (wizard, wait, completion)");
      }
      if (list[i].contains("text")) a.text = ReadString(list[i]["text"], Child(aPath, "text"));
      if (list[i].contains("caption")) a.caption = ReadString(list[i]["caption"], Child(aPath, "caption"));
      if (list[i].contains("after")) {
        if (a.dialog != "wait") Fail(Child(aPath, "after"), "only the wait dialog is answered after a time");
        a.afterSeconds = ReadUnsigned(list[i]["after"], Child(aPath, "after"), 1ull << 32);
      }
      if (list[i].contains("tick")) {
        const std::string tickPath = Child(aPath, "tick");
        if (a.dialog != "wizard") Fail(tickPath, "only the wizard has boxes to tick");
        if (!list[i]["tick"].is_array()) Fail(tickPath, "expected an array of labels, found " + KindOf(list[i]["tick"]));
        for (std::size_t t = 0; t < list[i]["tick"].size(); ++t) {
          a.tick.push_back(ReadString(list[i]["tick"][t], Child(tickPath, std::to_string(t))));
        }
      }
    }
    answers.push_back(std::move(a));
  }
  return answers;
}

std::vector<Fault> ReadFaults(const json& j, const std::string& path) {
  if (!j.is_array()) Fail(path, "expected an array of faults, found " + KindOf(j));
  std::vector<Fault> faults;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string fPath = Child(path, std::to_string(i));
    const json& f = j[i];
    ExpectObject(f, fPath, {"call", "error", "match", "skip", "count", "raises"});
    for (const char* required : {"call", "error"})
      if (!f.contains(required)) Fail(Child(fPath, required), "missing");
    Fault fault;
    fault.call = ReadString(f["call"], Child(fPath, "call"));
    // A misspelt call name would make a test pass without its fault.
    const bool wildcard = fault.call.find_first_of("*?") != std::string::npos;
    if (!wildcard && !IsKnownCall(fault.call))
      Fail(Child(fPath, "call"), "unknown call '" + fault.call + "' (\"<Port>.<Method>\", e.g. \"Registry.OpenKey\")");
    // So would a pattern that no call matches, such as a misspelt port.
    if (wildcard && !MatchesSomeCall(fault.call)) {
      const std::string port = fault.call.substr(0, fault.call.find('.'));
      if (port.find_first_of("*?") == std::string::npos && !IsKnownPort(port))
        Fail(Child(fPath, "call"), "unknown port '" + port + "' in '" + fault.call + "'");
      Fail(Child(fPath, "call"), "no call matches '" + fault.call + "'");
    }
    fault.error = ReadErrorCode(f["error"], Child(fPath, "error"));
    if (f.contains("match")) fault.match = ReadString(f["match"], Child(fPath, "match"));
    if (f.contains("skip")) fault.skip = ReadUnsigned(f["skip"], Child(fPath, "skip"), 1ull << 53);
    if (f.contains("count")) fault.count = ReadUnsigned(f["count"], Child(fPath, "count"), 1ull << 53);
    if (f.contains("raises")) {
      if (!f["raises"].is_boolean()) Fail(Child(fPath, "raises"), "expected true or false, found " + KindOf(f["raises"]));
      fault.raises = f["raises"].get<bool>();
    }
    faults.push_back(std::move(fault));
  }
  return faults;
}

json ReadJournal(const json& j, const std::string& path) {
  if (!j.is_array()) Fail(path, "expected an array of journal entries, found " + KindOf(j));
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string ePath = Child(path, std::to_string(i));
    if (!j[i].is_object()) Fail(ePath, "expected an object, found " + KindOf(j[i]));
    if (!j[i].contains("event") || !j[i]["event"].is_string()) Fail(Child(ePath, "event"), "expected a string");
  }
  return j;
}

}  // namespace

MachineData LoadImage(const json& image) {
  const std::string root = "/";
  // Members starting with "_" are notes for the reader of an image.
  if (!image.is_object()) Fail(root, "a machine image is a JSON object, found " + KindOf(image));
  json members = json::object();
  for (const auto& [key, value] : image.items())
    if (key.empty() || key[0] != '_') members[key] = value;
  ExpectObject(members, root,
               {"os", "computerName", "token", "program", "files", "resourceLibraries", "registry", "services",
                "windows", "clock", "ui", "faults", "journal", "directories", "printers", "drivers",
                "printProcessors", "winIni", "libraries", "zipArchives", "filesComplete", "installLog",
                "commands", "scheduledJobs", "scheduledTasks"});

  MachineData d;
  if (members.contains("os")) d.os = ReadOs(members["os"], "/os");
  if (members.contains("computerName")) {
    d.computerName = ReadString(members["computerName"], "/computerName");
    if (d.computerName.empty()) Fail("/computerName", "a computer has a name");
  }
  if (members.contains("token")) d.token = ReadToken(members["token"], "/token");
  if (members.contains("program")) d.program = ReadString(members["program"], "/program");
  if (members.contains("filesComplete")) d.filesComplete = ReadBool(members["filesComplete"], "/filesComplete");
  if (members.contains("files")) ReadFiles(members["files"], "/files", d);
  if (members.contains("resourceLibraries")) ReadResourceLibraries(members["resourceLibraries"], "/resourceLibraries", d);
  if (members.contains("registry")) LoadRegistry(members["registry"], "/registry", &d.registry);
  if (members.contains("services")) ReadServices(members["services"], "/services", d);
  if (members.contains("windows")) ReadWindows(members["windows"], "/windows", d);
  if (members.contains("clock")) d.clock = ReadClock(members["clock"], "/clock");
  if (members.contains("ui")) d.answers = ReadUi(members["ui"], "/ui");
  if (members.contains("faults")) d.faults = ReadFaults(members["faults"], "/faults");
  if (members.contains("journal")) d.journal = ReadJournal(members["journal"], "/journal");
  LoadPrinting(members, d);
  if (members.contains("installLog")) LoadInstallLog(members["installLog"], "/installLog", d);
  LoadPrograms(members, d);
  for (const auto& [name, s] : d.services)
    if (s.stopsAt && *s.stopsAt < d.clock.elapsedMs)
      Fail("/services/" + name + "/stopsAt", "lies before the clock's elapsed time");
  FinishMachine(d);
  return d;
}

}  // namespace sim
