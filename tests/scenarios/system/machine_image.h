// Loads a machine image written inline in a test.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "sim/machine.h"

inline std::unique_ptr<sim::Machine> LoadMachine(std::string_view image) {
  sim::LoadError error;
  auto machine = sim::Machine::FromText(image, &error);
  EXPECT_NE(machine, nullptr) << error.ToString();
  return machine;
}

// The journal entries of one kind, in order.
inline std::vector<nlohmann::json> EventsOf(const sim::Machine& m, std::string_view event) {
  std::vector<nlohmann::json> out;
  for (const auto& e : m.journal())
    if (e.value("event", "") == event) out.push_back(e);
  return out;
}
