// The environment a port contract suite runs in. The suites speak only to the
// port interfaces, so the same tests run against the simulated machine on
// Linux and against the real Win32 adapters (under Wine or on Windows). What
// the ports cannot arrange themselves - which service exists, where a
// scratch key may go - the environment says.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace contract {

class ContractEnv {
 public:
  virtual ~ContractEnv() = default;
  virtual plat::Platform& platform() = 0;

  // A key path under HKEY_CURRENT_USER that the suites may create, fill and
  // delete. It does not exist when a test starts.
  virtual std::string ScratchKeyPath() = 0;
  // Whether a key's access list really stops its deletion here (Wine keeps
  // no registry security).
  virtual bool CanDenyDelete() = 0;

  // An installed service, and a name that is certainly not installed.
  virtual std::string ExistingService() = 0;
  virtual std::string MissingService() = 0;
  // An installed service that is running and may be stopped and started
  // again by the tests; empty where no service is safe to touch.
  virtual std::string StoppableService() = 0;

  // A file and a directory that exist.
  virtual std::string ExistingFile() = 0;
  virtual std::string ExistingDirectory() = 0;

  // A resource library with a string table: its path, one number in its
  // table and the text under it. Empty path: none available.
  virtual std::string ResourceLibrary() = 0;
  virtual std::uint32_t KnownStringId() = 0;
  virtual std::string KnownString() = 0;

  // An empty directory the suites may fill and empty; it exists when a test
  // starts, and the environment removes it and its contents afterwards.
  virtual std::string ScratchDirectory() = 0;
  // Whether a move at the next restart may be scheduled here (it changes the
  // machine's next start: only in a throw-away Wine prefix or the sim).
  virtual bool CanScheduleMoves() = 0;
  // Whether drivers may be added to and deleted from the spooler here.
  virtual bool CanChangeDrivers() = 0;
  // Whether win.ini may be written here.
  virtual bool CanWriteWinIni() = 0;

  // The outside programs and libraries the uninstaller starts or loads. An
  // environment that cannot provide one answers empty and the tests that
  // need it are skipped.
  //
  // A program that records its command line, with the path it is started
  // by. The words "--sleep=<ms>" on its command line make it wait that long
  // before recording, "--exit=<code>" make it end with that code.
  virtual std::string CommandRecorder() { return {}; }
  // The command lines it has recorded in this test, oldest first.
  virtual std::vector<std::string> RecordedCommands() { return {}; }
  // Opens a top-level window of that class and title for as long as the
  // environment lives; false when it cannot.
  virtual bool OpenTopLevelWindow(const std::string& /*className*/, const std::string& /*title*/) { return false; }
  // The path of a bidi library whose uninstall export answers `status`, or,
  // without `withUninstall`, that lacks that export.
  virtual std::string BidiLibrary(bool /*withUninstall*/, std::int32_t /*status*/) { return {}; }
  // The calls that library saw in this test, oldest first, each as
  // "<export>|<arguments separated by |>", BceRegisterApp with the handle it
  // gave last and BceUninstallLCS with its answer last.
  virtual std::vector<std::string> BidiCalls() { return {}; }
  // Puts a task of that name into the Task Scheduler; false when it cannot.
  virtual bool ArrangeScheduledTask(const std::string& /*name*/) { return false; }

  // Whether the network scheduling service and the Task Scheduler answer
  // here (an environment that has not set them up says no).
  virtual bool HasJobScheduler() { return false; }
  virtual bool HasTaskScheduler() { return false; }
};

// Made fresh for every test by the environment's own source file.
std::unique_ptr<ContractEnv> MakeContractEnv();

// Set (DP_CONTRACT_ON_WINE=1) when the Win32 adapters run under Wine, where
// some behaviour differs from Windows; the simulated machine follows Windows.
inline bool OnWine() {
  const char* flag = std::getenv("DP_CONTRACT_ON_WINE");
  return flag != nullptr && *flag != '\0' && *flag != '0';
}

#define SKIP_ON_WINE(why) \
  do {                                                              \
    if (::contract::OnWine()) GTEST_SKIP() << "Wine differs from Windows: " << why; \
  } while (0)

class ContractTest : public ::testing::Test {
 protected:
  void SetUp() override { env_ = MakeContractEnv(); }
  void TearDown() override { env_.reset(); }
  plat::Platform& P() { return env_->platform(); }
  bool IsNT() {
    plat::OsVersion v;
    return P().osInfo.GetVersion(&v).ok() && v.platformId == plat::kPlatformNT;
  }
  std::unique_ptr<ContractEnv> env_;
};

}  // namespace contract
