// Feeds arbitrary bytes to the INI model as the content of a script file.
// Besides not crashing: every header is bracketed and trimmed, no two
// sections share a name without case, keys are trimmed, lower case and
// free of "=", values are trimmed, a model that must not write leaves the
// file byte for byte, and what the model writes reads back as the same
// model with its sections in the other order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win_errors.h"
#include "records/ini_file.h"
#include "records/ini_text.h"
#include "sim/machine.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}

constexpr const char* kScript = "C:\\scripts\\remove.ini";

// A fresh machine per input: the journal of one kept for the whole run
// would grow with every write.
std::unique_ptr<sim::Machine> Machine() {
  sim::LoadError error;
  auto machine = sim::Machine::FromText(R"({"files": {"C:\\scripts\\readme.txt": {}}})", &error);
  Check(machine != nullptr);
  return machine;
}

bool NoLineEnd(std::string_view s) { return s.find('\n') == std::string_view::npos; }

void CheckShape(const CIniFile& file) {
  for (const auto& section : file) {
    const std::string& name = section->GetName();
    Check(name.size() >= 2 && name.front() == '[' && name.back() == ']' && ini::Trim(name) == name);
    Check(NoLineEnd(name) && file.FindSection(name) == section.get());
    for (const auto& [key, value] : *section) {
      Check(!key.empty() && ini::Trim(key) == key && ini::Lower(key) == key && NoLineEnd(key));
      Check(key.find('=') == std::string::npos && key.front() != ';' && key.front() != '#');
      Check(ini::Trim(value) == value && NoLineEnd(value));
    }
  }
}

using Pairs = std::vector<std::pair<std::string, std::string>>;
using Picture = std::vector<std::pair<std::string, Pairs>>;

Picture PictureOf(const CIniFile& file) {
  Picture picture;
  for (const auto& section : file) {
    picture.emplace_back(section->GetName(), Pairs(section->begin(), section->end()));
  }
  return picture;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string content(reinterpret_cast<const char*>(data), size);
  const auto machine = Machine();
  plat::FileSystem& files = machine->platform().files;
  Check(files.WriteText(kScript, content) == winerr::Success);

  Picture first;
  {
    CIniFile script(files, kScript);
    script.m_bWriteOnDestroy = false;
    CheckShape(script);
    first = PictureOf(script);
  }
  std::string after;
  Check(files.ReadText(kScript, &after) == winerr::Success && after == content);

  {
    CIniFile rewritten(files, kScript);
    rewritten.m_bWriteOnDestroy = false;
    Check(rewritten.Write() == static_cast<int>(first.size()));
  }
  CIniFile again(files, kScript);
  again.m_bWriteOnDestroy = false;
  CheckShape(again);
  const Picture second = PictureOf(again);
  Check(second.size() == first.size());
  for (std::size_t i = 0; i < first.size(); ++i) Check(second[second.size() - 1 - i] == first[i]);
  return 0;
}
