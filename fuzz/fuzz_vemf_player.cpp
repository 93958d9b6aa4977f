// Feeds arbitrary bytes to the record reader and the direct player, drawing
// on the recording device context. The first byte chooses how many bytes
// each read of the spooler brings, so that records meet block boundaries
// anywhere. Besides not crashing or reading outside a record, the player
// must always end the document and delete its device context, and never
// call GDI with a handle it does not own.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "playback/direct_player.h"
#include "simprint/print_world.h"

namespace {

class FuzzSource final : public vemf::ByteSource {
 public:
  FuzzSource(std::span<const std::uint8_t> data, std::size_t step) : data_(data), step_(step) {}
  plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) override {
    if (into.size() > 4096) std::abort();  // the reader promises blocks of at most 4096 bytes
    const std::size_t n = std::min({into.size(), data_.size() - at_, step_});
    if (n) std::memcpy(into.data(), data_.data() + at_, n);
    at_ += n;
    return n;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t step_;
  std::size_t at_ = 0;
};

class NoControl final : public vemf::JobControl {
 public:
  void WaitWhilePaused() override {}
  bool Cancelled() const override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const std::size_t kSteps[] = {4096, 1, 3, 8, 100, 4095, 4097, 512};
  const std::size_t step = kSteps[data[0] % std::size(kSteps)];
  sim::print::PrintWorld world;
  FuzzSource source(std::span(data + 1, size - 1), step);
  vemf::RecordReader reader;
  NoControl control;
  vemf::PlayDirect(control, world.gdi, {"Doc", "LPT1:", "P"}, source, reader);
  if (world.gdi.LiveDcs() != 0 || reader.capacity() != 0) std::abort();
  for (const auto& problem : world.gdi.Problems())
    if (problem.find("which is no device context") != std::string::npos ||
        problem.find("document open") != std::string::npos)
      std::abort();
  return 0;
}
