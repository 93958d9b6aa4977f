// The printing side of a machine image: printers, drivers, print
// processors, win.ini, run-time libraries and archive listings.
#include <set>

#include "image_load.h"
#include "model/file_tree.h"
#include "model/machine_paths.h"
#include "platform/file_system.h"
#include "platform/win_path.h"

namespace sim {

namespace {

std::vector<std::string> ReadStringList(const json& j, const std::string& path) {
  if (!j.is_array()) Fail(path, "expected an array of strings, found " + KindOf(j));
  std::vector<std::string> out;
  for (std::size_t i = 0; i < j.size(); ++i) out.push_back(ReadString(j[i], Child(path, std::to_string(i))));
  return out;
}

std::string Optional(const json& j, const std::string& path, const char* member) {
  return j.contains(member) ? ReadString(j[member], Child(path, member)) : std::string();
}

std::uint32_t OptionalNumber(const json& j, const std::string& path, const char* member) {
  return j.contains(member) ? static_cast<std::uint32_t>(ReadUnsigned(j[member], Child(path, member), 0xFFFFFFFFu)) : 0;
}

std::vector<JobEntry> ReadJobs(const json& j, const std::string& path) {
  if (!j.is_array()) Fail(path, "expected an array of jobs, found " + KindOf(j));
  std::vector<JobEntry> jobs;
  std::set<std::uint32_t> ids;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string jPath = Child(path, std::to_string(i));
    ExpectObject(j[i], jPath, {"id", "document", "status"});
    JobEntry e;
    e.id = j[i].contains("id") ? OptionalNumber(j[i], jPath, "id") : static_cast<std::uint32_t>(i + 1);
    if (!ids.insert(e.id).second) Fail(Child(jPath, "id"), "another job of this printer has this id");
    e.document = Optional(j[i], jPath, "document");
    e.status = OptionalNumber(j[i], jPath, "status");
    jobs.push_back(std::move(e));
  }
  return jobs;
}

void ReadPrinters(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_array()) Fail(path, "expected an array of printers, found " + KindOf(j));
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string pPath = Child(path, std::to_string(i));
    const json& p = j[i];
    ExpectObject(p, pPath, {"name", "server", "share", "port", "driver", "printProcessor", "datatype", "attributes",
                            "status", "jobs", "drainSeconds", "pendingDeletion"});
    for (const char* required : {"name", "driver"})
      if (!p.contains(required)) Fail(Child(pPath, required), "missing");
    PrinterEntry e;
    e.name = ReadString(p["name"], Child(pPath, "name"));
    if (e.name.empty() || e.name.find('\\') != std::string::npos || e.name.find(',') != std::string::npos)
      Fail(Child(pPath, "name"), "a printer name is not empty and has no backslash or comma (the server goes in \"server\")");
    e.serverName = Optional(p, pPath, "server");
    if (!e.serverName.empty() && (e.serverName.size() < 3 || e.serverName.rfind("\\\\", 0) != 0 ||
                                  e.serverName.find('\\', 2) != std::string::npos))
      Fail(Child(pPath, "server"), "expected a server name such as \"\\\\\\\\SERVER\"");
    e.shareName = Optional(p, pPath, "share");
    e.portName = Optional(p, pPath, "port");
    e.driverName = ReadString(p["driver"], Child(pPath, "driver"));
    if (p.contains("printProcessor")) e.printProcessor = ReadString(p["printProcessor"], Child(pPath, "printProcessor"));
    if (p.contains("datatype")) e.datatype = ReadString(p["datatype"], Child(pPath, "datatype"));
    e.attributes = OptionalNumber(p, pPath, "attributes");
    e.status = OptionalNumber(p, pPath, "status");
    if (p.contains("jobs")) e.jobs = ReadJobs(p["jobs"], Child(pPath, "jobs"));
    if (p.contains("drainSeconds")) e.drainSeconds = ReadUnsigned(p["drainSeconds"], Child(pPath, "drainSeconds"), 1ull << 40);
    if (p.contains("pendingDeletion")) e.pendingDeletion = ReadBool(p["pendingDeletion"], Child(pPath, "pendingDeletion"));
    if (e.pendingDeletion && e.jobs.empty())
      Fail(Child(pPath, "pendingDeletion"), "only a printer with jobs waits to be deleted");
    if (!d.printers.Add(std::move(e))) Fail(Child(pPath, "name"), "another printer has this name");
  }
}

void ReadDrivers(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_array()) Fail(path, "expected an array of drivers, found " + KindOf(j));
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string dPath = Child(path, std::to_string(i));
    const json& r = j[i];
    ExpectObject(r, dPath, {"name", "environment", "version", "driverPath", "dataFile", "configFile", "helpFile",
                            "dependentFiles", "monitorName", "defaultDataType", "previousNames", "driverDate",
                            "driverVersion", "mfgName", "oemUrl", "hardwareId", "provider"});
    if (!r.contains("name")) Fail(Child(dPath, "name"), "missing");
    plat::DriverInfo e;
    e.level = 6;  // every field the image gives is kept
    e.name = ReadString(r["name"], Child(dPath, "name"));
    if (e.name.empty()) Fail(Child(dPath, "name"), "a driver has a name");
    const std::string env = Optional(r, dPath, "environment");
    const auto known = KnownEnvironment(d, env);
    if (!known) Fail(Child(dPath, "environment"), "not a print environment of this Windows: '" + env + "'");
    e.environment = *known;
    e.version = r.contains("version") ? OptionalNumber(r, dPath, "version") : DefaultDriverVersion(d, e.environment);
    // Bare file names lie in the driver directory's version folder.
    const std::string folder = DriverFilesDirectory(d, e.environment, e.version);
    auto place = [&](const std::string& f, const std::string& fPath) -> std::string {
      if (f.empty()) return f;
      if (f.find_first_of("\\/:") == std::string::npos) return folder + "\\" + f;
      // "C:x.dll" names a file relative to a drive's current directory,
      // which a driver record never does.
      if (!winpath::IsDriveAbsolute(f)) Fail(fPath, "expected a bare file name or a full path");
      const std::string full = NormalizeFilePath(f);
      if (IsDrive(full)) Fail(fPath, "names a drive root, not a file");
      return full;
    };
    for (auto [member, field] : {std::pair{"driverPath", &e.driverPath}, std::pair{"dataFile", &e.dataFile},
                                 std::pair{"configFile", &e.configFile}, std::pair{"helpFile", &e.helpFile}})
      *field = place(Optional(r, dPath, member), Child(dPath, member));
    if (r.contains("dependentFiles") && !r["dependentFiles"].is_null()) {
      const std::string listPath = Child(dPath, "dependentFiles");
      e.hasDependentFiles = true;
      const auto names = ReadStringList(r["dependentFiles"], listPath);
      for (std::size_t k = 0; k < names.size(); ++k)
        e.dependentFiles.push_back(place(names[k], Child(listPath, std::to_string(k))));
    }
    e.monitorName = Optional(r, dPath, "monitorName");
    e.defaultDataType = Optional(r, dPath, "defaultDataType");
    if (r.contains("previousNames")) e.previousNames = ReadStringList(r["previousNames"], Child(dPath, "previousNames"));
    if (r.contains("driverDate")) e.driverDate = ReadUnsigned(r["driverDate"], Child(dPath, "driverDate"), UINT64_MAX);
    if (r.contains("driverVersion"))
      e.driverVersion = ReadUnsigned(r["driverVersion"], Child(dPath, "driverVersion"), UINT64_MAX);
    e.mfgName = Optional(r, dPath, "mfgName");
    e.oemUrl = Optional(r, dPath, "oemUrl");
    e.hardwareId = Optional(r, dPath, "hardwareId");
    e.provider = Optional(r, dPath, "provider");
    if (!d.drivers.Find(e.environment, e.name, e.version).empty())
      Fail(dPath, "the same driver, environment and version are listed twice");
    d.drivers.Put(std::move(e));
  }
}

void ReadPrintProcessors(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_array()) Fail(path, "expected an array of print processors, found " + KindOf(j));
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string pPath = Child(path, std::to_string(i));
    ExpectObject(j[i], pPath, {"name", "environment", "dll"});
    if (!j[i].contains("name")) Fail(Child(pPath, "name"), "missing");
    PrintProcessorEntry e;
    e.name = ReadString(j[i]["name"], Child(pPath, "name"));
    const std::string env = Optional(j[i], pPath, "environment");
    const auto known = KnownEnvironment(d, env);
    if (!known) Fail(Child(pPath, "environment"), "not a print environment of this Windows: '" + env + "'");
    e.environment = *known;
    e.dll = Optional(j[i], pPath, "dll");
    for (const auto& other : d.printProcessors)
      if (text::IEquals(other.name, e.name) && text::IEquals(other.environment, e.environment))
        Fail(Child(pPath, "name"), "the same print processor is listed twice in this environment");
    d.printProcessors.push_back(std::move(e));
  }
}

void ReadWinIni(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_object()) Fail(path, "expected an object of sections, found " + KindOf(j));
  for (const auto& [section, keys] : j.items()) {
    const std::string sPath = Child(path, section);
    if (!keys.is_object()) Fail(sPath, "expected an object of values by key, found " + KindOf(keys));
    if (d.winIni.count(section)) Fail(sPath, "the same section is listed twice (names ignore case)");
    auto& out = d.winIni[section];
    for (const auto& [key, value] : keys.items()) {
      if (out.count(key)) Fail(Child(sPath, key), "the same key is listed twice (names ignore case)");
      out[key] = ReadString(value, Child(sPath, key));
    }
  }
}

bool IsFullPath(std::string_view p) { return winpath::IsDriveAbsolute(p); }

void ReadLibraries(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_object()) Fail(path, "expected an object of libraries by path or name, found " + KindOf(j));
  for (const auto& [raw, lib] : j.items()) {
    const std::string lPath = Child(path, raw);
    const bool bare = raw.find_first_of("\\/:") == std::string::npos;
    if (raw.empty() || (!bare && !IsFullPath(raw)))
      Fail(lPath, "expected a full path, or a bare name for a system library");
    ExpectObject(lib, lPath, {"exports", "uninstallStatus"});
    LibraryEntry e;
    e.path = bare ? raw : NormalizeFilePath(raw);
    if (lib.contains("exports")) e.exports = ReadStringList(lib["exports"], Child(lPath, "exports"));
    if (lib.contains("uninstallStatus")) {
      const std::int64_t status = ReadSigned(lib["uninstallStatus"], Child(lPath, "uninstallStatus"));
      if (status < INT32_MIN || status > INT32_MAX)
        Fail(Child(lPath, "uninstallStatus"), "expected a 32-bit signed number");
      e.uninstallStatus = static_cast<std::int32_t>(status);
    }
    if (!bare && !d.files.count(e.path)) Fail(lPath, "a library must also be listed in \"files\"");
    if (d.libraries.count(e.path)) Fail(lPath, "the same library is listed twice (paths ignore case)");
    d.libraries.emplace(e.path, std::move(e));
  }
}

void ReadZipArchives(const json& j, const std::string& path, MachineData& d) {
  if (!j.is_object()) Fail(path, "expected an object of member lists by archive path, found " + KindOf(j));
  for (const auto& [raw, members] : j.items()) {
    const std::string aPath = Child(path, raw);
    if (!IsFullPath(raw)) Fail(aPath, "expected a full path such as \"C:\\\\drv\\\\HELP.ZIP\"");
    const std::string archive = NormalizeFilePath(raw);
    if (!d.files.count(archive)) Fail(aPath, "an archive must also be listed in \"files\"");
    if (d.zipArchives.count(archive)) Fail(aPath, "the same archive is listed twice (paths ignore case)");
    d.zipArchives.emplace(archive, ReadStringList(members, aPath));
  }
}

void ReadDirectories(const json& j, const std::string& path, MachineData& d) {
  ExpectObject(j, path, {"windows", "temp", "current", "path"});
  for (auto [member, field] : {std::pair{"windows", &d.windowsDirectory}, std::pair{"temp", &d.tempDirectory},
                               std::pair{"current", &d.currentDirectory}}) {
    if (!j.contains(member)) continue;
    const std::string raw = ReadString(j[member], Child(path, member));
    if (!IsFullPath(raw) && !(raw.size() == 2 && raw[1] == ':'))
      Fail(Child(path, member), "expected a full path such as \"C:\\\\WINNT\"");
    *field = NormalizeFilePath(raw);
  }
  if (j.contains("path")) {
    const std::string listPath = Child(path, "path");
    const std::vector<std::string> dirs = ReadStringList(j["path"], listPath);
    for (std::size_t i = 0; i < dirs.size(); ++i) {
      if (!IsFullPath(dirs[i]) && !(dirs[i].size() == 2 && dirs[i][1] == ':'))
        Fail(Child(listPath, std::to_string(i)), "expected a full path such as \"C:\\\\Tools\"");
      d.searchPath.push_back(NormalizeFilePath(dirs[i]));
    }
  }
}

}  // namespace

void LoadPrinting(const json& members, MachineData& d) {
  if (members.contains("directories")) ReadDirectories(members["directories"], "/directories", d);
  if (members.contains("drivers")) ReadDrivers(members["drivers"], "/drivers", d);
  if (members.contains("printers")) ReadPrinters(members["printers"], "/printers", d);
  if (members.contains("printProcessors")) ReadPrintProcessors(members["printProcessors"], "/printProcessors", d);
  if (members.contains("winIni")) ReadWinIni(members["winIni"], "/winIni", d);
  if (members.contains("libraries")) ReadLibraries(members["libraries"], "/libraries", d);
  if (members.contains("zipArchives")) ReadZipArchives(members["zipArchives"], "/zipArchives", d);
  // A printer needs its driver installed for this family's environment.
  const std::string native = NativeEnvironment(d);
  std::set<std::string_view, text::ILessFn> nativeDrivers;
  for (const auto& r : d.drivers)
    if (text::IEquals(r.environment, native)) nativeDrivers.insert(r.name);
  std::size_t i = 0;
  for (const PrinterEntry& p : d.printers) {
    if (!nativeDrivers.count(p.driverName))
      Fail("/printers/" + std::to_string(i) + "/driver",
           "no driver '" + p.driverName + "' is installed for \"" + native + "\"");
    ++i;
  }
}

}  // namespace sim
