#include "app/script_selection.h"

#include <algorithm>
#include <climits>

#include "platform/text.h"
#include "platform/win_errors.h"
#include "records/ini_file.h"

namespace {

const char kNotFoundText[] = "The specified script file was not found.\n";
const char kRequiredHeading[] = "The following items could not be uninstalled:\n";
const char kNothingText[] = "The specified script will not uninstall anything currently on the system.\n";
const char kUninstallSection[] = "[Uninstall]";
const char kPrintersSection[] = "[Printers]";
const char kPrintersKey[] = "Printers";
const char kOrphansKey[] = "Orphans";
// FILE_ATTRIBUTE_DIRECTORY: a directory is no script.
constexpr std::uint32_t kDirectoryAttribute = 0x10;

void SelectListedPrinters(const CIniFile& script, CPrinterList& printers) {
  const CIniSection* listed = script.FindSection(kPrintersSection);
  if (listed == nullptr) return;
  for (const auto& [name, value] : *listed) {
    if (ScriptSelection::ScriptValue(value) < 1) continue;
    for (const auto& printer : printers) {
      if (text::IEquals(printer->name, name)) printer->selected = true;
    }
  }
}

// The section named after a component lists further components to take
// with it.
void SelectFromComponentSection(const CIniFile& script, const std::string& key, UnstItemArray& items) {
  const CIniSection* section = script.FindSection("[" + key + "]");
  if (section == nullptr) return;
  for (const auto& [other, value] : *section) {
    if (ScriptSelection::ScriptValue(value) < 1) continue;
    const int index = items.Find(other);
    if (index >= 0) items[index].selected = true;
  }
}

}  // namespace

int ScriptSelection::ScriptValue(std::string_view value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
  long long result = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    result = std::min<long long>(result * 10 + (value[i] - '0'), static_cast<long long>(INT_MAX) + 1);
  }
  if (negative) return static_cast<int>(-result);
  return static_cast<int>(std::min<long long>(result, INT_MAX));
}

bool ScriptSelection::ApplyScript(UnstItemArray& items, CPrinterList& printers,
                                  std::vector<CPrinterDriver*>& orphanDrivers) {
  if (scriptPath.empty()) {
    // S or ALL without a script: everything goes, with no check to fail.
    for (UnstItem& item : items) item.selected = true;
    for (const auto& printer : printers) printer->selected = true;
    for (CPrinterDriver* driver : orphanDrivers) driver->selected = true;
    return errorText.empty();
  }
  if (!ScriptExists()) {
    errorText += kNotFoundText;
    return false;
  }
  {
    // An unreadable file leaves the model empty, which the check reports as
    // selecting nothing.
    CIniFile script(files_, scriptPath);
    script.m_bWriteOnDestroy = false;
    SelectFromScript(script, items, printers, orphanDrivers);
  }
  ClearAncestorsOfUnselected(items);
  CheckSelection(items, printers, orphanDrivers);
  return errorText.empty();
}

bool ScriptSelection::ScriptExists() {
  std::uint32_t attributes = 0;
  if (files_.GetAttributes(scriptPath, &attributes) != winerr::Success) return false;
  return (attributes & kDirectoryAttribute) == 0;
}

void ScriptSelection::SelectFromScript(const CIniFile& script, UnstItemArray& items, CPrinterList& printers,
                                       std::vector<CPrinterDriver*>& orphanDrivers) {
  const CIniSection* uninstall = script.FindSection(kUninstallSection);
  if (uninstall == nullptr) return;
  for (const auto& [key, value] : *uninstall) {
    const int number = ScriptValue(value);
    if (text::IEquals(key, kPrintersKey)) {
      if (number >= 2) {
        for (const auto& printer : printers) printer->selected = true;
      } else if (number == 1) {
        SelectListedPrinters(script, printers);
      }
      continue;
    }
    if (text::IEquals(key, kOrphansKey)) {
      for (CPrinterDriver* driver : orphanDrivers) driver->selected = true;
      continue;
    }
    const int index = items.Find(key);
    if (index < 0) continue;
    // Named here, the component goes whatever its value; the value decides
    // what goes with it.
    items[index].selected = true;
    if (number == 2) {
      std::vector<int> below;
      items.CollectChildren(items[index].key, below);
      for (int child : below) items[child].selected = true;
    } else {
      SelectFromComponentSection(script, key, items);
    }
  }
}

void ScriptSelection::ClearAncestorsOfUnselected(UnstItemArray& items) {
  // A component is removed together with everything below it, so one that
  // keeps a child must stay too. The walk is bounded by the list's size so
  // that parent keys running in a circle cannot hold it.
  for (int i = 0; i < items.size(); ++i) {
    if (items[i].selected) continue;
    std::string parent = items[i].parentKey;
    for (int steps = 0; !parent.empty() && steps < items.size(); ++steps) {
      const int index = items.Find(parent);
      if (index < 0) break;
      items[index].selected = false;
      parent = items[index].parentKey;
    }
  }
}

void ScriptSelection::CheckSelection(const UnstItemArray& items, const CPrinterList& printers,
                                     const std::vector<CPrinterDriver*>& orphanDrivers) {
  bool headed = false;
  for (const UnstItem& staying : items) {
    if (staying.selected) continue;
    for (const std::string& required : staying.requiredKeys) {
      const int index = items.Find(required);
      if (index < 0 || !items[index].selected) continue;
      if (!headed) errorText += kRequiredHeading;
      headed = true;
      errorText += items[index].displayName + " -- Required by " + staying.displayName + "\n";
    }
  }
  if (items.CountSelected() > 0) return;
  const bool anyPrinter =
      std::any_of(printers.begin(), printers.end(), [](const auto& printer) { return printer->selected; });
  const bool anyOrphan = std::any_of(orphanDrivers.begin(), orphanDrivers.end(), [](const CPrinterDriver* driver) {
    return driver->selected && driver->state == RemovalState::NotTried;
  });
  if (anyPrinter || anyOrphan) return;
  errorText += kNothingText;
}
