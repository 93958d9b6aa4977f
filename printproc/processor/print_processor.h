// The print processor as the spooler calls it: open a printer, print one
// document after another through it, let another thread pause, resume or
// cancel the document, close. Handles are the addresses of their state
// blocks, as the spooler expects; a handle is honoured only while it is open,
// so a stale or foreign value is refused rather than read.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/print/processor_platform.h"
#include "processor/destination.h"
#include "processor/processor_handle.h"
#include "processor/seams.h"

namespace emfplay {

// The fields of the spooler's document record that the processor reads.
// Strings the spooler leaves out (null pointers) are absent.
struct DocumentData {
  std::optional<std::string> datatype;
  std::optional<std::string> document;
  std::uint32_t jobId = 0;
  std::optional<std::string> outputFile;
  plat::Handle spoolStream = 0;
  std::optional<std::string> separatorFile;
};

enum class ControlCommand : std::uint32_t { Pause = 1, Resume = 2, Cancel = 3 };

class PrintProcessor {
 public:
  using ProcessorId = std::uintptr_t;

  PrintProcessor(plat::print::ProcessorPlatform& platform, SeparatorNames separatorNames,
                 SeparatorPages& separators, JobFinisher& finisher)
      : p_(platform), names_(std::move(separatorNames)), separators_(separators), finisher_(finisher) {}
  ~PrintProcessor();

  // Opens `printerName` for the jobs to come; the value to hand back in
  // every later call.
  [[nodiscard]] plat::print::Result<ProcessorId> Open(std::string_view printerName);
  // ERROR_INVALID_HANDLE for a handle that is not open.
  [[nodiscard]] plat::print::Status Close(ProcessorId handle);
  // Pause, resume, cancel: true when done. With no handle, a cancel of an
  // "EMF" job hands the job's spool stream back to the system's player.
  [[nodiscard]] bool Control(ProcessorId handle, std::uint32_t command, std::optional<std::string_view> datatype,
                             plat::Handle spoolStream);
  // Plays one document; the error is what the spooler's last error becomes.
  [[nodiscard]] plat::print::Status PrintDocument(ProcessorId handle, const DocumentData& doc);

 private:
  struct Job;

  std::shared_ptr<ProcessorHandle> Find(ProcessorId handle);
  void StartStatusMonitor(const Job& job);
  plat::print::Status PassThrough(Job& job, std::vector<std::uint8_t> held);
  plat::print::Status PlayVemf(Job& job, vemf::RecordReader& reader, const vemf::RecordView& header);
  void EndReadChannel(Job& job);

  plat::print::ProcessorPlatform& p_;
  SeparatorNames names_;
  SeparatorPages& separators_;
  JobFinisher& finisher_;
  std::mutex mutex_;
  std::map<ProcessorId, std::shared_ptr<ProcessorHandle>> open_;
};

}  // namespace emfplay
