// The print processor's ports over the real Windows calls, the ANSI ones the
// 9x spooler offers. The spooler's functions are found at run time, so that a
// missing one fails only its own call.
#pragma once
#include <memory>

#include "platform/print/processor_platform.h"

namespace win32print {

class Win32JobChannel final : public plat::print::JobChannel {
 public:
  Win32JobChannel();
  ~Win32JobChannel() override;
  plat::print::Result<plat::Handle> OpenPrinter(std::string_view name) override;
  plat::print::Status ClosePrinter(plat::Handle printer) override;
  plat::print::Result<std::string> PrinterPort(plat::Handle printer) override;
  plat::print::Result<plat::print::JobRecord1> GetJob1(plat::Handle printer, std::uint32_t jobId) override;
  plat::print::Result<plat::print::JobRecord2> GetJob2(plat::Handle printer, std::uint32_t jobId) override;
  plat::print::Result<std::uint32_t> StartDoc(plat::Handle printer, const plat::print::DocInfo2& doc) override;
  plat::print::Status EndDoc(plat::Handle printer) override;
  plat::print::Status StartPage(plat::Handle printer) override;
  plat::print::Status EndPage(plat::Handle printer) override;
  plat::print::Result<std::size_t> Read(plat::Handle printer, std::span<std::uint8_t> into) override;
  plat::print::Result<std::size_t> Write(plat::Handle printer, std::span<const std::uint8_t> data) override;

  struct Procs;

 private:
  std::unique_ptr<Procs> procs_;
};

class Win32SpoolStreamPlayer final : public plat::print::SpoolStreamPlayer {
 public:
  plat::print::Result<plat::print::PlayStep> Play(std::string_view printer, std::optional<std::string_view> outputFile,
                                                  std::span<const std::uint8_t> data, std::uint32_t jobId,
                                                  std::uint32_t previousState) override;
  plat::print::Status Abandon(plat::Handle spoolStream, std::uint32_t previousState) override;
};

class Win32PrintHost final : public plat::print::PrintHost {
 public:
  plat::print::Result<std::string> ComputerName() override;
  plat::print::Status StartProgram(std::string_view commandLine, std::uint32_t showCommand) override;
  void DebugTrace(std::string_view line) override;
  plat::print::Result<plat::print::WindowsVersion> Version() override;
  plat::print::Result<plat::print::SystemTime> ToLocalTime(const plat::print::SystemTime& utc) override;
  plat::print::Result<std::string> LongDate(const plat::print::SystemTime& time) override;
  plat::print::Result<std::string> TimeOfDay(const plat::print::SystemTime& time) override;
};

class Win32Events final : public plat::print::Events {
 public:
  plat::print::Result<plat::Handle> CreateAutoReset(bool signalled) override;
  plat::print::Status Set(plat::Handle event) override;
  plat::print::Status Reset(plat::Handle event) override;
  plat::print::Status Wait(plat::Handle event) override;
  void Close(plat::Handle event) override;
};

class Win32ByteFiles final : public plat::print::ByteFiles {
 public:
  plat::print::Result<plat::Handle> CreateForWriting(std::string_view path) override;
  plat::print::Result<plat::Handle> OpenForReading(std::string_view path) override;
  plat::print::Result<std::size_t> Read(plat::Handle file, std::span<std::uint8_t> into) override;
  plat::print::Result<std::size_t> Write(plat::Handle file, std::span<const std::uint8_t> data) override;
  plat::print::Status Seek(plat::Handle file, std::uint32_t offset) override;
  void Close(plat::Handle file) override;
  plat::print::Result<std::string> MakeTempFile(std::string_view prefix) override;
  plat::print::Status Delete(std::string_view path) override;
};

}  // namespace win32print
