// The system's player of spooled "EMF" data. The processor hands it the job
// piece by piece; the player keeps its own state between calls in the value it
// returns, which goes back in with the next piece.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/handle.h"
#include "platform/print/print_result.h"

namespace plat::print {

struct PlayStep {
  std::uint32_t state = 0;     // the player's result, non-zero: pass it back next time
  std::uint32_t consumed = 0;  // bytes of the piece it used; never more than it was given
};

class SpoolStreamPlayer {
 public:
  virtual ~SpoolStreamPlayer() = default;

  // One piece of the job for `printer`. Fails (with the thread's last error,
  // which may be 0) when the player answers 0, and when it claims to have used
  // more bytes than it was given.
  [[nodiscard]] virtual Result<PlayStep> Play(std::string_view printer, std::optional<std::string_view> outputFile,
                                              std::span<const std::uint8_t> data, std::uint32_t jobId,
                                              std::uint32_t previousState) = 0;
  // Gives up a job: the player is called with only the job's spool-stream
  // handle and the state. Fails when the player answers 0.
  [[nodiscard]] virtual Status Abandon(Handle spoolStream, std::uint32_t previousState) = 0;
};

}  // namespace plat::print
