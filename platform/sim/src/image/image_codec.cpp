#include "image_codec.h"

#include <array>
#include <charconv>
#include <limits>

#include "model/journal.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/win_errors.h"

namespace sim {

void Fail(const std::string& path, std::string message) { throw ImageError{path, std::move(message)}; }

std::string Child(const std::string& path, std::string_view member) {
  return (path == "/" ? std::string() : path) + "/" + std::string(member);
}

std::string KindOf(const json& j) {
  if (j.is_null()) return "null";
  if (j.is_boolean()) return "a boolean";
  if (j.is_number_float()) return "a fractional number";
  if (j.is_number()) return "a number";
  if (j.is_string()) return "a string";
  if (j.is_array()) return "an array";
  return "an object";
}

void ExpectObject(const json& j, const std::string& path, std::initializer_list<std::string_view> allowed) {
  if (!j.is_object()) Fail(path, "expected an object, found " + KindOf(j));
  for (const auto& [key, value] : j.items()) {
    bool known = false;
    for (auto a : allowed) known = known || a == key;
    if (known) continue;
    std::string list;
    for (auto a : allowed) list += (list.empty() ? "" : ", ") + std::string(a);
    Fail(Child(path, key), "unknown member (expected one of: " + list + ")");
  }
}

std::string ReadString(const json& j, const std::string& path) {
  if (!j.is_string()) Fail(path, "expected a string, found " + KindOf(j));
  return j.get<std::string>();
}

bool ReadBool(const json& j, const std::string& path) {
  if (!j.is_boolean()) Fail(path, "expected true or false, found " + KindOf(j));
  return j.get<bool>();
}

std::uint64_t ReadUnsigned(const json& j, const std::string& path, std::uint64_t max) {
  if (j.is_number_unsigned() && j.get<std::uint64_t>() <= max) return j.get<std::uint64_t>();
  if (j.is_number_integer() && j.get<std::int64_t>() >= 0 && static_cast<std::uint64_t>(j.get<std::int64_t>()) <= max)
    return static_cast<std::uint64_t>(j.get<std::int64_t>());
  Fail(path, "expected a whole number from 0 to " + std::to_string(max) + ", found " +
                 (j.is_number() ? j.dump() : KindOf(j)));
}

std::int64_t ReadSigned(const json& j, const std::string& path) {
  if (j.is_number_integer() && !(j.is_number_unsigned() && j.get<std::uint64_t>() > INT64_MAX))
    return j.get<std::int64_t>();
  Fail(path, "expected a whole number, found " + KindOf(j));
}

// ---- masks ----------------------------------------------------------------

namespace {
struct MaskName {
  const char* name;
  std::uint32_t bits;
  bool formats = true;  // false: accepted on reading only (an alias)
};

constexpr std::array kKeyMaskNames = {
    MaskName{"KEY_ALL_ACCESS", 0xF003F},        MaskName{"KEY_READ", 0x20019},
    MaskName{"KEY_WRITE", 0x20006},             MaskName{"KEY_EXECUTE", 0x20019, false},
    MaskName{"KEY_QUERY_VALUE", 0x1},           MaskName{"KEY_SET_VALUE", 0x2},
    MaskName{"KEY_CREATE_SUB_KEY", 0x4},        MaskName{"KEY_ENUMERATE_SUB_KEYS", 0x8},
    MaskName{"KEY_NOTIFY", 0x10},               MaskName{"KEY_CREATE_LINK", 0x20},
    MaskName{"DELETE", 0x10000},                MaskName{"READ_CONTROL", 0x20000},
    MaskName{"WRITE_DAC", 0x40000},             MaskName{"WRITE_OWNER", 0x80000},
    MaskName{"SYNCHRONIZE", 0x100000},          MaskName{"ACCESS_SYSTEM_SECURITY", 0x1000000},
    MaskName{"MAXIMUM_ALLOWED", 0x2000000},     MaskName{"GENERIC_ALL", 0x10000000},
    MaskName{"GENERIC_EXECUTE", 0x20000000},    MaskName{"GENERIC_WRITE", 0x40000000},
    MaskName{"GENERIC_READ", 0x80000000},
};

constexpr std::array kAttributeNames = {
    MaskName{"READONLY", 0x1},  MaskName{"HIDDEN", 0x2},  MaskName{"SYSTEM", 0x4},     MaskName{"DIRECTORY", 0x10},
    MaskName{"ARCHIVE", 0x20}, MaskName{"NORMAL", 0x80}, MaskName{"TEMPORARY", 0x100},
};

constexpr std::array kAceFlagNames = {
    MaskName{"OBJECT_INHERIT", 0x1}, MaskName{"CONTAINER_INHERIT", 0x2}, MaskName{"NO_PROPAGATE_INHERIT", 0x4},
    MaskName{"INHERIT_ONLY", 0x8},   MaskName{"INHERITED", 0x10},
};

std::optional<std::uint32_t> ParseNumberText(std::string_view s) {
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  std::uint32_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
  return v;
}

template <std::size_t N>
std::uint32_t ReadMask(const json& j, const std::string& path, const std::array<MaskName, N>& names,
                       std::string_view suffix) {
  if (j.is_number()) return static_cast<std::uint32_t>(ReadUnsigned(j, path, 0xFFFFFFFFu));
  if (!j.is_string()) Fail(path, "expected a mask (number, \"0x...\" or names joined with |), found " + KindOf(j));
  std::uint32_t mask = 0;
  for (const auto& rawPiece : text::Split(j.get_ref<const std::string&>(), '|')) {
    const std::string_view piece = text::Trim(rawPiece);
    if (const auto number = ParseNumberText(piece)) {
      mask |= *number;
      continue;
    }
    bool found = false;
    for (const auto& n : names) {
      if (text::IEquals(piece, n.name) ||
          (!suffix.empty() && text::IEquals(piece, std::string(n.name) + std::string(suffix)))) {
        mask |= n.bits;
        found = true;
        break;
      }
    }
    if (!found) Fail(path, "unknown mask name '" + std::string(piece) + "'");
  }
  return mask;
}

template <std::size_t N>
json MaskJson(std::uint32_t mask, const std::array<MaskName, N>& names) {
  if (mask == 0) return 0;
  std::string out;
  std::uint32_t rest = mask;
  for (const auto& n : names) {
    if (!n.formats || (rest & n.bits) != n.bits) continue;
    out += (out.empty() ? "" : "|") + std::string(n.name);
    rest &= ~n.bits;
  }
  if (rest != 0) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", rest);
    out += (out.empty() ? "" : "|") + std::string(buf);
  }
  return out;
}
}  // namespace

std::uint32_t ReadKeyMask(const json& j, const std::string& path) { return ReadMask(j, path, kKeyMaskNames, ""); }
json KeyMaskJson(std::uint32_t mask) { return MaskJson(mask, kKeyMaskNames); }
std::uint32_t ReadFileAttributes(const json& j, const std::string& path) {
  return ReadMask(j, path, kAttributeNames, "");
}
json FileAttributesJson(std::uint32_t attributes) { return MaskJson(attributes, kAttributeNames); }
std::uint8_t ReadAceFlags(const json& j, const std::string& path) {
  const std::uint32_t flags = ReadMask(j, path, kAceFlagNames, "_ACE");
  if (flags > 0xFF) Fail(path, "ACE flags must fit in one byte");
  return static_cast<std::uint8_t>(flags);
}
json AceFlagsJson(std::uint8_t flags) { return MaskJson(flags, kAceFlagNames); }

// ---- registry values ------------------------------------------------------

namespace {
struct TypeName {
  const char* name;
  std::uint32_t type;
};
constexpr std::array kTypeNames = {
    TypeName{"REG_NONE", 0},          TypeName{"REG_SZ", 1},        TypeName{"REG_EXPAND_SZ", 2},
    TypeName{"REG_BINARY", 3},        TypeName{"REG_DWORD", 4},     TypeName{"REG_DWORD_BIG_ENDIAN", 5},
    TypeName{"REG_LINK", 6},          TypeName{"REG_MULTI_SZ", 7},  TypeName{"REG_RESOURCE_LIST", 8},
    TypeName{"REG_QWORD", 11},
};

std::vector<std::uint8_t> ReadHex(const json& j, const std::string& path) {
  const std::string s = ReadString(j, path);
  std::vector<std::uint8_t> bytes;
  int high = -1;
  for (char c : s) {
    if (c == ' ' || c == ',') continue;  // "01 ff" and "01,ff" read like "01ff"
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) Fail(path, std::string("expected hex digits, found '") + c + "'");
    if (high < 0) {
      high = digit;
    } else {
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
      high = -1;
    }
  }
  if (high >= 0) Fail(path, "odd number of hex digits");
  return bytes;
}

bool IsValidUtf8(const std::string& s) { return ValidUtf8(s) == s; }
}  // namespace

std::string ToHex(const std::vector<std::uint8_t>& bytes) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (auto b : bytes) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0xF]);
  }
  return out;
}

plat::RegValue ReadRegValue(const json& j, const std::string& path) {
  if (j.is_string()) return plat::RegValue::String(j.get<std::string>());
  if (j.is_number_integer()) {
    const std::int64_t v = j.is_number_unsigned() && j.get<std::uint64_t>() > INT64_MAX ? -1 : j.get<std::int64_t>();
    if (v < INT32_MIN || v > 0xFFFFFFFFll) Fail(path, "expected a REG_DWORD number (32 bits), found " + j.dump());
    return plat::RegValue::Dword(static_cast<std::uint32_t>(v));
  }
  if (!j.is_object())
    Fail(path, "expected a string (REG_SZ), a number (REG_DWORD) or {\"type\": ..., \"data\": ...}, found " +
                   KindOf(j));
  ExpectObject(j, path, {"type", "data", "hex"});
  if (!j.contains("type")) Fail(Child(path, "type"), "missing");
  const json& type = j["type"];
  std::uint32_t typeCode = 0;
  if (type.is_string()) {
    bool found = false;
    for (const auto& t : kTypeNames)
      if (text::IEquals(type.get_ref<const std::string&>(), t.name)) {
        typeCode = t.type;
        found = true;
      }
    if (!found) Fail(Child(path, "type"), "unknown value type '" + type.get<std::string>() + "'");
  } else {
    typeCode = static_cast<std::uint32_t>(ReadUnsigned(type, Child(path, "type"), 0xFFFFFFFFu));
  }
  plat::RegValue v;
  v.type = static_cast<plat::RegType>(typeCode);
  if (j.contains("hex")) {
    if (j.contains("data")) Fail(path, "give either \"data\" or \"hex\", not both");
    v.data = ReadHex(j["hex"], Child(path, "hex"));
    return v;
  }
  if (!j.contains("data")) return v;  // no bytes at all
  const json& data = j["data"];
  const std::string dataPath = Child(path, "data");
  switch (typeCode) {
    case 1:
    case 2:
      return plat::RegValue::String(ReadString(data, dataPath), v.type);
    case 3:
      v.data = ReadHex(data, dataPath);
      return v;
    case 4:
      return plat::RegValue::Dword(static_cast<std::uint32_t>(ReadUnsigned(data, dataPath, 0xFFFFFFFFu)));
    case 7: {
      if (!data.is_array()) Fail(dataPath, "expected an array of strings, found " + KindOf(data));
      std::vector<std::string> items;
      for (std::size_t i = 0; i < data.size(); ++i) {
        items.push_back(ReadString(data[i], Child(dataPath, std::to_string(i))));
        if (items.back().empty()) Fail(Child(dataPath, std::to_string(i)), "an empty string would end the list");
      }
      return plat::RegValue::MultiString(items);
    }
    default:
      Fail(dataPath, "this type takes its bytes as \"hex\"");
  }
}

json RegValueJson(const plat::RegValue& v) {
  const auto typeCode = static_cast<std::uint32_t>(v.type);
  json typeJson = typeCode;
  for (const auto& t : kTypeNames)
    if (t.type == typeCode) typeJson = t.name;
  const std::string text = v.AsText();
  const bool canonicalText = plat::RegValue::String(text, v.type).data == v.data && IsValidUtf8(text);
  switch (v.type) {
    case plat::RegType::Sz:
      if (canonicalText) return text;
      break;
    case plat::RegType::ExpandSz:
      if (canonicalText) return json{{"type", typeJson}, {"data", text}};
      break;
    case plat::RegType::Dword:
      if (v.data.size() == 4) return v.AsDword();
      break;
    case plat::RegType::Binary:
      return json{{"type", typeJson}, {"data", ToHex(v.data)}};
    case plat::RegType::MultiSz: {
      const auto items = v.AsMultiString();
      bool valid = plat::RegValue::MultiString(items).data == v.data;
      for (const auto& item : items) valid = valid && IsValidUtf8(item);
      if (valid) return json{{"type", typeJson}, {"data", items}};
      break;
    }
    default:
      break;
  }
  json out{{"type", typeJson}};
  if (!v.data.empty()) out["hex"] = ToHex(v.data);
  return out;
}

// ---- security identifiers ---------------------------------------------------

bool IsWellFormedSid(std::string_view sid) {
  if (!text::IStartsWith(sid, "S-1-")) return false;
  const auto parts = text::Split(sid.substr(4), '-');
  if (parts.empty() || parts.size() > 16) return false;
  for (const auto& p : parts) {
    if (p.empty() || p.size() > 20) return false;
    for (char c : p)
      if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == 'x' || c == 'X'))
        return false;
  }
  return true;
}

plat::Sid ReadSid(const json& j, const std::string& path) {
  const std::string sid = ReadString(j, path);
  if (!IsWellFormedSid(sid)) Fail(path, "expected a SID such as \"S-1-5-32-544\", found \"" + sid + "\"");
  return sid;
}

// ---- services ---------------------------------------------------------------

namespace {
constexpr std::array<const char*, 8> kStateNames = {"",        "stopped",         "startPending", "stopPending",
                                                    "running", "continuePending", "pausePending", "paused"};
constexpr std::array<const char*, 5> kStartTypes = {"boot", "system", "auto", "demand", "disabled"};
}  // namespace

std::uint32_t ReadServiceState(const json& j, const std::string& path) {
  const std::string s = ReadString(j, path);
  for (std::uint32_t i = 1; i < kStateNames.size(); ++i)
    if (text::IEquals(s, kStateNames[i])) return i;
  Fail(path, "unknown service state '" + s + "' (running, stopped, paused, stopPending, ...)");
}

std::string ServiceStateName(std::uint32_t state) {
  return state > 0 && state < kStateNames.size() ? kStateNames[state] : "stopped";
}

OnStop ReadOnStop(const json& j, const std::string& path) {
  if (j.is_string()) {
    const std::string s = j.get<std::string>();
    if (text::IEquals(s, "stops")) return {OnStop::Kind::Stops, 0};
    if (text::IEquals(s, "refuses")) return {OnStop::Kind::Refuses, 0};
    Fail(path, "expected \"stops\", \"refuses\", {\"pendingSeconds\": N} or {\"hangSeconds\": N}");
  }
  ExpectObject(j, path, {"pendingSeconds", "hangSeconds"});
  if (j.size() != 1) Fail(path, "expected exactly one of pendingSeconds, hangSeconds");
  if (j.contains("pendingSeconds"))
    return {OnStop::Kind::Pending,
            static_cast<std::uint32_t>(ReadUnsigned(j["pendingSeconds"], Child(path, "pendingSeconds"), 86400))};
  return {OnStop::Kind::Hangs,
          static_cast<std::uint32_t>(ReadUnsigned(j["hangSeconds"], Child(path, "hangSeconds"), 86400))};
}

json OnStopJson(const OnStop& o) {
  switch (o.kind) {
    case OnStop::Kind::Stops: return "stops";
    case OnStop::Kind::Refuses: return "refuses";
    case OnStop::Kind::Pending: return json{{"pendingSeconds", o.seconds}};
    case OnStop::Kind::Hangs: return json{{"hangSeconds", o.seconds}};
  }
  return "stops";
}

std::uint32_t ReadStartType(const json& j, const std::string& path) {
  if (j.is_number()) return static_cast<std::uint32_t>(ReadUnsigned(j, path, 4));
  const std::string s = ReadString(j, path);
  for (std::uint32_t i = 0; i < kStartTypes.size(); ++i)
    if (text::IEquals(s, kStartTypes[i])) return i;
  Fail(path, "unknown start type '" + s + "' (boot, system, auto, demand, disabled)");
}

json StartTypeJson(std::uint32_t startType) {
  return startType < kStartTypes.size() ? json(kStartTypes[startType]) : json(startType);
}

// ---- OS version -----------------------------------------------------------

namespace {
struct OsShorthand {
  const char* name;
  plat::OsVersion version;
};
const std::array<OsShorthand, 8>& Shorthands() {
  static const std::array<OsShorthand, 8> k = {
      OsShorthand{"win95", {plat::kPlatformWindows, 4, 0, 950, ""}},
      OsShorthand{"win98", {plat::kPlatformWindows, 4, 10, 2222, " A "}},
      OsShorthand{"winme", {plat::kPlatformWindows, 4, 90, 3000, " "}},
      OsShorthand{"nt351", {plat::kPlatformNT, 3, 51, 1057, "Service Pack 5"}},
      OsShorthand{"nt4", {plat::kPlatformNT, 4, 0, 1381, "Service Pack 6"}},
      OsShorthand{"win2k", {plat::kPlatformNT, 5, 0, 2195, "Service Pack 4"}},
      OsShorthand{"winxp", {plat::kPlatformNT, 5, 1, 2600, "Service Pack 2"}},
      OsShorthand{"other", {plat::kPlatformNT, 6, 0, 6002, "Service Pack 2"}},
  };
  return k;
}
constexpr std::array<const char*, 3> kPlatformNames = {"Win32s", "Windows", "NT"};
}  // namespace

plat::OsVersion ReadOs(const json& j, const std::string& path) {
  if (j.is_string()) {
    for (const auto& s : Shorthands())
      if (text::IEquals(j.get_ref<const std::string&>(), s.name)) return s.version;
    Fail(path, "unknown OS shorthand '" + j.get<std::string>() +
                   "' (win95, win98, winme, nt351, nt4, win2k, winxp, other)");
  }
  ExpectObject(j, path, {"platform", "major", "minor", "build", "csd"});
  plat::OsVersion v;
  for (const char* required : {"platform", "major", "minor"})
    if (!j.contains(required)) Fail(Child(path, required), "missing");
  const json& platform = j["platform"];
  if (platform.is_string()) {
    bool found = false;
    for (std::uint32_t i = 0; i < kPlatformNames.size(); ++i)
      if (text::IEquals(platform.get_ref<const std::string&>(), kPlatformNames[i])) {
        v.platformId = i;
        found = true;
      }
    if (!found) Fail(Child(path, "platform"), "expected \"NT\", \"Windows\" or \"Win32s\"");
  } else {
    v.platformId = static_cast<std::uint32_t>(ReadUnsigned(platform, Child(path, "platform"), 0xFFFFFFFFu));
  }
  v.major = static_cast<std::uint32_t>(ReadUnsigned(j["major"], Child(path, "major"), 0xFFFFFFFFu));
  v.minor = static_cast<std::uint32_t>(ReadUnsigned(j["minor"], Child(path, "minor"), 0xFFFFFFFFu));
  v.build = j.contains("build")
                ? static_cast<std::uint32_t>(ReadUnsigned(j["build"], Child(path, "build"), 0xFFFFFFFFu))
                : 0;
  v.csdVersion = j.contains("csd") ? ReadString(j["csd"], Child(path, "csd")) : "";
  return v;
}

json OsJson(const plat::OsVersion& v) {
  const json platform = v.platformId < kPlatformNames.size() ? json(kPlatformNames[v.platformId]) : json(v.platformId);
  return json{{"platform", platform}, {"major", v.major}, {"minor", v.minor}, {"build", v.build},
              {"csd", v.csdVersion}};
}

// ---- errors, privileges, call names ----------------------------------------

std::uint32_t ReadErrorCode(const json& j, const std::string& path) {
  if (j.is_number()) return static_cast<std::uint32_t>(ReadUnsigned(j, path, 0xFFFFFFFFu));
  const std::string s = ReadString(j, path);
  const auto code = winerr::FromName(s);
  if (!code) Fail(path, "unknown error '" + s + "' (use a name such as ERROR_ACCESS_DENIED, or a number)");
  if (code->ok()) Fail(path, "a fault needs an error other than success");
  return code->code();
}

namespace {
constexpr std::array kCalls = {
      "Registry.OpenKey",        "Registry.CreateKey",          "Registry.QueryValue",
      "Registry.SetValue",       "Registry.DeleteValue",        "Registry.DeleteKey",
      "Registry.EnumKey",        "Registry.EnumValue",          "Registry.QueryInfo",
      "Registry.SetKeyDacl",     "Registry.GetKeyDacl",         "Services.OpenManager",
      "Services.Open",           "Services.Create",             "Services.QueryStatus",
      "Services.Control",        "Services.Start",              "OsInfo.GetVersion",
      "OsInfo.ComputerName",     "Security.ThreadTokenGroups",  "Security.ProcessTokenGroups",
      "Desktop.EnablePrivilege", "Desktop.TopLevelWindows",     "Desktop.SendWithTimeout",
      "Desktop.TerminateWindowProcess", "Desktop.Shutdown",  "ResourceStrings.Load",
      "ResourceStrings.LoadText", "FileSystem.GetAttributes",   "ProcessInfo.ModulePath",
      "Ui.ShowMessage",          "Desktop.BroadcastWinIniChange",
      "FileSystem.SetAttributes", "FileSystem.RemoveFile",      "FileSystem.RemoveDir",
      "FileSystem.MakeDir",      "FileSystem.Find",             "FileSystem.ShortPath",
      "FileSystem.MoveOnReboot", "FileSystem.Rename",           "FileSystem.CopyTo",
      "FileSystem.ReadText",     "FileSystem.WriteText",        "FileSystem.VersionCompany",
      "FileSystem.IsProtectedSystemFile",        "FileSystem.SetCurrentDir",
      "Spooler.ListPrinters",    "Spooler.OpenPrinterByName",         "Spooler.DeletePrinter",
      "Spooler.ClosePrinter",    "Spooler.DeleteConnection", "Spooler.ListJobs",
      "Spooler.EnumDrivers",     "Spooler.GetDriverDirectory",  "Spooler.AddDriver",
      "Spooler.DeleteDriver",    "Spooler.DeleteDriverEx", "Spooler.GetProcessorDirectory",
      "Spooler.DeleteProcessor", "Profile.GetString",      "Profile.WriteString",
      "ZipLister.List",          "Processes.StartDetached",
      "Processes.RunCommand",    "Processes.FindOnSearchPath", "FileSystem.CreateTempFile",
      "Desktop.ShellDelete",     "JobScheduler.EnumJobs",      "JobScheduler.DeleteJob",
      "BidiLibrary.Uninstall",   "InstallLog.InitializeOle",   "InstallLog.Connect",
      "InstallLog.ForgetComponent", "InstallLog.IsInstalled",  "InstallLog.GetLoggedPath",
      "InstallLog.GetProperty",  "InstallLog.GetList",         "InstallLog.GetStorePath",
      "TaskScheduler.DeleteTask", "Desktop.HasTopLevelWindow",
  };
}  // namespace

bool IsKnownCall(std::string_view call) {
  for (const char* c : kCalls)
    if (text::IEquals(call, c)) return true;
  return false;
}

bool MatchesSomeCall(std::string_view pattern) {
  for (const char* c : kCalls)
    if (text::WildcardMatch(pattern, c)) return true;
  return false;
}

bool IsKnownPort(std::string_view port) {
  for (const char* c : kCalls) {
    const std::string_view call(c);
    if (text::IEquals(call.substr(0, call.find('.')), port)) return true;
  }
  return false;
}

}  // namespace sim
