#include "image_load.h"
#include "model/journal.h"

namespace sim {

namespace {
json PrinterJson(const PrinterEntry& p) {
  json out{{"name", ValidUtf8(p.name)}, {"driver", ValidUtf8(p.driverName)}};
  if (p.IsConnection()) out["server"] = ValidUtf8(p.serverName);
  if (!p.shareName.empty()) out["share"] = ValidUtf8(p.shareName);
  if (!p.portName.empty()) out["port"] = ValidUtf8(p.portName);
  out["printProcessor"] = ValidUtf8(p.printProcessor);
  out["datatype"] = ValidUtf8(p.datatype);
  if (p.attributes) out["attributes"] = p.attributes;
  if (p.status) out["status"] = p.status;
  if (!p.jobs.empty()) {
    json jobs = json::array();
    for (const auto& j : p.jobs) {
      json job{{"id", j.id}, {"document", ValidUtf8(j.document)}};
      if (j.status) job["status"] = j.status;
      jobs.push_back(std::move(job));
    }
    out["jobs"] = std::move(jobs);
  }
  if (p.drainSeconds) out["drainSeconds"] = *p.drainSeconds;
  if (p.pendingDeletion) out["pendingDeletion"] = true;
  return out;
}

json StringsJson(const std::vector<std::string>& list) {
  json out = json::array();
  for (const auto& s : list) out.push_back(ValidUtf8(s));
  return out;
}

json DriverJson(const plat::DriverInfo& d) {
  json out{{"name", ValidUtf8(d.name)}, {"environment", d.environment}, {"version", d.version}};
  for (auto [member, field] : {std::pair{"driverPath", &d.driverPath}, std::pair{"dataFile", &d.dataFile},
                               std::pair{"configFile", &d.configFile}, std::pair{"helpFile", &d.helpFile},
                               std::pair{"monitorName", &d.monitorName},
                               std::pair{"defaultDataType", &d.defaultDataType}, std::pair{"mfgName", &d.mfgName},
                               std::pair{"oemUrl", &d.oemUrl}, std::pair{"hardwareId", &d.hardwareId},
                               std::pair{"provider", &d.provider}})
    if (!field->empty()) out[member] = ValidUtf8(*field);
  if (d.hasDependentFiles) out["dependentFiles"] = StringsJson(d.dependentFiles);
  if (!d.previousNames.empty()) out["previousNames"] = StringsJson(d.previousNames);
  if (d.driverDate) out["driverDate"] = d.driverDate;
  if (d.driverVersion) out["driverVersion"] = d.driverVersion;
  return out;
}
}  // namespace

void SavePrinting(const MachineData& d, json& image) {
  json directories{{"current", ValidUtf8(d.currentDirectory)}};
  if (!d.windowsDirectory.empty()) directories["windows"] = ValidUtf8(d.windowsDirectory);
  if (!d.tempDirectory.empty()) directories["temp"] = ValidUtf8(d.tempDirectory);
  if (!d.searchPath.empty()) {
    json dirs = json::array();
    for (const auto& dir : d.searchPath) dirs.push_back(ValidUtf8(dir));
    directories["path"] = std::move(dirs);
  }
  image["directories"] = std::move(directories);

  json printers = json::array();
  for (const auto& p : d.printers) printers.push_back(PrinterJson(p));
  image["printers"] = std::move(printers);

  json drivers = json::array();
  for (const auto& r : d.drivers) drivers.push_back(DriverJson(r));
  image["drivers"] = std::move(drivers);

  json processors = json::array();
  for (const auto& p : d.printProcessors) {
    json e{{"name", ValidUtf8(p.name)}, {"environment", p.environment}};
    if (!p.dll.empty()) e["dll"] = ValidUtf8(p.dll);
    processors.push_back(std::move(e));
  }
  image["printProcessors"] = std::move(processors);

  json winIni = json::object();
  for (const auto& [section, keys] : d.winIni) {
    json s = json::object();
    for (const auto& [key, value] : keys) s[ValidUtf8(key)] = ValidUtf8(value);
    winIni[ValidUtf8(section)] = std::move(s);
  }
  image["winIni"] = std::move(winIni);

  json libraries = json::object();
  for (const auto& [path, lib] : d.libraries) {
    json entry{{"exports", StringsJson(lib.exports)}};
    if (lib.uninstallStatus) entry["uninstallStatus"] = *lib.uninstallStatus;
    libraries[ValidUtf8(path)] = std::move(entry);
  }
  image["libraries"] = std::move(libraries);

  json archives = json::object();
  for (const auto& [path, members] : d.zipArchives) archives[ValidUtf8(path)] = StringsJson(members);
  image["zipArchives"] = std::move(archives);
}

}  // namespace sim
