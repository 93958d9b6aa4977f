// The spooler's side of a print job on the simulated machine: printers with
// their ports, jobs whose spooled bytes come from a file or from memory, and
// what the processor writes on towards each port. Reads hand out at most a
// set number of bytes each (a repeating pattern), so that a test can place
// the channel's block boundaries wherever it likes.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "simprint/call_journal.h"
#include "platform/print/job_channel.h"

namespace sim::print {

struct SimPrinter {
  std::string name;
  std::string port;
};

struct SimJob {
  plat::print::JobRecord2 record;  // jobId, printerName, machineName, userName, document, datatype, status, submitted
  std::vector<std::uint8_t> data;
};

// One document the processor wrote through a write channel.
struct WrittenDocument {
  std::string printer;
  plat::print::DocInfo2 doc;
  std::vector<std::uint8_t> data;
  int pages = 0;
  bool ended = false;
};

class SimJobChannel final : public plat::print::JobChannel {
 public:
  using Handle = plat::Handle;
  template <typename T>
  using Result = plat::print::Result<T>;
  using Status = plat::print::Status;

  explicit SimJobChannel(CallJournal& journal) : journal_(journal) {}

  void AddPrinter(SimPrinter printer);
  void AddJob(SimJob job);
  // Sizes of successive reads, repeated; empty or 0 means as much as asked.
  void SetReadPattern(std::vector<std::size_t> sizes) { readPattern_ = std::move(sizes); }

  const std::vector<WrittenDocument>& Written() const { return written_; }
  // How often the job was opened for reading, and the printers still open.
  int ReadChannelsStarted(std::uint32_t jobId) const;
  std::size_t OpenHandles() const { return open_.size(); }

  Result<Handle> OpenPrinter(std::string_view name) override;
  Status ClosePrinter(Handle printer) override;
  Result<std::string> PrinterPort(Handle printer) override;
  Result<plat::print::JobRecord1> GetJob1(Handle printer, std::uint32_t jobId) override;
  Result<plat::print::JobRecord2> GetJob2(Handle printer, std::uint32_t jobId) override;
  Result<std::uint32_t> StartDoc(Handle printer, const plat::print::DocInfo2& doc) override;
  Status EndDoc(Handle printer) override;
  Status StartPage(Handle printer) override;
  Status EndPage(Handle printer) override;
  Result<std::size_t> Read(Handle printer, std::span<std::uint8_t> into) override;
  Result<std::size_t> Write(Handle printer, std::span<const std::uint8_t> data) override;

 private:
  struct OpenPrinterState {
    std::string printer;
    std::string label;
    enum class Channel { None, Read, Write } channel = Channel::None;
    std::uint32_t jobId = 0;
    std::size_t readAt = 0;
    std::size_t written = 0;  // index into written_ for a write channel
  };
  // The fault table and the handle check; null when the call fails.
  OpenPrinterState* Begin(std::string_view name, Handle printer, const std::string& args, std::string* line,
                          plat::print::Error* failure);
  const SimPrinter* FindPrinter(std::string_view name) const;

  CallJournal& journal_;
  std::vector<SimPrinter> printers_;
  std::map<std::uint32_t, SimJob> jobs_;
  std::map<std::uint32_t, int> readStarts_;
  std::map<Handle, OpenPrinterState> open_;
  std::vector<WrittenDocument> written_;
  std::vector<std::size_t> readPattern_;
  std::size_t readCount_ = 0;
  Handle next_ = 0x100;
};

}  // namespace sim::print
