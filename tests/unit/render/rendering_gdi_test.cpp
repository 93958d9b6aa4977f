// The cairo device context: what lands on the page for the calls the player
// and the separator page make, and that it changes nothing the recording
// device context sees.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "../printproc/memory_source.h"
#include "playback/direct_player.h"
#include "simprint/print_world.h"
#include "simrender/rendering_gdi.h"
#include "vemf_writer.h"

namespace {

namespace pp = plat::print;
using sim::print::Picture;
using sim::print::RenderingGdi;

constexpr std::uint32_t kWhite = 0xffffffff, kBlack = 0xff000000;
constexpr pp::Colour kRed = 0x0000ff;  // COLORREF is 0x00BBGGRR
constexpr std::uint32_t kRedPixel = 0xffff0000;
constexpr pp::Colour kBlue = 0xff0000;
constexpr std::uint32_t kBluePixel = 0xff0000ff;

// A 400 x 300 page, one picture pixel a device unit, 100 units an inch.
struct Page {
  sim::print::PrintWorld world;
  RenderingGdi gdi{world.gdi, {400, 300, 100, 1.0}};
  plat::Handle dc = 0;

  explicit Page(std::span<const std::uint8_t> devMode = {}) {
    dc = *gdi.CreateDc(std::nullopt, "P", std::nullopt, devMode);
    EXPECT_TRUE(gdi.StartDocument(dc, {"Doc", std::nullopt, std::nullopt, 0}).ok());
    for (const auto kind : {pp::ObjectKind::Pen, pp::ObjectKind::Brush, pp::ObjectKind::Font})
      EXPECT_TRUE(gdi.GetCurrentObject(dc, kind).ok());
    EXPECT_TRUE(gdi.StartPage(dc).ok());
  }
  plat::Handle Brush(pp::Colour colour, std::uint32_t style = 0) {
    const auto b = *gdi.CreateBrushIndirect({style, colour, 0});
    EXPECT_TRUE(gdi.SelectObject(dc, b).ok());
    return b;
  }
  plat::Handle Pen(pp::Colour colour, std::uint32_t style = 0, std::int32_t width = 1) {
    const auto p = *gdi.CreatePenIndirect({style, width, colour});
    EXPECT_TRUE(gdi.SelectObject(dc, p).ok());
    return p;
  }
  Picture Finish() {
    EXPECT_TRUE(gdi.EndPage(dc).ok());
    EXPECT_EQ(gdi.pages().size(), 1u);
    return gdi.pages().Rasterise(0);
  }
};

struct PixelCase {
  const char* what;
  std::function<void(Page&)> draw;
  std::vector<std::tuple<int, int, std::uint32_t>> expected;  // x, y, 0xAARRGGBB
};

class RenderedPixels : public ::testing::TestWithParam<PixelCase> {};

TEST_P(RenderedPixels, LandWhereWindowsWouldPutThem) {
  Page page;
  GetParam().draw(page);
  const Picture picture = page.Finish();
  ASSERT_EQ(picture.width, 400);
  ASSERT_EQ(picture.height, 300);
  for (const auto& [x, y, colour] : GetParam().expected)
    EXPECT_EQ(picture.At(x, y), colour) << GetParam().what << " at " << x << "," << y;
}

const PixelCase kPixelCases[] = {
    {"a rectangle filled with the brush inside a pen outline",
     [](Page& p) {
       p.Brush(kRed);
       p.Pen(kBlue);
       EXPECT_TRUE(p.gdi.Rectangle(p.dc, {10, 10, 110, 60}).ok());
     },
     {{60, 35, kRedPixel}, {10, 35, kBluePixel}, {109, 35, kBluePixel}, {60, 10, kBluePixel}, {60, 59, kBluePixel},
      {110, 35, kWhite}, {60, 60, kWhite}}},
    {"a hollow brush leaves the inside as it was",
     [](Page& p) {
       p.Brush(0, 1);
       EXPECT_TRUE(p.gdi.Rectangle(p.dc, {10, 10, 110, 60}).ok());
     },
     {{60, 35, kWhite}, {10, 35, kBlack}}},
    {"a null pen draws no outline",
     [](Page& p) {
       p.Pen(0, 5);
       p.Brush(kRed);
       EXPECT_TRUE(p.gdi.Ellipse(p.dc, {100, 100, 200, 200}).ok());
     },
     {{150, 150, kRedPixel}, {150, 101, kRedPixel}, {101, 101, kWhite}}},
    {"the fixed mapping modes turn the y axis up and measure in their units",
     [](Page& p) {
       EXPECT_TRUE(p.gdi.SetMapMode(p.dc, 4).ok());  // MM_LOENGLISH: 0.01 inch
       p.Brush(kRed);
       p.Pen(0, 5);
       EXPECT_TRUE(p.gdi.Rectangle(p.dc, {100, -100, 200, -200}).ok());
     },
     {{150, 150, kRedPixel}, {150, 90, kWhite}, {150, 210, kWhite}}},
    {"an anisotropic window maps onto its viewport",
     [](Page& p) {
       EXPECT_TRUE(p.gdi.SetMapMode(p.dc, 8).ok());
       EXPECT_TRUE(p.gdi.SetWindowExtEx(p.dc, 10, 10).ok());
       EXPECT_TRUE(p.gdi.SetViewportExtEx(p.dc, 200, 100).ok());
       EXPECT_TRUE(p.gdi.SetViewportOrgEx(p.dc, {50, 50}).ok());
       EXPECT_TRUE(p.gdi.PatBlt(p.dc, {0, 0, 1, 1}, 0x42).ok());  // BLACKNESS
     },
     {{55, 55, kBlack}, {65, 55, kBlack}, {75, 55, kWhite}, {55, 65, kWhite}}},
    {"a clip region keeps drawing inside it, and no region lifts it",
     [](Page& p) {
       vemf::VemfWriter w(false);
       std::vector<std::uint8_t> region(32 + 16, 0);
       const std::int32_t fields[] = {32, 1, 1, 16, 0, 0, 100, 100, 0, 0, 100, 100};
       std::memcpy(region.data(), fields, sizeof fields);
       const auto rgn = *p.gdi.ExtCreateRegion(region);
       EXPECT_TRUE(p.gdi.ExtSelectClipRgn(p.dc, rgn, 5).ok());
       EXPECT_TRUE(p.gdi.PatBlt(p.dc, {0, 0, 400, 300}, 0x42).ok());
       EXPECT_TRUE(p.gdi.ExtSelectClipRgn(p.dc, std::nullopt, 5).ok());
       EXPECT_TRUE(p.gdi.PatBlt(p.dc, {300, 200, 50, 50}, 0x42).ok());
     },
     {{50, 50, kBlack}, {150, 150, kWhite}, {320, 220, kBlack}}},
    {"a bottom-up bitmap is drawn top row first, stretched over its destination",
     [](Page& p) {
       vemf::WDib dib = vemf::MakeDib(2, 2, 24);
       // Rows are stored bottom first: the second row stored is the top one.
       const std::uint8_t bits[] = {0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
       dib.bits.assign(bits, bits + 16);
       EXPECT_TRUE(p.gdi.StretchDIBits(p.dc, {0, 0, 100, 100}, {0, 0, 2, 2}, {dib.info, dib.bits}, 0, 0xCC0020).ok());
     },
     {{25, 25, kBluePixel}, {75, 25, kWhite}, {25, 75, kRedPixel}, {75, 75, kBlack}}},
    {"a polygon fills between its points with the chosen fill mode",
     [](Page& p) {
       p.Brush(kRed);
       p.Pen(0, 5);
       const pp::Point star[] = {{100, 10}, {160, 190}, {10, 80}, {190, 80}, {40, 190}};
       EXPECT_TRUE(p.gdi.Polygon(p.dc, star).ok());
     },
     {{100, 40, kRedPixel}, {100, 110, kWhite}}},
    {"a path is drawn only when it is filled or stroked",
     [](Page& p) {
       p.Brush(kRed);
       EXPECT_TRUE(p.gdi.BeginPath(p.dc).ok());
       EXPECT_TRUE(p.gdi.Rectangle(p.dc, {10, 10, 50, 50}).ok());
       EXPECT_TRUE(p.gdi.EndPath(p.dc).ok());
       EXPECT_TRUE(p.gdi.Rectangle(p.dc, {200, 10, 250, 50}).ok());  // outside the path: drawn at once
       EXPECT_TRUE(p.gdi.BeginPath(p.dc).ok());
       EXPECT_TRUE(p.gdi.Rectangle(p.dc, {100, 100, 150, 150}).ok());
       EXPECT_TRUE(p.gdi.EndPath(p.dc).ok());
       EXPECT_TRUE(p.gdi.FillPath(p.dc).ok());
     },
     {{30, 30, kWhite}, {225, 30, kRedPixel}, {125, 125, kRedPixel}}},
    {"a restored device context draws with what was selected when it was saved",
     [](Page& p) {
       p.Brush(kRed);
       EXPECT_TRUE(p.gdi.SaveDC(p.dc).ok());
       p.Brush(kBlue);
       EXPECT_TRUE(p.gdi.RestoreDC(p.dc, -1).ok());
       EXPECT_TRUE(p.gdi.PatBlt(p.dc, {0, 0, 20, 20}, 0xF00021).ok());  // PATCOPY
     },
     {{10, 10, kRedPixel}}},
};

INSTANTIATE_TEST_SUITE_P(Shapes, RenderedPixels, ::testing::ValuesIn(kPixelCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(RenderedText, IsDrawnInTheTextColourOverAnOpaqueBackground) {
  Page page;
  const auto font = *page.gdi.CreateFontIndirectAnsi({-40, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"});
  ASSERT_TRUE(page.gdi.SelectObject(page.dc, font).ok());
  ASSERT_TRUE(page.gdi.SetTextColor(page.dc, kRed).ok());
  ASSERT_TRUE(page.gdi.SetBkColor(page.dc, kBlue).ok());
  ASSERT_TRUE(page.gdi.TextOutAnsi(page.dc, {20, 20}, "HHHH").ok());
  const Picture picture = page.Finish();
  int red = 0, blue = 0, elsewhere = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      const auto c = picture.At(x, y);
      const bool inBox = x >= 20 && x < 200 && y >= 20 && y < 70;
      if (!inBox && c != kWhite) ++elsewhere;
      if (inBox && c == kRedPixel) ++red;
      if (inBox && c == kBluePixel) ++blue;
    }
  EXPECT_GT(red, 200) << "the letters";
  EXPECT_GT(blue, 1000) << "the background";
  EXPECT_EQ(elsewhere, 0) << "text from the top-left corner stays below and right of it";
}

// With ETO_PDY the advances come in pairs, across and down: the letters go
// where the across steps alone put them, not where every second pair would.
TEST(RenderedText, WithVerticalAdvancesStepsByTheAcrossOnes) {
  const auto draw = [](std::uint32_t options, std::vector<std::int32_t> spacing) {
    Page page;
    const auto font = *page.gdi.CreateFontIndirectAnsi({-40, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"});
    EXPECT_TRUE(page.gdi.SelectObject(page.dc, font).ok());
    EXPECT_TRUE(page.gdi.ExtTextOutAnsi(page.dc, {20, 20}, options, std::nullopt, "HHH", spacing).ok());
    return page.Finish().pixels;
  };
  const auto across = draw(0, {60, 60, 60});
  EXPECT_EQ(draw(0x2000, {60, 0, 60, 0, 60, 0}), across);
  EXPECT_NE(draw(0, {60, 0, 60}), across) << "a different spacing must show";
}

// The separator's text page spaces its lines by the device's text metrics
// and draws with the stock font: the letters must be as high as those say.
TEST(RenderedText, InTheStockFontIsAsHighAsTheDeviceSaysItsTextIs) {
  Page page;
  page.world.gdi.SetTextMetrics({80, 64, 16, 0, 0, 40, 80});
  ASSERT_TRUE(page.gdi.GetTextMetricsAnsi(page.dc).ok());
  ASSERT_TRUE(page.gdi.SetBkMode(page.dc, 1).ok());
  ASSERT_TRUE(page.gdi.TextOutAnsi(page.dc, {20, 20}, "H").ok());
  const Picture picture = page.Finish();
  int top = 300, bottom = -1;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x)
      if (picture.At(x, y) != kWhite) top = std::min(top, y), bottom = std::max(bottom, y);
  EXPECT_GT(bottom - top, 35) << "a capital of a font 80 units high";
  EXPECT_LT(bottom - top, 80);
}

TEST(RenderedPages, ALandscapeDeviceModeTurnsThePage) {
  const auto devMode = [] {
    auto d = vemf::MakeDevMode("P");
    const std::uint32_t fields = 1;  // DM_ORIENTATION
    const std::int16_t landscape = 2;
    std::memcpy(d.data() + 40, &fields, 4);
    std::memcpy(d.data() + 44, &landscape, 2);
    return d;
  }();
  Page page(devMode);
  const Picture picture = page.Finish();
  EXPECT_EQ(picture.width, 300);
  EXPECT_EQ(picture.height, 400);
}

// A stream played through the cairo device context leaves the same journal,
// call for call, as one played onto the recording device context alone.
TEST(RenderedPages, ComeFromTheSameCallsTheRecordingDeviceContextSees) {
  vemf::VemfWriter w(false);
  w.StartDevice("P").StartPage();
  w.CreatePen(1, 0, 3, 0x0000ff).Select(1).CreateBrush(2, 2, 0x00ff00, 3).Select(2);
  w.Rectangle({10, 10, 200, 100}).Ellipse({50, 50, 150, 250}).MoveTo({0, 0}).LineTo({300, 300});
  w.CreateFont(3, "Courier New", -20).Select(3).TextOut({10, 200}, "text", 4, {0, 190, 100, 230});
  w.StartPage().PatBlt(0, 0, 50, 50, 0xF0).EndOfDocument();

  auto play = [&](bool render, std::size_t* pages) {
    sim::print::PrintWorld world;
    RenderingGdi renderer(world.gdi, {});
    MemorySource source(w.bytes());
    vemf::RecordReader reader;
    struct NoControl final : vemf::JobControl {
      void WaitWhilePaused() override {}
      bool Cancelled() const override { return false; }
    } control;
    static_cast<void>(vemf::PlayDirect(control, render ? static_cast<pp::Gdi&>(renderer) : world.gdi,
                                       {"Doc", "LPT1:", "P"}, source, reader));
    *pages = renderer.pages().size();
    EXPECT_EQ(world.gdi.LiveObjects(), 0u);
    return world.journal.Lines();
  };
  std::size_t renderedPages = 0, unusedPages = 0;
  const auto rendered = play(true, &renderedPages);
  EXPECT_EQ(rendered, play(false, &unusedPages));
  EXPECT_EQ(renderedPages, 2u);
}

}  // namespace
