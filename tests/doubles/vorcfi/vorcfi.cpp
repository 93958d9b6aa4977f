// A stand-in for the maker's profile library, for tests.
//
//   DWORD __stdcall EnumSpecificSupportedPrinter(SupportQuery*)
//   DWORD __stdcall DrvProfileWizard(ProfileWizardRequest*)
//   DWORD __stdcall CFIRenamePrtObj(RenameRequest*)
//
// "vorcfi.config" beside this library says how it answers, one line each:
//   printer|<name>|<capabilities>|<family code>|<record version>
//   rename|<answer>
// EnumSpecificSupportedPrinter answers a listed printer by calling the
// query's callback with the query's context and a record carrying the
// capabilities (offset 60) and family code (offset 64); an unlisted printer
// gets 1 and no call. Every call appends one line to "vorcfi.log":
//   EnumSpecificSupportedPrinter|<size>|<version>|<name>|<answer>
//   DrvProfileWizard|<size>|<version>|<printer>|<help file>|<window>|<mode>
//   CFIRenamePrtObj|<size>|<version>|<new name>|<old name>|<answer>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/log_beside_module.h"

namespace {

using doubles::Beside;

struct SupportQuery {
  std::uint32_t size;
  std::uint32_t version;
  const char* printerName;
  std::uint32_t(__stdcall* callback)(void* context, const void* info);
  void* context;
};

struct SupportInfo {
  std::uint32_t size;
  std::uint32_t version;
  std::uint8_t other[52];
  std::uint32_t capabilities;
  std::uint32_t familyCode;
  std::uint8_t more[32];
};
static_assert(offsetof(SupportInfo, capabilities) == 60 && offsetof(SupportInfo, familyCode) == 64);

struct WizardRequest {
  std::uint32_t size, version;
  const char* printerName;
  const char* helpFile;
  std::uint32_t window, mode, reserved1, reserved2;
};

struct RenameRequest {
  std::uint32_t size, version;
  const char* newName;
  const char* oldName;
};

std::vector<std::vector<std::string>> ConfigLines() {
  std::vector<std::vector<std::string>> lines;
  std::string content;
  if (!doubles::ReadWholeFile(Beside("vorcfi.config"), &content)) return lines;
  for (const std::string& line : doubles::NonEmptyLines(content)) {
    std::vector<std::string> fields;
    std::size_t f0 = 0;
    for (std::size_t bar; (bar = line.find('|', f0)) != std::string::npos; f0 = bar + 1)
      fields.push_back(line.substr(f0, bar - f0));
    fields.push_back(line.substr(f0));
    lines.push_back(fields);
  }
  return lines;
}

// A line that cannot be written is lost; the test then misses the call.
void Log(const std::string& line) { static_cast<void>(doubles::AppendBeside("vorcfi.log", line + "\r\n")); }

std::string Text(const char* s) { return s ? s : "(null)"; }
std::uint32_t Number(const std::string& s) { return static_cast<std::uint32_t>(std::strtoul(s.c_str(), nullptr, 10)); }

}  // namespace

extern "C" std::uint32_t __stdcall EnumSpecificSupportedPrinter(SupportQuery* query) {
  if (!query) return 1;
  const std::string name = Text(query->printerName);
  std::uint32_t answer = 1;
  for (const auto& f : ConfigLines()) {
    if (f.size() != 5 || f[0] != "printer" || lstrcmpiA(f[1].c_str(), name.c_str()) != 0) continue;
    SupportInfo info{};
    info.size = sizeof info;
    info.version = Number(f[4]);
    info.capabilities = Number(f[2]);
    info.familyCode = Number(f[3]);
    if (query->callback) query->callback(query->context, &info);
    answer = 0;
    break;
  }
  Log("EnumSpecificSupportedPrinter|" + std::to_string(query->size) + "|" + std::to_string(query->version) + "|" +
      name + "|" + std::to_string(answer));
  return answer;
}

extern "C" std::uint32_t __stdcall DrvProfileWizard(WizardRequest* r) {
  if (!r) return 1;
  Log("DrvProfileWizard|" + std::to_string(r->size) + "|" + std::to_string(r->version) + "|" +
      Text(r->printerName) + "|" + Text(r->helpFile) + "|" + std::to_string(r->window) + "|" +
      std::to_string(r->mode));
  return 0;
}

extern "C" std::uint32_t __stdcall CFIRenamePrtObj(RenameRequest* r) {
  if (!r) return 1;
  std::uint32_t answer = 0;
  for (const auto& f : ConfigLines())
    if (f.size() == 2 && f[0] == "rename") answer = Number(f[1]);
  Log("CFIRenamePrtObj|" + std::to_string(r->size) + "|" + std::to_string(r->version) + "|" + Text(r->newName) +
      "|" + Text(r->oldName) + "|" + std::to_string(answer));
  return answer;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) doubles::g_module = instance;
  return TRUE;
}
