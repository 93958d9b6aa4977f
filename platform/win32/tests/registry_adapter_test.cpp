// The registry adapter against Wine's registry: the buffer-growing paths that
// ordinary values never reach, and the edge conversions on a real key.
#include <gtest/gtest.h>

#include <string>

#include "platform/win_errors.h"
#include "win32/win32_registry.h"

namespace {

class RegistryAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    bool created = false;
    ASSERT_EQ(reg.CreateKey(plat::kHkeyCurrentUser, kPath, "", plat::keyaccess::AllAccess, &key, &created),
              winerr::Success);
  }
  void TearDown() override {
    DeleteTree(plat::kHkeyCurrentUser, kPath);
  }
  void DeleteTree(plat::HKey parent, const std::string& path) {
    plat::HKey k = plat::kNoHandle;
    if (reg.OpenKey(parent, path, plat::keyaccess::AllAccess, &k) != winerr::Success) return;
    std::string sub;
    while (reg.EnumKey(k, 0, &sub) == winerr::Success) DeleteTree(k, sub);
    reg.Close(k);
    static_cast<void>(reg.DeleteKey(parent, path));  // cleanup; best effort
  }

  static constexpr const char* kPath = "Software\\DrvpurgeAdapterTest";
  win32::Win32Registry reg;
  plat::HKey key = plat::kNoHandle;
};

TEST_F(RegistryAdapter, LargeValueIsReadWhole) {
  std::string big(20000, 'x');
  for (std::size_t i = 0; i < big.size(); i += 97) big[i] = static_cast<char>('a' + i % 26);
  ASSERT_EQ(reg.SetValue(key, "Big", plat::RegValue::String(big)), winerr::Success);
  plat::RegValue back;
  ASSERT_EQ(reg.QueryValue(key, "Big", &back), winerr::Success);
  EXPECT_EQ(back.AsText(), big);

  std::string name;
  plat::RegValue enumerated;
  ASSERT_EQ(reg.EnumValue(key, 0, &name, &enumerated), winerr::Success);
  EXPECT_EQ(name, "Big");
  EXPECT_EQ(enumerated, back);
}

TEST_F(RegistryAdapter, LongNamesEnumerate) {
  const std::string longValueName(600, 'v');
  const std::string longKeyName(250, 'k');
  ASSERT_EQ(reg.SetValue(key, longValueName, plat::RegValue::Dword(7)), winerr::Success);
  plat::HKey sub = plat::kNoHandle;
  ASSERT_EQ(reg.CreateKey(key, longKeyName, "", plat::keyaccess::AllAccess, &sub, nullptr), winerr::Success);
  reg.Close(sub);

  std::string name;
  plat::RegValue value;
  ASSERT_EQ(reg.EnumValue(key, 0, &name, &value), winerr::Success);
  EXPECT_EQ(name, longValueName);
  EXPECT_EQ(value.AsDword(), 7u);
  ASSERT_EQ(reg.EnumKey(key, 0, &name), winerr::Success);
  EXPECT_EQ(name, longKeyName);
  EXPECT_EQ(reg.EnumKey(key, 1, &name), winerr::NoMoreItems);
  EXPECT_EQ(reg.EnumValue(key, 1, &name, &value), winerr::NoMoreItems);
}

TEST_F(RegistryAdapter, NonAsciiNamesAndDataSurvive) {
  const std::string name = "Stra\xC3\x9F" "e \xE2\x82\xAC";
  const auto value = plat::RegValue::String("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBD\xD1\x82\xD0\xB5\xD1\x80");
  ASSERT_EQ(reg.SetValue(key, name, value), winerr::Success);
  plat::RegValue back;
  ASSERT_EQ(reg.QueryValue(key, name, &back), winerr::Success);
  EXPECT_EQ(back, value);
  plat::RegKeyInfo info;
  ASSERT_EQ(reg.QueryInfo(key, &info), winerr::Success);
  EXPECT_EQ(info.values, 1u);
}

TEST_F(RegistryAdapter, MissingThingsReportFileNotFound) {
  plat::RegValue v;
  EXPECT_EQ(reg.QueryValue(key, "absent", &v), winerr::FileNotFound);
  plat::HKey k = plat::kNoHandle;
  EXPECT_EQ(reg.OpenKey(key, "absent", plat::keyaccess::Read, &k), winerr::FileNotFound);
  EXPECT_EQ(k, plat::kNoHandle);
  EXPECT_EQ(reg.DeleteValue(key, "absent"), winerr::FileNotFound);
}

TEST_F(RegistryAdapter, KeyAccessListReadsBackAsSet) {
  plat::HKey k = plat::kNoHandle;
  ASSERT_EQ(reg.OpenKey(plat::kHkeyCurrentUser, kPath, plat::keyaccess::WriteDac | plat::keyaccess::ReadControl, &k),
            winerr::Success);
  plat::Acl acl;
  acl.aces = {{plat::kAceAccessAllowed, plat::kAceContainerInherit, plat::keyaccess::Read, plat::wellknown::Everyone},
              {plat::kAceAccessAllowed, plat::kAceContainerInherit, plat::keyaccess::AllAccess,
               plat::wellknown::Administrators}};
  ASSERT_EQ(reg.SetKeyDacl(k, acl), winerr::Success);
  plat::Acl back;
  ASSERT_EQ(reg.GetKeyDacl(k, &back), winerr::Success);
  EXPECT_EQ(back, acl);
  reg.Close(k);
}

}  // namespace
