// The simulated machine's smaller print services: the system's spool-stream
// player (it takes what it is given, up to a set amount a call, and keeps the
// bytes for inspection), the host (computer name, programs started, debug
// trace), events that really block (so the spooler's two threads can be
// played by two threads of a test), and byte files kept in memory.
#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "simprint/call_journal.h"
#include "platform/print/byte_files.h"
#include "platform/print/events.h"
#include "platform/print/print_host.h"
#include "platform/print/spool_stream_player.h"

namespace sim::print {

class SimSpoolPlayer final : public plat::print::SpoolStreamPlayer {
 public:
  explicit SimSpoolPlayer(CallJournal& journal) : journal_(journal) {}

  // At most this many bytes are taken a call (0: all of them).
  void SetTakeAtMost(std::uint32_t n) { takeAtMost_ = n; }
  // The player claims `n` bytes more than it was given on its next call.
  void OverclaimNextBy(std::uint32_t n) { overclaim_ = n; }
  // The player leaves the last `n` bytes of every piece, waiting for more:
  // a job whose tail it never takes.
  void LeaveUnplayed(std::uint32_t n) { leave_ = n; }
  const std::vector<std::uint8_t>& Played() const { return played_; }

  plat::print::Result<plat::print::PlayStep> Play(std::string_view printer, std::optional<std::string_view> outputFile,
                                                  std::span<const std::uint8_t> data, std::uint32_t jobId,
                                                  std::uint32_t previousState) override;
  plat::print::Status Abandon(plat::Handle spoolStream, std::uint32_t previousState) override;

 private:
  CallJournal& journal_;
  std::uint32_t takeAtMost_ = 0;
  std::uint32_t overclaim_ = 0;
  std::uint32_t leave_ = 0;
  std::uint32_t state_ = 0;
  std::vector<std::uint8_t> played_;
};

class SimPrintHost final : public plat::print::PrintHost {
 public:
  explicit SimPrintHost(CallJournal& journal) : journal_(journal) {}

  // No name: the registry value cannot be read.
  void SetComputerName(std::optional<std::string> name) { computerName_ = std::move(name); }
  // Windows 98 unless told otherwise.
  void SetVersion(plat::print::WindowsVersion version) { version_ = version; }
  // Local time is UTC moved by this many minutes.
  void SetUtcOffsetMinutes(std::int32_t minutes) { utcOffsetMinutes_ = minutes; }

  plat::print::Result<std::string> ComputerName() override;
  plat::print::Status StartProgram(std::string_view commandLine, std::uint32_t showCommand) override;
  void DebugTrace(std::string_view line) override;
  plat::print::Result<plat::print::WindowsVersion> Version() override;
  plat::print::Result<plat::print::SystemTime> ToLocalTime(const plat::print::SystemTime& utc) override;
  // English (United States): "Tuesday, December 08, 2026" and "9:05:03 PM".
  plat::print::Result<std::string> LongDate(const plat::print::SystemTime& time) override;
  plat::print::Result<std::string> TimeOfDay(const plat::print::SystemTime& time) override;

 private:
  CallJournal& journal_;
  std::optional<std::string> computerName_;
  plat::print::WindowsVersion version_{4, 10};
  std::int32_t utcOffsetMinutes_ = 0;
};

class SimEvents final : public plat::print::Events {
 public:
  // Runs, on the waiting thread, when a wait is about to block; a test plays
  // the controlling thread there. Once it returns the wait blocks for real
  // until another thread sets the event.
  using BlockHook = std::function<void(plat::Handle event)>;

  void SetBlockHook(BlockHook hook);
  // Waits that blocked so far, and events not closed.
  int BlockedWaits() const;
  std::size_t OpenEvents() const;

  plat::print::Result<plat::Handle> CreateAutoReset(bool signalled) override;
  plat::print::Status Set(plat::Handle event) override;
  plat::print::Status Reset(plat::Handle event) override;
  plat::print::Status Wait(plat::Handle event) override;
  void Close(plat::Handle event) override;

 private:
  struct Event {
    bool signalled = false;
    std::condition_variable cv;
  };
  std::shared_ptr<Event> Find(plat::Handle h) const;

  mutable std::mutex mutex_;
  std::map<plat::Handle, std::shared_ptr<Event>> events_;
  plat::Handle next_ = 0x500;
  BlockHook hook_;
  int blocked_ = 0;
};

class SimByteFiles final : public plat::print::ByteFiles {
 public:
  explicit SimByteFiles(CallJournal& journal) : journal_(journal) {}

  void Put(std::string path, std::vector<std::uint8_t> content);
  // Null when there is no such file.
  const std::vector<std::uint8_t>* Content(std::string_view path) const;
  std::size_t OpenFiles() const { return open_.size(); }

  plat::print::Result<plat::Handle> CreateForWriting(std::string_view path) override;
  plat::print::Result<plat::Handle> OpenForReading(std::string_view path) override;
  plat::print::Result<std::size_t> Read(plat::Handle file, std::span<std::uint8_t> into) override;
  plat::print::Result<std::size_t> Write(plat::Handle file, std::span<const std::uint8_t> data) override;
  plat::print::Status Seek(plat::Handle file, std::uint32_t offset) override;
  void Close(plat::Handle file) override;
  // "C:\WINDOWS\TEMP\" with the prefix, a number and ".TMP".
  plat::print::Result<std::string> MakeTempFile(std::string_view prefix) override;
  plat::print::Status Delete(std::string_view path) override;

 private:
  struct OpenFile {
    std::string path;
    std::size_t at = 0;
    bool writing = false;
  };
  std::string KeyOf(std::string_view path) const;

  CallJournal& journal_;
  std::map<std::string, std::vector<std::uint8_t>> files_;  // by folded path
  std::map<plat::Handle, OpenFile> open_;
  plat::Handle next_ = 0x700;
  int nextTemp_ = 1;
};

}  // namespace sim::print
