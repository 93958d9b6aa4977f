// The maker's lines taken out of a network-management platform's object
// identifier files on a simulated machine: the platform's own lines, however
// long, come back exactly as they were.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "components/config_file_filters.h"
#include "sim/machine.h"

namespace {

using nlohmann::json;

const char kTypeFile[] = "C:\\OpenView\\conf\\oid_to_type";

std::string AfterDropping(const std::string& content, bool bracketKept) {
  const json image = {{"os", "winxp"}, {"files", {{kTypeFile, {{"content", content}}}}}};
  sim::LoadError error;
  auto machine = sim::Machine::FromJson(image, &error);
  if (!machine) {
    ADD_FAILURE() << error.ToString();
    return {};
  }
  plat::FileSystem& files = machine->platform().files;
  DropVendorLines(files, kTypeFile, "vorkast", bracketKept);
  std::string after;
  EXPECT_TRUE(files.ReadText(kTypeFile, &after).ok());
  EXPECT_FALSE(files.Exists(files.TempDirectory() + "FileUsedOnce.txt"));
  return after;
}

TEST(VendorLines, ALineLongerThanEightyCharactersComesThroughWholeAndNothingAfterItIsLost) {
  const std::string longLine =
      "1.3.6.1.4.1.11.2.3.7.11.17:HP:HP LaserJet 4000 Series Printer with the optional duplex unit and envelope feeder";
  ASSERT_GT(longLine.size(), 80u);
  const std::string before = "# object types\r\n" + longLine + "\r\n1.3.6.1.4.1.7277.1:Vorkast:Netrelle\r\n" +
                             "1.3.6.1.4.1.2.6.1:IBM:Network Printer\r\n";
  const std::string after = "# object types\r\n" + longLine + "\r\n1.3.6.1.4.1.2.6.1:IBM:Network Printer\r\n";
  EXPECT_EQ(AfterDropping(before, false), after);
}

TEST(VendorLines, TheTypeFilesKeptLinesAreWrittenUnchanged) {
  const std::string before = "1.3.6.1.4.1.11:HP:Printer\r\n1.3.6.1.4.1.7277.1:VORKAST:Netrelle\r\n[bracketed]\r\n";
  EXPECT_EQ(AfterDropping(before, true), "1.3.6.1.4.1.11:HP:Printer\r\n[bracketed]\r\n");
}

}  // namespace
