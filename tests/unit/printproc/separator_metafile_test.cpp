// The metafile checks of the separator page, and the built-in pictures that
// emfplay.dll carries.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "separator/metafile_format.h"
#include "separator_art.h"
#include "wmf_writer.h"

namespace {

using emfplay::separator::CheckMetafile;
using emfplay::separator::ReadTextRecord;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST(SeparatorMetafile, AHeaderIsMadeToAgreeWithItsRecords) {
  wmf::WmfWriter w;
  w.CreatePen(0, 1, 0);
  w.CreateBrush(0, 0);
  w.Rectangle(1, 2, 3, 4);
  auto bytes = w.Finish();
  bytes[10] = 0;     // claims no objects where it needs two slots
  bytes[12] = 3;     // and a largest record of 3 words
  bytes.resize(bytes.size() - 6);  // and has lost its end record
  bytes[6] = static_cast<std::uint8_t>(bytes.size() / 2);
  const auto picture = CheckMetafile(bytes);
  ASSERT_TRUE(picture);
  const auto& m = picture->metafile;
  EXPECT_EQ(U32(m, 6) * 2, m.size());
  EXPECT_EQ(U16(m, 10), 2u);
  EXPECT_EQ(picture->objectSlots, 2u);
  EXPECT_EQ(U32(m, 12), 8u);  // the pen record's words
  EXPECT_EQ(U32(m, m.size() - 6), 3u);
  EXPECT_EQ(U16(m, m.size() - 2), 0u);
}

TEST(SeparatorMetafile, BytesAfterTheEndRecordAreNotPassedOn) {
  auto bytes = wmf::WmfWriter().Rectangle(1, 2, 3, 4).Finish();
  const auto size = bytes.size();
  bytes.insert(bytes.end(), 100, 0xAB);
  bytes[6] = static_cast<std::uint8_t>(bytes.size() / 2);
  const auto picture = CheckMetafile(bytes);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->metafile.size(), size);
}

TEST(SeparatorMetafile, TextRecordsAreReadOnlyWhenTheirFieldsFitTheRecord) {
  const std::int16_t clip[] = {1, 2, 3, 4};
  const auto both = wmf::WmfWriter().TextOut(5, 6, "%1%").ExtTextOut(7, 8, "%2%", clip).Finish();
  const auto text = ReadTextRecord(std::span(both).subspan(18, 16));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->text, "%1%");
  EXPECT_EQ(text->x, 5);
  EXPECT_EQ(text->y, 6);
  const auto ext = ReadTextRecord(std::span(both).subspan(34, 26));
  ASSERT_TRUE(ext);
  EXPECT_EQ(ext->text, "%2%");
  EXPECT_EQ(ext->rect, (plat::print::Rect{1, 2, 3, 4}));
  for (std::size_t cut = 6; cut < 16; ++cut)
    EXPECT_FALSE(ReadTextRecord(std::span(both).subspan(18, cut))) << cut;
  for (std::size_t cut = 6; cut < 25; ++cut)
    EXPECT_FALSE(ReadTextRecord(std::span(both).subspan(34, cut))) << cut;
  // Options that make GDI read two bytes a character (glyph indices) or two
  // advances a character (vertical ones too): more than the record holds.
  for (const std::uint16_t option : {0x10, 0x2000}) {
    auto withOption = both;
    withOption[46] = static_cast<std::uint8_t>(withOption[46] | option);
    withOption[47] = static_cast<std::uint8_t>(withOption[47] | (option >> 8));
    EXPECT_FALSE(ReadTextRecord(std::span(withOption).subspan(34, 26))) << option;
    EXPECT_FALSE(emfplay::separator::RecordPlayable(std::span(withOption).subspan(34, 26), 0)) << option;
  }
}

TEST(SeparatorMetafile, TheBuiltInPicturesAreTheOnesTheLibraryCarries) {
  for (const std::uint32_t number : {600u, 601u}) {
    const auto drawn = wmf::SeparatorPicture(number);
    std::ifstream in(std::string(DP_SOURCE_DIR) + "/printproc/win32/separator" + std::to_string(number) + ".wmf",
                     std::ios::binary);
    const std::vector<std::uint8_t> committed{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(drawn, committed) << "run separator-art printproc/win32 and commit the pictures";

    const auto picture = CheckMetafile(drawn);
    ASSERT_TRUE(picture) << number;
    EXPECT_EQ(picture->metafile, drawn) << "the picture needs no repair";
    const std::string text(drawn.begin(), drawn.end());
    for (const char* placeholder : {"%1%", "%2%", "%3%"})
      EXPECT_NE(text.find(placeholder), std::string::npos) << number << " " << placeholder;
  }
}

}  // namespace
