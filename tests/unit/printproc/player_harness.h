// Plays a "VEMF" stream through PlayDirect onto the recording device context
// and hands back the journal, for the player's tests.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "memory_source.h"
#include "playback/direct_player.h"
#include "simprint/print_world.h"
#include "vemf_writer.h"

// Pause and cancel as a test scripts them: before the n-th record (counting
// from 1) the job is paused for one wait, or cancelled.
class ScriptedControl final : public vemf::JobControl {
 public:
  void WaitWhilePaused() override {
    ++checks;
    if (checks == pauseAt) ++waits;
    if (checks == cancelAt) cancelled = true;
  }
  bool Cancelled() const override { return cancelled; }

  int checks = 0;
  int waits = 0;
  int pauseAt = -1;
  int cancelAt = -1;
  bool cancelled = false;
};

// The records after the stream header, played with `pattern` as the read
// sizes. The journal holds only device-context calls.
inline std::vector<std::string> PlayRecords(sim::print::PrintWorld& world, const vemf::VemfWriter& records,
                                            vemf::JobControl& control, std::vector<std::size_t> pattern = {}) {
  MemorySource source(records.bytes(), std::move(pattern));
  vemf::RecordReader reader;
  const int result = vemf::PlayDirect(control, world.gdi, {"Doc", "LPT1:", "P"}, source, reader);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(reader.capacity(), 0u) << "the record buffer is freed at the end";
  return world.journal.Lines();
}

inline std::vector<std::string> PlayRecords(sim::print::PrintWorld& world, const vemf::VemfWriter& records) {
  ScriptedControl control;
  return PlayRecords(world, records, control);
}

// A device context left in a state a real one would punish.
inline void ExpectCleanDevice(const sim::print::PrintWorld& world) {
  EXPECT_EQ(world.gdi.LiveDcs(), 0u);
  EXPECT_EQ(world.gdi.LiveObjects(), 0u);
  for (const auto& p : world.gdi.Problems()) ADD_FAILURE() << p;
}

// The lines between the first page start and the end of the last page.
inline std::vector<std::string> PageLines(const std::vector<std::string>& lines) {
  const auto start = std::find(lines.begin(), lines.end(), "StartPage(dc1)");
  const auto finish = std::find(lines.rbegin(), lines.rend(), "ExtSelectClipRgn(dc1, null, 5)");
  if (start == lines.end() || finish == lines.rend()) return {"(no page)"};
  return {start + 1, finish.base() - 1};
}
