// The separator page before a job: which page a separator name asks for,
// what the text page and the pictures draw, and how a broken or hostile
// separator file leaves the job to print without a page.
#include "platform/win_errors.h"
#include "separator_harness.h"

namespace {

// The calls on the separator page's device context, from its StartDoc to
// its deletion.
std::vector<std::string> PageCalls(const SeparatorScenario& s) {
  std::vector<std::string> out;
  bool in = false;
  for (const auto& l : s.Lines()) {
    if (l.rfind("StartDoc(dc", 0) == 0) in = true;
    if (in && l.find("(dc1") != std::string::npos) out.push_back(l);
    if (in && l.rfind("DeleteDC(dc1)", 0) == 0) break;
  }
  return out;
}

TEST(SeparatorPage, TheSeparatorNameChoosesThePageWithCaseCounting) {
  struct Case {
    const char* name;
    const char* expected;  // a call the page makes
    bool page;
  };
  const Case cases[] = {
      {"Simple", "TextOut(dc1, 600,650, \"Microsoft(R) Windows 98\")", true},
      {"Full", "EnumMetaFile(dc1, ", true},
      {"simple", "CreateFile(\"simple\", read) -> fails", false},
      {"FULL", "CreateFile(\"FULL\", read) -> fails", false},
  };
  for (const auto& c : cases) {
    SeparatorScenario s;
    const auto doc = s.AddJob("RAW", Counting(100), c.name);
    ASSERT_TRUE(s.Print(doc).ok()) << c.name;
    EXPECT_FALSE(s.LinesWith(c.expected).empty()) << c.name;
    EXPECT_TRUE(s.Has("StartDoc(dc1, \"Report\", \"LPT1:\", null, 0x10000) -> 1")) << c.name;
    EXPECT_EQ(s.Has("EndDoc(dc1)"), c.page) << c.name;
    EXPECT_EQ(s.Has("AbortDoc(dc1)"), !c.page) << c.name;
    // The job itself prints whatever became of its page.
    ASSERT_EQ(s.world.jobs.Written().size(), 1u) << c.name;
    EXPECT_EQ(s.world.jobs.Written()[0].data, Counting(100)) << c.name;
    EXPECT_LT(s.IndexOf("DeleteDC(dc1)"), s.IndexOf("StartDocPrinter(printer1")) << c.name;
  }
}

TEST(SeparatorPage, TheTextPageListsTheJobLineByLineFromAnInchIn) {
  SeparatorScenario s;
  ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "Simple")).ok());
  const std::vector<std::string> expected = {
      "TextOut(dc1, 600,650, \"Microsoft(R) Windows 98\")",
      "TextOut(dc1, 600,700, \"------------------------------------------\")",
      "TextOut(dc1, 600,750, \"Document: Report\")",
      "TextOut(dc1, 600,800, \"Printed By: anna\")",
      "TextOut(dc1, 600,850, \"Date and Time: Tuesday, March 17, 2026 2:30:05 PM\")",
  };
  const auto texts = s.LinesWith("TextOut(dc1");
  EXPECT_EQ(texts, expected);
  EXPECT_TRUE(s.Has("Escape(dc1, 13, in[0], 8) -> 1"));
}

TEST(SeparatorPage, TheDateAndTimeAreTheSubmissionInLocalTime) {
  SeparatorScenario s;
  s.world.host.SetUtcOffsetMinutes(10 * 60);  // the job was submitted after midnight here
  ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "Simple")).ok());
  EXPECT_TRUE(s.Has("TextOut(dc1, 600,850, \"Date and Time: Wednesday, March 18, 2026 12:30:05 AM\")"));
}

TEST(SeparatorPage, Windows95GetsItsOwnFirstLineAndPicture) {
  struct Case {
    plat::print::WindowsVersion version;
    const char* firstLine;
    const char* placeholderCall;  // picture 600 draws its placeholders with TextOut, 601 with ExtTextOut
  };
  const Case cases[] = {
      {{4, 0}, "Microsoft(R) Windows 95", "TextOut(dc1, 3000,3200, \"Report\")"},
      {{4, 10}, "Microsoft(R) Windows 98", "ExtTextOut(dc1, 3000,3200, 0x4, [3000, 3200, 7500, 3500], \"Report\")"},
      {{4, 90}, "Microsoft(R) Windows 98", "ExtTextOut(dc1, 3000,3200, 0x4, [3000, 3200, 7500, 3500], \"Report\")"},
  };
  for (const auto& c : cases) {
    SeparatorScenario text;
    text.world.host.SetVersion(c.version);
    ASSERT_TRUE(text.Print(text.AddJob("RAW", Counting(10), "Simple")).ok());
    EXPECT_TRUE(text.Has(std::string("TextOut(dc1, 600,650, \"") + c.firstLine + "\")")) << c.version.minor;

    SeparatorScenario full;
    full.world.host.SetVersion(c.version);
    ASSERT_TRUE(full.Print(full.AddJob("RAW", Counting(10), "Full")).ok());
    EXPECT_TRUE(full.Has(c.placeholderCall)) << c.version.minor;
  }
}

TEST(SeparatorPage, PlaceholdersInAFileAreFilledInAndOtherTextIsPlayedUnchanged) {
  SeparatorScenario s;
  s.world.files.Put("C:\\SEP\\page.wmf", Placeable(PlaceholderMetafile(), -100, 50, 2000, 2500));
  ASSERT_TRUE(s.Print(s.AddJob("EMF", Counting(10), "C:\\SEP\\page.wmf")).ok());
  const auto calls = PageCalls(s);
  const std::vector<std::string> drawn = {
      "SetMapMode(dc1, 8)",
      "SetWindowOrgEx(dc1, -100,50)",
      "SetWindowExtEx(dc1, 2100,2550)",
      "SetViewportOrgEx(dc1, 0,0)",
      "SetViewportExtEx(dc1, 4800,6600)",
      "TextOut(dc1, 100,400, \"Report\")",
      "TextOut(dc1, 100,700, \"anna\")",
      "ExtTextOut(dc1, 100,1000, 0x4, [100, 1000, 2000, 1300], \"Tuesday, March 17, 2026 2:30:05 PM\")",
  };
  for (const auto& call : drawn) EXPECT_NE(std::find(calls.begin(), calls.end(), call), calls.end()) << call;
  // "Heading" and "%4%" are no placeholders: GDI plays them as they are.
  EXPECT_EQ(s.LinesWith(", 0x521, ").size(), 2u);
  EXPECT_TRUE(s.Has("EndDoc(dc1)"));
}

TEST(SeparatorPage, AClipboardFileSetsThePicturesMappingMode) {
  struct Case {
    std::uint32_t mode;
    std::int32_t extX, extY;
    std::vector<std::string> mapping;  // the mapping calls, in order
  };
  const Case cases[] = {
      {7, 3000, 4000,
       {"SetMapMode(dc1, 7)", "SetWindowExtEx(dc1, 3000,4000)", "SetViewportOrgEx(dc1, 0,0)",
        "SetViewportExtEx(dc1, 4800,6600)"}},
      {7, 0, 4000, {"SetMapMode(dc1, 7)", "SetViewportOrgEx(dc1, 0,0)", "SetViewportExtEx(dc1, 4800,6600)"}},
      {8, 3000, 4000, {"SetMapMode(dc1, 8)", "SetViewportOrgEx(dc1, 0,0)", "SetViewportExtEx(dc1, 4800,6600)"}},
      {6, 3000, 4000, {"SetMapMode(dc1, 6)"}},
  };
  for (const auto& c : cases) {
    SeparatorScenario s;
    s.world.files.Put("C:\\SEP\\page.clp", Clipboard(PlaceholderMetafile(), c.mode, c.extX, c.extY));
    ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "C:\\SEP\\page.clp")).ok());
    std::vector<std::string> mapping;
    for (const auto& l : PageCalls(s))
      if (l.rfind("SetMapMode", 0) == 0 || l.rfind("SetWindow", 0) == 0 || l.rfind("SetViewport", 0) == 0)
        mapping.push_back(l);
    EXPECT_EQ(mapping, c.mapping) << c.mode;
    EXPECT_TRUE(s.Has("TextOut(dc1, 100,400, \"Report\")")) << c.mode;
  }
}

// Separator files that are missing, cut short or built to mislead: no page,
// nothing read outside the file, and the job prints.
TEST(SeparatorPage, AMissingTruncatedOrHostileFileGivesNoPageAndTheJobPrints) {
  const auto good = PlaceholderMetafile();
  auto cut = good;
  cut.resize(good.size() - 10);
  auto longer = good;  // a header that claims more words than the file holds
  longer[6] = 0xff;
  longer[7] = 0x7f;
  auto record = good;  // the first record claims to run past the metafile
  record[18] = 0xff;
  record[19] = 0xff;
  record[20] = 0xff;
  auto header = good;  // not a metafile header
  header[2] = 10;
  auto clipboardFar = Clipboard(good, 8, 0, 0);
  clipboardFar[10] = 0xff;  // the entry's offset lies beyond the file
  clipboardFar[11] = 0xff;
  auto clipboardCount = Clipboard(good, 8, 0, 0);
  clipboardCount[2] = 0xff;  // more entries than the file holds
  const std::vector<std::pair<const char*, std::optional<std::vector<std::uint8_t>>>> files = {
      {"missing", std::nullopt},
      {"empty", std::vector<std::uint8_t>{}},
      {"cut short", cut},
      {"size beyond the file", longer},
      {"record beyond the metafile", record},
      {"no metafile header", header},
      {"placeable header only", Placeable({}, 0, 0, 10, 10)},
      {"placeable, metafile cut", Placeable(cut, 0, 0, 10, 10)},
      {"clipboard entry beyond the file", clipboardFar},
      {"clipboard entries beyond the file", clipboardCount},
      {"clipboard without a picture", Clipboard(good, 8, 0, 0)},
  };
  for (const auto& [what, content] : files) {
    SeparatorScenario s;
    std::vector<std::uint8_t> bytes;
    if (content) {
      bytes = *content;
      if (std::string_view(what) == "clipboard without a picture") bytes[4] = 2;  // CF_BITMAP only
      s.world.files.Put("C:\\SEP\\bad.wmf", bytes);
    }
    ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(50), "C:\\SEP\\bad.wmf")).ok()) << what;
    EXPECT_TRUE(s.LinesWith("SetMetaFileBitsEx").empty()) << what;
    EXPECT_TRUE(s.Has("AbortDoc(dc1)")) << what;
    ASSERT_EQ(s.world.jobs.Written().size(), 1u) << what;
    EXPECT_EQ(s.world.jobs.Written()[0].data, Counting(50)) << what;
  }
}

TEST(SeparatorPage, RecordsWhoseCountsOrObjectsLeaveTheMetafileAreNotPlayed) {
  wmf::WmfWriter w;
  const std::uint16_t beyondTable[] = {5};
  const std::uint16_t polygonTooLong[] = {40, 1, 1, 2, 2};
  const std::uint16_t textTooLong[] = {30, 0x6568, 0x6c6c, 0x006f, 10, 10};
  const std::uint16_t fontWithoutFace[] = {0xff38, 0, 0, 0, 400, 0, 0, 0, 0, 0x7241, 0x6169};  // "Aria" and no end
  w.Record(0x012D, beyondTable).Record(0x01F0, beyondTable).Record(0x0324, polygonTooLong);
  const std::uint16_t rectangleTooShort[] = {1, 2, 3};
  const std::uint16_t paintNoRegion[] = {0};
  w.Record(0x0521, textTooLong).Record(0x02FB, fontWithoutFace).Record(0x041B, rectangleTooShort);
  w.Record(0x012B, paintNoRegion).Rectangle(1, 2, 3, 4);
  SeparatorScenario s;
  s.world.files.Put("C:\\SEP\\hostile.wmf", w.Finish());
  ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "C:\\SEP\\hostile.wmf")).ok());
  // Only the rectangle reaches GDI; the page still prints.
  const auto played = s.LinesWith("PlayMetaFileRecord(");
  ASSERT_EQ(played.size(), 1u);
  EXPECT_NE(played[0].find(", 0x41b, "), std::string::npos);
  EXPECT_TRUE(s.Has("EndDoc(dc1)"));
}

TEST(SeparatorPage, ALongDocumentNameIsCutToItsLineAndNeverReadAsAFormat) {
  SeparatorScenario s;
  const std::string name = "%s%n%x " + std::string(200, 'a');
  s.documentName = name;
  ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "Simple")).ok());
  const std::string line = ("Document: " + name).substr(0, 79);
  EXPECT_TRUE(s.Has("TextOut(dc1, 600,750, \"" + line + "\")"));
}

TEST(SeparatorPage, APageThatFailsToPrintAbortsItsDocumentAndTheJobPrints) {
  struct Case {
    const char* fault;
    bool aborted;
  };
  const Case cases[] = {{"StartPage", true}, {"EndPage", true}, {"EndDoc", true}, {"StartDoc", false},
                        {"CreateDC", false}, {"SetAbortProc", false}};
  for (const auto& c : cases) {
    SeparatorScenario s;
    s.world.journal.Fail(c.fault, 5, 1);
    ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "Simple")).ok()) << c.fault;
    EXPECT_EQ(s.Has("AbortDoc(dc1)"), c.aborted) << c.fault;
    EXPECT_EQ(s.world.jobs.Written().at(0).data, Counting(10)) << c.fault;
  }
}

TEST(SeparatorPage, AJobFromAnotherComputerGetsItsPageWithoutAStatusMonitor) {
  SeparatorScenario s;
  ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(10), "Simple", "\\\\PC02")).ok());
  EXPECT_TRUE(s.LinesWith("WinExec").empty());
  EXPECT_TRUE(s.Has("TextOut(dc1, 600,800, \"Printed By: anna\")"));
}

}  // namespace
