// picture-diff: draws a "VEMF" stream's first page with the simulated
// renderer, on the page the comparison picture is made for, and compares it
// with a BMP that Windows drew of the same stream. Both pictures and a map of
// where they differ are written into a folder; the exit status says whether
// the share of differing pixels stays within the tolerance.
//
//   picture-diff STREAM WINDOWS.bmp OUTDIR [--tolerance SHARE]
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "comparison_picture.h"
#include "playback/direct_player.h"
#include "simprint/print_world.h"
#include "simrender/picture_diff.h"
#include "simrender/rendering_gdi.h"

namespace {

constexpr int kWithin = 0, kBeyond = 1, kUsage = 2;
// Text takes another font on each side, and edges are antialiased on one;
// a missing 40 x 40 square of the 400 x 300 page (1.3%) is still beyond.
constexpr double kDefaultTolerance = 0.01;

class BytesSource final : public vemf::ByteSource {
 public:
  explicit BytesSource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) override {
    const std::size_t n = std::min(into.size(), bytes_.size() - at_);
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), n, into.begin());
    at_ += n;
    return n;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

class Unpaused final : public vemf::JobControl {
 public:
  void WaitWhilePaused() override {}
  bool Cancelled() const override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  double tolerance = kDefaultTolerance;
  if (args.size() == 5 && args[3] == "--tolerance") {
    tolerance = std::stod(args[4]);
    args.resize(3);
  }
  if (args.size() != 3) {
    std::cerr << "usage: picture-diff STREAM WINDOWS.bmp OUTDIR [--tolerance SHARE]\n";
    return kUsage;
  }
  std::ifstream in(args[0], std::ios::binary);
  if (!in) {
    std::cerr << "picture-diff: cannot read " << args[0] << "\n";
    return kUsage;
  }
  std::vector<std::uint8_t> stream((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto windows = sim::print::ReadBmp(args[1]);
  if (!windows) {
    std::cerr << "picture-diff: " << args[1] << " is not a 24- or 32-bit BMP\n";
    return kUsage;
  }

  sim::print::PrintWorld world;
  sim::print::RenderingGdi renderer(world.gdi, {vemf::kComparisonWidth, vemf::kComparisonHeight, 100, 1.0});
  BytesSource source(std::move(stream));
  vemf::RecordReader reader;
  Unpaused control;
  static_cast<void>(vemf::PlayDirect(control, renderer, {"Comparison", "FILE:", "Printer"}, source, reader));
  if (renderer.pages().size() == 0) {
    std::cerr << "picture-diff: the stream drew no page\n";
    return kUsage;
  }
  const sim::print::Picture simulated = renderer.pages().Rasterise(0);
  const auto difference = sim::print::ComparePictures(simulated, *windows);
  if (!difference) {
    std::cerr << "picture-diff: the pictures differ in size: " << simulated.width << "x" << simulated.height
              << " drawn, " << windows->width << "x" << windows->height << " from Windows\n";
    return kBeyond;
  }
  const std::string out = args[2];
  if (!sim::print::WritePng(simulated, out + "/picture-sim.png") ||
      !sim::print::WritePng(*windows, out + "/picture-windows.png") ||
      !sim::print::WritePng(difference->map, out + "/picture-difference.png")) {
    std::cerr << "picture-diff: cannot write the pictures into " << out << "\n";
    return kUsage;
  }
  const bool within = difference->share <= tolerance;
  std::printf("%.2f%% of the pixels differ after a 3x3 blur (threshold 96 of 255); tolerance %.2f%%: %s\n",
              difference->share * 100, tolerance * 100, within ? "within" : "beyond");
  return within ? kWithin : kBeyond;
}
