// The port adapters of the simulated machine. Each one works on the shared
// MachineState and asks its fault table before doing anything.
#pragma once
#include <condition_variable>
#include <map>
#include <mutex>
#include <memory>
#include <optional>

#include "platform/platform.h"
#include "machine_data.h"
#include "registry_tree.h"

namespace sim {

class MachineState;

class SimRegistry final : public plat::Registry {
 public:
  explicit SimRegistry(MachineState& m) : m_(m) {}
  plat::WinError OpenKey(plat::HKey parent, std::string_view path, std::uint32_t access, plat::HKey* out) override;
  plat::WinError CreateKey(plat::HKey parent, std::string_view path, std::string_view className,
                          std::uint32_t access, plat::HKey* out, bool* created) override;
  void Close(plat::HKey key) override;
  plat::WinError QueryValue(plat::HKey key, std::string_view name, plat::RegValue* out) override;
  plat::WinError SetValue(plat::HKey key, std::string_view name, const plat::RegValue& value) override;
  plat::WinError DeleteValue(plat::HKey key, std::string_view name) override;
  plat::WinError DeleteKey(plat::HKey parent, std::string_view subkey) override;
  plat::WinError EnumKey(plat::HKey key, std::uint32_t index, std::string* name) override;
  plat::WinError EnumValue(plat::HKey key, std::uint32_t index, std::string* name, plat::RegValue* value) override;
  plat::WinError QueryInfo(plat::HKey key, plat::RegKeyInfo* out) override;
  plat::WinError SetKeyDacl(plat::HKey key, const plat::Acl& dacl) override;
  plat::WinError GetKeyDacl(plat::HKey key, plat::Acl* out) override;

 private:
  struct OpenKeyEntry {
    std::shared_ptr<RegNode> node;
    std::uint32_t granted = 0;
    std::string path;  // full path when opened, for fault patterns
  };
  // Resolves a handle (predefined or open). Null when invalid.
  const OpenKeyEntry* Lookup(plat::HKey key);
  std::string PathOf(plat::HKey key);
  std::string Join(plat::HKey parent, std::string_view path);
  // Checks the handle and that it grants `needed`; fills `entry`.
  plat::WinError Use(plat::HKey key, std::uint32_t needed, const OpenKeyEntry** entry);
  plat::WinError Grant(const RegNode& node, std::uint32_t desired, std::uint32_t* granted) const;
  plat::HKey AddHandle(std::shared_ptr<RegNode> node, std::uint32_t granted);

  MachineState& m_;
  std::map<plat::HKey, OpenKeyEntry> open_;
  std::map<plat::HKey, OpenKeyEntry> roots_;
};

class SimServices final : public plat::Services {
 public:
  explicit SimServices(MachineState& m) : m_(m) {}
  plat::WinError OpenManager(std::string_view machine, std::uint32_t access, plat::Handle* out) override;
  plat::WinError Open(plat::Handle manager, std::string_view name, std::uint32_t access, plat::Handle* out) override;
  plat::WinError Create(plat::Handle manager, const plat::ServiceCreateParams& params, plat::Handle* out) override;
  plat::WinError QueryStatus(plat::Handle service, plat::ServiceStatus* out) override;
  plat::WinError Control(plat::Handle service, std::uint32_t control, plat::ServiceStatus* status) override;
  plat::WinError Start(plat::Handle service) override;
  void Close(plat::Handle h) override;

  // Moves stop-pending services on to "stopped" when virtual time passes
  // their deadline.
  void AdvanceTo(std::uint64_t virtualMs);

 private:
  struct OpenEntry {
    bool isManager = false;
    std::string name;
    std::uint32_t granted = 0;
  };
  const OpenEntry* Lookup(plat::Handle h, bool manager) const;
  std::string NameOf(plat::Handle h) const;

  MachineState& m_;
  std::map<plat::Handle, OpenEntry> open_;
};

class SimOsInfo final : public plat::OsInfo {
 public:
  explicit SimOsInfo(MachineState& m) : m_(m) {}
  plat::WinError GetVersion(plat::OsVersion* out) override;
  std::string ComputerName() override;

 private:
  MachineState& m_;
};

class SimSecurity final : public plat::Security {
 public:
  explicit SimSecurity(MachineState& m) : m_(m) {}
  plat::WinError ThreadTokenGroups(std::vector<plat::Sid>* groups) override;
  plat::WinError ProcessTokenGroups(std::vector<plat::Sid>* groups) override;

 private:
  MachineState& m_;
};

class SimClock final : public plat::Clock {
 public:
  explicit SimClock(MachineState& m) : m_(m) {}
  void Sleep(std::uint32_t milliseconds) override;
  std::uint32_t TickCount() override;
  std::int64_t Now() override;

 private:
  MachineState& m_;
};

class SimDesktop final : public plat::Desktop {
 public:
  explicit SimDesktop(MachineState& m) : m_(m) {}
  plat::WinError EnablePrivilege(std::string_view name) override;
  std::vector<plat::WindowId> TopLevelWindows() override;
  plat::WinError SendWithTimeout(plat::WindowId w, std::uint32_t msg, std::uintptr_t wparam, std::intptr_t lparam,
                                std::uint32_t flags, std::uint32_t timeoutMs, std::uintptr_t* result) override;
  plat::WinError TerminateWindowProcess(plat::WindowId w) override;
  plat::WinError BroadcastWinIniChange(std::string_view section) override;
  plat::WinError Shutdown(std::uint32_t flags, std::uint32_t reason) override;

 private:
  MachineState& m_;
};

class SimResourceStrings final : public plat::ResourceStrings {
 public:
  explicit SimResourceStrings(MachineState& m) : m_(m) {}
  plat::WinError Load(std::string_view path, plat::Handle* module) override;
  plat::WinError LoadText(plat::Handle module, std::uint32_t id, std::string* out) override;
  void Close(plat::Handle module) override;

 private:
  MachineState& m_;
  std::map<plat::Handle, std::string> loaded_;  // handle -> library path
};

class SimFiles final : public plat::FileSystem {
 public:
  explicit SimFiles(MachineState& m) : m_(m) {}
  plat::WinError GetAttributes(std::string_view path, std::uint32_t* attributes) override;
  plat::WinError SetAttributes(std::string_view path, std::uint32_t attributes) override;
  plat::WinError RemoveFile(std::string_view path) override;
  plat::WinError RemoveDir(std::string_view path) override;
  plat::WinError MakeDir(std::string_view path) override;
  plat::WinError Find(std::string_view pattern, std::vector<plat::FindEntry>* out) override;
  plat::WinError ShortPath(std::string_view path, std::string* out) override;
  plat::WinError MoveOnReboot(std::string_view source, std::string_view destination) override;
  plat::WinError Rename(std::string_view source, std::string_view destination) override;
  plat::WinError CopyTo(std::string_view source, std::string_view destination, bool failIfExists) override;
  plat::WinError VersionCompany(std::string_view path, std::string* company) override;
  plat::WinError IsProtectedSystemFile(std::string_view path, bool* isProtected) override;
  plat::WinError ReadText(std::string_view path, std::string* content) override;
  plat::WinError WriteText(std::string_view path, std::string_view content) override;
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string TempDirectory() override;
  std::string CurrentDirectory() override;
  plat::WinError SetCurrentDir(std::string_view path) override;

 private:
  // Relative paths go from the current directory; the result is normalized.
  std::string Resolve(std::string_view path) const;
  MachineState& m_;
};

class SimSpooler final : public plat::Spooler {
 public:
  explicit SimSpooler(MachineState& m) : m_(m) {}
  plat::WinError ListPrinters(std::uint32_t flags, std::vector<plat::PrinterInfo>* out) override;
  plat::WinError OpenPrinterByName(std::string_view name, std::uint32_t access, plat::Handle* out) override;
  plat::WinError DeletePrinter(plat::Handle printer) override;
  plat::WinError ClosePrinter(plat::Handle printer) override;
  plat::WinError DeleteConnection(std::string_view name) override;
  plat::WinError ListJobs(plat::Handle printer, std::uint32_t firstJob, std::uint32_t count,
                         std::vector<plat::JobInfo>* out) override;
  plat::WinError EnumDrivers(std::string_view environment, std::uint32_t level,
                            std::vector<plat::DriverInfo>* out) override;
  plat::WinError GetDriverDirectory(std::string_view environment, std::string* out) override;
  plat::WinError AddDriver(const plat::DriverInfo& info) override;
  plat::WinError DeleteDriver(std::string_view environment, std::string_view name) override;
  plat::WinError DeleteDriverEx(std::string_view environment, std::string_view name, std::uint32_t flags,
                               std::uint32_t version) override;
  plat::WinError GetProcessorDirectory(std::string_view environment, std::string* out) override;
  plat::WinError DeleteProcessor(std::string_view environment, std::string_view name) override;

  // Queues whose jobs have printed by `virtualMs` are emptied; printers
  // waiting for that to be deleted go.
  void Drain(std::uint64_t virtualMs);

 private:
  // Drain times come only from the image, so once no queue waits for one
  // nothing ever will; every spooler call drains, and walking every printer
  // each time would grow with the square of the printers.
  bool queuesToDrain_ = true;
  struct OpenPrinterEntry {
    std::string name;  // full name as opened
    std::uint32_t access = 0;
  };
  // Success, or the RPC error of a spooler that is not running.
  plat::WinError Available();
  PrinterEntry* FindPrinter(std::string_view fullName);
  plat::WinError RemoveDrivers(std::string_view environment, std::string_view name, std::optional<std::uint32_t> version,
                              std::uint32_t flags, const char* via);

  MachineState& m_;
  std::map<plat::Handle, OpenPrinterEntry> open_;
};

class SimProfile final : public plat::Profile {
 public:
  explicit SimProfile(MachineState& m) : m_(m) {}
  std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue) override;
  plat::WinError WriteString(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  MachineState& m_;
};

class SimZipLister final : public plat::ZipLister {
 public:
  explicit SimZipLister(MachineState& m) : m_(m) {}
  plat::WinError List(std::string_view libraryPath, std::string_view archiveBase) override;

 private:
  MachineState& m_;
};

class SimProcessInfo final : public plat::ProcessInfo {
 public:
  explicit SimProcessInfo(MachineState& m) : m_(m) {}
  std::string ModulePath() override;

 private:
  MachineState& m_;
};

// Records the programs started; none of them runs on the simulated machine.
class SimProcesses final : public plat::Processes {
 public:
  explicit SimProcesses(MachineState& m) : m_(m) {}
  plat::WinError StartDetached(const plat::ProcessLaunch& launch) override;

 private:
  MachineState& m_;
};

// Answers message boxes and the run's dialogs from the image's scripted
// answers, and journals what each showed.
class ScriptedUi final : public plat::Ui {
 public:
  explicit ScriptedUi(MachineState& m) : m_(m) {}
  int ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                  std::uint32_t flags) override;
  int ShowWizard(bool backButton) override;
  void RunProgress(int total, const std::function<void(plat::Handle)>& start) override;
  void SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) override;
  bool WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) override;
  void PostRemovalDone(plat::Handle statusWindow) override;
  plat::CompletionResult ShowCompletion(const plat::CompletionRequest& request) override;

 private:
  // The next answer when it is meant for `dialog`; nullopt leaves it in line
  // and notes in `entry` what it expected instead.
  std::optional<UiAnswer> TakeDialogAnswer(std::string_view dialog, nlohmann::json& entry);

  MachineState& m_;
  // The progress dialog's window while it is open, and whether the removal
  // told it that it is done; the worker thread sets it.
  plat::Handle progressWindow_ = plat::kNoHandle;
  bool removalDone_ = false;
  int bar_ = 0;  // the progress bar's position
  std::mutex doneMutex_;
  std::condition_variable doneSignal_;
};

}  // namespace sim
