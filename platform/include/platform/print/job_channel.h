// The spooler as a print processor sees it: the printer it serves, the job
// records, and the two channels of a job (the spooled data read back, and the
// data written on to the port). Strings are the system's ANSI bytes, passed
// through unchanged. Method names avoid the SDK's A/W macros.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/handle.h"
#include "platform/print/print_result.h"

namespace plat::print {

// DOC_INFO_2's modes.
inline constexpr std::uint32_t kDocModeWriteChannel = 2;
inline constexpr std::uint32_t kDocModeReadSpooledJob = 3;

// JOB_INFO status bits the processor looks at.
inline constexpr std::uint32_t kJobStatusError = 0x2;
inline constexpr std::uint32_t kJobStatusDeleting = 0x4;
inline constexpr std::uint32_t kJobStatusSpooling = 0x8;

struct SystemTime {
  std::uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
  std::uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
  friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

// JOB_INFO_1, the fields the processor reads.
struct JobRecord1 {
  std::uint32_t jobId = 0;
  std::string printerName;
  std::string machineName;
  std::string userName;
  std::string document;
  std::string datatype;
  std::uint32_t status = 0;
};

// JOB_INFO_2, the fields the processor reads.
struct JobRecord2 {
  std::uint32_t jobId = 0;
  std::string printerName;
  std::string machineName;
  std::string userName;
  std::string document;
  std::string datatype;
  std::uint32_t status = 0;
  SystemTime submitted;  // UTC, as the spooler keeps it
};

// DOC_INFO_2. An absent output file goes to the spooler as a null pointer.
struct DocInfo2 {
  std::string document;
  std::optional<std::string> outputFile;
  std::string datatype;
  std::uint32_t mode = 0;
  std::uint32_t jobId = 0;
};

class JobChannel {
 public:
  virtual ~JobChannel() = default;

  // OpenPrinter by name with no defaults.
  [[nodiscard]] virtual Result<Handle> OpenPrinter(std::string_view name) = 0;
  [[nodiscard]] virtual Status ClosePrinter(Handle printer) = 0;
  // For UniqueHandle: a close at the end of a scope has no one to report to.
  void Close(Handle printer) { static_cast<void>(ClosePrinter(printer)); }

  // GetPrinter at level 2: the port name.
  [[nodiscard]] virtual Result<std::string> PrinterPort(Handle printer) = 0;
  // GetJob at levels 1 and 2.
  [[nodiscard]] virtual Result<JobRecord1> GetJob1(Handle printer, std::uint32_t jobId) = 0;
  [[nodiscard]] virtual Result<JobRecord2> GetJob2(Handle printer, std::uint32_t jobId) = 0;

  // StartDocPrinter at level 2: with mode 3 the handle then reads the named
  // job back, with mode 2 it writes a job's data on towards the port.
  [[nodiscard]] virtual Result<std::uint32_t> StartDoc(Handle printer, const DocInfo2& doc) = 0;
  [[nodiscard]] virtual Status EndDoc(Handle printer) = 0;
  [[nodiscard]] virtual Status StartPage(Handle printer) = 0;
  [[nodiscard]] virtual Status EndPage(Handle printer) = 0;
  // ReadPrinter: the number of bytes placed at the start of `into`; 0 when
  // the job has no more.
  [[nodiscard]] virtual Result<std::size_t> Read(Handle printer, std::span<std::uint8_t> into) = 0;
  // WritePrinter: the number of bytes taken, which may be fewer than given.
  [[nodiscard]] virtual Result<std::size_t> Write(Handle printer, std::span<const std::uint8_t> data) = 0;
};

using UniqueJobPrinter = UniqueHandle<JobChannel>;

}  // namespace plat::print
