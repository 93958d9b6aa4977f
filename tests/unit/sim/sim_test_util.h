// Loading machines from short inline images in tests.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/machine.h"

namespace simtest {

inline std::unique_ptr<sim::Machine> Load(const std::string& image) {
  sim::LoadError error;
  auto machine = sim::Machine::FromText(image, &error);
  EXPECT_NE(machine, nullptr) << error.ToString();
  return machine;
}

// The error an image is refused with ("" if it loads).
inline std::string Refusal(const std::string& image) {
  sim::LoadError error;
  auto machine = sim::Machine::FromText(image, &error);
  return machine ? std::string() : error.ToString();
}

// Journal entries with this "event".
inline std::vector<nlohmann::json> Events(const sim::Machine& m, const std::string& event) {
  std::vector<nlohmann::json> out;
  for (const auto& e : m.journal())
    if (e.value("event", "") == event) out.push_back(e);
  return out;
}

}  // namespace simtest
