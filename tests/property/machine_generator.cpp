#include "machine_generator.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/text.h"

namespace property {

namespace {

const std::string kInstallDir = "C:\\Program Files\\BREVIK\\Install";
const std::string kListerLibrary = "C:\\Program Files\\BREVIK\\ptzipw32.dll";
const std::string kPrintKey = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print";
const std::string kEnumKey = "HKLM\\SYSTEM\\CurrentControlSet\\Enum";
const std::string kPrinterClass = "{4d36e979-e325-11ce-bfc1-08002be10318}";
const std::string kClassKey = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\" + kPrinterClass;
const std::string kLegacyClassKey = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Class\\Printer";
const std::string kUsbInterface = "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const std::string kDeviceClassKey = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\" + kUsbInterface;
const std::string kPnpDataKey = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers";
const std::string kDevModesKey = "HKU\\.DEFAULT\\PRINTERS\\DEVMODES2";
const std::string kVorkastPrintersKey = "HKU\\.DEFAULT\\SOFTWARE\\VORKAST\\PRINTERS";
const std::string kDriverSetupKey = "HKLM\\SOFTWARE\\VORKAST\\DRIVERSETUP";
const std::string kDefaultKey = "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const std::string kConnectionsKey = "HKCU\\Printers\\Connections";
const std::string kEnvNt = "Windows NT x86";
const std::string kEnv9x = "Windows 4.0";
const int kModelNumbers[] = {2100, 3300, 4500, 5200, 6100, 7400};

// The names a generated machine's own field names its hooks by; the image
// features they stand for are still to come.
const char kProtectedMember[] = "protected";
const char kCompanyMember[] = "company";

struct Rng {
  std::uint64_t state;
  std::uint64_t Next() {
    // splitmix64: the same sequence on every platform and compiler.
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool Chance(int num, int den) { return Below(den) < num; }
};

struct OsFacts {
  bool nt = true;
  bool nt5 = true;
  std::string windows;
  std::string system;
  std::uint32_t native = 3;
};

OsFacts FactsOf(const std::string& os) {
  if (os == "win98") return {false, false, "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", 0};
  if (os == "nt4") return {true, false, "C:\\WINNT", "C:\\WINNT\\System32", 2};
  if (os == "win2k") return {true, true, "C:\\WINNT", "C:\\WINNT\\System32", 3};
  return {true, true, "C:\\WINDOWS", "C:\\WINDOWS\\System32", 3};
}

struct Variant {
  std::string env;
  std::uint32_t version;
};

// One driver record as the generator writes it.
struct DriverSpec {
  std::string name;
  Variant variant;
  std::string driverPath, dataFile, configFile, helpFile;
  std::optional<std::vector<std::string>> dependentFiles;
};

std::string Hex(int n) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (int shift = 12; shift >= 0; shift -= 4) out += digits[(n >> shift) & 0xF];
  return out;
}

std::string Index4(int n) {
  std::string s = std::to_string(n);
  return std::string(4 - std::min<std::size_t>(4, s.size()), '0') + s;
}

class Generator {
 public:
  Generator(std::uint64_t seed, const HazardSet& hazards) : rng_{seed * 0x2545F4914F6CDD1Dull + 1}, hazards_(hazards) {
    world_.seed = seed;
    static const char* const kOses[] = {"winxp", "winxp", "win2k", "nt4", "win98"};
    world_.os = kOses[rng_.Below(5)];
    os_ = FactsOf(world_.os);
  }

  World Run();

 private:
  // A switch that is on lays its trap on about half the machines, so that
  // traps meet in every combination.
  bool Want(Hazard h) { return hazards_.Has(h) && rng_.Chance(1, 2); }

  std::vector<Variant> VariantsOffered() const;
  std::string Folder(const Variant& v) const;
  std::string PathIn(const Variant& v, const std::string& name) const {
    return name.find('\\') != std::string::npos ? name : Folder(v) + "\\" + name;
  }
  std::string FamilyFile(bool pcl, std::uint32_t version) const;

  json Acl() const;
  void Key(Piece& p, const std::string& path, json values, ClaimKind claim = ClaimKind::KeyTree);
  void File(Piece& p, const std::string& path, json entry = json::object(), bool claim = true);
  void Driver(Piece& p, const DriverSpec& d);
  json PrinterJson(const std::string& name, const std::string& driver, const std::string& port,
                   const std::string& processor);

  void Infrastructure();
  void MakerModels();
  void ModelList();
  void MakerDrivers();
  void ForeignDrivers();
  void Processors();
  void MakerPrinters();
  void ForeignPrinters();
  void PrinterKeys(Piece& p, const std::string& name, const std::string& port);
  void PnpDevice(Piece& p, const std::string& printerName, const std::string& device, int port,
                 const std::string& instanceIdOverride, const std::string& driverOverride);
  void LegacyDevice(Piece& p, const std::string& printerName, const std::string& enumerator,
                    const std::string& device, const std::string& driverOverride);
  void UsbPorts();
  void DefaultPrinter();
  void Connections();
  void StandaloneHazards();
  void InstallLogs();

  struct MakerDriver {
    int number;
    bool pcl;
    DriverSpec driver;
    std::string archive;  // full path, or empty
    std::vector<std::string> members;
  };
  struct PrinterMade {
    std::string name;
    std::string port;
    bool maker;
  };

  Rng rng_;
  HazardSet hazards_;
  World world_;
  OsFacts os_;
  std::vector<std::pair<int, bool>> models_;  // number, PCL
  std::vector<std::string> modelDriverNames_;
  std::vector<MakerDriver> makerDrivers_;
  std::vector<DriverSpec> foreignDrivers_;
  std::vector<PrinterMade> printers_;
  std::string extraIniLines_;
  bool makerProcessor_ = false, foreignProcessor_ = false;
  int nextPort_ = 1;
  int nextClassIndex_ = 0;
  int nextInstance_ = 1;
  int highestPort_ = 0;
};

std::vector<Variant> Generator::VariantsOffered() const {
  if (!os_.nt) return {{kEnv9x, 0}};
  if (!os_.nt5) return {{kEnvNt, 2}, {kEnv9x, 0}};
  return {{kEnvNt, 3}, {kEnvNt, 2}, {kEnv9x, 0}};
}

std::string Generator::Folder(const Variant& v) const {
  if (!os_.nt) return os_.system;
  return os_.system + "\\spool\\drivers\\" + (v.env == kEnv9x ? "win40" : "w32x86") + "\\" +
         std::to_string(v.version);
}

std::string Generator::FamilyFile(bool pcl, std::uint32_t version) const {
  if (version == 3) return pcl ? "vkpcl2a.dll" : "vorpsnt3.dll";
  if (version == 2) return pcl ? "vkpclna.dll" : "vorpsnt.dll";
  return pcl ? "vkpcl5c.drv" : "vorps.drv";
}

json Generator::Acl() const {
  return json::array({
      {{"type", "allow"}, {"sid", "S-1-5-32-544"}, {"mask", "KEY_ALL_ACCESS"}, {"flags", "CONTAINER_INHERIT"}},
      {{"type", "allow"}, {"sid", "S-1-5-18"}, {"mask", "KEY_ALL_ACCESS"}, {"flags", "CONTAINER_INHERIT"}},
      {{"type", "allow"}, {"sid", "S-1-5-32-545"}, {"mask", "KEY_READ"}, {"flags", "CONTAINER_INHERIT"}},
  });
}

void Generator::Key(Piece& p, const std::string& path, json values, ClaimKind claim) {
  json& key = p.fragment["registry"][path];
  if (!values.is_null()) key["values"] = std::move(values);
  if (os_.nt) key["acl"] = Acl();
  if (!key.contains("values") && !key.contains("acl")) key = json::object();
  p.claims.push_back({claim, KeyId(path)});
}

void Generator::File(Piece& p, const std::string& path, json entry, bool claim) {
  p.fragment["files"][path] = std::move(entry);
  if (claim) p.claims.push_back({ClaimKind::File, FileId(path)});
}

void Generator::Driver(Piece& p, const DriverSpec& d) {
  json record{{"name", d.name}, {"environment", d.variant.env}};
  if (os_.nt) record["version"] = d.variant.version;
  for (auto [member, value] : {std::pair{"driverPath", &d.driverPath}, std::pair{"dataFile", &d.dataFile},
                               std::pair{"configFile", &d.configFile}, std::pair{"helpFile", &d.helpFile}}) {
    if (value->empty()) continue;
    record[member] = *value;
    p.claims.push_back({ClaimKind::File, FileId(PathIn(d.variant, *value))});
  }
  if (d.dependentFiles) {
    record["dependentFiles"] = *d.dependentFiles;
    for (const std::string& f : *d.dependentFiles) p.claims.push_back({ClaimKind::File, FileId(PathIn(d.variant, f))});
  }
  p.fragment["drivers"].push_back(std::move(record));
  const std::uint32_t reported = os_.nt ? d.variant.version : 0x400;
  p.claims.push_back({ClaimKind::Driver, DriverId(d.name, d.variant.env, reported)});
  const std::string key = os_.nt ? kPrintKey + "\\Environments\\" + d.variant.env + "\\Drivers\\Version-" +
                                       std::to_string(d.variant.version) + "\\" + d.name
                                 : kPrintKey + "\\Environments\\" + d.variant.env + "\\Drivers\\" + d.name;
  Key(p, key, {{"Driver", d.driverPath}, {"Data File", d.dataFile}});
  if (!os_.nt) Key(p, kDriverSetupKey + "\\" + d.name, {{"Installed", 1}});
}

json Generator::PrinterJson(const std::string& name, const std::string& driver, const std::string& port,
                            const std::string& processor) {
  json printer{{"name", name}, {"driver", driver}, {"port", port}, {"printProcessor", processor},
               {"datatype", "RAW"}};
  return printer;
}

void Generator::Infrastructure() {
  Piece base{"the uninstaller, its lister and the spooler", false};
  base.fragment = {
      {"token",
       {{"user", "S-1-5-21-1-2-3-500"},
        {"thread", nullptr},
        {"process", {"S-1-5-21-1-2-3-513", "S-1-1-0", "S-1-5-32-544", "S-1-5-32-545"}}}},
      {"program", kInstallDir + "\\drvpurge.exe"},
      {"resourceLibraries", {{kInstallDir + "\\SETUPUI.DLL", {{"strings", {{"9", "Status Monitor"}}}}}}},
      {"libraries", {{kListerLibrary, {{"exports", {"PtZipList"}}}}}},
      {"registry",
       {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
         {{"values", {{"ProgramFilesDir", "C:\\Program Files"}, {"CommonFilesDir", "C:\\Program Files\\Common Files"}}}}},
        {"HKLM\\SOFTWARE\\Vorkast\\Install", {{"values", {{"UnstDirBREVIK", kInstallDir}}}}}}},
  };
  if (os_.nt) base.fragment["services"] = {{"Spooler", {{"state", "running"}, {"onStop", "stops"}, {"startType", "auto"}}}};
  world_.pieces.push_back(std::move(base));

  Piece own{"the uninstaller's own files", true};
  File(own, kInstallDir + "\\drvpurge.exe");
  File(own, kInstallDir + "\\SETUPUI.DLL");
  File(own, kListerLibrary);
  // When nothing of the maker's is left the uninstaller removes itself with
  // its install directory and that directory's parent.
  own.claims.push_back({ClaimKind::File, FileId(kInstallDir)});
  own.claims.push_back({ClaimKind::File, FileId(kInstallDir.substr(0, kInstallDir.rfind('\\')))});
  world_.pieces.push_back(std::move(own));
}

void Generator::MakerModels() {
  const int count = 1 + rng_.Below(3);
  for (int i = 0; i < count; ++i) models_.emplace_back(kModelNumbers[(i * 2 + rng_.Below(2)) % 6], rng_.Chance(2, 3));
  const std::vector<Variant> offered = VariantsOffered();
  for (const auto& [number, pcl] : models_) {
    const std::string model = "BRV-" + std::to_string(number);
    const std::string name = "BREVIK " + model + (pcl ? (rng_.Chance(1, 2) ? " PCL5" : " PCL6") : " PS");
    modelDriverNames_.push_back(name);
    for (std::size_t v = 0; v < offered.size(); ++v) {
      // The native driver always; the others now and then.
      if (v > 0 && !rng_.Chance(1, 3)) continue;
      const Variant& variant = offered[v];
      MakerDriver d{number, pcl, {}, {}, {}};
      d.driver.name = name;
      d.driver.variant = variant;
      const std::string stem = "vk" + std::to_string(number);
      d.driver.driverPath = FamilyFile(pcl, variant.version);
      d.driver.dataFile = stem + (pcl ? ".gpd" : ".ppd");
      d.driver.configFile = stem + "ui.dll";
      d.driver.helpFile = "VK" + std::to_string(number) + ".HLP";
      std::vector<std::string> deps{d.driver.dataFile, d.driver.configFile, "vkres.dll"};
      if (pcl && os_.nt && rng_.Chance(1, 3)) {
        // Built on the system's own PCL driver, like many makers' drivers.
        deps.insert(deps.end(), {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP"});
      }
      if (v == 0 && rng_.Chance(1, 2)) {
        d.archive = PathIn(variant, "VK" + std::to_string(number) + "HLP.ZIP");
        deps.push_back("VK" + std::to_string(number) + "HLP.ZIP");
        d.members = {"VK" + std::to_string(number) + ".CNT", "VK" + std::to_string(number) + "TOPICS.HLP"};
      }
      if (Want(Hazard::TrailingDotNames) && os_.nt) deps.push_back(rng_.Chance(1, 2) ? "UNIDRVUI.DLL." : "vkres.dll ");
      d.driver.dependentFiles = deps;
      makerDrivers_.push_back(std::move(d));
    }
  }
}

void Generator::ModelList() {
  std::string ini = "[Manufacturer]\r\nBrevik=Brevik Models\r\n\r\n[Brevik Models]\r\n";
  std::string defaults = "[Printer]\r\n";
  std::string sections;
  for (std::size_t i = 0; i < models_.size(); ++i) {
    const std::string model = "BRV-" + std::to_string(models_[i].first);
    (rng_.Chance(1, 4) ? defaults : ini) += "Model" + std::to_string(i + 1) + "=" + model + "\r\n";
    const std::string& name = modelDriverNames_[i];
    sections += "\r\n[" + model + "]\r\n";
    if (!models_[i].second)
      sections += "PSName=" + name + "\r\n";
    else if (text::IEndsWith(name, "PCL5"))
      sections += "PCL5Name=" + name + "\r\n";
    else
      sections += "PCL5Name=\r\nPCL6Name=" + name + "\r\n";
  }
  ini += extraIniLines_ + "\r\n" + defaults + sections;
  Piece list{"the maker's model list", true};
  File(list, kInstallDir + "\\Drivers.ini", {{"content", ini}});
  world_.pieces.push_back(std::move(list));
}

void Generator::MakerDrivers() {
  for (const MakerDriver& d : makerDrivers_) {
    Piece p{"the maker's driver '" + d.driver.name + "' (" + d.driver.variant.env + ", " +
                std::to_string(d.driver.variant.version) + ")",
            true};
    Driver(p, d.driver);
    const std::string number = std::to_string(d.number);
    // Files the spooler holds until it stops, on 2000/XP; for good elsewhere.
    if (rng_.Chance(1, 4)) File(p, PathIn(d.driver.variant, d.driver.driverPath), {{"lockedBy", "Spooler"}});
    if (rng_.Chance(1, 2)) File(p, PathIn(d.driver.variant, "VK" + number + ".GID"));
    if (!d.pcl) File(p, PathIn(d.driver.variant, "vk" + number + ".bpd"));
    if (rng_.Chance(1, 3)) File(p, os_.system + "\\vkres.dll");
    if (!d.archive.empty()) {
      File(p, d.archive);
      json members = json::array();
      for (const std::string& m : d.members) {
        File(p, PathIn(d.driver.variant, m));
        members.push_back(m);
      }
      if (Want(Hazard::ZipDoubleMembers))
        for (const std::string& m : d.members) members.push_back(text::Fold(m));
      if (Want(Hazard::StaleZipList)) {
        // The lister knows no such archive; last time's list is still there,
        // and it names a file another maker's driver in this folder needs.
        File(p, d.archive.substr(0, d.archive.size() - 4) + ".txt",
             {{"content", "UNIDRV.DLL\r\n" + d.members.front() + "\r\n"}});
        Piece other{"another maker's driver beside the stale list of '" + d.archive + "'", false};
        Driver(other, {"Contoso Stale " + number, d.driver.variant, "UNIDRV.DLL", "ctstale" + number + ".gpd",
                       "UNIDRVUI.DLL", "", std::vector<std::string>{"ctstale" + number + ".gpd", "UNIRES.DLL"}});
        world_.pieces.push_back(std::move(other));
      } else {
        p.fragment["zipArchives"][d.archive] = members;
      }
      if (Want(Hazard::ZipMemberShared)) {
        Piece other{"another maker's driver listing a member of '" + d.archive + "'", false};
        Driver(other, {"Contoso Member " + number, d.driver.variant, "UNIDRV.DLL", "ctmem" + number + ".gpd",
                       "UNIDRVUI.DLL", "", std::vector<std::string>{"ctmem" + number + ".gpd", d.members.back()}});
        world_.pieces.push_back(std::move(other));
      }
    }
    if (Want(Hazard::Companions)) {
      Piece other{"another maker's driver listing the companion of a file of '" + d.driver.name + "'", false};
      const std::string companion = d.pcl ? "VK" + number + ".GID" : "vk" + number + ".bpd";
      Driver(other, {"Contoso Companion " + number, d.driver.variant, "UNIDRV.DLL", "ctcomp" + number + ".gpd",
                     "UNIDRVUI.DLL", "", std::vector<std::string>{"ctcomp" + number + ".gpd", companion}});
      world_.pieces.push_back(std::move(other));
    }
    if (Want(Hazard::SystemCopies)) {
      // The maker's driver lists a runtime library every program shares.
      // Only 2000 and XP protect system files; elsewhere its version
      // resource is what tells it from the maker's.
      Piece other{"a system library the maker's '" + d.driver.name + "' also lists", false};
      json entry = os_.nt5 && rng_.Chance(1, 2) ? json{{kProtectedMember, true}}
                                                : json{{kCompanyMember, "Contoso Corporation"}};
      File(other, os_.system + "\\MFC42.DLL", entry);
      world_.pieces.push_back(std::move(other));
      p.fragment["drivers"].back()["dependentFiles"].push_back("MFC42.DLL");
      p.claims.push_back({ClaimKind::File, FileId(PathIn(d.driver.variant, "MFC42.DLL"))});
    }
    // Rare, as such an image is refused and its run then proves nothing else.
    if (Want(Hazard::DriveRoot) && rng_.Chance(1, 8))
      p.fragment["drivers"].back()["dependentFiles"].push_back("C:\\");
    world_.pieces.push_back(std::move(p));
  }
}

void Generator::ForeignDrivers() {
  const std::vector<Variant> offered = VariantsOffered();
  const int count = 1 + rng_.Below(3);
  for (int k = 1; k <= count; ++k) {
    const bool pcl = rng_.Chance(2, 3);
    const std::string name = pcl ? "Contoso LaserJet " + std::to_string(k) : "Fabrikam PS " + std::to_string(k);
    for (std::size_t v = 0; v < offered.size(); ++v) {
      if (v > 0 && !rng_.Chance(1, 3)) continue;
      DriverSpec d;
      d.name = name;
      d.variant = offered[v];
      const std::string stem = (pcl ? "ctlj" : "fbps") + std::to_string(k);
      d.driverPath = pcl ? "UNIDRV.DLL" : "PSCRIPT5.DLL";
      d.dataFile = stem + (pcl ? ".gpd" : ".ppd");
      d.configFile = pcl ? "UNIDRVUI.DLL" : "PS5UI.DLL";
      d.helpFile = pcl ? "UNIDRV.HLP" : "PSCRIPT.HLP";
      std::vector<std::string> deps{d.dataFile, pcl ? "UNIRES.DLL" : "PSCRIPT.NTF", "STDNAMES.GPD"};
      if (Want(Hazard::SharedFileCase)) {
        // The maker's shared resource file and one of a maker model's own, in capitals.
        deps.push_back("VKRES.DLL");
        for (const MakerDriver& m : makerDrivers_)
          if (m.driver.variant.env == d.variant.env && m.driver.variant.version == d.variant.version) {
            deps.push_back(text::Fold(m.driver.configFile) == m.driver.configFile ? "VK" + std::to_string(m.number) + "UI.DLL"
                                                                               : m.driver.configFile);
            break;
          }
      }
      if (Want(Hazard::TrailingDotNames)) deps.push_back("vkres.dll.");
      if (Want(Hazard::NoDependentList)) {
        // Its main files are shared with the maker's drivers built on them.
        d.dependentFiles.reset();
      } else {
        d.dependentFiles = deps;
      }
      Piece p{"another maker's driver '" + name + "' (" + d.variant.env + ", " + std::to_string(d.variant.version) + ")",
              false};
      Driver(p, d);
      world_.pieces.push_back(std::move(p));
      if (v == 0) foreignDrivers_.push_back(d);
    }
  }
  if (Want(Hazard::FamilyFileClone) && !makerDrivers_.empty()) {
    const MakerDriver& m = makerDrivers_[static_cast<std::size_t>(rng_.Below(static_cast<int>(makerDrivers_.size())))];
    DriverSpec d{"Vorclone " + std::to_string(m.number), m.driver.variant, m.driver.driverPath,
                 "clone" + std::to_string(m.number) + ".gpd", m.driver.configFile, "",
                 std::vector<std::string>{"clone" + std::to_string(m.number) + ".gpd", m.driver.configFile}};
    Piece p{"another maker's driver built on the maker's file '" + m.driver.driverPath + "'", false};
    Driver(p, d);
    world_.pieces.push_back(std::move(p));
    if (m.driver.variant.version == os_.native && m.driver.variant.env == (os_.nt ? kEnvNt : kEnv9x))
      foreignDrivers_.push_back(d);
  }
  if (Want(Hazard::LongIniHeader) && !makerDrivers_.empty()) {
    // Another maker's section behind a header too long to read; its model
    // must not join the maker's section before it.
    extraIniLines_ = "[" + std::string(5000, 'X') + "]\r\nClone=CLONE-1\r\n\r\n[CLONE-1]\r\nPCL5Name=Contoso Clone PCL\r\n";
    const Variant native{os_.nt ? kEnvNt : kEnv9x, os_.native};
    DriverSpec d{"Contoso Clone PCL", native, FamilyFile(true, os_.native), "ctclone.gpd", "UNIDRVUI.DLL", "",
                 std::vector<std::string>{"ctclone.gpd", "UNIRES.DLL"}};
    Piece p{"another maker's driver named in a section behind an over-long header", false};
    Driver(p, d);
    world_.pieces.push_back(std::move(p));
  }
}

void Generator::Processors() {
  const std::string env = os_.nt ? kEnvNt : kEnv9x;
  const std::string dir = os_.nt ? os_.system + "\\spool\\prtprocs\\w32x86" : os_.system;
  {
    Piece p{"the system's print processor WinPrint", false};
    p.fragment["printProcessors"].push_back({{"name", "WinPrint"}, {"environment", env}, {"dll", "localspl.dll"}});
    Key(p, kPrintKey + "\\Environments\\" + env + "\\Print Processors\\WinPrint", {{"Driver", "localspl.dll"}});
    p.claims.push_back({ClaimKind::Processor, ProcessorId("WinPrint", env)});
    world_.pieces.push_back(std::move(p));
  }
  makerProcessor_ = rng_.Chance(1, 2);
  if (makerProcessor_) {
    Piece p{"the maker's print processor VKPrint", true};
    p.fragment["printProcessors"].push_back({{"name", "VKPrint"}, {"environment", env}, {"dll", "vkprint.dll"}});
    Key(p, kPrintKey + "\\Environments\\" + env + "\\Print Processors\\VKPrint", {{"Driver", "vkprint.dll"}});
    File(p, dir + "\\vkprint.dll");
    p.claims.push_back({ClaimKind::Processor, ProcessorId("VKPrint", env)});
    world_.pieces.push_back(std::move(p));
  }
  foreignProcessor_ = rng_.Chance(1, 2) || hazards_.Has(Hazard::ForeignProcessor);
  if (foreignProcessor_) {
    Piece p{"another maker's print processor CtPrint", false};
    p.fragment["printProcessors"].push_back({{"name", "CtPrint"}, {"environment", env}, {"dll", "ctprint.dll"}});
    Key(p, kPrintKey + "\\Environments\\" + env + "\\Print Processors\\CtPrint", {{"Driver", "ctprint.dll"}});
    File(p, dir + "\\ctprint.dll");
    p.claims.push_back({ClaimKind::Processor, ProcessorId("CtPrint", env)});
    world_.pieces.push_back(std::move(p));
  }
}

void Generator::PrinterKeys(Piece& p, const std::string& name, const std::string& port) {
  if (!os_.nt) return;
  const std::string key = kPrintKey + "\\Printers\\" + name;
  Key(p, key, {{"Port", port}, {"Name", name}});
  Key(p, key + "\\PrinterDriverData", {{"Model", name}});
  Key(p, key + "\\DsSpooler", {{"printerName", name}});
  if (p.maker) {
    Key(p, kDevModesKey + "\\" + name, {{"dmDeviceName", name}});
    Key(p, kVorkastPrintersKey + "\\" + name, {{"Tray", 1}});
  } else {
    Key(p, kDevModesKey, {{name, {{"type", "REG_BINARY"}, {"data", "0102"}}}}, ClaimKind::Key);
    p.claims.push_back({ClaimKind::Value, ValueId(kDevModesKey, name)});
  }
}

void Generator::PnpDevice(Piece& p, const std::string& printerName, const std::string& device, int port,
                          const std::string& instanceIdOverride, const std::string& driverOverride) {
  const std::string instance = "7&" + Hex(nextInstance_++) + "&0&USB" + Index4(port).substr(1);
  const std::string instanceId = "USBPRINT\\" + device + "\\" + instance;
  const std::string classIndex = Index4(nextClassIndex_++);
  Key(p, kPnpDataKey + "\\" + printerName + "\\PnPData",
      {{"DeviceInstanceID", instanceIdOverride.empty() ? instanceId : instanceIdOverride}});
  Key(p, kEnumKey + "\\" + instanceId,
      {{"DeviceDesc", printerName}, {"Driver", driverOverride.empty() ? kPrinterClass + "\\" + classIndex : driverOverride}});
  Key(p, kClassKey + "\\" + classIndex, {{"DriverDesc", printerName}});
  p.uses.push_back("device:" + device);
  // The device key and the class key are shared with every instance.
  const std::string deviceName = "device:" + device;
  bool known = false;
  for (const Piece& other : world_.pieces) known = known || other.sharedAs == deviceName;
  if (!known) {
    Piece shared{"the Plug and Play device " + device, false};
    // Some device keys hold a value of their own and stay when emptied.
    Key(shared, kEnumKey + "\\USBPRINT\\" + device, rng_.Chance(1, 2) ? json{{"Class", "Printer"}} : json(),
        ClaimKind::Key);
    shared.sharedAs = deviceName;
    world_.pieces.push_back(std::move(shared));
  }
}

void Generator::LegacyDevice(Piece& p, const std::string& printerName, const std::string& enumerator,
                             const std::string& device, const std::string& driverOverride) {
  const std::string classIndex = Index4(nextClassIndex_++);
  const std::string instance = "HKLM\\Enum\\" + enumerator + "\\" + device + "\\" + Hex(nextInstance_++);
  Key(p, instance, {{"DeviceDesc", printerName}, {"Driver", driverOverride.empty() ? "Printer\\" + classIndex : driverOverride}});
  Key(p, kLegacyClassKey + "\\" + classIndex, {{"DriverDesc", printerName}});
  const std::string deviceName = "device:" + enumerator + "\\" + device;
  p.uses.push_back(deviceName);
  bool known = false;
  for (const Piece& other : world_.pieces) known = known || other.sharedAs == deviceName;
  if (!known) {
    Piece shared{"the legacy device " + enumerator + "\\" + device, false};
    Key(shared, "HKLM\\Enum\\" + enumerator + "\\" + device, {{"Class", "Printer"}}, ClaimKind::Key);
    shared.sharedAs = deviceName;
    world_.pieces.push_back(std::move(shared));
  }
}

void Generator::MakerPrinters() {
  bool shortIdLaid = false, shortClassLaid = false, legacyShortLaid = false;
  const bool wantShortId = Want(Hazard::ShortInstanceId) && os_.nt5;
  const bool wantShortClass = Want(Hazard::ShortClassDriver) && os_.nt5;
  const bool wantLegacyShort = Want(Hazard::LegacyShortDriver) && !os_.nt;
  const bool wantDriverCase = Want(Hazard::PrinterDriverCase);
  for (std::size_t i = 0; i < models_.size(); ++i) {
    const std::string& driver = modelDriverNames_[i];
    const std::string model = "BRV-" + std::to_string(models_[i].first);
    int count = rng_.Below(3);
    if (count == 0 && (wantShortId || wantShortClass || wantLegacyShort) && i == 0) count = 1;
    for (int c = 0; c < count; ++c) {
      const std::string name = "BREVIK " + model + (c ? " (Copy " + std::to_string(c) + ")" : "");
      const bool usb = os_.nt5 || !os_.nt ? rng_.Chance(1, 2) || ((wantShortId || wantShortClass) && i == 0) : false;
      const int port = usb ? nextPort_++ : 0;
      const std::string portName = usb ? "USB" + Index4(port).substr(1) : (rng_.Chance(1, 2) ? "LPT1:" : "IP_10.0.0." + std::to_string(40 + c));
      const std::string processor = makerProcessor_ && rng_.Chance(1, 2) ? "VKPrint"
                                    : Want(Hazard::ForeignProcessor) ? "CtPrint"
                                                                     : "WinPrint";
      Piece p{"the maker's printer '" + name + "' on " + portName, true};
      // "Brevik ..." for "BREVIK ...": the spooler reads both as one driver.
      json printer = PrinterJson(name, wantDriverCase && c == 0 ? "Brevik" + driver.substr(6) : driver, portName, processor);
      if (rng_.Chance(1, 5)) printer["jobs"] = json::array({{{"id", 3 + c}, {"document", "Report.doc"}}});
      p.fragment["printers"].push_back(std::move(printer));
      p.claims.push_back({ClaimKind::Printer, PrinterId(name)});
      if (usb) p.uses.push_back("usb:" + std::to_string(port));
      p.uses.push_back("printer:" + name);
      PrinterKeys(p, name, portName);
      const std::string device = "VorkastBRV-" + std::to_string(models_[i].first);
      if (usb && os_.nt5) {
        std::string id, cls;
        if (wantShortId && !shortIdLaid) {
          id = rng_.Chance(1, 2) ? "USBPRINT" : "USBPRINT\\" + device;
          shortIdLaid = true;
        } else if (wantShortClass && !shortClassLaid) {
          cls = kPrinterClass;
          shortClassLaid = true;
        }
        PnpDevice(p, name, device, port, id, cls);
      } else if (!os_.nt) {
        std::string cls;
        if (wantLegacyShort && !legacyShortLaid) {
          cls = "Printer";
          legacyShortLaid = true;
        }
        LegacyDevice(p, name, usb ? "USBPRINT" : "LPTENUM", device, cls);
      }
      printers_.push_back({name, portName, true});
      world_.pieces.push_back(std::move(p));
    }
  }
  if (shortIdLaid) {
    // Another printer of the same model, installed with another maker's
    // driver, shares the device key.
    for (const DriverSpec& f : foreignDrivers_) {
      const std::string name = "Front Desk " + std::to_string(models_[0].first);
      const int port = nextPort_++;
      const std::string portName = "USB" + Index4(port).substr(1);
      Piece p{"another maker's printer '" + name + "' of the maker's model", false};
      p.fragment["printers"].push_back(PrinterJson(name, f.name, portName, "WinPrint"));
      p.claims.push_back({ClaimKind::Printer, PrinterId(name)});
      p.uses = {"usb:" + std::to_string(port), "printer:" + name};
      PrinterKeys(p, name, portName);
      PnpDevice(p, name, "VorkastBRV-" + std::to_string(models_[0].first), port, "", "");
      printers_.push_back({name, portName, false});
      world_.pieces.push_back(std::move(p));
      break;
    }
  }
}

void Generator::ForeignPrinters() {
  if (foreignDrivers_.empty()) return;
  const int count = rng_.Below(4);
  int makerUsb = 0;
  for (const PrinterMade& m : printers_)
    if (m.maker && text::IStartsWith(m.port, "USB")) makerUsb = std::stoi(m.port.substr(3));
  for (int k = 1; k <= count + 2; ++k) {
    std::string portName;
    int port = 0;
    std::string label;
    if (k == count + 1) {
      // The traps on ports the maker's printer also uses.
      if (makerUsb == 0) continue;
      if (Want(Hazard::PooledPort)) {
        portName = "USB" + Index4(makerUsb).substr(1) + ",USB" + Index4(nextPort_).substr(1);
        port = nextPort_++;
      } else {
        continue;
      }
    } else if (k == count + 2) {
      if (makerUsb == 0 || !Want(Hazard::PortCase)) continue;
      portName = "usb" + Index4(makerUsb).substr(1);
    } else {
      const int choice = rng_.Below(4);
      if (choice == 0 && (os_.nt5 || !os_.nt)) {
        port = nextPort_++;
        portName = "USB" + Index4(port).substr(1);
      } else {
        portName = choice == 1 ? "LPT1:" : choice == 2 ? "FILE:" : "IP_10.0.0." + std::to_string(90 + k);
      }
    }
    const DriverSpec& f = foreignDrivers_[static_cast<std::size_t>(rng_.Below(static_cast<int>(foreignDrivers_.size())))];
    const std::string name = "Office Printer " + std::to_string(k);
    std::string processor = foreignProcessor_ && rng_.Chance(1, 3) ? "CtPrint" : "WinPrint";
    if (makerProcessor_ && Want(Hazard::ProcessorCase)) processor = "vkprint";
    Piece p{"another maker's printer '" + name + "' on " + portName, false};
    p.fragment["printers"].push_back(PrinterJson(name, f.name, portName, processor));
    p.claims.push_back({ClaimKind::Printer, PrinterId(name)});
    p.uses.push_back("printer:" + name);
    // Windows reads a pooled port list as each of its ports, in any case.
    for (const std::string& part : text::Split(portName, ',')) {
      const std::string_view trimmed = text::Trim(part);
      if (text::IStartsWith(trimmed, "USB")) p.uses.push_back("usb:" + std::to_string(std::stoi(std::string(trimmed.substr(3)))));
    }
    PrinterKeys(p, name, portName);
    if (port != 0 && os_.nt5) PnpDevice(p, name, "ContosoLJ" + std::to_string(k), port, "", "");
    if (!os_.nt) {
      // The device's description is its model's name, which may also be the
      // name of the maker's printer of that model.
      std::string description = name;
      for (const PrinterMade& m : printers_)
        if (m.maker && description == name && Want(Hazard::LegacyDeviceDesc)) description = m.name;
      LegacyDevice(p, description, port ? "USBPRINT" : "LPTENUM", "CONTOSOLJ" + std::to_string(k), "");
    }
    printers_.push_back({name, portName, false});
    world_.pieces.push_back(std::move(p));
  }
}

void Generator::UsbPorts() {
  highestPort_ = nextPort_ - 1;
  for (int port = 1; port <= highestPort_; ++port) {
    const std::string portName = "USB" + Index4(port).substr(1);
    Piece p{"the keys of port " + portName, false};
    p.sharedAs = "usb:" + std::to_string(port);
    if (os_.nt5) {
      const std::string iface = "##?#USB#VID_0A5F&PID_00" + Hex(port).substr(2) + "#SER" + std::to_string(port) + "#" + kUsbInterface;
      const std::string key = kDeviceClassKey + "\\" + iface;
      Key(p, key, {{"DeviceInstance", "USB\\VID_0A5F&PID_00" + Hex(port).substr(2) + "\\SER" + std::to_string(port)}});
      Key(p, key + "\\#", {{"SymbolicLink", "\\\\?\\" + iface}});
      Key(p, key + "\\#\\Device Parameters", {{"Port Number", port}, {"Base Name", "USB"}});
    } else if (!os_.nt) {
      Key(p, kPrintKey + "\\Ports\\" + portName, {{"Description", "Virtual printer port for USB"}});
      Key(p, "HKLM\\Enum\\USB\\VID_0A5F&PID_00" + Hex(port).substr(2) + "\\SER" + std::to_string(port),
          {{"PortName", portName}});
    } else {
      continue;
    }
    world_.pieces.push_back(std::move(p));
  }
}

void Generator::DefaultPrinter() {
  if (printers_.empty()) return;
  const PrinterMade& chosen = printers_[static_cast<std::size_t>(rng_.Below(static_cast<int>(printers_.size())))];
  Piece p{"the default printer '" + chosen.name + "'", chosen.maker};
  p.sharedAs = "printer:" + chosen.name;
  if (os_.nt) {
    Key(p, kDefaultKey, {{"Device", chosen.name + ",winspool," + chosen.port}}, ClaimKind::Key);
    p.claims.back() = {ClaimKind::Value, ValueId(kDefaultKey, "Device")};
  } else {
    p.fragment["winIni"]["windows"]["device"] = chosen.name + ",vkpcl5c.drv," + chosen.port;
    p.claims.push_back({ClaimKind::Value, ValueId("WININI\\windows", "device")});
  }
  world_.pieces.push_back(std::move(p));
  if (Want(Hazard::DefaultUnreadable) && !chosen.maker) {
    Piece fault{"the default printer cannot be read", false};
    fault.fragment["faults"] = os_.nt ? json::array({{{"call", "Registry.QueryValue"}, {"error", "ERROR_ACCESS_DENIED"},
                                                      {"match", kDefaultKey}}})
                                      : json::array({{{"call", "Profile.GetString"}, {"error", "ERROR_ACCESS_DENIED"},
                                                      {"match", "windows\\device"}}});
    world_.pieces.push_back(std::move(fault));
  }
}

void Generator::Connections() {
  if (!os_.nt) return;
  if (Want(Hazard::ForeignConnection) && !foreignDrivers_.empty()) {
    Piece p{"a connection to another maker's shared printer", false};
    const std::string share = "Colour Room";
    p.fragment["printers"].push_back({{"name", share}, {"server", "\\\\PRINTSRV"}, {"driver", foreignDrivers_[0].name}});
    p.claims.push_back({ClaimKind::Printer, PrinterId("\\\\PRINTSRV\\" + share)});
    Key(p, kConnectionsKey + "\\,,PRINTSRV," + share, {{"Server", "\\\\PRINTSRV"}});
    world_.pieces.push_back(std::move(p));
  }
  if (!modelDriverNames_.empty() && rng_.Chance(1, 3)) {
    Piece p{"a connection to the maker's shared printer", true};
    p.fragment["printers"].push_back({{"name", "BRV Shared"}, {"server", "\\\\PRINTSRV"}, {"driver", modelDriverNames_[0]}});
    p.claims.push_back({ClaimKind::Printer, PrinterId("\\\\PRINTSRV\\BRV Shared")});
    Key(p, kConnectionsKey + "\\,,PRINTSRV,BRV Shared", {{"Server", "\\\\PRINTSRV"}});
    world_.pieces.push_back(std::move(p));
  }
  if (Want(Hazard::ConnectionCollapse) && !modelDriverNames_.empty() && !foreignDrivers_.empty()) {
    // A local printer named like the server, whose key has a subkey named
    // like the share.
    Piece local{"another maker's local printer 'SRV'", false};
    local.fragment["printers"].push_back(PrinterJson("SRV", foreignDrivers_[0].name, "LPT1:", "WinPrint"));
    local.claims.push_back({ClaimKind::Printer, PrinterId("SRV")});
    local.uses.push_back("printer:SRV");
    PrinterKeys(local, "SRV", "LPT1:");
    printers_.push_back({"SRV", "LPT1:", false});
    world_.pieces.push_back(std::move(local));
    Piece p{"a connection '\\\\SRV\\DsSpooler' with the maker's driver", true};
    p.fragment["printers"].push_back({{"name", "DsSpooler"}, {"server", "\\\\SRV"}, {"driver", modelDriverNames_[0]}});
    p.claims.push_back({ClaimKind::Printer, PrinterId("\\\\SRV\\DsSpooler")});
    world_.pieces.push_back(std::move(p));
  }
}

void Generator::StandaloneHazards() {
  if (Want(Hazard::PrinterListFails) && !printers_.empty()) {
    Piece fault{"the printers cannot be listed", false};
    fault.fragment["faults"] = json::array({{{"call", "Spooler.ListPrinters"}, {"error", "ERROR_ACCESS_DENIED"}}});
    world_.pieces.push_back(std::move(fault));
  }
}

// The install log's records of the uninstaller and of the drivers' shared
// pieces, which the final clean-up removes, beside other makers' files and
// keys with like names; on some machines the log is damaged and names
// protected folders, whole system branches and entries that cannot be read.
void Generator::InstallLogs() {
  const std::string store = "C:\\Program Files\\BREVIK\\vorlog.dat";
  Piece records{"the install log's records of the uninstaller and the shared driver files", true};
  json& log = records.fragment["installLog"];
  log["storePath"] = store;
  File(records, store);
  json files = json::array({kInstallDir + "\\drvpurge.exe", kInstallDir + "\\SETUPUI.DLL"});
  json& own = log["components"]["UninstallerBREVIK"];
  own["files"] = files;
  own["registryValues"] = json::array({"HKLM,\"SOFTWARE\\Vorkast\\Uninstall\",\"BREVIK\""});
  Key(records, "HKLM\\SOFTWARE\\Vorkast\\Uninstall", {{"BREVIK", kInstallDir + "\\drvpurge.exe"}}, ClaimKind::Key);
  json& shared = log["components"]["Drivers"];
  shared["files"] = json::array({os_.system + "\\vorcfg.ini", os_.system + "\\VORCFG.HLP"});
  shared["directories"] = json::array({"C:\\Program Files\\BREVIK\\Shared"});
  shared["registryKeys"] = json::array({"HKLM, SOFTWARE\\Vorkast\\Shared Files"});
  File(records, os_.system + "\\vorcfg.ini");
  File(records, os_.system + "\\VORCFG.HLP");
  File(records, os_.system + "\\VORCFG.GID");  // the help index beside the logged help file
  File(records, "C:\\Program Files\\BREVIK\\Shared\\a.dat");
  records.claims.push_back({ClaimKind::File, FileId("C:\\Program Files\\BREVIK\\Shared")});
  Key(records, "HKLM\\SOFTWARE\\Vorkast\\Shared Files", {{"Count", 1}});
  Key(records, "HKLM\\SOFTWARE\\Vorkast\\Shared Files\\Sub", {{"x", "1"}});
  // Named by the final clean-up itself.
  File(records, os_.system + "\\vorcfi.dll");
  records.claims.push_back({ClaimKind::File, FileId(os_.system + "\\vorcfi16.dll")});
  world_.pieces.push_back(std::move(records));

  Piece alike{"another maker's files and keys named like the logged ones", false};
  File(alike, os_.system + "\\vorcfg.ini.bak");
  File(alike, os_.system + "\\vorcfgx.ini");
  File(alike, os_.system + "\\VORCFG2.GID");
  File(alike, "C:\\Program Files\\BREVIK\\Shared2\\a.dat");
  File(alike, "C:\\Program Files\\BREVIKS\\vorlog.dat");
  Key(alike, "HKLM\\SOFTWARE\\Vorkast\\Shared Files2", {{"Count", 2}});
  Key(alike, "HKLM\\SOFTWARE\\Vorkastle\\Uninstall", {{"BREVIK", "x"}});
  world_.pieces.push_back(std::move(alike));

  if (!rng_.Chance(1, 2)) return;
  Piece damaged{"a damaged install log naming system folders and keys", false};
  // The record of a printer that is gone, which the run drops with all it logs.
  json& comps = damaged.fragment["installLog"]["components"];
  comps["Printer"] = {{"children", json::array({"Printer\\Gone Printer"})}};
  json& bad = comps["Printer\\Gone Printer"];
  bad["files"] = "vorcfg.ini\n" + os_.system + "\\\n \nC:\\Tools.hlpx\\tool.exe\n";
  bad["directories"] = json::array({os_.windows, os_.system, "C:\\Program Files", "C:\\", "Program Files",
                                    "C:\\Program Files\\Common Files"});
  bad["registryValues"] = json::array({"HKEY_LOCAL_MACHINE,SOFTWARE\\Other,x", "HKLM", "HKLM,\\,x"});
  bad["registryKeys"] = json::array({"HKLM,SOFTWARE", "HKCU,\\Software\\", "HKCR,CLSID", "HKLM,\"SYSTEM\""});
  bad["shellItems"] = json::array({os_.windows, "C:\\Program Files", "C:\\Program Files\\Other*"});
  bad["properties"] = {{"BaseDir", "C:\\Program Files"}};
  File(damaged, "C:\\Program Files\\Other\\Empty", {{"attributes", "DIRECTORY"}});
  File(damaged, "C:\\Tools.GID");
  File(damaged, "C:\\Program Files\\Other\\other.exe");
  File(damaged, "C:\\Program Files\\Common Files\\Other\\shared.dll");
  Key(damaged, "HKLM\\SOFTWARE\\Other", {{"x", "1"}});
  Key(damaged, "HKCU\\Software\\Other", {{"x", "1"}});
  Key(damaged, "HKCR\\CLSID\\{00000000-0000-0000-0000-00000000FFFF}", {{"", "x"}});
  world_.pieces.push_back(std::move(damaged));
}

World Generator::Run() {
  Infrastructure();
  MakerModels();
  ForeignDrivers();
  ModelList();
  MakerDrivers();
  Processors();
  MakerPrinters();
  ForeignPrinters();
  Connections();
  UsbPorts();
  DefaultPrinter();
  StandaloneHazards();
  InstallLogs();
  Finalize(world_);
  return std::move(world_);
}

}  // namespace

World GenerateMachine(std::uint64_t seed, const HazardSet& hazards) { return Generator(seed, hazards).Run(); }

}  // namespace property
