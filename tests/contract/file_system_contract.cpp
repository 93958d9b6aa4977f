#include <algorithm>

#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using FileSystemContract = ContractTest;

TEST_F(FileSystemContract, AttributesTellFilesFromDirectories) {
  auto& fs = P().files;
  std::uint32_t attributes = 0;
  ASSERT_EQ(fs.GetAttributes(env_->ExistingFile(), &attributes), winerr::Success);
  EXPECT_EQ(attributes & plat::fileattr::Directory, 0u);
  ASSERT_EQ(fs.GetAttributes(env_->ExistingDirectory(), &attributes), winerr::Success);
  EXPECT_NE(attributes & plat::fileattr::Directory, 0u);
  EXPECT_TRUE(fs.Exists(env_->ExistingFile()));
}

TEST_F(FileSystemContract, MissingFilesAndMissingDirectoriesFailDifferently) {
  auto& fs = P().files;
  std::uint32_t attributes = 0;
  EXPECT_EQ(fs.GetAttributes(env_->ExistingDirectory() + "\\no-such-file.txt", &attributes), winerr::FileNotFound);
  EXPECT_EQ(attributes, plat::kInvalidFileAttributes);
  EXPECT_EQ(fs.GetAttributes(env_->ExistingDirectory() + "\\no-such-dir\\file.txt", &attributes),
            winerr::PathNotFound);
}

}  // namespace
}  // namespace contract

namespace contract {
namespace {

class FileSystemScratch : public ContractTest {
 protected:
  std::string In(const std::string& name) { return env_->ScratchDirectory() + "\\" + name; }
};

TEST_F(FileSystemScratch, CreateFindAndRemove) {
  auto& fs = P().files;
  ASSERT_EQ(fs.MakeDir(In("sub")), winerr::Success);
  EXPECT_EQ(fs.MakeDir(In("sub")), winerr::AlreadyExists);
  EXPECT_EQ(fs.MakeDir(In("no\\such")), winerr::PathNotFound);
  ASSERT_EQ(fs.WriteText(In("sub\\a.txt"), "one\r\ntwo\r\n"), winerr::Success);
  ASSERT_EQ(fs.WriteText(In("sub\\b.dat"), ""), winerr::Success);
  std::vector<plat::FindEntry> found;
  ASSERT_EQ(fs.Find(In("sub\\*.*"), &found), winerr::Success);
  std::vector<std::string> names;
  for (const auto& e : found) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "a.txt", "b.dat"}));
  ASSERT_EQ(fs.Find(In("sub\\*.txt"), &found), winerr::Success);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].size, 10u);
  EXPECT_EQ(fs.Find(In("sub\\*.exe"), &found), winerr::FileNotFound);
  EXPECT_EQ(fs.Find(In("none\\*.*"), &found), winerr::PathNotFound);
  EXPECT_EQ(fs.RemoveDir(In("sub")), winerr::DirNotEmpty);
  EXPECT_EQ(fs.RemoveFile(In("sub\\a.txt")), winerr::Success);
  EXPECT_EQ(fs.RemoveFile(In("sub\\a.txt")), winerr::FileNotFound);
  EXPECT_EQ(fs.RemoveFile(In("sub\\b.dat")), winerr::Success);
  EXPECT_EQ(fs.RemoveDir(In("sub")), winerr::Success);
  EXPECT_FALSE(fs.Exists(In("sub")));
}

TEST_F(FileSystemScratch, ReadOnlyFilesRefuseDeletionUntilReleased) {
  auto& fs = P().files;
  ASSERT_EQ(fs.WriteText(In("ro.txt"), "x"), winerr::Success);
  ASSERT_EQ(fs.SetAttributes(In("ro.txt"), plat::fileattr::ReadOnly), winerr::Success);
  std::uint32_t a = 0;
  ASSERT_EQ(fs.GetAttributes(In("ro.txt"), &a), winerr::Success);
  EXPECT_NE(a & plat::fileattr::ReadOnly, 0u);
  EXPECT_EQ(fs.RemoveFile(In("ro.txt")), winerr::AccessDenied);
  EXPECT_EQ(fs.WriteText(In("ro.txt"), "y"), winerr::AccessDenied);
  ASSERT_EQ(fs.SetAttributes(In("ro.txt"), plat::fileattr::Normal), winerr::Success);
  EXPECT_EQ(fs.RemoveFile(In("ro.txt")), winerr::Success);
}

TEST_F(FileSystemScratch, RenameCopyAndTextRoundTrip) {
  auto& fs = P().files;
  const std::string content = "[Rename]\r\nNUL=C:\\x.dll\r\n";
  ASSERT_EQ(fs.WriteText(In("a.ini"), content), winerr::Success);
  ASSERT_EQ(fs.CopyTo(In("a.ini"), In("b.ini"), true), winerr::Success);
  EXPECT_EQ(fs.CopyTo(In("a.ini"), In("b.ini"), true), winerr::FileExists);
  EXPECT_EQ(fs.CopyTo(In("a.ini"), In("b.ini"), false), winerr::Success);
  EXPECT_EQ(fs.Rename(In("a.ini"), In("b.ini")), winerr::AlreadyExists);
  ASSERT_EQ(fs.Rename(In("a.ini"), In("c.ini")), winerr::Success);
  EXPECT_FALSE(fs.Exists(In("a.ini")));
  std::string read;
  ASSERT_EQ(fs.ReadText(In("c.ini"), &read), winerr::Success);
  EXPECT_EQ(read, content);
  ASSERT_EQ(fs.ReadText(In("b.ini"), &read), winerr::Success);
  EXPECT_EQ(read, content);
  EXPECT_EQ(fs.ReadText(In("missing.ini"), &read), winerr::FileNotFound);
  EXPECT_EQ(fs.RemoveFile(In("b.ini")), winerr::Success);
  EXPECT_EQ(fs.RemoveFile(In("c.ini")), winerr::Success);
}

TEST_F(FileSystemScratch, LongNamesHaveShortAlternatives) {
  auto& fs = P().files;
  ASSERT_EQ(fs.MakeDir(In("Long Directory Name")), winerr::Success);
  ASSERT_EQ(fs.WriteText(In("Long Directory Name\\Some File.text"), "x"), winerr::Success);
  std::string shortPath;
  ASSERT_EQ(fs.ShortPath(In("Long Directory Name\\Some File.text"), &shortPath), winerr::Success);
  const std::string leaf = shortPath.substr(shortPath.rfind('\\') + 1);
  EXPECT_LE(leaf.size(), 12u);
  EXPECT_EQ(leaf.find(' '), std::string::npos);
  EXPECT_TRUE(fs.Exists(shortPath));
  std::vector<plat::FindEntry> found;
  ASSERT_EQ(fs.Find(In("Long Directory Name\\Some File.text"), &found), winerr::Success);
  EXPECT_FALSE(found.at(0).shortName.empty());
  EXPECT_EQ(fs.RemoveFile(In("Long Directory Name\\Some File.text")), winerr::Success);
  EXPECT_EQ(fs.RemoveDir(In("Long Directory Name")), winerr::Success);
}

TEST_F(FileSystemScratch, MovesAtTheNextStartAreAcceptedOnNT) {
  if (!env_->CanScheduleMoves()) GTEST_SKIP() << "moves at restart would change this machine's next start";
  auto& fs = P().files;
  ASSERT_EQ(fs.WriteText(In("later.txt"), "x"), winerr::Success);
  const plat::WinError result = fs.MoveOnReboot(In("later.txt"), "");
  if (IsNT())
    EXPECT_EQ(result, winerr::Success);
  else
    EXPECT_EQ(result, winerr::CallNotImplemented);
  EXPECT_TRUE(fs.Exists(In("later.txt")));  // nothing moves before the restart
  EXPECT_EQ(fs.RemoveFile(In("later.txt")), winerr::Success);
}

TEST_F(FileSystemScratch, VersionResourcesNameTheirCompanyAndTextFilesCarryNone) {
  auto& fs = P().files;
  std::string company;
  ASSERT_EQ(fs.VersionCompany(env_->ExistingFile(), &company), winerr::Success);
  EXPECT_EQ(company, "Microsoft Corporation");
  ASSERT_EQ(fs.WriteText(In("plain.gpd"), "*GPDFileVersion: \"1.0\"\r\n"), winerr::Success);
  EXPECT_EQ(fs.VersionCompany(In("plain.gpd"), &company), winerr::ResourceTypeNotFound);
  EXPECT_EQ(company, "");
  EXPECT_EQ(fs.VersionCompany(In("missing.dll"), &company), winerr::FileNotFound);
  EXPECT_EQ(fs.VersionCompany(env_->ScratchDirectory(), &company), winerr::AccessDenied);
  EXPECT_EQ(fs.RemoveFile(In("plain.gpd")), winerr::Success);
}

TEST_F(FileSystemScratch, FileProtectionIsAskedOnWindows2000AndLater) {
  auto& fs = P().files;
  plat::OsVersion version;
  ASSERT_EQ(P().osInfo.GetVersion(&version), winerr::Success);
  ASSERT_EQ(fs.WriteText(In("mine.dll"), "x"), winerr::Success);
  bool isProtected = true;
  const plat::WinError result = fs.IsProtectedSystemFile(In("mine.dll"), &isProtected);
  EXPECT_EQ(fs.RemoveFile(In("mine.dll")), winerr::Success);
  if (version.platformId != plat::kPlatformNT || version.major < 5) {
    EXPECT_EQ(result, winerr::CallNotImplemented);
    return;
  }
  ASSERT_EQ(result, winerr::Success);
  EXPECT_FALSE(isProtected);
  SKIP_ON_WINE("its SfcIsFileProtected protects no file at all");
  ASSERT_EQ(fs.IsProtectedSystemFile(env_->ExistingFile(), &isProtected), winerr::Success);
  EXPECT_TRUE(isProtected);
}

TEST_F(FileSystemScratch, TheSystemsDirectoriesExist) {
  auto& fs = P().files;
  EXPECT_TRUE(fs.Exists(fs.WindowsDirectory()));
  EXPECT_TRUE(fs.Exists(fs.SystemDirectory()));
  const std::string temp = fs.TempDirectory();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_FALSE(fs.CurrentDirectory().empty());
}

}  // namespace
}  // namespace contract
