// The player's document and page life: when the device context is made and
// reset, how pages begin and end, and that every way out of a stream ends
// the document and leaves nothing behind.
#include "player_harness.h"

namespace {

using sim::print::PrintWorld;
using vemf::VemfWriter;

const std::vector<std::string> kDocumentStart = {
    "CreateDC(\"\", \"P\", \"\", devmode[156]) -> dc1",
    "StartDoc(dc1, \"Doc\", \"LPT1:\", null, 0x10000) -> 1",
    "GetCurrentObject(dc1, pen) -> stockpen",
    "GetCurrentObject(dc1, font) -> stockfont",
    "GetCurrentObject(dc1, brush) -> stockbrush",
};
const std::vector<std::string> kPageStart = {"SaveDC(dc1) -> 1", "StartPage(dc1)"};
const std::vector<std::string> kPageEnd = {"ExtSelectClipRgn(dc1, null, 5)", "EndPage(dc1)", "RestoreDC(dc1, -1)"};
const std::vector<std::string> kDocumentEnd = {"EndDoc(dc1)", "DeleteDC(dc1)"};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(DirectPlayer, PlaysADocumentOfOnePage) {
  PrintWorld world;
  VemfWriter w(false);
  w.StartDevice("P").StartPage().Rectangle({1, 2, 3, 4}).EndOfDocument();
  EXPECT_EQ(PlayRecords(world, w),
            Join({kDocumentStart, kPageStart, {"Rectangle(dc1, 1, 2, 3, 4)"}, kPageEnd, kDocumentEnd}));
  ExpectCleanDevice(world);
}

TEST(DirectPlayer, IgnoresDrawingBeforeTheFirstDeviceRecord) {
  PrintWorld world;
  VemfWriter w(false);
  w.Rectangle({1, 2, 3, 4}).CreatePen(1, 0, 1, 0).Select(1).StartPage().Ellipse({1, 1, 1, 1});
  w.StartDevice("P").StartPage().EndOfDocument();
  EXPECT_EQ(PlayRecords(world, w), Join({kDocumentStart, kPageStart, kPageEnd, kDocumentEnd}));
  ExpectCleanDevice(world);
}

TEST(DirectPlayer, TwoPageRecordsInARowMakeAnEmptyPageBetweenThem) {
  PrintWorld world;
  VemfWriter w(false);
  w.StartDevice("P").StartPage().StartPage().Rectangle({1, 1, 1, 1}).EndOfDocument();
  EXPECT_EQ(PlayRecords(world, w), Join({kDocumentStart, kPageStart, kPageEnd, kPageStart,
                                         {"Rectangle(dc1, 1, 1, 1, 1)"}, kPageEnd, kDocumentEnd}));
  ExpectCleanDevice(world);
}

TEST(DirectPlayer, EndsTheDocumentWhenTheDataRunsOutWithoutAnEndRecord) {
  PrintWorld world;
  VemfWriter w(false);
  w.StartDevice("P").StartPage().Rectangle({1, 1, 1, 1});
  EXPECT_EQ(PlayRecords(world, w),
            Join({kDocumentStart, kPageStart, {"Rectangle(dc1, 1, 1, 1, 1)"}, kPageEnd, kDocumentEnd}));
  ExpectCleanDevice(world);
}

TEST(DirectPlayer, EndsTheDocumentAtARecordThatBreaksOff) {
  PrintWorld world;
  VemfWriter w(false);
  w.StartDevice("P").StartPage().Rectangle({1, 1, 1, 1}).Sized(43, 4000, std::vector<std::uint8_t>(16)).Ellipse({});
  EXPECT_EQ(PlayRecords(world, w),
            Join({kDocumentStart, kPageStart, {"Rectangle(dc1, 1, 1, 1, 1)"}, kPageEnd, kDocumentEnd}));
  ExpectCleanDevice(world);
}

TEST(DirectPlayer, StopsReadingAtTheEndRecord) {
  PrintWorld world;
  VemfWriter w(false);
  w.StartDevice("P").StartPage().EndOfDocument().Rectangle({1, 1, 1, 1}).StartDevice("P");
  EXPECT_EQ(PlayRecords(world, w), Join({kDocumentStart, kPageStart, kPageEnd, kDocumentEnd}));
}

TEST(DirectPlayer, DeletesThePagesObjectsWhenThePageEnds) {
  PrintWorld world;
  VemfWriter w(false);
  w.StartDevice("P").StartPage().CreatePen(1, 0, 1, 0).Select(1).ExtCreatePen(2, 0, 1, 0, 0, 0, {});
  w.StartPage().Select(1).Select(2).EndOfDocument();
  const auto lines = PlayRecords(world, w);
  const auto secondPage = std::find(lines.rbegin(), lines.rend(), "StartPage(dc1)").base();
  EXPECT_EQ(std::vector<std::string>(secondPage, lines.end()), Join({kPageEnd, kDocumentEnd}))
      << "numbers of the first page select nothing on the second";
  ExpectCleanDevice(world);
}

TEST(DirectPlayer, DeletesObjectsMadeOutsideAnyPageAtTheEnd) {
  PrintWorld world;
  VemfWriter w(false);
  w.StartDevice("P").CreateBrush(1, 0, 0).Select(1).ExtCreatePen(2, 0, 1, 0, 0, 0, {}).EndOfDocument();
  PlayRecords(world, w);
  ExpectCleanDevice(world);
}

TEST(DirectPlayer, ResetsTheDeviceForALaterDeviceRecordAfterEndingThePage) {
  PrintWorld world;
  VemfWriter w(false);
  w.StartDevice("P").StartPage().StartDevice("P").StartPage().EndOfDocument();
  EXPECT_EQ(PlayRecords(world, w), Join({kDocumentStart, kPageStart, kPageEnd, {"ResetDC(dc1, devmode[156]) -> dc1"},
                                         kPageStart, kPageEnd, kDocumentEnd}));
  ExpectCleanDevice(world);
}

TEST(DirectPlayer, SkipsADeviceRecordWhoseDeviceModeIsLargerThanTheRecord) {
  PrintWorld world;
  auto devMode = vemf::MakeDevMode("P", 500);
  devMode.resize(200);
  VemfWriter w(false);
  w.StartDevice(devMode).StartPage().Rectangle({1, 1, 1, 1}).EndOfDocument();
  EXPECT_EQ(PlayRecords(world, w), std::vector<std::string>{});
}

TEST(DirectPlayer, TriesAgainAtTheNextDeviceRecordWhenTheDocumentCouldNotStart) {
  const char* failing[] = {"CreateDC", "StartDoc"};
  for (const char* call : failing) {
    PrintWorld world;
    world.journal.Fail(call, 5, 1);
    VemfWriter w(false);
    w.StartDevice("P").Rectangle({1, 1, 1, 1}).StartDevice("P").StartPage().Ellipse({2, 2, 2, 2}).EndOfDocument();
    const auto lines = PlayRecords(world, w);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Rectangle(dc1, 1, 1, 1, 1)"), 0) << call;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "StartPage(dc2)") + std::count(lines.begin(), lines.end(), "StartPage(dc1)"), 1) << call;
    EXPECT_NE(std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("Ellipse(", 0) == 0; }),
              lines.end())
        << call;
    ExpectCleanDevice(world);
  }
}

TEST(DirectPlayer, EndsThePageAndTheDocumentCleanlyWhenCancelled) {
  PrintWorld world;
  ScriptedControl control;
  control.cancelAt = 4;  // before the second drawing record
  VemfWriter w(false);
  w.StartDevice("P").StartPage().Rectangle({1, 1, 1, 1}).Rectangle({2, 2, 2, 2}).EndOfDocument();
  EXPECT_EQ(PlayRecords(world, w, control),
            Join({kDocumentStart, kPageStart, {"Rectangle(dc1, 1, 1, 1, 1)"}, kPageEnd, kDocumentEnd}));
  ExpectCleanDevice(world);
}

TEST(DirectPlayer, WaitsWhilePausedBeforeEachRecord) {
  PrintWorld world;
  ScriptedControl control;
  VemfWriter w(false);
  w.StartDevice("P").StartPage().Rectangle({1, 1, 1, 1}).EndOfDocument();
  PlayRecords(world, w, control);
  EXPECT_EQ(control.checks, 4) << "one check before each of the four records";
}

}  // namespace
