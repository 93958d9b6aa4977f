// Feeds arbitrary bytes to the script evaluation as the content of a script
// file, on a fixed small tree of components, two printers and an orphan
// driver. Besides not crashing or hanging: the script is never written, a
// failure says one of the three things a script can say, a success selects
// something, and no component stays selected with anything below it left.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/script_selection.h"
#include "platform/text.h"
#include "platform/win_errors.h"
#include "app/cunst_main.h"
#include "sim/machine.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}

constexpr const char* kScript = "C:\\scripts\\remove.ini";

const char kImage[] = R"({
  "os": "winxp",
  "files": {"C:\\scripts\\readme.txt": {}},
  "services": {"spooler": {"state": "running"}},
  "drivers": [{"name": "Vor LP", "environment": "Windows NT x86", "driverPath": "a.dll"},
              {"name": "Vor Color", "environment": "Windows NT x86", "driverPath": "b.dll"}],
  "printers": [{"name": "Front", "driver": "Vor LP", "port": "LPT1:"},
               {"name": "Back", "driver": "Vor LP", "port": "LPT2:"}]
})";

// Every line of a failure is one the check writes.
bool KnownMessage(const std::string& error) {
  if (error.empty() || error.back() != '\n') return false;
  for (const std::string& line : text::Split(std::string_view(error).substr(0, error.size() - 1), '\n')) {
    if (line != "The following items could not be uninstalled:" &&
        line != "The specified script will not uninstall anything currently on the system." &&
        line.find(" -- Required by ") == std::string::npos)
      return false;
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string content(reinterpret_cast<const char*>(data), size);
  sim::LoadError error;
  const auto machine = sim::Machine::FromText(kImage, &error);
  Check(machine != nullptr);
  plat::Platform& platform = machine->platform();
  Check(platform.files.WriteText(kScript, content) == winerr::Success);

  // The application object owns the inventory the script is applied to.
  CUnstMain app(platform);
  app.drivers.Build();
  app.printers.Build();
  for (const char* name : {"Vor LP", "Vor Color"}) {
    CPrinterDriverSet* set = app.drivers.FindSet(name);
    Check(set != nullptr);
    set->isMaker = true;
  }
  app.drivers.AttachPrinters(app.printers);
  app.drivers.CollectOrphanDrivers(app.orphanDrivers);
  // Suite > Monitor > Agent, Tools beside them needing Agent, and two keys
  // whose parents run in a circle.
  app.items.Add("Suite", "", "Install", "Suite", 1);
  app.items.Add("Monitor", "Suite", "Suite", "Monitor", 1);
  app.items.Add("Agent", "Monitor", "Suite", "Agent", 1);
  app.items[app.items.Add("Tools", "", "Install", "Tools", 1)].requiredKeys = {"Agent"};
  app.items.Add("Loop1", "Loop2", "Install", "Loop1", 1);
  app.items.Add("Loop2", "Loop1", "Install", "Loop2", 1);

  ScriptSelection selection(platform.files, kScript);
  const bool ok = selection.ApplyScript(app.items, app.printers, app.orphanDrivers);
  Check(ok == selection.errorText.empty());

  std::string after;
  Check(platform.files.ReadText(kScript, &after) == winerr::Success && after == content);
  if (!ok) {
    Check(KnownMessage(selection.errorText));
    return 0;
  }
  bool any = app.items.CountSelected() > 0;
  for (const auto& printer : app.printers) any = any || printer->selected;
  for (const CPrinterDriver* driver : app.orphanDrivers) any = any || driver->selected;
  Check(any);
  for (const UnstItem& item : app.items) {
    if (!item.selected) continue;
    std::vector<int> below;
    app.items.CollectChildren(item.key, below);
    for (int child : below) Check(app.items[child].selected || text::IEquals(app.items[child].key, item.key));
  }
  return 0;
}
