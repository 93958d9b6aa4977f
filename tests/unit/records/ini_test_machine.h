// A simulated machine with one directory for INI files, and a compact
// picture of a model to compare against.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win_errors.h"
#include "records/ini_file.h"
#include "sim/machine.h"

namespace initest {

inline constexpr const char* kPath = "C:\\scripts\\remove.ini";

// `extra` adds members to the image ("faults": [...]).
inline std::unique_ptr<sim::Machine> Machine(const std::string& extra = {}) {
  const std::string image =
      R"({"files": {"C:\\scripts\\readme.txt": {"content": "keep"}})" + (extra.empty() ? "" : "," + extra) + "}";
  sim::LoadError error;
  auto machine = sim::Machine::FromText(image, &error);
  EXPECT_NE(machine, nullptr) << error.ToString();
  return machine;
}

inline void Put(sim::Machine& machine, const std::string& content, const std::string& path = kPath) {
  ASSERT_EQ(machine.platform().files.WriteText(path, content), winerr::Success);
}

inline std::string Content(sim::Machine& machine, const std::string& path = kPath) {
  std::string content;
  if (machine.platform().files.ReadText(path, &content) != winerr::Success) return "<unreadable>";
  return content;
}

// "[Name]{key=value,key=value}" per section in list order, pairs in map order.
inline std::string Picture(const CIniFile& file) {
  std::string out;
  for (const auto& section : file) {
    out += section->GetName() + "{";
    bool first = true;
    for (const auto& [key, value] : *section) {
      out += (first ? "" : ",") + key + "=" + value;
      first = false;
    }
    out += "}";
  }
  return out;
}

// A model that leaves its file alone when it goes, as the script's owner does.
inline std::unique_ptr<CIniFile> ReadOnly(sim::Machine& machine, const std::string& path = kPath) {
  auto file = std::make_unique<CIniFile>(machine.platform().files, path);
  file->m_bWriteOnDestroy = false;
  return file;
}

}  // namespace initest
