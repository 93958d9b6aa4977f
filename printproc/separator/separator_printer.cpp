#include "separator/separator_printer.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "playback/direct_player.h"
#include "playback/vemf_format.h"

namespace emfplay::separator {

namespace pp = plat::print;
using plat::Handle;

namespace {

constexpr std::string_view kInJobDocument = "VKPCL5D Driver Separator Page";
constexpr std::string_view kTempPrefix = "sep";

// A device context for the job's printer, with an abort procedure that
// lets the page go on; deleted when it goes out of scope.
class PageDc {
 public:
  PageDc(pp::Gdi& gdi, std::string_view printer) : gdi_(gdi) {
    auto dc = gdi.CreateDc(std::nullopt, printer, std::nullopt, {});
    if (!dc.ok()) return;
    dc_ = *dc;
    if (!gdi.SetContinuingAbortProc(dc_).ok()) Delete();
  }
  ~PageDc() { Delete(); }
  PageDc(const PageDc&) = delete;
  PageDc& operator=(const PageDc&) = delete;

  Handle get() const { return dc_; }
  void Delete() {
    if (dc_) static_cast<void>(gdi_.DeleteDc(std::exchange(dc_, 0)));  // nothing is left to do with it
  }

 private:
  pp::Gdi& gdi_;
  Handle dc_ = 0;
};

enum class PageOutcome {
  Printed,
  Failed,    // the document could not be printed
  NotDrawn,  // the page had nothing sensible to draw
};

// StartPage, the page, EndPage and EndDoc. Any outcome but Printed leaves
// the document aborted.
PageOutcome RenderPage(pp::Gdi& gdi, Handle dc, SeparatorPage& page, const pp::JobRecord2& job, SeparatorKind kind,
               std::string_view file) {
  auto abort = [&] { static_cast<void>(gdi.AbortDoc(dc)); };  // the document is given up either way
  if (!gdi.StartPage(dc).ok()) {
    abort();
    return PageOutcome::Failed;
  }
  if (!page.Draw(dc, job, kind, file)) {
    abort();
    return PageOutcome::NotDrawn;
  }
  if (!gdi.EndPage(dc).ok() || !gdi.EndDoc(dc).ok()) {
    abort();
    return PageOutcome::Failed;
  }
  return PageOutcome::Printed;
}

pp::DocInfo PageDocument(std::string_view name, std::string_view output) {
  pp::DocInfo doc;
  doc.document = std::string(name);
  doc.output = std::string(output);
  doc.typeFlags = vemf::kDocTypeFlags;
  return doc;
}

// WritePrinter may take less than it is given.
bool WriteAll(pp::JobChannel& jobs, Handle printer, std::span<const std::uint8_t> data) {
  while (!data.empty()) {
    auto written = jobs.Write(printer, data);
    if (!written.ok() || *written == 0) return false;
    data = data.subspan(std::min(*written, data.size()));
  }
  return true;
}

}  // namespace

int SeparatorPrinter::PrintSeparatorJob(Handle printer, std::uint32_t jobId, std::string_view destination,
                                        SeparatorKind kind, std::string_view separatorFile) {
  const auto job = p_.jobs.GetJob2(printer, jobId);
  if (!job.ok()) return 0;
  PageDc dc(p_.gdi, job->printerName);
  if (!dc.get()) return 0;
  if (!p_.gdi.StartDocument(dc.get(), PageDocument(job->document, destination)).ok()) return 0;
  // A page that cannot be drawn is no failure of the job, which prints on.
  return RenderPage(p_.gdi, dc.get(), page_, *job, kind, separatorFile) == PageOutcome::Failed ? 0 : 1;
}

int SeparatorPrinter::PrintSeparatorInJob(ProcessorHandle& handle, Handle printer, std::uint32_t jobId,
                                          std::string_view destination, SeparatorKind kind,
                                          std::string_view separatorFile) {
  const auto job = p_.jobs.GetJob2(printer, jobId);
  if (!job.ok()) return 0;
  PageDc dc(p_.gdi, job->printerName);
  if (!dc.get()) return 0;
  const auto temp = p_.files.MakeTempFile(kTempPrefix);
  if (!temp.ok()) return 0;

  // The driver renders the page into the temporary file, which goes away
  // whatever happens next.
  // An aborted document leaves no page to put into the job.
  const bool rendered = p_.gdi.StartDocument(dc.get(), PageDocument(kInJobDocument, *temp)).ok() &&
                        RenderPage(p_.gdi, dc.get(), page_, *job, kind, separatorFile) == PageOutcome::Printed;
  dc.Delete();
  bool produced = false;
  if (rendered) {
    if (auto opened = p_.files.OpenForReading(*temp); opened.ok()) {
      produced = PutIntoJob(handle, printer, *job, destination, *opened);
      p_.files.Close(*opened);
    }
    if (!produced) p_.host.DebugTrace("The separator page could not be put into the job; it prints without one.\n");
  }
  static_cast<void>(p_.files.Delete(*temp));  // a temporary file left behind harms nobody's job
  return produced ? 1 : 0;
}

bool SeparatorPrinter::PutIntoJob(ProcessorHandle& handle, Handle printer, const pp::JobRecord2& job,
                                  std::string_view destination, Handle file) {
  std::array<std::uint8_t, vemf::kSignature.size()> signature{};
  std::size_t got = 0;
  while (got < signature.size()) {
    auto n = p_.files.Read(file, std::span(signature).subspan(got));
    if (!n.ok() || *n == 0) break;
    got += std::min(*n, signature.size() - got);
  }
  if (got == signature.size() && signature == vemf::kSignature) {
    // The driver wrote a stream of our own: it is played into the job as
    // the job's own records are.
    vemf::FileSource source(p_.files, file);
    vemf::RecordReader reader;
    if (reader.Next(source) && reader.record().type() == vemf::rec::StreamHeader) {
      const auto header = reader.record();
      const std::uint32_t mode =
          header.Has(vemf::kHeaderModeOffset, 4) ? header.U32(vemf::kHeaderModeOffset) : 0xffffffffu;
      const std::vector<std::uint8_t> headerCopy(header.bytes().begin(), header.bytes().end());
      int played = 0;
      if (mode == vemf::kModeJobFinishing) {
        FinishingJob finishing{job.document, nullptr, file, destination, job.printerName, headerCopy, &reader,
                               job.jobId};
        played = PlayFinishedIntoJob(handle, printer, finishing);
      } else if (mode == vemf::kModeDirect) {
        played = vemf::PlayDirect(handle, p_.gdi, {job.document, destination, job.printerName}, source, reader);
      }
      reader.Release();
      return played != 0;
    }
    reader.Release();
  }
  return p_.files.Seek(file, 0).ok() && CopyIntoJob(handle, printer, file);
}

int SeparatorPrinter::PlayFinishedIntoJob(ProcessorHandle& handle, Handle printer, FinishingJob& finishing) {
  if (handle.writeChannelOpen || handle.outputFile) return finisher_.PlayFinished(handle, finishing);
  // The playback writes printer data; a direct job has no channel for them,
  // so the page gets one, ended before the job's own document begins.
  if (!p_.jobs.StartDoc(printer, handle.pageChannel).ok()) return 0;
  handle.writeChannelOpen = true;
  const int played = finisher_.PlayFinished(handle, finishing);
  handle.writeChannelOpen = false;
  return p_.jobs.EndDoc(printer).ok() ? played : 0;
}

bool SeparatorPrinter::CopyIntoJob(ProcessorHandle& handle, Handle printer, Handle file) {
  if (handle.writeChannelOpen) return CopyInto(handle, printer, file);
  // A job without a write channel gets one for the page, ended before the
  // job's own output begins.
  if (!p_.jobs.StartDoc(printer, handle.pageChannel).ok()) return false;
  const bool copied = CopyInto(handle, printer, file);
  return p_.jobs.EndDoc(printer).ok() && copied;
}

bool SeparatorPrinter::CopyInto(ProcessorHandle& handle, Handle printer, Handle file) {
  std::array<std::uint8_t, vemf::kBlockSize> buffer{};
  for (;;) {
    if (!handle.Proceed()) return false;
    auto got = p_.files.Read(file, buffer);
    if (!got.ok()) return false;
    if (*got == 0) return true;
    if (!WriteAll(p_.jobs, printer, std::span(buffer).first(std::min(*got, buffer.size())))) return false;
  }
}

}  // namespace emfplay::separator
