// Each record type the player knows reaches GDI as the call it stands for,
// with every field from the right offset; damaged records never do.
#include <bit>

#include "player_harness.h"

namespace {

using sim::print::PrintWorld;
using vemf::MakeDib;
using vemf::VemfWriter;

struct RecordCase {
  const char* name;
  std::function<void(VemfWriter&)> write;
  std::vector<std::string> expected;
};

std::vector<std::string> PlayOnPage(const std::function<void(VemfWriter&)>& write, PrintWorld& world) {
  VemfWriter w(false);
  w.StartDevice("P").StartPage();
  write(w);
  w.EndOfDocument();
  return PageLines(PlayRecords(world, w));
}

TEST(DirectPlayer, PlaysEachRecordTypeAsItsGdiCall) {
  const auto dib24 = MakeDib(8, 8, 24);
  const auto dib1 = MakeDib(8, 8, 1);
  const std::int32_t spacing[] = {10, 12};
  const std::int32_t pairs[] = {10, 1, 12, 2};  // across and down, each character
  const RecordCase cases[] = {
      {"PolyBezier", [](VemfWriter& w) { w.Poly(2, {{1, 2}, {3, 4}, {5, 6}, {7, 8}}); },
       {"PolyBezier(dc1, [1,2 3,4 5,6 7,8])"}},
      {"Polygon", [](VemfWriter& w) { w.Poly(3, {{0, 0}, {10, 0}, {5, 5}}); }, {"Polygon(dc1, [0,0 10,0 5,5])"}},
      {"Polyline", [](VemfWriter& w) { w.Poly(4, {{1, 1}, {2, -2}}); }, {"Polyline(dc1, [1,1 2,-2])"}},
      {"PolyBezierTo", [](VemfWriter& w) { w.Poly(5, {{1, 1}, {2, 2}, {3, 3}}); },
       {"PolyBezierTo(dc1, [1,1 2,2 3,3])"}},
      {"PolylineTo", [](VemfWriter& w) { w.Poly(6, {{4, 4}}); }, {"PolylineTo(dc1, [4,4])"}},
      {"PolyPolyline", [](VemfWriter& w) { w.PolyPolyline({{{0, 0}, {1, 1}}, {{2, 2}, {3, 3}, {4, 4}}}); },
       {"PolyPolyline(dc1, [0,0 1,1] [2,2 3,3 4,4])"}},
      {"SetBrushOrgEx", [](VemfWriter& w) { w.Fields(13, {5, 6}); }, {"SetBrushOrgEx(dc1, 5,6)"}},
      {"SetPixelV", [](VemfWriter& w) { w.Fields(15, {1, 2, 0xff}); }, {"SetPixelV(dc1, 1,2, 0xff)"}},
      {"modes",
       [](VemfWriter& w) { w.Fields(18, {2}).Fields(19, {1}).Fields(20, {13}).Fields(21, {4}).Fields(22, {24}); },
       {"SetBkMode(dc1, 2)", "SetPolyFillMode(dc1, 1)", "SetROP2(dc1, 13)", "SetStretchBltMode(dc1, 4)",
        "SetTextAlign(dc1, 24)"}},
      {"colours", [](VemfWriter& w) { w.Fields(24, {0x123}).Fields(25, {0xffffff}); },
       {"SetTextColor(dc1, 0x123)", "SetBkColor(dc1, 0xffffff)"}},
      {"MoveTo and LineTo", [](VemfWriter& w) { w.MoveTo({3, 4}).LineTo({5, 6}); },
       {"MoveToEx(dc1, 3,4)", "LineTo(dc1, 5,6)"}},
      {"SaveDC and RestoreDC", [](VemfWriter& w) { w.Fields(33, {}).Fields(34, {}); },
       {"SaveDC(dc1) -> 2", "RestoreDC(dc1, -1)"}},
      {"a pen made, selected and deleted", [](VemfWriter& w) { w.CreatePen(1, 0, 3, 0xff).Select(1).Delete(1); },
       {"CreatePenIndirect(style 0, width 3, colour 0xff) -> pen2", "SelectObject(dc1, pen2) -> stockpen",
        "SelectObject(dc1, stockpen) -> pen2", "SelectObject(dc1, stockbrush) -> stockbrush",
        "SelectObject(dc1, stockfont) -> stockfont", "DeleteObject(pen2)"}},
      {"a number made twice selects the object made first",
       [](VemfWriter& w) { w.CreatePen(1, 0, 1, 0).CreatePen(1, 0, 2, 0).Select(1); },
       {"CreatePenIndirect(style 0, width 1, colour 0x0) -> pen2",
        "CreatePenIndirect(style 0, width 2, colour 0x0) -> pen3", "SelectObject(dc1, pen2) -> stockpen"}},
      {"a brush", [](VemfWriter& w) { w.CreateBrush(7, 2, 0xff00, 3).Select(7); },
       {"CreateBrushIndirect(style 2, colour 0xff00, hatch 3) -> brush2", "SelectObject(dc1, brush2) -> stockbrush"}},
      {"a font", [](VemfWriter& w) { w.CreateFont(3, "Arial", -20, 700).Select(3); },
       {"CreateFontIndirect(\"Arial\", height -20, weight 700) -> font2", "SelectObject(dc1, font2) -> stockfont"}},
      {"a face name without its zero is cut to 31 bytes",
       [](VemfWriter& w) { w.CreateFont(3, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", 10); },
       {"CreateFontIndirect(\"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234\", height 10, weight 400) -> font2"}},
      {"a pattern brush", [dib1](VemfWriter& w) { w.DibPatternBrush(4, dib1); },
       {"CreateDIBPatternBrushPt(info[48], bits[32], usage 0) -> dibbrush2"}},
      {"an extended pen with style entries", [](VemfWriter& w) { w.ExtCreatePen(5, 0x10007, 4, 0, 0xff, 9, {3, 1}).Select(5); },
       {"ExtCreatePen(style 0x10007, width 4, brush 0 0xff 0, styles [3 1]) -> extpen2",
        "SelectObject(dc1, extpen2) -> stockpen"}},
      {"a hatched extended pen keeps its hatch", [](VemfWriter& w) { w.ExtCreatePen(5, 0x10000, 1, 2, 0xff, 5, {}); },
       {"ExtCreatePen(style 0x10000, width 1, brush 2 0xff 5) -> extpen2"}},
      {"a patterned extended pen carries its bitmap",
       [dib1](VemfWriter& w) { w.ExtCreatePen(5, 0x10000, 2, 6, 0, 0, {}, &dib1); },
       {"ExtCreatePen(style 0x10000, width 2, brush 6 0x0 0, dib[80]) -> extpen2"}},
      {"a second extended pen replaces the first",
       [](VemfWriter& w) { w.ExtCreatePen(5, 0, 1, 0, 0, 0, {}).Select(5).ExtCreatePen(6, 0, 2, 0, 0, 0, {}); },
       {"ExtCreatePen(style 0x0, width 1, brush 0 0x0 0) -> extpen2", "SelectObject(dc1, extpen2) -> stockpen",
        "SelectObject(dc1, stockpen) -> extpen2", "SelectObject(dc1, stockbrush) -> stockbrush",
        "SelectObject(dc1, stockfont) -> stockfont", "DeleteObject(extpen2)",
        "ExtCreatePen(style 0x0, width 2, brush 0 0x0 0) -> extpen3"}},
      {"shapes",
       [](VemfWriter& w) {
         w.Ellipse({1, 2, 3, 4}).Rectangle({5, 6, 7, 8}).Fields(44, {1, 2, 3, 4, 5, 6});
       },
       {"Ellipse(dc1, 1, 2, 3, 4)", "Rectangle(dc1, 5, 6, 7, 8)", "RoundRect(dc1, 1, 2, 3, 4, 5, 6)"}},
      {"arcs",
       [](VemfWriter& w) {
         w.Fields(45, {1, 2, 3, 4, 5, 6, 7, 8}).Fields(46, {1, 2, 3, 4, 5, 6, 7, 8}).Fields(47, {1, 2, 3, 4, 5, 6, 7, 8});
       },
       {"Arc(dc1, 1, 2, 3, 4, 5,6, 7,8)", "Chord(dc1, 1, 2, 3, 4, 5,6, 7,8)", "Pie(dc1, 1, 2, 3, 4, 5,6, 7,8)"}},
      {"arc direction and miter limit",
       [](VemfWriter& w) { w.Fields(57, {2}).Fields(58, {std::bit_cast<std::uint32_t>(2.5f)}); },
       {"SetArcDirection(dc1, 2)", "SetMiterLimit(dc1, 2.5)"}},
      {"paths",
       [](VemfWriter& w) {
         w.Fields(59, {}).Fields(60, {}).Fields(61, {}).Fields(62, {}).Fields(63, {}).Fields(64, {}).Fields(67, {1});
       },
       {"BeginPath(dc1)", "EndPath(dc1)", "CloseFigure(dc1)", "FillPath(dc1)", "StrokeAndFillPath(dc1)",
        "StrokePath(dc1)", "SelectClipPath(dc1, 1)"}},
      {"a clip region", [](VemfWriter& w) { w.ClipRegion(1, {{0, 0, 10, 10}, {20, 20, 30, 30}}); },
       {"ExtCreateRegion(rgndata[64]) -> rgn2", "ExtSelectClipRgn(dc1, rgn2, 1)", "DeleteObject(rgn2)"}},
      {"no clip region", [](VemfWriter& w) { w.NoClipRegion(2); }, {"ExtSelectClipRgn(dc1, null, 2)"}},
      {"a block transfer", [dib24](VemfWriter& w) { w.BitBlt({10, 20, 8, 8}, {1, 2}, 0xCC, dib24); },
       {"StretchDIBits(dc1, 10, 20, 8, 8, 1, 2, 8, 8, info[40], bits[192], usage 0, 0xcc0000)"}},
      {"a stretched bitmap", [dib24](VemfWriter& w) { w.StretchDiBits({10, 20, 16, 16}, {0, 0, 8, 8}, 0xCC, dib24); },
       {"StretchDIBits(dc1, 10, 20, 16, 16, 0, 0, 8, 8, info[40], bits[192], usage 0, 0xcc0000)"}},
      {"a colour adjustment lasts until the next stretched bitmap",
       [dib24](VemfWriter& w) {
         w.ColorAdjustment(5, 6).ColorAdjustment(7, 8).StretchDiBits({0, 0, 8, 8}, {0, 0, 8, 8}, 0xCC, dib24);
       },
       {"GetColorAdjustment(dc1) -> contrast 0", "SetColorAdjustment(dc1, contrast 5, brightness 6, flags 0)",
        "SetColorAdjustment(dc1, contrast 7, brightness 8, flags 0)",
        "StretchDIBits(dc1, 0, 0, 8, 8, 0, 0, 8, 8, info[40], bits[192], usage 0, 0xcc0000)",
        "SetColorAdjustment(dc1, contrast 0, brightness 0, flags 0)"}},
      {"text", [](VemfWriter& w) { w.TextOut({5, 6}, "Hi"); }, {"ExtTextOut(dc1, 5,6, 0x0, null, \"Hi\")"}},
      {"clipped text with spacing",
       [spacing](VemfWriter& w) { w.TextOut({5, 6}, "Hi", 4, {1, 2, 3, 4}, spacing); },
       {"ExtTextOut(dc1, 5,6, 0x4, [1, 2, 3, 4], \"Hi\", dx [10 12])"}},
      {"opaque text", [](VemfWriter& w) { w.TextOut({5, 6}, "Hi", 2, {1, 2, 3, 4}); },
       {"ExtTextOut(dc1, 5,6, 0x2, [1, 2, 3, 4], \"Hi\")"}},
      {"text with a vertical advance after each", [pairs](VemfWriter& w) { w.TextOut({5, 6}, "Hi", 0x2000, {}, pairs); },
       {"ExtTextOut(dc1, 5,6, 0x2000, null, \"Hi\", dx [10 1 12 2])"}},
      {"escapes",
       [](VemfWriter& w) {
         const std::uint8_t in[] = {1, 2, 3};
         w.Escape(4100, in, 0).Escape(4100, in, 16);
       },
       {"Escape(dc1, 4100, in[3], 0) -> 1", "Escape(dc1, 4100, in[3], 16) -> 1"}},
      {"a pattern block transfer", [](VemfWriter& w) { w.PatBlt(1, 2, 3, 4, 0xF0); },
       {"PatBlt(dc1, 1, 2, 3, 4, 0xf00000)"}},
      {"text spacing", [](VemfWriter& w) { w.Fields(113, {3}).Fields(114, {10, 2}); },
       {"SetTextCharacterExtra(dc1, 3)", "SetTextJustification(dc1, 10, 2)"}},
      {"types the player does not know", [](VemfWriter& w) { w.Fields(200, {1}).Header(1).Fields(9, {1, 2}); }, {}},
  };
  for (const auto& c : cases) {
    PrintWorld world;
    EXPECT_EQ(PlayOnPage(c.write, world), c.expected) << c.name;
    ExpectCleanDevice(world);
  }
}

TEST(DirectPlayer, SkipsARecordWhoseFieldsPointOutsideItAndPlaysTheNext) {
  auto shortBits = MakeDib(8, 8, 24);
  shortBits.bits.resize(100);
  auto hugeHeader = MakeDib(2, 2, 24);
  hugeHeader.info[0] = 0xF0;
  hugeHeader.info[3] = 0xFF;
  auto overflowing = MakeDib(1, 1, 32);
  for (int i : {4, 8}) {
    overflowing.info[i] = 0xff, overflowing.info[i + 1] = 0xff, overflowing.info[i + 2] = 0xff;
    overflowing.info[i + 3] = 0x7f;
  }
  const RecordCase cases[] = {
      {"point count beyond the record", [](VemfWriter& w) { w.Fields(4, {0, 0, 0, 0, 1000, 1, 2, 3, 4}); }, {}},
      {"point count whose size wraps to 0", [](VemfWriter& w) { w.Fields(4, {0, 0, 0, 0, 0x20000000}); }, {}},
      {"polyline count whose size wraps",
       [](VemfWriter& w) { w.Fields(7, {0, 0, 0, 0, 0x40000000, 2, 1, 1, 0, 0, 1, 1}); }, {}},
      {"polyline counts naming more points than the total",
       [](VemfWriter& w) { w.Fields(7, {0, 0, 0, 0, 1, 1, 2, 0, 0, 1, 1}); }, {}},
      {"polyline counts naming points beyond the record",
       [](VemfWriter& w) { w.Fields(7, {0, 0, 0, 0, 1, 100, 100, 0, 0}); }, {}},
      {"a fixed record too short for its fields", [](VemfWriter& w) { w.Fields(43, {1, 2, 3}); }, {}},
      {"a font record without its face", [](VemfWriter& w) { w.Fields(82, {1, 20}).Select(1); }, {}},
      {"pen style entries beyond the record",
       [](VemfWriter& w) { w.Fields(95, {5, 0, 0, 0, 0, 0x10007, 1, 0, 0xff, 0, 1000, 1}).Select(5); }, {}},
      {"pen style entry count whose size wraps",
       [](VemfWriter& w) { w.Fields(95, {5, 0, 0, 0, 0, 0x10007, 1, 0, 0xff, 0, 0x40000000, 1}); }, {}},
      {"a pen pattern outside the record",
       [](VemfWriter& w) { w.Fields(95, {5, 10000, 40, 10040, 4, 0x10000, 1, 6, 0, 0, 0}); }, {}},
      {"a pattern brush whose bits are cut short",
       [shortBits](VemfWriter& w) { w.DibPatternBrush(4, shortBits).Select(4); }, {}},
      {"a bitmap header that claims to be huge",
       [hugeHeader](VemfWriter& w) { w.BitBlt({0, 0, 2, 2}, {0, 0}, 0xCC, hugeHeader); }, {}},
      {"a bitmap whose size overflows",
       [overflowing](VemfWriter& w) { w.StretchDiBits({0, 0, 1, 1}, {0, 0, 1, 1}, 0xCC, overflowing); }, {}},
      {"bitmap bits outside the record",
       [](VemfWriter& w) {
         VemfWriter t(false);
         t.BitBlt({0, 0, 2, 2}, {0, 0}, 0xCC, MakeDib(2, 2, 24));
         auto bytes = t.bytes();
         bytes[92] = 150;  // bits offset: 6 bytes before the end, too few for the bits
         w.Raw(76, std::span(bytes).subspan(8));
       },
       {}},
      {"region data beyond the record", [](VemfWriter& w) { w.Fields(75, {1000, 1, 32, 1, 1, 0, 0, 0, 0, 0}); }, {}},
      {"region rectangles beyond the region's size",
       [](VemfWriter& w) { w.Fields(75, {48, 1, 32, 1, 100, 16, 0, 0, 0, 0, 1, 1, 2, 2}); }, {}},
      {"text longer than the record",
       [](VemfWriter& w) {
         VemfWriter t(false);
         t.TextOut({1, 1}, "Hi");
         auto bytes = t.bytes();
         bytes[44] = 0xff;  // character count
         w.Raw(84, std::span(bytes).subspan(8));
       },
       {}},
      {"text spacing beyond the record",
       [](VemfWriter& w) {
         VemfWriter t(false);
         t.TextOut({1, 1}, "Hi");
         auto bytes = t.bytes();
         bytes[72] = 78;  // spacing offset: two entries would end past the record
         w.Raw(84, std::span(bytes).subspan(8));
       },
       {}},
      {"text with vertical advances but one entry a character",
       [](VemfWriter& w) {
         static const std::int32_t spacing[] = {10, 12};
         w.TextOut({1, 1}, "Hi", 0x2000, {}, spacing);
       },
       {}},
      {"glyph indices, two bytes each, with one a character in the record",
       [](VemfWriter& w) { w.TextOut({1, 1}, "Hey", 0x10); }, {}},
      {"escape input beyond the record", [](VemfWriter& w) { w.Fields(107, {1, 1000, 0, 1}); }, {}},
      {"escape output above the cap", [](VemfWriter& w) { w.Fields(107, {1, 0, 0x7fffffff}); }, {}},
      {"selecting a number never made", [](VemfWriter& w) { w.Select(99); }, {}},
      {"deleting a number never made", [](VemfWriter& w) { w.Delete(99); }, {}},
  };
  for (const auto& c : cases) {
    PrintWorld world;
    std::vector<std::string> expected = c.expected;
    expected.push_back("Rectangle(dc1, 9, 9, 9, 9)");
    EXPECT_EQ(PlayOnPage([&](VemfWriter& w) { c.write(w); w.Rectangle({9, 9, 9, 9}); }, world), expected) << c.name;
    ExpectCleanDevice(world);
  }
}

}  // namespace
