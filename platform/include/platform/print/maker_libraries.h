// The maker's two run-time libraries the processor hands "VEMF" jobs to: the
// job-finishing library, which turns records into printer data and gives it
// back through three callbacks, and the document-output library, which may
// take a whole document and drive the playback itself through a table of
// callbacks. Both lie outside this system and are loaded for one job and
// freed after it: a loaded library is an object, and dropping it frees it.
//
// The libraries call back with addresses and a context they were given; the
// adapter makes those (real entry points on Windows, tokens on the sim) and
// turns a call on them into a call on the callback interfaces below.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "platform/handle.h"
#include "platform/print/job_channel.h"
#include "platform/print/print_result.h"

namespace plat::print {

// What the job-finishing library calls: the printer's page brackets and the
// printer data it made. Write answers the bytes taken (0 when the job is
// cancelled or the write failed).
class FinishingCallbacks {
 public:
  virtual ~FinishingCallbacks() = default;
  virtual std::uint32_t StartPage() = 0;
  virtual std::uint32_t EndPage() = 0;
  virtual std::uint32_t Write(std::span<const std::uint8_t> bytes) = 0;
};

// The 32-bit values the processor writes into the header it gives the
// library: the three callbacks' addresses and the context they receive.
struct FinishingHooks {
  std::uint32_t startPage = 0;
  std::uint32_t endPage = 0;
  std::uint32_t write = 0;
  std::uint32_t context = 0;
};

// vkijfc01.dll with its entry point LGMain found.
class JobFinishingLibrary {
 public:
  virtual ~JobFinishingLibrary() = default;
  // Binds `callbacks` for the library's calls; valid while this object lives.
  virtual FinishingHooks Hooks(FinishingCallbacks& callbacks) = 0;
  // LGMain(command, data, output, &context): non-zero on success. `data` may
  // be changed by the library; `output` receives a handle for commands that
  // make one.
  virtual std::uint32_t LgMain(std::uint32_t command, std::span<std::uint8_t> data, std::uint32_t* output,
                               std::uint32_t& context) = 0;
};

// The 24-byte position the document-output library hands with a spooled file
// to play.
using PlayPosition = std::span<const std::uint8_t, 24>;

// What the document-output library calls through the table it is given.
// The spooler's own functions (numbers 12 to 17) are in that table too; the
// adapter points them at the spooler directly.
class DocumentOutputCallbacks {
 public:
  virtual ~DocumentOutputCallbacks() = default;
  virtual std::uint32_t Store(std::uint32_t value) = 0;                                 // 0
  virtual std::uint32_t StartPage(std::span<const std::uint8_t> pageRecord) = 0;        // 5
  virtual std::uint32_t PlaySpooledFile(Handle file, std::uint32_t offset,
                                        std::optional<PlayPosition> position) = 0;       // 6
  virtual std::uint32_t PlayRecords(std::span<const std::uint8_t> records) = 0;         // 7
  virtual std::uint32_t SendDuplexMessage() = 0;                                        // 2
  virtual std::int32_t ExtEscape(std::int32_t escape, std::span<const std::uint8_t> input,
                                 std::span<std::uint8_t> output) = 0;                   // 10
  virtual std::uint32_t EndPage() = 0;                                                  // 11
};

// The numbers of the document-output callback table, in the order the
// processor lists them.
inline constexpr std::uint32_t kDocumentOutputCallbackNumbers[] = {0, 5, 6, 7, 2, 10, 11, 12, 13, 14, 15, 16, 17};

// edf_add_document_a's answer when it takes the document.
inline constexpr std::uint32_t kDocumentAccepted = 0x20000000;

// voredf.dll with both its entry points found.
class DocumentOutputLibrary {
 public:
  virtual ~DocumentOutputLibrary() = default;
  // edf_add_document_a(0, context, job, table, printer, spool file, 2, document).
  virtual std::uint32_t AddDocument(DocumentOutputCallbacks& callbacks, std::uint32_t jobId,
                                    std::string_view printerName, std::string_view spoolFile,
                                    const DocInfo2& document) = 0;
  // edf_start_printing(context, 0): 0 when the document printed.
  virtual std::uint32_t StartPrinting() = 0;
};

class MakerLibraries {
 public:
  virtual ~MakerLibraries() = default;
  // LoadLibrary and GetProcAddress: ERROR_MOD_NOT_FOUND (126) when the
  // library is not there, ERROR_PROC_NOT_FOUND (127) when an entry point is
  // missing (the library is freed again).
  [[nodiscard]] virtual Result<std::unique_ptr<JobFinishingLibrary>> LoadJobFinishing() = 0;
  [[nodiscard]] virtual Result<std::unique_ptr<DocumentOutputLibrary>> LoadDocumentOutput() = 0;
  // GetWindowsDirectoryA, where the spooler keeps its spool files.
  [[nodiscard]] virtual Result<std::string> WindowsDirectory() = 0;
};

inline constexpr std::uint32_t kErrorModNotFound = 126;
inline constexpr std::uint32_t kErrorProcNotFound = 127;

}  // namespace plat::print
