// The offer of a spooled "VEMF" job to the document-output library, and the
// callbacks through which that library plays the job with the job-finishing
// library of the run.
#include <cstdio>
#include <cstring>
#include <optional>

#include "finishing/finishing_playback.h"
#include "finishing/run_state.h"
#include "playback/record_reader.h"
#include "playback/span_source.h"
#include "playback/vemf_format.h"

namespace emfplay {

namespace pp = plat::print;

namespace {

constexpr std::uint32_t kDuplexMessageRecord = 70;
constexpr std::string_view kDuplexMessage = "Send Duplex Message";
constexpr std::uint32_t kPositionBlockSize = 32;

// The spooler's file of a job: the Windows directory, "\spool\Printers\",
// the job number in five digits (cut to five) and ".spl".
std::string SpoolFilePath(std::string_view windows, std::uint32_t jobId) {
  char number[16];
  std::snprintf(number, sizeof number, "%05u", jobId);
  return std::string(windows) + "\\spool\\Printers\\" + std::string(number, 5) + ".spl";
}

void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t value) { std::memcpy(&v[at], &value, 4); }

class DocumentOutputBridge final : public pp::DocumentOutputCallbacks {
 public:
  DocumentOutputBridge(pp::ProcessorPlatform& platform, ProcessorHandle& handle, finishing::Translator& translator)
      : p_(platform), h_(handle), translator_(translator) {}

  plat::Handle dc = 0;  // the job's device context while the library prints

  std::uint32_t Store(std::uint32_t value) override {
    h_.documentOutputValue = value;
    return 1;
  }
  std::uint32_t StartPage(std::span<const std::uint8_t> pageRecord) override {
    translator_.StartPage(pageRecord);
    return 1;
  }
  std::uint32_t PlaySpooledFile(plat::Handle file, std::uint32_t offset,
                                std::optional<pp::PlayPosition> position) override {
    if (!p_.files.Seek(file, offset).ok()) return Cancelled();
    if (position) {
      std::vector<std::uint8_t> block(kPositionBlockSize, 0);
      Put32(block, 4, kPositionBlockSize);
      std::memcpy(&block[8], position->data(), position->size());
      static_cast<void>(translator_.Send(finishing::cmd::Position, block));  // the records play regardless
    }
    vemf::FileSource source(p_.files, file);
    PlayUntilEnd(source);
    return Cancelled();
  }
  std::uint32_t PlayRecords(std::span<const std::uint8_t> records) override {
    vemf::SpanSource source(records);
    PlayUntilEnd(source);
    return Cancelled();
  }
  std::uint32_t SendDuplexMessage() override {
    // type, size, text length, then the text with its NUL, to a 4-byte end.
    const std::size_t size = 12 + ((kDuplexMessage.size() + 1 + 3) & ~std::size_t{3});
    std::vector<std::uint8_t> record(size, 0);
    Put32(record, 0, kDuplexMessageRecord);
    Put32(record, 4, static_cast<std::uint32_t>(size));
    Put32(record, 8, static_cast<std::uint32_t>(kDuplexMessage.size()));
    std::memcpy(&record[12], kDuplexMessage.data(), kDuplexMessage.size());
    return translator_.Send(finishing::cmd::DuplexMessage, record) ? 1 : 0;
  }
  std::int32_t ExtEscape(std::int32_t escape, std::span<const std::uint8_t> input,
                         std::span<std::uint8_t> output) override {
    if (!dc) return 0;
    return p_.gdi.ExtEscape(dc, escape, input, output);
  }
  std::uint32_t EndPage() override {
    if (!translator_.pageOpen()) return 0;
    translator_.EndPage();
    return 1;
  }

 private:
  std::uint32_t Cancelled() const { return h_.Cancelled() ? 1 : 0; }

  // Records through the run's translation up to and with the end record.
  void PlayUntilEnd(vemf::ByteSource& source) {
    vemf::RecordReader reader;
    while (reader.Next(source)) {
      if (!h_.Proceed()) return;
      const vemf::RecordView record = reader.record();
      translator_.Record(record.bytes());
      if (record.type() == vemf::rec::EndOfDocument) return;
    }
  }

  pp::ProcessorPlatform& p_;
  ProcessorHandle& h_;
  finishing::Translator& translator_;
};

}  // namespace

int FinishingPlayback::OfferToDocumentOutput(ProcessorHandle& handle, finishing::Translator& translator,
                                             std::string_view document, std::uint32_t jobId) {
  auto loaded = libraries_.LoadDocumentOutput();
  if (!loaded.ok()) return 0;
  pp::DocumentOutputLibrary& library = **loaded;

  const std::string spoolFile = SpoolFilePath(libraries_.WindowsDirectory().value_or(""), jobId);
  DocumentOutputBridge bridge(p_, handle, translator);
  const pp::DocInfo2 doc{std::string(document), std::nullopt, "VEMF", pp::kDocModeReadSpooledJob, jobId};
  if (library.AddDocument(bridge, jobId, handle.printerName, spoolFile, doc) != pp::kDocumentAccepted) return 0;
  // A job in error, being deleted or still spooling is not the library's to print.
  if (auto record = p_.jobs.GetJob2(handle.printer, jobId);
      record.ok() && (record->status & (pp::kJobStatusError | pp::kJobStatusDeleting | pp::kJobStatusSpooling)))
    return 0;

  auto dc = p_.gdi.CreateDc(std::nullopt, handle.printerName, std::nullopt, {});
  if (!dc.ok()) return 0;
  bridge.dc = *dc;
  const bool printed = library.StartPrinting() == 0;
  static_cast<void>(p_.gdi.DeleteDc(*dc));  // the library is done with it either way
  return printed ? 1 : 0;
}

}  // namespace emfplay
