#include "finishing/finishing_playback.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>

#include "finishing/header_copy.h"
#include "finishing/page_buffer.h"
#include "finishing/run_state.h"
#include "playback/byte_source.h"
#include "playback/vemf_format.h"

namespace emfplay {

namespace pp = plat::print;

namespace {

constexpr std::string_view kNoLibrary = "Call to LoadLibrary Failed for vkijfc01.dll.\n";
constexpr std::string_view kNoEntry = "Could not access LGMain proc in vkijfc01.dll.\n";
constexpr std::string_view kException = "PlayVEMF gave an exception\n";
constexpr std::string_view kNoEntryList = "The stream header holds no list for the callbacks.\n";

// Reads until `into` is full or the source has no more: the bytes read.
std::size_t ReadUpTo(vemf::ByteSource& source, std::span<std::uint8_t> into) {
  std::size_t filled = 0;
  while (filled < into.size()) {
    auto got = source.Read(into.subspan(filled));
    if (!got.ok() || *got == 0) break;
    filled += std::min(*got, into.size() - filled);
  }
  return filled;
}

void EndAndClose(pp::JobChannel& jobs, pp::UniqueJobPrinter& channel) {
  if (!channel) return;
  static_cast<void>(jobs.EndDoc(channel.get()));  // the channel is closed next in any case
  channel.reset();
}

}  // namespace

std::uint32_t PrinterCallbacks::StartPage() { return p_.jobs.StartPage(h_.printer).ok() ? 1 : 0; }

std::uint32_t PrinterCallbacks::EndPage() { return p_.jobs.EndPage(h_.printer).ok() ? 1 : 0; }

std::uint32_t PrinterCallbacks::Write(std::span<const std::uint8_t> bytes) {
  if (!h_.Proceed()) return 0;
  // Both writes may take less than they are given; the rest goes again.
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto rest = bytes.subspan(done);
    auto put = h_.outputFile ? p_.files.Write(h_.outputFile, rest) : p_.jobs.Write(h_.printer, rest);
    if (!put.ok() || *put == 0) break;
    done += std::min(*put, rest.size());
  }
  return static_cast<std::uint32_t>(done);
}

int FinishingPlayback::PlayFinished(ProcessorHandle& handle, FinishingJob& job) {
  try {
    return Play(handle, job);
  } catch (const std::exception&) {
    // Memory ran out somewhere in the job; the library and the copies are
    // freed on the way out.
    p_.host.DebugTrace(kException);
    return 0;
  }
}

int FinishingPlayback::Play(ProcessorHandle& handle, FinishingJob& job) {
  auto loaded = libraries_.LoadJobFinishing();
  if (!loaded.ok()) {
    p_.host.DebugTrace(loaded.error().code() == pp::kErrorProcNotFound ? kNoEntry : kNoLibrary);
    return 0;
  }
  pp::JobFinishingLibrary& library = **loaded;
  handle.datatype = Datatype::Vemf;

  PrinterCallbacks callbacks(p_, handle);
  const auto header = finishing::CopyHeaderWithCallbacks(job.header, library.Hooks(callbacks));
  if (!header) {
    p_.host.DebugTrace(kNoEntryList);
    return 0;
  }
  std::vector<std::uint8_t> headerCopy = *header;
  finishing::Translator translator(library, handle.finisherFlags, handle.finisherContext);
  if (!translator.runOpen()) {
    if (!translator.Send(finishing::cmd::OpenRun, headerCopy) ||
        !translator.SendEmpty(finishing::cmd::OpenRunSecondStep))
      return 0;
    handle.finisherFlags |= finishing::kRunStarted;
  }

  std::optional<vemf::ChannelSource> channelSource;
  std::optional<vemf::FileSource> fileSource;
  vemf::ByteSource* source = nullptr;
  std::array<std::uint8_t, 4> signature{};
  if (job.readChannel && *job.readChannel) {
    EndAndClose(p_.jobs, *job.readChannel);
    if (OfferToDocumentOutput(handle, translator, job.document, job.jobId)) {
      translator.EndPage();
      translator.CloseRun();
      return 1;
    }
    // Nobody took the document: read it again from its start.
    auto printer = p_.jobs.OpenPrinter(handle.printerName);
    if (!printer.ok()) return 0;
    *job.readChannel = pp::UniqueJobPrinter(p_.jobs, *printer);
    const pp::DocInfo2 doc{std::string(job.document), std::nullopt, "VEMF", pp::kDocModeReadSpooledJob, job.jobId};
    channelSource.emplace(p_.jobs, *printer);
    if (!p_.jobs.StartDoc(*printer, doc).ok() || ReadUpTo(*channelSource, signature) == 0) {
      EndAndClose(p_.jobs, *job.readChannel);
      return 0;
    }
    source = &*channelSource;
  } else {
    fileSource.emplace(p_.files, job.file);
    if (!p_.files.Seek(job.file, 0).ok() || ReadUpTo(*fileSource, signature) == 0) return 0;
    source = &*fileSource;
  }
  *job.reader = vemf::RecordReader{};

  finishing::PageBuffer buffer(p_.files, translator, handle, handle.finisherFlags);
  bool cancelled = false;
  while (job.reader->Next(*source)) {
    if (!handle.Proceed()) {
      cancelled = true;
      break;
    }
    const vemf::RecordView record = job.reader->record();
    buffer.Take(record);
    if (record.type() == vemf::rec::EndOfDocument) break;
  }
  if (cancelled) buffer.Drop();
  else buffer.Flush();  // records the data ended on, with no end record after them
  translator.EndPage();
  translator.CloseRun();
  job.reader->Release();
  return 1;
}

}  // namespace emfplay
