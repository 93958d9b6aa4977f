#include <algorithm>

#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

namespace ka = plat::keyaccess;
constexpr plat::HKey kHkcu = plat::kHkeyCurrentUser;

class RegistryContract : public ContractTest {
 protected:
  void SetUp() override {
    ContractTest::SetUp();
    scratch_ = env_->ScratchKeyPath();
    RemoveTree(scratch_);
    bool created = false;
    ASSERT_EQ(R().CreateKey(kHkcu, scratch_, "", ka::AllAccess, &root_, &created), winerr::Success);
    ASSERT_TRUE(created);
  }
  void TearDown() override {
    if (root_) R().Close(root_);
    RemoveTree(scratch_);
    ContractTest::TearDown();
  }
  plat::Registry& R() { return P().registry; }

  // Opens every key to its owner's full access first, so that a test that
  // locked a key still leaves nothing behind.
  void RemoveTree(const std::string& path) {
    plat::HKey k = 0;
    if (IsNT() && R().OpenKey(kHkcu, path, ka::WriteDac, &k) == winerr::Success) {
      plat::Acl all;
      all.present = false;
      static_cast<void>(R().SetKeyDacl(k, all));  // cleanup: the deletion below tells
      R().Close(k);
    }
    if (R().OpenKey(kHkcu, path, ka::AllAccess, &k) != winerr::Success) return;
    std::string name;
    std::vector<std::string> children;
    for (std::uint32_t i = 0; R().EnumKey(k, i, &name) == winerr::Success; ++i) children.push_back(name);
    R().Close(k);
    for (const auto& child : children) RemoveTree(path + "\\" + child);
    static_cast<void>(R().DeleteKey(kHkcu, path));  // cleanup of a test key
  }

  plat::HKey Create(const std::string& sub, std::uint32_t access = ka::AllAccess) {
    plat::HKey k = 0;
    bool created = false;
    EXPECT_EQ(R().CreateKey(root_, sub, "", access, &k, &created), winerr::Success) << sub;
    return k;
  }

  std::string scratch_;
  plat::HKey root_ = 0;
};

TEST_F(RegistryContract, TypedValuesReadBackAsWritten) {
  const std::vector<plat::RegValue> values = {
      plat::RegValue::String("C:\\Program Files"), plat::RegValue::String("%SystemRoot%", plat::RegType::ExpandSz),
      plat::RegValue::Dword(0xDEADBEEF), plat::RegValue::Binary({0, 1, 2, 255}),
      plat::RegValue::MultiString({"one", "two"})};
  for (std::size_t i = 0; i < values.size(); ++i)
    ASSERT_EQ(R().SetValue(root_, "v" + std::to_string(i), values[i]), winerr::Success);
  for (std::size_t i = 0; i < values.size(); ++i) {
    plat::RegValue read;
    ASSERT_EQ(R().QueryValue(root_, "V" + std::to_string(i), &read), winerr::Success);
    EXPECT_EQ(read, values[i]) << i;
  }
  plat::RegKeyInfo info;
  ASSERT_EQ(R().QueryInfo(root_, &info), winerr::Success);
  EXPECT_EQ(info.values, values.size());
  EXPECT_EQ(info.subkeys, 0u);
}

TEST_F(RegistryContract, NamesIgnoreCaseButKeepTheirCase) {
  plat::UniqueKey k(R(), Create("MixedCase"));
  ASSERT_EQ(R().SetValue(k.get(), "ValueName", plat::RegValue::Dword(1)), winerr::Success);
  ASSERT_EQ(R().SetValue(k.get(), "VALUENAME", plat::RegValue::Dword(2)), winerr::Success);
  std::string name;
  plat::RegValue v;
  ASSERT_EQ(R().EnumValue(k.get(), 0, &name, &v), winerr::Success);
  EXPECT_EQ(name, "ValueName");
  EXPECT_EQ(v.AsDword(), 2u);
  EXPECT_EQ(R().EnumValue(k.get(), 1, &name, &v), winerr::NoMoreItems);

  ASSERT_EQ(R().EnumKey(root_, 0, &name), winerr::Success);
  EXPECT_EQ(name, "MixedCase");
  plat::HKey again = 0;
  ASSERT_EQ(R().OpenKey(kHkcu, scratch_ + "\\MIXEDCASE", ka::Read, &again), winerr::Success);
  R().Close(again);
}

TEST_F(RegistryContract, SubkeysEnumerateSortedWithoutCase) {
  for (const char* n : {"delta", "Bravo", "alpha", "Charlie"}) R().Close(Create(n));
  std::vector<std::string> names;
  std::string name;
  plat::WinError err = winerr::Success;
  for (std::uint32_t i = 0; (err = R().EnumKey(root_, i, &name)) == winerr::Success; ++i) names.push_back(name);
  EXPECT_EQ(err, winerr::NoMoreItems);
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Bravo", "Charlie", "delta"}));
}

TEST_F(RegistryContract, MissingKeysAndValuesAreFileNotFound) {
  plat::HKey k = 0;
  EXPECT_EQ(R().OpenKey(kHkcu, scratch_ + "\\Missing", ka::Read, &k), winerr::FileNotFound);
  plat::RegValue v;
  EXPECT_EQ(R().QueryValue(root_, "Missing", &v), winerr::FileNotFound);
  EXPECT_EQ(R().DeleteValue(root_, "Missing"), winerr::FileNotFound);
  EXPECT_EQ(R().DeleteKey(root_, "Missing"), winerr::FileNotFound);
}

TEST_F(RegistryContract, DeleteKeyFollowsTheOsFamily) {
  R().Close(Create("Parent\\Child"));
  const plat::WinError err = R().DeleteKey(root_, "Parent");
  plat::HKey k = 0;
  const bool parentLeft = R().OpenKey(root_, "Parent", ka::Read, &k) == winerr::Success;
  if (parentLeft) R().Close(k);
  if (IsNT()) {
    EXPECT_EQ(err, winerr::AccessDenied);
    EXPECT_TRUE(parentLeft);
    ASSERT_EQ(R().DeleteKey(root_, "Parent\\Child"), winerr::Success);
    EXPECT_EQ(R().DeleteKey(root_, "Parent"), winerr::Success);
  } else {
    EXPECT_EQ(err, winerr::Success);
    EXPECT_FALSE(parentLeft);
  }
}

TEST_F(RegistryContract, AHandleOfADeletedKeyReportsKeyDeleted) {
  plat::UniqueKey k(R(), Create("Doomed"));
  ASSERT_EQ(R().DeleteKey(root_, "Doomed"), winerr::Success);
  plat::RegValue v;
  EXPECT_EQ(R().SetValue(k.get(), "x", plat::RegValue::Dword(1)), winerr::KeyDeleted);
}

TEST_F(RegistryContract, AHandleGrantsOnlyWhatItWasOpenedFor) {
  if (!IsNT()) GTEST_SKIP() << "the 9x family has no key security";
  R().Close(Create("ReadOnly"));
  plat::HKey k = 0;
  ASSERT_EQ(R().OpenKey(root_, "ReadOnly", ka::Read, &k), winerr::Success);
  EXPECT_EQ(R().SetValue(k, "x", plat::RegValue::Dword(1)), winerr::AccessDenied);
  R().Close(k);
}

TEST_F(RegistryContract, AnAccessListDenyingDeleteStopsDeletionUntilRewritten) {
  if (!IsNT()) GTEST_SKIP() << "the 9x family has no key security";
  if (!env_->CanDenyDelete()) GTEST_SKIP() << "this environment keeps no registry security";
  plat::HKey k = Create("Locked", ka::AllAccess);
  plat::Acl locked;
  locked.aces.push_back({plat::kAceAccessDenied, 0, ka::Delete, plat::wellknown::Everyone});
  locked.aces.push_back({plat::kAceAccessAllowed, 0, ka::Read, plat::wellknown::Everyone});
  ASSERT_EQ(R().SetKeyDacl(k, locked), winerr::Success);
  plat::Acl read;
  ASSERT_EQ(R().GetKeyDacl(k, &read), winerr::Success);
  EXPECT_EQ(read.aces.size(), 2u);
  R().Close(k);

  EXPECT_EQ(R().DeleteKey(root_, "Locked"), winerr::AccessDenied);
  EXPECT_EQ(R().OpenKey(root_, "Locked", ka::AllAccess, &k), winerr::AccessDenied);
  // The owner may always rewrite the list.
  ASSERT_EQ(R().OpenKey(root_, "Locked", ka::WriteDac, &k), winerr::Success);
  plat::Acl open;
  open.aces.push_back({plat::kAceAccessAllowed, plat::kAceContainerInherit, ka::AllAccess, plat::wellknown::Everyone});
  ASSERT_EQ(R().SetKeyDacl(k, open), winerr::Success);
  R().Close(k);
  EXPECT_EQ(R().DeleteKey(root_, "Locked"), winerr::Success);
}

TEST_F(RegistryContract, SetKeyDaclNeedsAHandleWithWriteDac) {
  if (!IsNT()) GTEST_SKIP() << "the 9x family has no key security";
  SKIP_ON_WINE("Wine does not check the handle's rights for RegSetKeySecurity");
  R().Close(Create("NoDac"));
  plat::HKey k = 0;
  ASSERT_EQ(R().OpenKey(root_, "NoDac", ka::Read, &k), winerr::Success);
  plat::Acl open;
  open.present = false;
  EXPECT_EQ(R().SetKeyDacl(k, open), winerr::AccessDenied);
  R().Close(k);
}

}  // namespace
}  // namespace contract
