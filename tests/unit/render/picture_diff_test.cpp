// The picture comparison forgives what two correct renderers do differently
// and sees what they must not; BMP files read as Windows writes them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "simrender/picture_diff.h"

namespace {

using sim::print::Picture;

constexpr std::uint32_t kWhite = 0xffffffff, kBlack = 0xff000000, kRed = 0xffff0000;

Picture Blank(int w, int h) { return {w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w * h), kWhite)}; }

void Fill(Picture& p, int x0, int y0, int x1, int y1, std::uint32_t c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) p.pixels[static_cast<std::size_t>(y * p.width + x)] = c;
}

struct DiffCase {
  const char* what;
  void (*change)(Picture&);
  double atLeast, atMost;
};

class PictureComparison : public ::testing::TestWithParam<DiffCase> {};

TEST_P(PictureComparison, CountsOnlyDifferencesThatMatter) {
  Picture a = Blank(100, 100);
  Fill(a, 20, 20, 60, 60, kRed);
  Fill(a, 10, 80, 90, 81, kBlack);  // a one-pixel line
  Picture b = a;
  GetParam().change(b);
  const auto d = sim::print::ComparePictures(a, b);
  ASSERT_TRUE(d.has_value());
  EXPECT_GE(d->share, GetParam().atLeast) << GetParam().what;
  EXPECT_LE(d->share, GetParam().atMost) << GetParam().what;
}

const DiffCase kDiffCases[] = {
    {"the same picture", [](Picture&) {}, 0, 0},
    {"a square one pixel further right", [](Picture& p) {
       Fill(p, 20, 20, 21, 60, kWhite);
       Fill(p, 60, 20, 61, 60, kRed);
     }, 0, 0.005},
    {"the line one pixel lower", [](Picture& p) {
       Fill(p, 10, 80, 90, 81, kWhite);
       Fill(p, 10, 81, 90, 82, kBlack);
     }, 0, 0.005},
    {"the square missing", [](Picture& p) { Fill(p, 20, 20, 60, 60, kWhite); }, 0.12, 0.2},
    {"the square in another colour", [](Picture& p) { Fill(p, 20, 20, 60, 60, 0xff0000ff); }, 0.12, 0.2},
};

INSTANTIATE_TEST_SUITE_P(Changes, PictureComparison, ::testing::ValuesIn(kDiffCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(PictureComparison, RefusesPicturesOfDifferentSizes) {
  EXPECT_FALSE(sim::print::ComparePictures(Blank(10, 10), Blank(10, 11)).has_value());
}

std::vector<std::uint8_t> BmpBytes(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                   const std::vector<std::uint8_t>& pixels) {
  std::vector<std::uint8_t> f(54, 0);
  f[0] = 'B';
  f[1] = 'M';
  const std::uint32_t at = 54, header = 40;
  std::memcpy(&f[10], &at, 4);
  std::memcpy(&f[14], &header, 4);
  std::memcpy(&f[18], &width, 4);
  std::memcpy(&f[22], &height, 4);
  f[26] = 1;
  std::memcpy(&f[28], &bits, 2);
  for (const std::uint8_t b : pixels) f.push_back(b);
  return f;
}

std::string WriteTemp(const std::vector<std::uint8_t>& bytes) {
  const std::string path = ::testing::TempDir() + "picture_diff_test.bmp";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path;
}

TEST(BmpFiles, ReadBottomUpRowsTopFirstAndTopDownAsTheyAre) {
  // 1 x 2, 24 bits: rows padded to 4 bytes, blue then red in file order.
  const std::vector<std::uint8_t> rows = {255, 0, 0, 0, 0, 0, 255, 0};
  const auto bottomUp = sim::print::ReadBmp(WriteTemp(BmpBytes(1, 2, 24, rows)));
  ASSERT_TRUE(bottomUp.has_value());
  EXPECT_EQ(bottomUp->At(0, 0), kRed);
  EXPECT_EQ(bottomUp->At(0, 1), 0xff0000ffu);
  const auto topDown = sim::print::ReadBmp(WriteTemp(BmpBytes(1, -2, 24, rows)));
  ASSERT_TRUE(topDown.has_value());
  EXPECT_EQ(topDown->At(0, 0), 0xff0000ffu);
}

TEST(BmpFiles, WhoseBitsAreShortOfTheirRowsAreRefused) {
  EXPECT_FALSE(sim::print::ReadBmp(WriteTemp(BmpBytes(4, 4, 32, std::vector<std::uint8_t>(60)))).has_value());
  EXPECT_FALSE(sim::print::ReadBmp(WriteTemp(BmpBytes(4, 4, 8, std::vector<std::uint8_t>(64)))).has_value());
}

}  // namespace
