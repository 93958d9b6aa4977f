#include "store_text.h"

#include <gtest/gtest.h>

namespace logstore {
namespace {

LogStore Parsed(std::string_view text) {
  ParseResult r = ParseStore(text);
  if (auto* d = std::get_if<StoreDamage>(&r)) ADD_FAILURE() << d->Describe();
  return std::holds_alternative<LogStore>(r) ? std::get<LogStore>(std::move(r)) : LogStore{};
}

TEST(StoreText, EveryRecordComesBackByteForByteAfterWritingAndReading) {
  LogStore store;
  ComponentRecord& a = store.components()["Kestrion"];
  a.installed = false;
  a.lists[1] = "C:\\Program Files\\Kestrion\\ks.exe\nC:\\100% sure\\a.dll\n";
  a.lists[3] = "HKLM,\"SOFTWARE\\Vorkast\",\"Path\"\n";
  a.properties["Base=Dir"] = " C:\\with spaces at both ends ";
  a.properties["BaseGroup"] = "Vorkast=Tools";
  ComponentRecord& b = store.components()["Printer\\Line 7"];
  b.lists[0] = "child without end";          // no final line break
  b.lists[5] = "one\n\ntwo\n";                 // an empty entry inside
  b.lists[6] = "tab\there\r\n";                // control bytes in an entry
  b.lists[2] = "\xC3\xA5ngstr\xC3\xB6m\n";     // UTF-8 passes through

  const std::string text = FormatStore(store);
  const LogStore back = Parsed(text);
  ASSERT_EQ(back.components().size(), 2u);
  for (const auto& [key, record] : store.components()) {
    const auto it = back.components().find(key);
    ASSERT_NE(it, back.components().end()) << key;
    EXPECT_EQ(it->first, key);
    EXPECT_EQ(it->second.installed, record.installed) << key;
    EXPECT_EQ(it->second.lists, record.lists) << key;
    EXPECT_EQ(it->second.properties, record.properties) << key;
  }
  EXPECT_EQ(FormatStore(back), text);
}

TEST(StoreText, AHandWrittenStoreWithCommentsBlankLinesAndCrLfIsRead) {
  const LogStore store = Parsed(
      "# written by hand\r\n"
      "vorlog-store 1\r\n"
      "\r\n"
      "component Install\r\n"
      "children Kestrion\r\n"
      "children Printer\r\n"
      "property BaseDir=C:\\Vorkast\r\n");
  const ComponentRecord& r = store.components().at("install");
  EXPECT_TRUE(r.installed);
  EXPECT_EQ(r.lists[0], "Kestrion\nPrinter\n");
  EXPECT_EQ(r.properties.at("basedir"), "C:\\Vorkast");
}

TEST(StoreText, DamageIsReportedWithItsLineAndNeverGuessedAround) {
  struct Case {
    const char* text;
    std::size_t line;
    const char* reasonPart;
  };
  const Case cases[] = {
      {"", 0, "empty"},
      {"component A\n", 1, "does not start"},
      {"vorlog-store 2\n", 1, "does not start"},
      {"vorlog-store 1\nfiles C:\\a\n", 2, "before any component"},
      {"vorlog-store 1\ncomponent A\nfiles\n", 3, "no value"},
      {"vorlog-store 1\ncomponent A\nfolders C:\\a\n", 3, "not a tag"},
      {"vorlog-store 1\ncomponent A\nfiles C:\\%zz\n", 3, "hexadecimal"},
      {"vorlog-store 1\ncomponent A\nfiles C:\\%4\n", 3, "hexadecimal"},
      {"vorlog-store 1\ncomponent A\nfiles \n", 3, "empty"},
      {"vorlog-store 1\ncomponent \n", 2, "no key"},
      {"vorlog-store 1\ncomponent A\ncomponent a\n", 3, "twice"},
      {"vorlog-store 1\ncomponent A\nproperty X\n", 3, "no \"=\""},
      {"vorlog-store 1\ncomponent A\nproperty =v\n", 3, "no name"},
      {"vorlog-store 1\ncomponent A\nproperty X=1\nproperty x=2\n", 4, "twice"},
      {"vorlog-store 1\ncomponent A\ninstalled maybe\n", 3, "yes nor no"},
  };
  for (const Case& c : cases) {
    const ParseResult r = ParseStore(c.text);
    ASSERT_TRUE(std::holds_alternative<StoreDamage>(r)) << c.text;
    const StoreDamage& d = std::get<StoreDamage>(r);
    EXPECT_EQ(d.line, c.line) << c.text;
    EXPECT_NE(d.reason.find(c.reasonPart), std::string::npos) << c.text << " -> " << d.reason;
  }
}

}  // namespace
}  // namespace logstore
