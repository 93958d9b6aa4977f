#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Load;
namespace ka = plat::keyaccess;

namespace {

constexpr const char* kTree = R"({"os": "%OS%", "registry": {
    "HKLM\\SOFTWARE\\Vorkast\\Tree\\beta": {"values": {"Name": "b"}},
    "HKLM\\SOFTWARE\\Vorkast\\Tree\\Alpha\\Leaf": {},
    "HKLM\\SOFTWARE\\Vorkast\\Tree\\gamma": {"values": {"z": 1, "A": 2, "m": 3}}}})";

std::unique_ptr<sim::Machine> TreeOn(const std::string& os) {
  std::string image = kTree;
  image.replace(image.find("%OS%"), 4, os);
  return Load(image);
}

plat::HKey Open(plat::Registry& r, const char* path, std::uint32_t access = ka::AllAccess) {
  plat::HKey k = 0;
  EXPECT_EQ(r.OpenKey(plat::kHkeyLocalMachine, path, access, &k), winerr::Success) << path;
  return k;
}

TEST(Registry, NamesIgnoreCaseAndKeepTheirStoredCase) {
  auto m = TreeOn("winxp");
  auto& r = m->platform().registry;
  plat::UniqueKey tree(r, Open(r, "software\\VORKAST\\tree"));
  std::string name;
  ASSERT_EQ(r.EnumKey(tree.get(), 0, &name), winerr::Success);
  EXPECT_EQ(name, "Alpha");

  plat::UniqueKey beta(r, Open(r, "SOFTWARE\\Vorkast\\Tree\\BETA"));
  plat::RegValue v;
  ASSERT_EQ(r.QueryValue(beta.get(), "NAME", &v), winerr::Success);
  EXPECT_EQ(v.AsText(), "b");
  // Writing through another spelling updates the value and keeps its name.
  ASSERT_EQ(r.SetValue(beta.get(), "name", plat::RegValue::String("c")), winerr::Success);
  ASSERT_EQ(r.EnumValue(beta.get(), 0, &name, &v), winerr::Success);
  EXPECT_EQ(name, "Name");
  EXPECT_EQ(v.AsText(), "c");
}

TEST(Registry, EnumerationIsSortedWithoutCaseAndEndsWithNoMoreItems) {
  auto m = TreeOn("winxp");
  auto& r = m->platform().registry;
  plat::UniqueKey tree(r, Open(r, "SOFTWARE\\Vorkast\\Tree"));
  std::vector<std::string> keys;
  std::string name;
  plat::WinError err = winerr::Success;
  for (std::uint32_t i = 0; (err = r.EnumKey(tree.get(), i, &name)) == winerr::Success; ++i) keys.push_back(name);
  EXPECT_EQ(err, winerr::NoMoreItems);
  EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "beta", "gamma"}));

  plat::UniqueKey gamma(r, Open(r, "SOFTWARE\\Vorkast\\Tree\\gamma"));
  std::vector<std::string> values;
  for (std::uint32_t i = 0; r.EnumValue(gamma.get(), i, &name, nullptr) == winerr::Success; ++i) values.push_back(name);
  EXPECT_EQ(values, (std::vector<std::string>{"A", "m", "z"}));

  plat::RegKeyInfo info;
  ASSERT_EQ(r.QueryInfo(tree.get(), &info), winerr::Success);
  EXPECT_EQ(info.subkeys, 3u);
  EXPECT_EQ(info.maxSubkeyLen, 5u);
  EXPECT_EQ(info.values, 0u);
}

TEST(Registry, EnumerationAndLongestNameFollowKeysCreatedAndDeletedBetweenCalls) {
  auto m = TreeOn("winxp");
  auto& r = m->platform().registry;
  plat::UniqueKey tree(r, Open(r, "SOFTWARE\\Vorkast\\Tree"));
  auto nameAt = [&](std::uint32_t index) {
    std::string name;
    const plat::WinError err = r.EnumKey(tree.get(), index, &name);
    return err == winerr::Success ? name : "error " + std::to_string(err.code());
  };
  auto longest = [&] {
    plat::RegKeyInfo info;
    EXPECT_EQ(r.QueryInfo(tree.get(), &info), winerr::Success);
    return info.maxSubkeyLen;
  };
  auto create = [&](const char* name) {
    plat::HKey k = 0;
    bool created = false;
    EXPECT_EQ(r.CreateKey(tree.get(), name, "", ka::AllAccess, &k, &created), winerr::Success);
    r.Close(k);
    return created;
  };
  EXPECT_EQ(nameAt(1), "beta");
  EXPECT_TRUE(create("AARDVARK"));
  EXPECT_EQ(nameAt(1), "Alpha");  // every later key moved up one
  EXPECT_EQ(nameAt(2), "beta");
  EXPECT_EQ(longest(), 8u);
  // Another spelling of a key reaches the key, which keeps its first name.
  EXPECT_FALSE(create("BETA\\"));
  EXPECT_EQ(nameAt(2), "beta");
  EXPECT_EQ(r.DeleteKey(tree.get(), "alpha\\LEAF"), winerr::Success);
  EXPECT_EQ(r.DeleteKey(tree.get(), "ALPHA"), winerr::Success);
  EXPECT_EQ(nameAt(2), "gamma");
  EXPECT_EQ(nameAt(0), "AARDVARK");
  EXPECT_EQ(r.DeleteKey(tree.get(), "aardvark"), winerr::Success);
  EXPECT_EQ(longest(), 5u);
  EXPECT_EQ(nameAt(1), "gamma");
  EXPECT_EQ(nameAt(2), "error " + std::to_string(winerr::NoMoreItems.code()));
  // Lengths count UTF-16 units, not bytes.
  EXPECT_TRUE(create("\u03A9\u03A9\u03A9\u03A9\u03A9\u03A9"));
  EXPECT_EQ(longest(), 6u);
  EXPECT_EQ(nameAt(2), "\u03A9\u03A9\u03A9\u03A9\u03A9\u03A9");
  EXPECT_EQ(nameAt(0), "beta");
}

TEST(Registry, MissingKeysAndValuesAreFileNotFound) {
  auto m = TreeOn("winxp");
  auto& r = m->platform().registry;
  plat::HKey k = 0;
  EXPECT_EQ(r.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Nothing", ka::Read, &k), winerr::FileNotFound);
  EXPECT_EQ(k, 0u);
  plat::UniqueKey beta(r, Open(r, "SOFTWARE\\Vorkast\\Tree\\beta"));
  plat::RegValue v;
  EXPECT_EQ(r.QueryValue(beta.get(), "Missing", &v), winerr::FileNotFound);
  EXPECT_EQ(r.DeleteValue(beta.get(), "Missing"), winerr::FileNotFound);
  EXPECT_EQ(r.DeleteKey(beta.get(), "Missing"), winerr::FileNotFound);
  EXPECT_EQ(r.QueryValue(0x1234, "x", &v), winerr::InvalidHandle);
}

TEST(Registry, DeleteKeyRemovesTheTreeOn9xButRefusesAKeyWithSubkeysOnNT) {
  auto nt = TreeOn("win2k");
  auto& rn = nt->platform().registry;
  plat::UniqueKey treeNt(rn, Open(rn, "SOFTWARE\\Vorkast\\Tree"));
  EXPECT_EQ(rn.DeleteKey(treeNt.get(), "Alpha"), winerr::AccessDenied);
  EXPECT_TRUE(nt->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Tree\\Alpha\\Leaf"));
  EXPECT_EQ(rn.DeleteKey(treeNt.get(), "Alpha\\Leaf"), winerr::Success);
  EXPECT_EQ(rn.DeleteKey(treeNt.get(), "ALPHA"), winerr::Success);
  EXPECT_FALSE(nt->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Tree\\Alpha"));

  auto w98 = TreeOn("win98");
  auto& r9 = w98->platform().registry;
  plat::UniqueKey tree9(r9, Open(r9, "SOFTWARE\\Vorkast"));
  EXPECT_EQ(r9.DeleteKey(tree9.get(), "Tree"), winerr::Success);
  EXPECT_FALSE(w98->KeyExists("HKLM\\SOFTWARE\\Vorkast\\Tree"));
  EXPECT_TRUE(w98->KeyExists("HKLM\\SOFTWARE\\Vorkast"));
}

TEST(Registry, HandlesOfDeletedKeysReportKeyDeleted) {
  auto m = TreeOn("win98");
  auto& r = m->platform().registry;
  plat::UniqueKey leaf(r, Open(r, "SOFTWARE\\Vorkast\\Tree\\Alpha\\Leaf"));
  plat::UniqueKey vorkast(r, Open(r, "SOFTWARE\\Vorkast"));
  ASSERT_EQ(r.DeleteKey(vorkast.get(), "Tree"), winerr::Success);
  plat::RegValue v;
  EXPECT_EQ(r.QueryValue(leaf.get(), "x", &v), winerr::KeyDeleted);
  EXPECT_EQ(r.SetValue(leaf.get(), "x", plat::RegValue::Dword(1)), winerr::KeyDeleted);
  plat::HKey sub = 0;
  EXPECT_EQ(r.OpenKey(leaf.get(), "", ka::Read, &sub), winerr::KeyDeleted);
  // A new key of the same name is a different key.
  bool created = false;
  plat::HKey fresh = 0;
  ASSERT_EQ(r.CreateKey(plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Tree\\Alpha\\Leaf", "", ka::AllAccess, &fresh,
                        &created),
            winerr::Success);
  EXPECT_TRUE(created);
  EXPECT_EQ(r.QueryValue(leaf.get(), "x", &v), winerr::KeyDeleted);
  r.Close(fresh);
}

TEST(Registry, CreateKeyMakesEveryMissingLevelAndReportsWhetherItWasNew) {
  auto m = TreeOn("winxp");
  auto& r = m->platform().registry;
  plat::HKey k = 0;
  bool created = false;
  ASSERT_EQ(r.CreateKey(plat::kHkeyCurrentUser, "Software\\A\\B\\C", "REG_SZ", ka::AllAccess, &k, &created),
            winerr::Success);
  EXPECT_TRUE(created);
  r.Close(k);
  ASSERT_EQ(r.CreateKey(plat::kHkeyCurrentUser, "software\\a\\b\\c", "", ka::Read, &k, &created), winerr::Success);
  EXPECT_FALSE(created);
  // Opened for reading only: no writing through this handle.
  EXPECT_EQ(r.SetValue(k, "x", plat::RegValue::Dword(1)), winerr::AccessDenied);
  r.Close(k);
  EXPECT_TRUE(m->KeyExists("HKEY_CURRENT_USER\\Software\\A\\B"));
  EXPECT_EQ(m->Save()["registry"]["HKCU\\Software\\A\\B\\C"]["class"], "REG_SZ");
}

TEST(Registry, PredefinedRootsCannotBeDeleted) {
  auto m = TreeOn("win98");
  auto& r = m->platform().registry;
  EXPECT_EQ(r.DeleteKey(plat::kHkeyLocalMachine, ""), winerr::AccessDenied);
  EXPECT_TRUE(m->KeyExists("HKLM\\SOFTWARE\\Vorkast"));
}

}  // namespace
