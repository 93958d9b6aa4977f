#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/os_info.h"
#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Load;
using simtest::Refusal;

namespace {

TEST(ImageLoad, RefusalsNameTheJsonPathAtFault) {
  struct Case {
    const char* image;
    const char* expectedStart;
  };
  const Case cases[] = {
      {R"({"registry": {"HKLM\\SOFTWARE\\X": {"values": {"Count": true}}}})",
       "/registry/HKLM\\SOFTWARE\\X/values/Count: expected"},
      {R"({"registry": {"HKXX\\SOFTWARE": {}}})", "/registry/HKXX\\SOFTWARE: unknown root 'HKXX'"},
      {R"({"registry": {"HKLM\\A\\\\B": {}}})", "/registry/HKLM\\A\\\\B: empty key name"},
      {R"({"registry": {"HKLM\\A": {"acl": [{"type": "allow", "sid": "S-1-1-0", "mask": "KEY_READX"}]}}})",
       "/registry/HKLM\\A/acl/0/mask: unknown mask name 'KEY_READX'"},
      {R"({"registry": {"HKLM\\A": {"acl": [{"type": "permit", "sid": "S-1-1-0", "mask": 1}]}}})",
       "/registry/HKLM\\A/acl/0/type: expected \"allow\" or \"deny\""},
      {R"({"registry": {"HKLM\\A": {"owner": "Administrators"}}})", "/registry/HKLM\\A/owner: expected a SID"},
      {R"({"registry": {"HKLM\\A": {"values": {"B": {"type": "REG_BINARY", "data": "0g"}}}}})",
       "/registry/HKLM\\A/values/B/data: expected hex digits"},
      {R"({"registry": {"HKLM\\A": {"values": {"D": 4294967296}}}})", "/registry/HKLM\\A/values/D: expected a REG_DWORD"},
      {R"({"registry": {"HKLM\\A": {"values": {"x": 1, "X": 2}}}})", "/registry/HKLM\\A/values/x: the same value"},
      {R"({"registry": {"HKLM\\A": {}, "hklm\\a": {}}})", "/registry/hklm\\a: the same key is listed twice"},
      {R"({"drivers": [{"name": "D"}], "printers": [{"name": "P", "driver": "D"}, {"name": "p", "driver": "d"}]})",
       "/printers/1/name: another printer has this name"},
      {R"({"drivers": [{"name": "D", "environment": "Windows NT x86"}, {"name": "d", "environment": "windows nt X86"}]})",
       "/drivers/1: the same driver, environment and version are listed twice"},
      {R"({"drivers": [{"name": "D", "environment": "Windows 4.0"}], "printers": [{"name": "P", "driver": "D"}]})",
       "/printers/0/driver: no driver 'D' is installed for \"Windows NT x86\""},
      {R"({"registry": {"HKLM\\A": {"vaules": {}}}})", "/registry/HKLM\\A/vaules: unknown member"},
      {R"({"os": "win31"})", "/os: unknown OS shorthand 'win31'"},
      {R"({"os": {"platform": "NT", "major": 5}})", "/os/minor: missing"},
      {R"({"token": {"user": "S-1-5-21-1", "process": ["S-1-1-0", 7]}})", "/token/process/1: expected a string"},
      {R"({"services": {"spooler": {"state": "sleeping"}}})", "/services/spooler/state: unknown service state"},
      {R"({"services": {"spooler": {"onStop": {"pendingSeconds": -1}}}})",
       "/services/spooler/onStop/pendingSeconds: expected a whole number"},
      {R"({"services": {"s": {"state": "stopPending", "onStop": {"pendingSeconds": 5}}}})",
       "/services/s/stopsAt: a stopPending service needs"},
      {R"({"faults": [{"call": "Registry.OpenKy", "error": "ERROR_ACCESS_DENIED"}]})",
       "/faults/0/call: unknown call 'Registry.OpenKy'"},
      {R"({"faults": [{"call": "Regsitry.*", "error": "ERROR_ACCESS_DENIED"}]})",
       "/faults/0/call: unknown port 'Regsitry'"},
      {R"({"faults": [{"call": "*.OpenKy", "error": "ERROR_ACCESS_DENIED"}]})", "/faults/0/call: no call matches"},
      {R"({"faults": [{"call": "Registry.OpenKey", "error": "ERROR_NO_SUCH_THING"}]})", "/faults/0/error: unknown error"},
      // JSON keeps only one of two members of the same name; the image says two things.
      {R"({"os": "winxp", "os": "win98"})", "/os: the member is given twice"},
      {R"({"registry": {"HKLM\\A": {"values": {"X": 1, "X": 2}}}})",
       "/registry/HKLM\\A/values/X: the member is given twice"},
      {R"({"faults": [{"call": "Ui.ShowMessage", "error": 5}, {"call": "Ui.ShowMessage", "error": 5, "error": 6}]})",
       "/faults/1/error: the member is given twice"},
      {R"({"windows": [{"id": 1}, {"id": 2, "title": "a", "title": "b"}]})",
       "/windows/1/title: the member is given twice"},
      {R"({"ui": {"answers": ["IDMAYBE"]}})", "/ui/answers/0: unknown answer 'IDMAYBE'"},
      {R"({"windows": [{"id": 5}, {"id": 5}]})", "/windows/1/id: another window has this id"},
      {R"({"files": {"relative\\path.txt": {}}})", "/files/relative\\path.txt: expected a full path"},
      {R"({"resourceLibraries": {"C:\\x.dll": {"strings": {"nine": "x"}}}})",
       "/resourceLibraries/C:\\x.dll/strings/nine: expected a string number"},
      {R"({"journal": [{"t": 0}]})", "/journal/0/event: expected a string"},
      {R"({"registy": {}})", "/registy: unknown member"},
      {R"([1, 2])", "/: a machine image is a JSON object"},
      {R"({"os": "winxp",)", "/: invalid JSON"},
  };
  for (const auto& c : cases) {
    const std::string refusal = Refusal(c.image);
    EXPECT_EQ(refusal.rfind(c.expectedStart, 0), 0u) << "image: " << c.image << "\nrefusal: " << refusal;
  }
}

TEST(ImageLoad, PrintersAndDriversAreTellApartByFullNameEnvironmentAndVersionWithoutCase) {
  auto m = Load(R"({"drivers": [{"name": "Vorkast X", "version": 3}, {"name": "VORKAST X", "version": 2},
                                {"name": "vorkast x", "environment": "Windows 4.0"}],
                    "printers": [{"name": "P", "driver": "vorkast x"},
                                 {"name": "p", "server": "\\\\S", "driver": "Vorkast X"}]})");
  ASSERT_NE(m, nullptr);
  std::vector<plat::PrinterInfo> printers;
  ASSERT_EQ(m->platform().spooler.ListPrinters(plat::spool::EnumLocal | plat::spool::EnumConnections, &printers),
            winerr::Success);
  EXPECT_EQ(printers.size(), 2u);
}

TEST(ImageLoad, DeepNestingIsRefusedWithoutParsing) {
  const std::string image = R"({"journal": )" + std::string(100000, '[') + std::string(100000, ']') + "}";
  EXPECT_NE(Refusal(image).find("nested"), std::string::npos);
}

TEST(ImageLoad, EmptyImageIsACleanXpMachineWithAnAdministrator) {
  auto m = Load("{}");
  plat::OsVersion v;
  ASSERT_EQ(m->platform().osInfo.GetVersion(&v), winerr::Success);
  EXPECT_EQ(v.platformId, plat::kPlatformNT);
  EXPECT_EQ(v.major, 5u);
  EXPECT_EQ(v.minor, 1u);
  std::vector<plat::Sid> groups;
  ASSERT_EQ(m->platform().security.ProcessTokenGroups(&groups), winerr::Success);
  EXPECT_NE(std::find(groups.begin(), groups.end(), plat::wellknown::Administrators), groups.end());
  EXPECT_TRUE(m->KeyExists("HKEY_LOCAL_MACHINE"));
}

TEST(ImageLoad, OsShorthandsGiveTheirVersionRecords) {
  struct Case {
    const char* name;
    std::uint32_t platform, major, minor;
  };
  for (const Case& c : {Case{"win95", 1, 4, 0}, Case{"win98", 1, 4, 10}, Case{"winme", 1, 4, 90},
                        Case{"nt351", 2, 3, 51}, Case{"nt4", 2, 4, 0}, Case{"win2k", 2, 5, 0}}) {
    auto m = Load(std::string(R"({"os": ")") + c.name + "\"}");
    plat::OsVersion v;
    ASSERT_EQ(m->platform().osInfo.GetVersion(&v), winerr::Success);
    EXPECT_EQ(v.platformId, c.platform) << c.name;
    EXPECT_EQ(v.major, c.major) << c.name;
    EXPECT_EQ(v.minor, c.minor) << c.name;
  }
}

TEST(ImageLoad, TypedValuesReadAsTheirRegistryForms) {
  auto m = Load(R"({"registry": {"HKLM\\SOFTWARE\\Vorkast\\Locked": {"values": {
      "Count": 5, "Negative": -1, "Name": "text",
      "Blob": {"type": "REG_BINARY", "data": "01ff"},
      "List": {"type": "REG_MULTI_SZ", "data": ["a", "b"]},
      "Path": {"type": "REG_EXPAND_SZ", "data": "%SystemRoot%"},
      "Nothing": {"type": "REG_NONE"},
      "Wide": {"type": "REG_QWORD", "hex": "0102030405060708"}}}}})");
  const char* key = "HKLM\\SOFTWARE\\Vorkast\\Locked";
  EXPECT_EQ(m->Value(key, "count"), plat::RegValue::Dword(5));
  EXPECT_EQ(m->Value(key, "Negative"), plat::RegValue::Dword(0xFFFFFFFFu));
  EXPECT_EQ(m->Value(key, "Name"), plat::RegValue::String("text"));
  EXPECT_EQ(m->Value(key, "Blob"), plat::RegValue::Binary({0x01, 0xff}));
  EXPECT_EQ(m->Value(key, "List"), plat::RegValue::MultiString({"a", "b"}));
  EXPECT_EQ(m->Value(key, "Path"), plat::RegValue::String("%SystemRoot%", plat::RegType::ExpandSz));
  EXPECT_EQ(m->Value(key, "Nothing"), plat::RegValue{});
  EXPECT_EQ(m->Value(key, "Wide")->data.size(), 8u);
  EXPECT_EQ(static_cast<std::uint32_t>(m->Value(key, "Wide")->type), 11u);
  // Parents exist implicitly.
  EXPECT_TRUE(m->KeyExists("HKEY_LOCAL_MACHINE\\software\\VORKAST"));
}

TEST(ImageLoad, ExamplesLoad) {
  for (const char* name : {"winxp-clean.json", "win98-clean.json", "win2k-user.json"}) {
    std::ifstream in(std::string(DP_EXAMPLES_DIR) + "/" + name);
    ASSERT_TRUE(in) << name;
    std::stringstream text;
    text << in.rdbuf();
    sim::LoadError error;
    auto m = sim::Machine::FromText(text.str(), &error);
    ASSERT_NE(m, nullptr) << name << ": " << error.ToString();
    const auto dir = m->Value("HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
    ASSERT_TRUE(dir) << name;
    EXPECT_EQ(dir->AsText(), "C:\\Program Files");
    EXPECT_EQ(m->platform().process.ModulePath(), "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe");
  }
}

TEST(ImageLoad, ResourceStringsNeedTheLibraryAndItsFile) {
  auto m = Load(R"({"files": {"C:\\App\\SETUPUI.DLL": {}},
      "resourceLibraries": {"C:\\App\\SETUPUI.DLL": {"strings": {"9": "Status Monitor"}},
                            "C:\\Gone\\SETUPUI.DLL": {"strings": {"9": "x"}}}})");
  auto& res = m->platform().resources;
  plat::Handle module = 0;
  ASSERT_EQ(res.Load("c:\\app\\setupui.dll", &module), winerr::Success);
  std::string text;
  EXPECT_EQ(res.LoadText(module, 9, &text), winerr::Success);
  EXPECT_EQ(text, "Status Monitor");
  EXPECT_EQ(res.LoadText(module, 10, &text), winerr::ResourceNameNotFound);
  res.Close(module);
  EXPECT_EQ(res.LoadText(module, 9, &text), winerr::InvalidHandle);
  plat::Handle gone = 0;
  EXPECT_EQ(res.Load("C:\\Gone\\SETUPUI.DLL", &gone), winerr::ModNotFound);
  EXPECT_EQ(res.Load("C:\\App\\Other.dll", &gone), winerr::ModNotFound);
}

TEST(ImageLoad, FilesImplyTheirDirectories) {
  auto m = Load(R"({"files": {"C:\\Program Files\\BREVIK\\Install\\a.txt": {"attributes": "READONLY|ARCHIVE"}}})");
  auto& fs = m->platform().files;
  std::uint32_t attributes = 0;
  EXPECT_EQ(fs.GetAttributes("c:/program files/brevik/install/A.TXT", &attributes), winerr::Success);
  EXPECT_EQ(attributes, plat::fileattr::ReadOnly | plat::fileattr::Archive);
  EXPECT_EQ(fs.GetAttributes("C:\\Program Files\\BREVIK\\", &attributes), winerr::Success);
  EXPECT_EQ(attributes, plat::fileattr::Directory);
  EXPECT_EQ(fs.GetAttributes("C:\\Program Files\\BREVIK\\b.txt", &attributes), winerr::FileNotFound);
  EXPECT_EQ(fs.GetAttributes("C:\\Nowhere\\b.txt", &attributes), winerr::PathNotFound);
  EXPECT_EQ(attributes, plat::kInvalidFileAttributes);
}

}  // namespace
