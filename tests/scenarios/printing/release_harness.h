// Printers prepared as the removal pass leaves them, for the steps that run
// after it, and the journal entries those steps write.
#pragma once
#include <string>
#include <vector>

#include "printing_harness.h"
#include "printing/printer_list.h"

namespace printing_test {

inline void Mark(CPrinterList& printers, const std::string& name, RemovalState state) {
  CPrinter* printer = printers.FindByName(name);
  ASSERT_NE(printer, nullptr) << name;
  printer->selected = true;
  printer->state = state;
}

inline std::vector<json> Events(const sim::Machine& machine, const std::string& event) {
  std::vector<json> out;
  for (const json& entry : machine.journal())
    if (entry.value("event", "") == event) out.push_back(entry);
  return out;
}

inline std::vector<std::string> EventNames(const sim::Machine& machine, const std::string& event) {
  std::vector<std::string> out;
  for (const json& entry : Events(machine, event)) out.push_back(entry.value("name", ""));
  return out;
}

}  // namespace printing_test

namespace printing_test {

inline bool FileExists(sim::Machine& machine, const std::string& path) {
  std::uint32_t attributes = 0;
  return machine.platform().files.GetAttributes(path, &attributes).ok();
}

}  // namespace printing_test
