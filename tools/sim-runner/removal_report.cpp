#include "removal_report.h"

#include <string>
#include <string_view>
#include <vector>

#include "app/cunst_main.h"

namespace {

void PrintSection(std::ostream& out, const char* title, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  out << title << "\n";
  for (const std::string& line : lines) out << "  " << line << "\n";
}

std::vector<std::string> NonEmptyLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// How deep an item hangs in the tree: the length of its chain of parents
// present in the list (a chain in a circle stops after one round).
int DepthOf(const UnstItemArray& items, const UnstItem& item) {
  int depth = 0;
  std::string_view parent = item.parentKey;
  while (!parent.empty() && depth < items.size()) {
    const int p = items.Find(parent);
    if (p < 0) break;
    ++depth;
    parent = items[p].parentKey;
  }
  return depth;
}

// The components start-up found, as the tree shows them, with the choice.
std::vector<std::string> ComponentLines(const UnstItemArray& items) {
  std::vector<std::string> lines;
  for (const UnstItem& item : items) {
    std::string line(static_cast<std::size_t>(2 * DepthOf(items, item)), ' ');
    line += (item.displayName.empty() ? item.key : item.displayName) + " [" + item.key + "]";
    if (item.selected) line += item.removed ? " (chosen)" : " (chosen, not removed)";
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace

void PrintRemovalReport(const CUnstMain& app, std::ostream& out) {
  std::vector<std::string> failedPrinters;
  std::vector<std::string> keysLeft;
  for (const auto& printer : app.printers) {
    if (printer->selected && printer->state == RemovalState::Failed) failedPrinters.push_back(printer->name);
    for (const std::string& key : printer->keysLeft) keysLeft.push_back(key + " (of " + printer->name + ")");
  }
  PrintSection(out, "Software components found:", ComponentLines(app.items));
  PrintSection(out, "Printers not removed:", failedPrinters);
  PrintSection(out, "Printer drivers not removed:", NonEmptyLines(app.drivers.FailureText()));
  PrintSection(out, "Registry keys left because the printer's name cannot name them safely:", keysLeft);
  PrintSection(out, "Print processors kept because they are not the maker's:", app.printers.KeptPrintProcessors());
}

void PrintRemoved(const nlohmann::json& journal, std::size_t from, std::ostream& out) {
  std::vector<std::string> removed;
  for (std::size_t i = from; i < journal.size(); ++i) {
    const nlohmann::json& e = journal[i];
    const std::string event = e.value("event", "");
    if (event == "printerDeleted") {
      removed.push_back("printer " + e.value("name", "") + (e.value("pending", false) ? " (once its jobs have printed)" : ""));
    } else if (event == "driverDeleted") {
      removed.push_back("printer driver " + e.value("name", "") + " (" + e.value("environment", "") + ")");
    }
  }
  PrintSection(out, "Removed:", removed);
}
