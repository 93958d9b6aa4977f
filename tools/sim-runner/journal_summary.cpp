#include "journal_summary.h"

#include <cstdio>

namespace {

// Continuation lines start under the event text: two blanks, the time stamp, two blanks.
const std::string kIndent(14, ' ');

std::string Str(const nlohmann::json& e, const char* field) {
  const auto it = e.find(field);
  if (it == e.end()) return "";
  return it->is_string() ? it->get<std::string>() : it->dump();
}

// Message texts keep their line breaks, indented under the event.
std::string Indented(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    // Blank lines stay blank rather than ending in spaces.
    if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] != '\n') out += kIndent;
  }
  return out;
}

std::string Remainder(nlohmann::json e) {
  e.erase("event");
  e.erase("t");
  return e.empty() ? "" : " " + e.dump();
}

}  // namespace

std::string DescribeEvent(const nlohmann::json& e) {
  if (!e.is_object()) return e.dump();
  const std::string event = Str(e, "event");
  if (event == "messageBox") {
    std::string answer = Str(e, "answer");
    if (e.contains("error")) answer += " (the script's answer fits no button: the default)";
    else if (e.value("unanswered", false)) answer += " (nobody answered: the default)";
    return "message box \"" + Str(e, "caption") + "\" (" + Str(e, "icon") + ", " + Str(e, "buttons") +
           ") -> " + answer + "\n" + kIndent + Indented(Str(e, "text"));
  }
  if (event == "exit") return "exit code " + Str(e, "code");
  if (event == "serviceStopped") return "service stopped: " + Str(e, "name");
  if (event == "serviceStarted") return "service started: " + Str(e, "name");
  if (event == "restart") return "restart asked for (" + Str(e, "how") + ", flags " + Str(e, "flags") + ")";
  if (event == "processTerminated") return "process ended by force:" + Remainder(e);
  if (event == "windowMessage") return "window message:" + Remainder(e);
  if (event == "fault") return "injected fault in " + Str(e, "call") + Remainder(e);
  return event.empty() ? e.dump() : event + ":" + Remainder(e);
}

void PrintSummary(const nlohmann::json& journal, std::size_t first, std::ostream& out) {
  out << "What happened:\n";
  if (!journal.is_array() || journal.size() <= first) {
    out << "  nothing\n";
    return;
  }
  for (std::size_t i = first; i < journal.size(); ++i) {
    const nlohmann::json& e = journal[i];
    char stamp[32] = "";
    if (e.is_object() && e.contains("t") && e["t"].is_number()) {
      std::snprintf(stamp, sizeof stamp, "%9.3fs", e["t"].get<double>() / 1000.0);
    } else {
      std::snprintf(stamp, sizeof stamp, "%10s", "");
    }
    out << "  " << stamp << "  " << DescribeEvent(e) << "\n";
  }
}
