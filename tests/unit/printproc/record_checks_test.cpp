// The checks on bitmaps, regions and device modes measure exactly the bytes
// GDI will read, and refuse anything that reaches past what the record holds.
#include <gtest/gtest.h>

#include <cstring>

#include "playback/record_checks.h"
#include "vemf_writer.h"

namespace {

using vemf::CheckDevMode;
using vemf::CheckDib;
using vemf::CheckPackedDib;
using vemf::CheckRegionData;

void Set32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) { std::memcpy(v.data() + at, &x, 4); }
void Set16(std::vector<std::uint8_t>& v, std::size_t at, std::uint16_t x) { std::memcpy(v.data() + at, &x, 2); }

// A BITMAPINFOHEADER with the given fields, followed by `extra` zero bytes.
std::vector<std::uint8_t> InfoHeader(std::int32_t width, std::int32_t height, std::uint16_t bits,
                                     std::uint32_t compression = 0, std::uint32_t sizeImage = 0,
                                     std::uint32_t clrUsed = 0, std::size_t extra = 0) {
  std::vector<std::uint8_t> v(40 + extra, 0);
  Set32(v, 0, 40);
  Set32(v, 4, static_cast<std::uint32_t>(width));
  Set32(v, 8, static_cast<std::uint32_t>(height));
  Set16(v, 12, 1);
  Set16(v, 14, bits);
  Set32(v, 16, compression);
  Set32(v, 20, sizeImage);
  Set32(v, 32, clrUsed);
  return v;
}

struct DibCase {
  const char* name;
  std::vector<std::uint8_t> info;
  std::size_t bitsAvailable;
  std::uint32_t usage;
  std::size_t infoSize;  // 0: refused
  std::size_t bitsSize;
};

TEST(RecordChecks, MeasureABitmapFromItsOwnHeader) {
  std::vector<std::uint8_t> core(12 + 2 * 3, 0);
  Set32(core, 0, 12);
  Set16(core, 4, 10);
  Set16(core, 6, 3);
  Set16(core, 8, 1);
  Set16(core, 10, 1);
  const DibCase cases[] = {
      {"24 bits, rows padded to 4 bytes", InfoHeader(3, 2, 24), 24, 0, 40, 24},
      {"top-down rows count the same", InfoHeader(3, -2, 24), 24, 0, 40, 24},
      {"one byte of bits short", InfoHeader(3, 2, 24), 23, 0, 0, 0},
      {"1 bit with its two-entry table", InfoHeader(8, 8, 1, 0, 0, 0, 8), 32, 0, 48, 32},
      {"8 bits naming fewer colours", InfoHeader(4, 1, 8, 0, 0, 16, 64), 4, 0, 104, 4},
      {"palette indices of two bytes", InfoHeader(4, 1, 8, 0, 0, 0, 512), 4, 1, 552, 4},
      {"a colour table cut short", InfoHeader(4, 1, 8, 0, 0, 0, 100), 4, 0, 0, 0},
      {"bit fields carry three masks", InfoHeader(2, 2, 16, 3, 0, 0, 12), 8, 0, 52, 8},
      {"compressed bits are as long as the header says", InfoHeader(100, 100, 8, 1, 30, 0, 1024), 30, 0, 1064, 30},
      {"compressed bits without a size", InfoHeader(100, 100, 8, 1, 0, 0, 1024), 30, 0, 0, 0},
      {"an unknown compression", InfoHeader(2, 2, 24, 9), 100, 0, 0, 0},
      {"a bit count GDI does not know", InfoHeader(2, 2, 7), 100, 0, 0, 0},
      {"no width", InfoHeader(0, 2, 24), 100, 0, 0, 0},
      {"a size that overflows 32 bits", InfoHeader(0x7fffffff, 0x7fffffff, 32), 100, 0, 0, 0},
      {"a core header with its RGB triples", core, 12, 0, 18, 12},
  };
  for (const auto& c : cases) {
    const std::vector<std::uint8_t> bits(c.bitsAvailable, 0);
    const auto dib = CheckDib(c.info, bits, c.usage);
    if (c.infoSize == 0) {
      EXPECT_FALSE(dib.has_value()) << c.name;
      continue;
    }
    ASSERT_TRUE(dib.has_value()) << c.name;
    EXPECT_EQ(dib->info.size(), c.infoSize) << c.name;
    EXPECT_EQ(dib->bits.size(), c.bitsSize) << c.name;
  }
}

TEST(RecordChecks, FindTheBitsOfAPackedBitmapBehindItsColourTable) {
  const auto dib = vemf::MakeDib(8, 8, 1);
  const auto packed = dib.Packed();
  const auto checked = CheckPackedDib(packed, 0);
  ASSERT_TRUE(checked.has_value());
  EXPECT_EQ(checked->info.data(), packed.data());
  EXPECT_EQ(checked->bits.data(), packed.data() + dib.info.size());
  EXPECT_FALSE(CheckPackedDib(std::span(packed).first(packed.size() - 1), 0).has_value());
}

TEST(RecordChecks, AcceptARegionOnlyWhenItsRectanglesFitItsDeclaredSize) {
  std::vector<std::uint8_t> region(32 + 2 * 16, 0);
  Set32(region, 0, 32);
  Set32(region, 4, 1);
  Set32(region, 8, 2);
  EXPECT_TRUE(CheckRegionData(region, 64).has_value());
  EXPECT_EQ(CheckRegionData(region, 64)->size(), 64u);
  EXPECT_FALSE(CheckRegionData(region, 63).has_value()) << "two rectangles need 64 bytes";
  EXPECT_FALSE(CheckRegionData(region, 65).has_value()) << "more than the record holds";
  Set32(region, 8, 0x10000001);
  EXPECT_FALSE(CheckRegionData(region, 64).has_value()) << "a count whose size wraps";
  Set32(region, 8, 2);
  Set32(region, 4, 2);
  EXPECT_FALSE(CheckRegionData(region, 64).has_value()) << "not rectangles";
}

TEST(RecordChecks, TakeADeviceModeWithItsDriverDataWhenTheRecordHoldsItAll) {
  const auto dm = vemf::MakeDevMode("P", 20);
  EXPECT_EQ(CheckDevMode(dm).value_or(std::span<const std::uint8_t>()).size(), 176u);
  EXPECT_FALSE(CheckDevMode(std::span(dm).first(175)).has_value());
  EXPECT_FALSE(CheckDevMode(std::span(dm).first(39)).has_value()) << "not even its size fields";
}

}  // namespace
