// The printer drivers installed on the machine, and which of them are the
// maker's. The inventory needs the spooler, which the platform does not reach
// yet, so for now the list stays empty.
#pragma once
#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct CPrinterDriver {
  std::string name;
  std::string environment;  // "Windows 4.0" or "Windows NT x86"
  bool isMaker = false;     // recognised from the model list
  bool selected = false;
};

class CPrinterDriverList {
 public:
  // Adds every installed driver of both print environments.
  void Fill() {}
  // Marks the maker's drivers named by the model list file.
  void RecogniseMakerDrivers(std::string_view /*modelListPath*/) {}

  bool AnyMakerDriver() const {
    return std::any_of(entries.begin(), entries.end(), [](const auto& d) { return d->isMaker; });
  }

  std::vector<std::unique_ptr<CPrinterDriver>> entries;  // the list owns its drivers
};
