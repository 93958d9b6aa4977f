#include "log_methods.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "store_file.h"

namespace logstore {
namespace {

constexpr std::int32_t kAddEntry = 0x60020000;
constexpr std::int32_t kRemoveEntry = 0x60020001;
constexpr std::int32_t kForget = 0x60020002;
constexpr std::int32_t kIsInstalled = 0x60020003;
constexpr std::int32_t kSetProperty = 0x60020004;
constexpr std::int32_t kGetLoggedPath = 0x60020005;
constexpr std::int32_t kGetProperty = 0x60020006;
constexpr std::int32_t kDescribe = 0x60020007;
constexpr std::int32_t kGetList = 0x60020008;
constexpr std::int32_t kGetStorePath = 0x60020009;

class LogMethods : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("vorlog-test-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(dir_);
    store_ = dir_ / "vorlog.dat";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  CallResult Call(std::int32_t dispid, std::vector<Value> args) { return CallMethod(store_, dispid, args); }
  std::int32_t Number(std::int32_t dispid, std::vector<Value> args) {
    const CallResult r = Call(dispid, std::move(args));
    if (auto* f = std::get_if<CallFailure>(&r)) ADD_FAILURE() << f->description;
    const auto* v = std::get_if<Value>(&r);
    return v != nullptr && std::holds_alternative<std::int32_t>(*v) ? std::get<std::int32_t>(*v) : -999;
  }
  std::string Text(std::int32_t dispid, std::vector<Value> args) {
    const CallResult r = Call(dispid, std::move(args));
    if (auto* f = std::get_if<CallFailure>(&r)) ADD_FAILURE() << f->description;
    const auto* v = std::get_if<Value>(&r);
    return v != nullptr && std::holds_alternative<std::string>(*v) ? std::get<std::string>(*v) : "<not a text>";
  }
  std::string Failure(std::int32_t dispid, std::vector<Value> args) {
    const CallResult r = Call(dispid, std::move(args));
    const auto* f = std::get_if<CallFailure>(&r);
    return f == nullptr ? "<no failure>" : f->description;
  }
  std::string FileText() const {
    std::ifstream in(store_, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::filesystem::path dir_;
  std::filesystem::path store_;
};

TEST_F(LogMethods, ALogSeededThroughTheWritingMethodsIsReadBackByTheReadingOnes) {
  EXPECT_EQ(Number(kIsInstalled, {std::string("Kestrion")}), 0);
  EXPECT_EQ(Number(kAddEntry, {0, std::string("Install"), std::string("Kestrion")}), 1);
  EXPECT_EQ(Number(kAddEntry, {1, std::string("Kestrion"), std::string("C:\\KS\\ks.exe")}), 1);
  EXPECT_EQ(Number(kAddEntry, {1, std::string("Kestrion"), std::string("C:\\KS\\KS.EXE")}), 0);
  EXPECT_EQ(Number(kAddEntry, {2, std::string("Kestrion"), std::string("C:\\KS")}), 1);
  EXPECT_EQ(Number(kSetProperty, {0, std::string("Kestrion"), std::string("BaseGroup=Vorkast=Tools")}), 1);
  EXPECT_EQ(Number(kSetProperty, {1, std::string("Hidden"), std::string("no")}), 1);

  EXPECT_EQ(Number(kIsInstalled, {std::string("kestrion")}), 1);
  EXPECT_EQ(Number(kIsInstalled, {std::string("Hidden")}), 0);
  EXPECT_EQ(Text(kGetList, {0, std::string("Install")}), "Kestrion\n");
  EXPECT_EQ(Text(kGetList, {1, std::string("Kestrion")}), "C:\\KS\\ks.exe\n");
  EXPECT_EQ(Text(kGetLoggedPath, {1, std::string("Kestrion"), std::string("KS.exe")}), "C:\\KS\\ks.exe");
  EXPECT_EQ(Text(kGetProperty, {std::string("Kestrion"), std::string("basegroup")}), "Vorkast=Tools");
  EXPECT_EQ(Text(kGetProperty, {std::string("Kestrion"), std::string("BaseDir")}), "");
  EXPECT_EQ(Text(kDescribe, {std::string("KESTRION")}),
            "component Kestrion\nproperty BaseGroup=Vorkast=Tools\nfiles C:\\KS\\ks.exe\ndirectories C:\\KS\n");
  EXPECT_EQ(Text(kDescribe, {std::string("")}), FileText());

  EXPECT_EQ(Number(kRemoveEntry, {1, std::string("Kestrion"), std::string("c:\\ks\\ks.exe")}), 1);
  EXPECT_EQ(Text(kGetList, {1, std::string("Kestrion")}), "");
  EXPECT_EQ(Number(kForget, {std::string("Kestrion")}), 1);
  EXPECT_EQ(Number(kForget, {std::string("Kestrion")}), 0);
  EXPECT_EQ(Number(kIsInstalled, {std::string("Kestrion")}), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "vorlog.dat.tmp"));
}

TEST_F(LogMethods, TheStorePathIsGivenForStoreZeroOnlyAndWithoutTheFileExisting) {
  EXPECT_EQ(Text(kGetStorePath, {0}), store_.string());
  EXPECT_EQ(Failure(kGetStorePath, {1}), "only store 0 exists");
  EXPECT_FALSE(std::filesystem::exists(store_));
}

TEST_F(LogMethods, CallsThatTheStoreCannotHoldAreRefusedAndChangeNothing) {
  ASSERT_EQ(Number(kAddEntry, {1, std::string("K"), std::string("C:\\a")}), 1);
  const std::string before = FileText();
  struct Case {
    std::int32_t dispid;
    std::vector<Value> args;
    const char* reasonPart;
  };
  const Case cases[] = {
      {kAddEntry, {7, std::string("K"), std::string("C:\\b")}, "kind 7"},
      {kAddEntry, {-1, std::string("K"), std::string("C:\\b")}, "kind -1"},
      {kAddEntry, {1, std::string(""), std::string("C:\\b")}, "key is empty"},
      {kAddEntry, {1, std::string("K"), std::string("")}, "entry is empty"},
      {kAddEntry, {1, std::string("K"), std::string("C:\\b\nC:\\c")}, "line break"},
      {kAddEntry, {std::string("1"), std::string("K"), std::string("C:\\b")}, "wrong arguments"},
      {kAddEntry, {1, std::string("K")}, "wrong arguments"},
      {kSetProperty, {0, std::string("K"), std::string("NoValueSign")}, "name=value"},
      {kSetProperty, {0, std::string("K"), std::string("=v")}, "name=value"},
      {kSetProperty, {1, std::string("K"), std::string("1")}, "yes"},
      {kSetProperty, {2, std::string("K"), std::string("a=b")}, "takes 0"},
      {kGetList, {9, std::string("K")}, "kind 9"},
      {0x6002000A, {}, "no such method"},
  };
  for (const Case& c : cases) {
    const std::string failure = Failure(c.dispid, c.args);
    EXPECT_NE(failure.find(c.reasonPart), std::string::npos) << std::hex << c.dispid << ": " << failure;
  }
  EXPECT_EQ(FileText(), before);
}

TEST_F(LogMethods, ADamagedStoreFailsEveryCallThatReadsItAndIsLeftAsItWas) {
  const std::string damaged = "vorlog-store 1\ncomponent K\nfiles C:\\%G0\n";
  std::ofstream(store_, std::ios::binary) << damaged;
  const std::pair<std::int32_t, std::vector<Value>> calls[] = {
      {kIsInstalled, {std::string("K")}},
      {kGetList, {1, std::string("K")}},
      {kAddEntry, {1, std::string("K"), std::string("C:\\b")}},
      {kForget, {std::string("K")}},
  };
  for (const auto& [dispid, args] : calls) {
    const std::string failure = Failure(dispid, args);
    EXPECT_NE(failure.find("damaged at line 3"), std::string::npos) << std::hex << dispid << ": " << failure;
  }
  EXPECT_EQ(FileText(), damaged);
}

TEST(LogMethodNames, EveryMethodIsFoundByItsNameIgnoringCaseAndByItsId) {
  for (std::int32_t id = 0x60020000; id <= 0x60020009; ++id) {
    const MethodInfo* byId = MethodById(id);
    ASSERT_NE(byId, nullptr) << std::hex << id;
    std::string upper(byId->name);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(MethodByName(upper), byId);
  }
  EXPECT_EQ(MethodByName("GetLists"), nullptr);
  EXPECT_EQ(MethodById(0x6002000A), nullptr);
}

}  // namespace
}  // namespace logstore
