// "VEMF" jobs in mode 0: handed to the job-finishing library record by
// record, offered first to the document-output library, buffered until
// their summary records, with the library's printer data coming back
// through the callbacks to the port or the output file.
#include <cstring>

#include "finishing_harness.h"

namespace {

using vemf::VemfWriter;

std::vector<std::uint8_t> TwoPageJob() {
  VemfWriter w;
  w.Header(0).StartDevice("BRV-2100").StartPage().Rectangle({1, 1, 2, 2}).StartPage().Ellipse({3, 3, 4, 4});
  w.EndOfDocument();
  return w.bytes();
}

std::size_t IndexOf(const std::vector<std::string>& lines, std::string_view prefix, std::size_t from = 0) {
  for (std::size_t i = from; i < lines.size(); ++i)
    if (lines[i].rfind(prefix, 0) == 0) return i;
  return lines.size();
}

TEST(Finishing, ReadsAJobTwiceWhenTheDocumentOutputLibraryIsAbsentAndPlaysItThroughTheJobFinishingLibrary) {
  FinishingScenario s;
  const auto doc = s.AddJob(TwoPageJob());
  ASSERT_TRUE(s.Print(doc).ok());

  EXPECT_EQ(s.world.jobs.ReadChannelsStarted(doc.jobId), 2);
  // open the run (0, 4), two pages (6 ... 7), the end (5, 2)
  EXPECT_EQ(s.Commands(), (std::vector<std::uint32_t>{0, 4, 6, 56, 7, 6, 55, 7, 5, 2}));
  EXPECT_EQ(Field(s.DataOf(2).at(0), 0), 14u) << "the run closes with the end record";
  ASSERT_EQ(s.world.jobs.Written().size(), 1u);
  const auto& written = s.world.jobs.Written()[0];
  EXPECT_EQ(std::string(written.data.begin(), written.data.end()), "<page><page>");
  EXPECT_EQ(written.pages, 2);
  EXPECT_TRUE(written.ended);
}

TEST(Finishing, GivesTheLibraryTheHeaderWithItsThreeCallbacksAndTheirContext) {
  FinishingScenario s;
  ASSERT_TRUE(s.Print(s.AddJob(TwoPageJob())).ok());
  const auto header = s.DataOf(0).at(0);
  VemfWriter w;
  w.Header(0);
  const std::size_t original = w.bytes().size() - 4;
  ASSERT_EQ(header.size(), original + 36);
  EXPECT_EQ(Field(header, 4), original + 36);
  EXPECT_EQ(Field(header, 56), 12u + 36u);
  EXPECT_EQ(Field(header, 20), 0xC0DEu);
  const std::vector<std::uint32_t> entries = {Field(header, 64), Field(header, 72), Field(header, 76),
                                              Field(header, 84), Field(header, 88), Field(header, 96),
                                              Field(header, 100)};
  EXPECT_EQ(entries, (std::vector<std::uint32_t>{50, 0x5000, 51, 0x5100, 52, 0x5200, 0}));
}

TEST(Finishing, CallsBackForEachPageInOrderStartWriteEnd) {
  FinishingScenario s;
  ASSERT_TRUE(s.Print(s.AddJob(TwoPageJob())).ok());
  const auto lines = s.Lines();
  std::vector<std::string> printer;
  for (const auto& l : lines)
    if (l.rfind("StartPagePrinter", 0) == 0 || l.rfind("EndPagePrinter", 0) == 0 || l.rfind("WritePrinter", 0) == 0)
      printer.push_back(l.substr(0, l.find('(')));
  EXPECT_EQ(printer, (std::vector<std::string>{"StartPagePrinter", "WritePrinter", "EndPagePrinter",
                                               "StartPagePrinter", "WritePrinter", "EndPagePrinter"}));
}

TEST(Finishing, WritesTheLibrarysPrinterDataToTheOutputFileWhenTheJobGoesToAFile) {
  FinishingScenario s;
  auto doc = s.AddJob(TwoPageJob());
  doc.outputFile = "C:\\Out\\job.prn";
  ASSERT_TRUE(s.Print(doc).ok());
  const auto* content = s.world.files.Content("C:\\Out\\job.prn");
  ASSERT_NE(content, nullptr);
  EXPECT_EQ(std::string(content->begin(), content->end()), "<page><page>");
  EXPECT_TRUE(s.world.jobs.Written().empty());
}

TEST(Finishing, TranslatesRecordsToCommandsAndObjectNumbersToTheLibrarysHandles) {
  VemfWriter w;
  w.Header(0).StartPage();
  w.CreatePen(3, 0, 1, 0).CreateBrush(4, 0, 0).Select(3).Select(4).Select(99);  // 99 was never made
  w.ExtCreatePen(5, 0, 1, 0, 0, 0, {}).Select(5).Delete(4).Delete(4);            // the second finds nothing
  w.MoveTo({1, 1}).LineTo({2, 2}).PatBlt(0, 0, 1, 1, 0xF0).Fields(111, {3}).Fields(112, {}).Fields(200, {});
  w.EndOfDocument();
  FinishingScenario s;
  ASSERT_TRUE(s.Print(s.AddJob(w.bytes())).ok());

  EXPECT_EQ(s.Commands(), (std::vector<std::uint32_t>{0, 4, 6, 16, 18, 8, 8, 17, 8, 9, 24, 46, 35, 42, 7, 5, 2}));
  const auto selects = s.DataOf(8);
  ASSERT_EQ(selects.size(), 3u);
  EXPECT_EQ(Field(selects[0], 8), 0x8001u) << "the pen";
  EXPECT_EQ(Field(selects[1], 8), 0x8002u) << "the brush";
  EXPECT_EQ(Field(selects[2], 8), 0x8003u) << "the extended pen";
  EXPECT_EQ(Field(s.DataOf(9).at(0), 8), 0x8002u);
  EXPECT_EQ(Field(s.DataOf(42).at(0), 8), 0x8001u);
}

TEST(Finishing, PatchesEachSectionsPageStartsWithTheSummaryThatClosesIt) {
  VemfWriter w;
  w.Header(0).StartPage({{28, 1}, {32, 2}, {99, 3}}).Rectangle({0, 0, 1, 1});
  w.Summary({{28, 100}, {32, 200}, {99, 300}, {44, 400}});
  w.StartPage({{28, 1}, {32, 2}, {44, 4}}).Summary({{28, 500}}).EndOfDocument();
  FinishingScenario s;
  ASSERT_TRUE(s.Print(s.AddJob(w.bytes())).ok());

  const auto pages = s.DataOf(6);
  ASSERT_EQ(pages.size(), 2u);
  // sub-entries from offset 20: {type, 12, value}
  EXPECT_EQ(Field(pages[0], 28), 100u);
  EXPECT_EQ(Field(pages[0], 40), 200u);
  EXPECT_EQ(Field(pages[0], 52), 3u) << "type 99 is not one of the eight";
  EXPECT_EQ(Field(pages[1], 28), 500u);
  EXPECT_EQ(Field(pages[1], 40), 2u) << "the second summary says nothing of type 32";
  EXPECT_EQ(Field(pages[1], 52), 4u);

  // Two sections, each in a file of its own, played when its summary came.
  const auto lines = s.Lines();
  EXPECT_EQ(s.LinesStarting("GetTempFileName(\"VEM\")").size(), 3u) << "the end record starts a third";
  EXPECT_EQ(s.LinesStarting("DeleteFile(").size(), 3u);
  const std::size_t firstPage = IndexOf(lines, "LGMain(6,");
  EXPECT_LT(IndexOf(lines, "DeleteFile("), IndexOf(lines, "GetTempFileName", IndexOf(lines, "GetTempFileName") + 1));
  EXPECT_GT(firstPage, IndexOf(lines, "GetTempFileName"));
  EXPECT_LT(firstPage, IndexOf(lines, "GetTempFileName", IndexOf(lines, "GetTempFileName") + 1));
}

TEST(Finishing, PlaysAJobWithoutASummaryInFullAtItsEndWithNothingPatched) {
  VemfWriter w;
  w.Header(0).StartPage({{28, 1}}).Rectangle({0, 0, 1, 1}).StartPage({{32, 2}}).EndOfDocument();
  FinishingScenario s;
  ASSERT_TRUE(s.Print(s.AddJob(w.bytes())).ok());
  EXPECT_EQ(s.Commands(), (std::vector<std::uint32_t>{0, 4, 6, 56, 7, 6, 7, 5, 2}));
  EXPECT_EQ(Field(s.DataOf(6).at(0), 28), 1u);
  EXPECT_EQ(Field(s.DataOf(6).at(1), 28), 2u);
  EXPECT_EQ(s.LinesStarting("GetTempFileName").size(), 1u);
}

TEST(Finishing, PlaysBufferedRecordsWhenTheDataEndsWithoutAnEndRecord) {
  VemfWriter w;
  w.Header(0).StartPage().Rectangle({0, 0, 1, 1});
  FinishingScenario s;
  ASSERT_TRUE(s.Print(s.AddJob(w.bytes())).ok());
  EXPECT_EQ(s.Commands(), (std::vector<std::uint32_t>{0, 4, 6, 56, 7, 5, 2}));
  EXPECT_EQ(Field(s.DataOf(2).at(0), 0), 0u) << "no end record: the run closes with the block {0, 8}";
}

TEST(Finishing, LetsTheDocumentOutputLibraryDriveThePlaybackThroughItsCallbacks) {
  for (const bool fromMemory : {false, true}) {
    SCOPED_TRACE(fromMemory ? "records from memory" : "the spool file");
    FinishingScenario s;
    s.world.libraries.setup.documentOutput = true;
    s.world.libraries.setup.playFromMemory = fromMemory;
    const auto doc = s.AddJob(TwoPageJob());
    ASSERT_TRUE(s.Print(doc).ok());

    EXPECT_EQ(s.world.jobs.ReadChannelsStarted(doc.jobId), 1) << "the job is not read again";
    ASSERT_EQ(s.LinesStarting("edf_add_document_a").size(), 1u);
    EXPECT_EQ(s.LinesStarting("edf_add_document_a")[0],
              "edf_add_document_a(0, 7, \"BRV-2100\", \"C:\\\\WINDOWS\\\\spool\\\\Printers\\\\00007.spl\", 2, "
              "{\"Report\", null, \"VEMF\", 3, 7}) -> 0x20000000");
    EXPECT_EQ(s.world.libraries.CallbackNumbers(),
              (std::vector<std::uint32_t>{0, 5, 6, 7, 2, 10, 11, 12, 13, 14, 15, 16, 17}));
    std::vector<std::uint32_t> expected = {0, 4, 60};
    if (!fromMemory) expected.push_back(59);
    for (std::uint32_t c : {6, 56, 7, 6, 55, 7, 5, 2}) expected.push_back(c);
    EXPECT_EQ(s.Commands(), expected);
    const auto duplex = s.DataOf(60).at(0);
    EXPECT_EQ(Field(duplex, 0), 70u);
    EXPECT_EQ(Field(duplex, 4), duplex.size());
    EXPECT_EQ(Field(duplex, 8), 19u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&duplex[12])), "Send Duplex Message");
    if (!fromMemory) {
      const auto position = s.DataOf(59).at(0);
      ASSERT_EQ(position.size(), 32u);
      EXPECT_EQ(Field(position, 4), 32u);
      EXPECT_EQ(position[8], 0xA0);
      EXPECT_EQ(position[31], 0xA0 + 23);
    }
    const auto lines = s.Lines();
    EXPECT_LT(IndexOf(lines, "edf_start_printing"), IndexOf(lines, "LGMain(60"));
    EXPECT_LT(IndexOf(lines, "CreateDC(null, \"BRV-2100\""), IndexOf(lines, "edf_start_printing"));
    EXPECT_GT(IndexOf(lines, "DeleteDC(dc1)"), IndexOf(lines, "LGMain(2,"));
  }
}

TEST(Finishing, PlaysTheJobItselfWhenTheDocumentOutputLibraryRefusesIt) {
  struct Case {
    const char* name;
    std::uint32_t answer;
    std::uint32_t jobStatus;
    bool entries;
  };
  const Case cases[] = {{"refused", 0, 0, true},
                        {"accepted, but the job is still spooling", plat::print::kDocumentAccepted, 0x8, true},
                        {"accepted, but the job is in error", plat::print::kDocumentAccepted, 0x2, true},
                        {"an entry point is missing", plat::print::kDocumentAccepted, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FinishingScenario s;
    s.world.libraries.setup.documentOutput = true;
    s.world.libraries.setup.documentOutputEntries = c.entries;
    s.world.libraries.setup.addDocumentAnswer = c.answer;
    s.jobStatus = c.jobStatus;
    const auto doc = s.AddJob(TwoPageJob());
    ASSERT_TRUE(s.Print(doc).ok());
    EXPECT_TRUE(s.LinesStarting("edf_start_printing").empty());
    EXPECT_EQ(s.world.jobs.ReadChannelsStarted(doc.jobId), 2);
    EXPECT_EQ(s.Commands(), (std::vector<std::uint32_t>{0, 4, 6, 56, 7, 6, 55, 7, 5, 2}));
  }
}

TEST(Finishing, FailsTheJobWithATraceLineWhenTheJobFinishingLibraryCannotBeUsed) {
  struct Case {
    bool library, entry;
    const char* trace;
  };
  const Case cases[] = {{false, true, "Call to LoadLibrary Failed for vkijfc01.dll.\n"},
                        {true, false, "Could not access LGMain proc in vkijfc01.dll.\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.trace);
    FinishingScenario s;
    s.world.libraries.setup.jobFinishing = c.library;
    s.world.libraries.setup.lgMain = c.entry;
    EXPECT_FALSE(s.Print(s.AddJob(TwoPageJob())).ok());
    EXPECT_EQ(s.LinesStarting("OutputDebugString(").size(), 1u);
    EXPECT_NE(s.Lines().end(), std::find_if(s.Lines().begin(), s.Lines().end(), [&](const std::string& l) {
                return l.find("vkijfc01.dll.") != std::string::npos && l.rfind("OutputDebugString", 0) == 0;
              }));
    EXPECT_TRUE(s.world.libraries.Calls().empty());
  }
}

TEST(Finishing, FailsTheJobWhenTheLibraryRefusesToOpenTheRun) {
  for (int skip : {0, 1}) {
    FinishingScenario s;
    s.world.journal.Fail("LGMain", 0, 1, skip);
    EXPECT_FALSE(s.Print(s.AddJob(TwoPageJob())).ok());
    EXPECT_EQ(s.Commands().size(), static_cast<std::size_t>(skip + 1));
    EXPECT_TRUE(s.LinesStarting("WritePrinter").empty());
  }
}

TEST(Finishing, DropsTheRestOfACancelledJobAndStillClosesThePageAndTheRun) {
  VemfWriter w;
  w.Header(0).StartPage().Rectangle({0, 0, 1, 1});
  for (int i = 0; i < 50; ++i) w.Rectangle({i, i, i, i});
  w.Summary({{28, 1}}).StartPage().Ellipse({0, 0, 1, 1}).EndOfDocument();
  FinishingScenario s;
  s.world.journal.SetHook([&](std::size_t, const std::string& line) {
    if (line.rfind("LGMain(6,", 0) == 0) {
      EXPECT_TRUE(s.processor.Control(s.handle, 3, std::nullopt, 0));
    }
  });
  ASSERT_TRUE(s.Print(s.AddJob(w.bytes())).ok());
  // The first section played up to the cancel (the page start), the rest never.
  EXPECT_EQ(s.Commands(), (std::vector<std::uint32_t>{0, 4, 6, 7, 5, 2}));
  EXPECT_EQ(s.LinesStarting("GetTempFileName").size(), s.LinesStarting("DeleteFile(").size());
}

TEST(Finishing, RefusesAHeaderWhoseEntryListDoesNotEndInsideIt) {
  // The list offset at 60 points past the header, or the list runs off its end.
  for (std::uint32_t listOffset : {64u, 70u, 0xFFFFFFF0u}) {
    SCOPED_TRACE(listOffset);
    std::vector<std::uint8_t> p(68, 0);
    std::memcpy(&p[60 - 8], &listOffset, 4);
    std::fill(p.begin() + (64 - 8), p.end(), 0xEE);  // no closing entry where the list starts
    VemfWriter w;
    w.Raw(112, p).StartPage().EndOfDocument();
    FinishingScenario s;
    EXPECT_FALSE(s.Print(s.AddJob(w.bytes())).ok());
    EXPECT_TRUE(s.world.libraries.Calls().empty());
    EXPECT_EQ(s.LinesStarting("OutputDebugString(\"The stream header holds no list").size(), 1u);
  }
}

TEST(Finishing, StopsReadingSummarySubEntriesThatCannotAdvance) {
  // A sub-entry of size 0 would be read again and again; one reaching past
  // the record would be read outside it.
  for (std::uint32_t size : {0u, 8u, 4000u}) {
    SCOPED_TRACE(size);
    std::vector<std::uint8_t> summary(8 + 12, 0);
    const std::uint32_t fields[] = {16, 28, size, 777};
    std::memcpy(&summary[12 - 8], fields, sizeof fields);
    VemfWriter w;
    w.Header(0).StartPage({{28, 1}}).Raw(115, summary).EndOfDocument();
    FinishingScenario s;
    ASSERT_TRUE(s.Print(s.AddJob(w.bytes())).ok());
    EXPECT_EQ(Field(s.DataOf(6).at(0), 28), 1u);
  }
}

}  // namespace

namespace {

TEST(Finishing, PlaysAStreamFromAFileFromItsStartWithoutOfferingItToTheDocumentOutputLibrary) {
  FinishingScenario s;
  s.world.libraries.setup.documentOutput = true;
  s.world.files.Put("C:\\sep.vemf", TwoPageJob());
  auto file = s.world.files.OpenForReading("C:\\sep.vemf");
  ASSERT_TRUE(file.ok());
  std::vector<std::uint8_t> skip(40);
  ASSERT_TRUE(s.world.files.Read(*file, skip).ok());  // wherever the file stands, it is played from its start

  auto printer = s.world.jobs.OpenPrinter(kPrinter);
  ASSERT_TRUE(printer.ok());
  auto event = s.world.events.CreateAutoReset(true);
  ASSERT_TRUE(event.ok());
  emfplay::ProcessorHandle handle(s.world.events, *event, *printer, kPrinter);
  VemfWriter header;
  header.Header(0);
  const std::vector<std::uint8_t> headerRecord(header.bytes().begin() + 4, header.bytes().end());
  vemf::RecordReader reader;
  emfplay::FinishingJob job{"Separator", nullptr, *file, "LPT1:", kPrinter, headerRecord, &reader, 7};
  EXPECT_EQ(s.finisher.PlayFinished(handle, job), 1);

  EXPECT_TRUE(s.LinesStarting("LoadLibrary(\"voredf.dll\")").empty());
  EXPECT_EQ(s.Commands(), (std::vector<std::uint32_t>{0, 4, 6, 56, 7, 6, 55, 7, 5, 2}));
  EXPECT_EQ(handle.finisherFlags, 0u) << "run and page closed, no buffer file left open";
  s.world.files.Close(*file);
  s.world.events.Close(*event);
  static_cast<void>(s.world.jobs.ClosePrinter(*printer));
}

}  // namespace

namespace {

TEST(Finishing, TranslatesRecordsAsTheyComeWhenNoPageBufferCanBeMade) {
  struct Case {
    const char* call;
    int times;
  };
  for (const Case c : {Case{"GetTempFileName", -1}, Case{"CreateFile", -1}, Case{"WriteFile", 1}}) {
    SCOPED_TRACE(c.call);
    VemfWriter w;
    w.Header(0).StartPage({{28, 1}}).Rectangle({0, 0, 1, 1}).Summary({{28, 9}}).EndOfDocument();
    FinishingScenario s;
    s.world.journal.Fail(c.call, 5, c.times);  // ERROR_ACCESS_DENIED
    ASSERT_TRUE(s.Print(s.AddJob(w.bytes())).ok());
    EXPECT_EQ(s.Commands(), (std::vector<std::uint32_t>{0, 4, 6, 56, 7, 5, 2}));
    EXPECT_EQ(s.LinesStarting("GetTempFileName(\"VEM\") -> \"").size(), s.LinesStarting("DeleteFile(").size())
        << "every buffer file made is deleted";
  }
}

}  // namespace
