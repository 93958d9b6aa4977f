// A "VEMF" job: its stream header says whether the processor draws the
// records itself (mode 1) or hands them to the job-finishing playback (0).
#include <utility>

#include "platform/win_errors.h"
#include "playback/direct_player.h"
#include "playback/vemf_format.h"
#include "processor/document_job.h"

namespace emfplay {

namespace pp = plat::print;

namespace {
constexpr std::uint32_t kErrorInvalidDatatype = 1804;
}  // namespace

pp::Status PrintProcessor::PlayVemf(Job& job, vemf::RecordReader& reader, const vemf::RecordView& header) {
  ProcessorHandle& handle = job.handle;
  // A header too short to hold a mode asks for none this processor knows.
  const std::uint32_t mode =
      header.Has(vemf::kHeaderModeOffset, 4) ? header.U32(vemf::kHeaderModeOffset) : 0xffffffffu;
  if (mode != vemf::kModeDirect && mode != vemf::kModeJobFinishing) {
    EndReadChannel(job);
    return pp::Error(kErrorInvalidDatatype);
  }
  // The header lives in the reader's buffer, which the next record reuses.
  const std::vector<std::uint8_t> headerCopy(header.bytes().begin(), header.bytes().end());

  auto record = p_.jobs.GetJob2(handle.printer, job.doc.jobId);
  if (!record.ok()) {
    EndReadChannel(job);
    return record.error();
  }
  const std::string separatorFile = job.doc.separatorFile.value_or("");
  const bool separatorInJob = job.separator != SeparatorKind::None && !IsFileDestination(job.destination);
  const std::string document = job.document();

  if (mode == vemf::kModeDirect) {
    handle.pageChannel = job.DocInfo(pp::kDocModeWriteChannel);
    if (separatorInJob)
      static_cast<void>(separators_.PrintSeparatorInJob(handle, handle.printer, job.doc.jobId, job.destination,
                                                        job.separator, separatorFile));  // prints without one
    vemf::ChannelSource source(p_.jobs, job.readChannel.get());
    const int played =
        vemf::PlayDirect(handle, p_.gdi, {document, job.destination, record->printerName}, source, reader);
    EndReadChannel(job);
    return played ? pp::Ok() : pp::Status(pp::Error(0));
  }

  // Job finishing: its printer data goes to the output file when the job is
  // printed to a file, else on through a write channel.
  if (job.doc.outputFile && IsFileDestination(*job.doc.outputFile)) {
    if (auto file = p_.files.CreateForWriting(*job.doc.outputFile); file.ok()) handle.outputFile = *file;
  }
  bool writeChannel = false;
  if (!handle.outputFile) {
    if (auto started = p_.jobs.StartDoc(handle.printer, job.DocInfo(pp::kDocModeWriteChannel)); !started.ok()) {
      EndReadChannel(job);
      return started.error();
    }
    writeChannel = true;
  }
  handle.writeChannelOpen = writeChannel;
  if (separatorInJob)
    static_cast<void>(separators_.PrintSeparatorInJob(handle, handle.printer, job.doc.jobId, job.destination,
                                                      job.separator, separatorFile));  // prints without one
  FinishingJob finishing{document,        &job.readChannel, 0,       job.destination, record->printerName,
                         headerCopy,      &reader,          job.doc.jobId};
  const int played = finisher_.PlayFinished(handle, finishing);
  EndReadChannel(job);
  if (handle.outputFile) p_.files.Close(std::exchange(handle.outputFile, 0));
  if (writeChannel) static_cast<void>(p_.jobs.EndDoc(handle.printer));  // the playback's result stands
  handle.writeChannelOpen = false;
  return played ? pp::Ok() : pp::Status(pp::Error(0));
}

}  // namespace emfplay
