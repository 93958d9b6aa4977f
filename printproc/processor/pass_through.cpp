// "RAW" jobs go to the port byte for byte; "EMF" jobs, and any other data
// that is not a "VEMF" stream, go through the system's spool-stream player.
// Both travel in pieces of at most 4096 bytes.
#include <algorithm>
#include <array>
#include <cstring>

#include "platform/win_errors.h"
#include "playback/vemf_format.h"
#include "processor/document_job.h"

namespace emfplay {

namespace pp = plat::print;

namespace {

// The job's bytes in pieces: first those already read while deciding what
// the job is, then the read channel's.
class PieceReader {
 public:
  PieceReader(pp::JobChannel& jobs, plat::Handle channel, std::vector<std::uint8_t> held)
      : jobs_(jobs), channel_(channel), early_(std::move(held)) {}

  // Adds bytes behind the `held` already in `buffer`; 0 when there are no
  // more (or no room), as when the read fails.
  std::size_t Fill(std::span<std::uint8_t> buffer, std::size_t held) {
    auto room = buffer.subspan(held);
    std::size_t added = 0;
    if (earlyAt_ < early_.size()) {
      added = std::min(room.size(), early_.size() - earlyAt_);
      std::memcpy(room.data(), early_.data() + earlyAt_, added);
      earlyAt_ += added;
      room = room.subspan(added);
      if (earlyAt_ < early_.size()) return added;
    }
    if (room.empty()) return added;
    auto got = jobs_.Read(channel_, room);
    return added + (got.ok() ? std::min(*got, room.size()) : 0);
  }

 private:
  pp::JobChannel& jobs_;
  plat::Handle channel_;
  std::vector<std::uint8_t> early_;
  std::size_t earlyAt_ = 0;
};

// WritePrinter may take less than it is given.
pp::Status WriteAll(pp::JobChannel& jobs, plat::Handle printer, std::span<const std::uint8_t> data) {
  while (!data.empty()) {
    auto written = jobs.Write(printer, data);
    if (!written.ok()) return written.error();
    if (*written == 0) return pp::Error(winerr::NotReady);  // a port that takes nothing would hold the job for good
    data = data.subspan(std::min(*written, data.size()));
  }
  return pp::Ok();
}

}  // namespace

pp::Status PrintProcessor::PassThrough(Job& job, std::vector<std::uint8_t> held) {
  ProcessorHandle& handle = job.handle;
  const bool raw = handle.datatype == Datatype::Raw;
  const bool emf = handle.datatype == Datatype::Emf;
  const std::uint32_t jobId = job.doc.jobId;

  if (job.separator != SeparatorKind::None)
    static_cast<void>(separators_.PrintSeparatorJob(handle.printer, jobId, job.destination, job.separator,
                                                    job.doc.separatorFile.value_or("")));  // prints without one

  pp::Status result = pp::Ok();
  if (raw) {
    if (auto started = p_.jobs.StartDoc(handle.printer, job.DocInfo(pp::kDocModeWriteChannel)); !started.ok())
      result = started.error();
  }

  if (result.ok()) {
    PieceReader pieces(p_.jobs, job.readChannel.get(), std::move(held));
    std::array<std::uint8_t, vemf::kBlockSize> buffer{};
    std::size_t inBuffer = 0;
    std::uint32_t playerState = 0;
    const std::optional<std::string_view> output =
        job.doc.outputFile ? std::optional<std::string_view>(*job.doc.outputFile) : std::nullopt;
    for (;;) {
      const std::size_t added = pieces.Fill(buffer, inBuffer);
      inBuffer += added;
      if (inBuffer == 0) break;

      if (!handle.Proceed()) {
        if (emf) static_cast<void>(p_.spoolPlayer.Abandon(job.doc.spoolStream, playerState));  // nothing to add
        break;
      }

      const auto piece = std::span<const std::uint8_t>(buffer.data(), inBuffer);
      if (raw) {
        if (auto written = WriteAll(p_.jobs, handle.printer, piece); !written.ok()) {
          result = written;
          break;
        }
        inBuffer = 0;
        continue;
      }
      auto step = p_.spoolPlayer.Play(handle.printerName, output, piece, jobId, playerState);
      if (!step.ok()) {
        static_cast<void>(p_.spoolPlayer.Abandon(job.doc.spoolStream, 0));  // the failure is the player's own
        result = step.error();
        break;
      }
      playerState = step->state;
      // A player that takes nothing of bytes that no read will add to can
      // never finish them: the job ends there.
      if (step->consumed == 0 && added == 0) break;
      std::memmove(buffer.data(), buffer.data() + step->consumed, inBuffer - step->consumed);
      inBuffer -= step->consumed;
    }
  }

  EndReadChannel(job);
  if (raw) static_cast<void>(p_.jobs.EndDoc(handle.printer));  // ends the write channel; the result stands
  return result;
}

}  // namespace emfplay
