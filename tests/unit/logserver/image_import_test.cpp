#include "image_import.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "log_methods.h"
#include "platform/platform.h"
#include "sim/machine.h"
#include "store_file.h"

namespace {

const char* const kImage = R"({
  "installLog": {
    "storePath": "C:\\Program Files\\BREVIK\\vorlog.dat",
    "components": {
      "Install": {"children": ["Kestrion", "Printer\\Office 7"]},
      "Kestrion": {
        "files": ["C:\\KS\\ks.exe", "C:\\KS\\100% sure.dll", " C:\\KS\\spaced.txt "],
        "directories": ["C:\\KS"],
        "registryValues": ["HKLM,\"SOFTWARE\\Vorkast\\KS\",\"Path\""],
        "registryKeys": "HKLM,SOFTWARE\\Vorkast\\KS\n\nno end",
        "shellItems": ["Vorkast\\Kestrion.lnk"],
        "lateShellItems": ["Vorkast"],
        "properties": {"BaseDir": "C:\\KS", "BaseGroup": "Vorkast", "Odd=Name": "a=b"}
      },
      "Printer\\Office 7": {"installed": false, "files": ["C:\\Windows\\\u00e5.ini"]}
    }
  }
})";

std::string Text(const logstore::CallResult& r) {
  if (const auto* v = std::get_if<logstore::Value>(&r); v && std::holds_alternative<std::string>(*v))
    return std::get<std::string>(*v);
  return "<failed>";
}

std::int32_t Number(const logstore::CallResult& r) {
  if (const auto* v = std::get_if<logstore::Value>(&r); v && std::holds_alternative<std::int32_t>(*v))
    return std::get<std::int32_t>(*v);
  return -999;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every key, list kind, property and file name the image holds, and some it
// does not, answered by the sim from the image and by the server from the
// imported store.
void ExpectSameAnswers(const std::string& imageText, const std::vector<std::string>& keys,
                       const std::vector<std::string>& properties, const std::vector<std::string>& files) {
  sim::LoadError error;
  auto machine = sim::Machine::FromText(imageText, &error);
  ASSERT_NE(machine, nullptr) << error.ToString();
  plat::InstallLog& sim = machine->platform().installLog;
  ASSERT_TRUE(sim.InitializeOle().ok());
  ASSERT_TRUE(sim.Connect().ok());

  const auto imported = logimport::ImportInstallLog(nlohmann::json::parse(imageText));
  ASSERT_TRUE(std::holds_alternative<logstore::LogStore>(imported));
  const auto dir = std::filesystem::temp_directory_path() / ("vorlog-import-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  const auto store = dir / "vorlog.dat";
  ASSERT_FALSE(logstore::SaveStore(store, std::get<logstore::LogStore>(imported)).has_value());
  auto call = [&](std::int32_t dispid, std::vector<logstore::Value> args) {
    return logstore::CallMethod(store, dispid, args);
  };

  for (const std::string& key : keys) {
    EXPECT_EQ(Number(call(plat::logdispid::IsInstalled, {key})), sim.IsInstalled(key).value()) << key;
    for (std::int32_t kind = 0; kind < 7; ++kind) {
      EXPECT_EQ(Text(call(plat::logdispid::GetList, {kind, key})), sim.GetList(kind, key).value()) << key << kind;
      for (const std::string& file : files)
        EXPECT_EQ(Text(call(plat::logdispid::GetLoggedPath, {kind, key, file})),
                  sim.GetLoggedPath(kind, key, file).value())
            << key << kind << file;
    }
    for (const std::string& name : properties)
      EXPECT_EQ(Text(call(plat::logdispid::GetProperty, {key, name})), sim.GetProperty(key, name).value()) << name;
  }
  std::filesystem::remove_all(dir);
}

TEST(ImageImport, TheServerAnswersFromTheImportedStoreAsTheSimAnswersFromTheImage) {
  ExpectSameAnswers(kImage, {"Install", "KESTRION", "Printer\\Office 7", "Unknown"},
                    {"BaseDir", "basegroup", "Odd=Name", "Missing"},
                    {"KS.EXE", "100% sure.dll", "spaced.txt ", "\xC3\xA5.ini", "KS", "none"});
}

TEST(ImageImport, TheWineRunsImageGivesTheSameAnswersOnBothSides) {
  ExpectSameAnswers(ReadFile(std::string(DP_E2E_CASES_DIR) + "/seeded_log.json"),
                    {"Printer", "printer\\office 7", "UninstallerBREVIK", "Drivers"}, {"BaseGroup", "BaseDir"},
                    {"drvpurge.exe", "VKOFF7.DLL", "Install", "Vorkast"});
}

TEST(ImageImport, AMalformedLogIsRefusedWithItsPlaceInTheImage) {
  struct Case {
    const char* image;
    const char* where;
  };
  const Case cases[] = {
      {R"({"installLog": []})", "/installLog"},
      {R"({"installLog": {"components": {"K": {"files": [""]}}}})", "/installLog/components/K/files/0"},
      {R"({"installLog": {"components": {"K": {"files": ["a\nb"]}}}})", "/installLog/components/K/files/0"},
      {R"({"installLog": {"components": {"K": {"files": 3}}}})", "/installLog/components/K/files"},
      {R"({"installLog": {"components": {"K": {"folders": []}}}})", "/installLog/components/K/folders"},
      {R"({"installLog": {"components": {"K": {"installed": "no"}}}})", "/installLog/components/K/installed"},
      {R"({"installLog": {"components": {"K": {"properties": {"A": 1}}}}})", "/installLog/components/K/properties/A"},
      {R"({"installLog": {"components": {"K": {}, "k": {}}}})", "/installLog/components/k"},
  };
  for (const Case& c : cases) {
    const auto r = logimport::ImportInstallLog(nlohmann::json::parse(c.image));
    ASSERT_TRUE(std::holds_alternative<logimport::ImportError>(r)) << c.image;
    EXPECT_EQ(std::get<logimport::ImportError>(r).where, c.where) << c.image;
  }
}

}  // namespace
