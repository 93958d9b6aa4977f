// Playing a "VEMF" stream onto a device context that does nothing, against
// reading the same bytes from the same source with nothing done to them: the
// player's own cost. The stream is generated once, outside the timing: pages
// of text, lines, polylines, shapes, objects made, selected and deleted, and a
// bitmap, much as an office document prints. The source copies out of memory
// in the reads the reader asks for, as the spooler's read channel does.
//
// A third benchmark cuts the stream into records without playing them, which
// tells the reader's share from the player's.
//
// The program ends with the medians of processor time over nine rounds of
// each, taken in turns (the wall clock of a shared machine says more about
// its neighbours), and their ratio; the target is a playback at most 1.3
// times the bare read. The size in MiB is the
// benchmarks' argument (256 unless --benchmark_filter picks another).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "null_gdi.h"
#include "playback/direct_player.h"
#include "playback/span_source.h"
#include "vemf_writer.h"

namespace {

constexpr long kMiB = 1 << 20;

class Unchecked final : public vemf::JobControl {
 public:
  void WaitWhilePaused() override {}
  bool Cancelled() const override { return false; }
};

void Page(vemf::VemfWriter& w, const vemf::WDib& picture) {
  w.StartPage();
  w.CreateFont(1, "Arial", -40).Select(1);
  w.CreatePen(2, 0, 2, 0x202020).Select(2);
  w.CreateBrush(3, 0, 0xf0f0f0).Select(3);
  w.Rectangle({300, 300, 4500, 700});
  static constexpr std::string_view kLine = "The quarter closed with orders well above the plan in all regions";
  // One advance for every character: a shorter list would make the player
  // skip every line of text as damaged.
  static const std::vector<std::int32_t> spacing(kLine.size(), 22);
  for (int line = 0; line < 120; ++line)
    w.TextOut({300, 800 + line * 48}, kLine, 0, {}, spacing);
  for (int i = 0; i < 40; ++i) w.MoveTo({300, 900 + i * 100}).LineTo({4500, 900 + i * 100});
  for (int i = 0; i < 20; ++i)
    w.Poly(4, {{300, 4000}, {700, 4100 + i}, {1100, 4050}, {1500, 4300}, {1900, 4200}, {2300, 4400},
               {2700, 4350}, {3100, 4600}, {3500, 4500}, {3900, 4700}});
  w.Ellipse({3000, 5000, 4000, 6000});
  w.StretchDiBits({300, 5000, 1200, 1200}, {0, 0, 128, 128}, 0xCC, picture);
  w.Delete(1).Delete(2).Delete(3);
}

const std::vector<std::uint8_t>& Stream(long mib) {
  static std::map<long, std::vector<std::uint8_t>> made;
  auto& bytes = made[mib];
  if (bytes.empty()) {
    const vemf::WDib picture = vemf::MakeDib(128, 128, 24);
    // What the player reads: the records after the signature and the header.
    vemf::VemfWriter w(false);
    w.StartDevice("Printer");
    while (w.size() < static_cast<std::size_t>(mib * kMiB)) Page(w, picture);
    w.EndOfDocument();
    bytes = w.bytes();
  }
  return bytes;
}

void BM_BareRead(benchmark::State& state) {
  const auto& bytes = Stream(state.range(0));
  for (auto _ : state) {
    vemf::SpanSource source(bytes);
    std::array<std::uint8_t, vemf::kBlockSize> block;
    std::size_t total = 0;
    for (;;) {
      const auto got = source.Read(block);
      if (!got.ok() || *got == 0) break;
      total += *got;
      benchmark::DoNotOptimize(block.data());
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The reader alone: the stream cut into records, none played.
void BM_ReadRecords(benchmark::State& state) {
  const auto& bytes = Stream(state.range(0));
  for (auto _ : state) {
    vemf::SpanSource source(bytes);
    vemf::RecordReader reader;
    std::size_t records = 0;
    while (reader.Next(source)) {
      benchmark::DoNotOptimize(reader.record().type());
      ++records;
    }
    state.counters["records"] = static_cast<double>(records);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_Playback(benchmark::State& state) {
  const auto& bytes = Stream(state.range(0));
  NullGdi gdi;
  Unchecked control;
  for (auto _ : state) {
    vemf::SpanSource source(bytes);
    vemf::RecordReader reader;
    benchmark::DoNotOptimize(vemf::PlayDirect(control, gdi, {"Doc", "LPT1:", "Printer"}, source, reader));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_BareRead)->Arg(256)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadRecords)->Arg(256)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Playback)->Arg(256)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The console report, then playback over bare read for each size.
class PlaybackRatio : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred)
        medians_[run.run_name.args][run.run_name.function_name] = run.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [size, times] : medians_) {
      const auto read = times.find("BM_BareRead"), play = times.find("BM_Playback");
      if (read == times.end() || play == times.end() || read->second <= 0) continue;
      const double ratio = play->second / read->second;
      std::printf("%s MiB: bare read %.1f ms, playback %.1f ms, ratio %.2f (target at most 1.30: %s)\n",
                  size.c_str(), read->second, play->second, ratio, ratio <= 1.3 ? "met" : "missed");
      if (const auto cut = times.find("BM_ReadRecords"); cut != times.end() && cut->second > 0)
        std::printf("%s MiB: records cut by the reader, none played, %.1f ms; playback over that %.2f\n",
                    size.c_str(), cut->second, play->second / cut->second);
    }
  }

 private:
  std::map<std::string, std::map<std::string, double>> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  // The rounds of the three benchmarks take turns, so that a neighbour's
  // burst on a shared machine falls on all three rather than on one.
  std::vector<char*> args(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  if (std::none_of(args.begin(), args.end(), [](const char* a) {
        return std::string_view(a).starts_with("--benchmark_enable_random_interleaving");
      }))
    args.insert(args.begin() + 1, interleave.data());
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  PlaybackRatio reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}
