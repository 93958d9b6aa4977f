// "VEMF" jobs through the processor: drawn directly (mode 1) or handed to
// the job-finishing playback (mode 0), with the separator page inside the
// job unless it goes to a file, and honouring pause and cancel from the
// spooler's other thread.
#include <chrono>
#include <thread>

#include "platform/win_errors.h"
#include "processor_harness.h"

namespace {

using vemf::VemfWriter;

std::vector<std::uint8_t> DirectJob() {
  VemfWriter w;
  w.Header(1).StartDevice("BRV-2100").StartPage().Rectangle({1, 1, 1, 1}).Rectangle({2, 2, 2, 2});
  w.StartPage().Ellipse({3, 3, 3, 3}).EndOfDocument();
  return w.bytes();
}

// The device-context calls of the journal, in order.
std::vector<std::string> GdiLines(const ProcessorScenario& s) {
  std::vector<std::string> out;
  bool inDocument = false;
  for (const auto& l : s.Lines()) {
    if (l.rfind("CreateDC(", 0) == 0) inDocument = true;
    if (inDocument && l.find("Printer(") == std::string::npos && l.rfind("gdiPlay", 0) != 0) out.push_back(l);
  }
  return out;
}

std::size_t IndexOf(const std::vector<std::string>& lines, std::string_view prefix) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind(prefix, 0) == 0) return i;
  return lines.size();
}

TEST(VemfJob, DrawsADirectStreamOnTheJobsPrinterWithTheSeparatorPageInsideTheJob) {
  ProcessorScenario s;
  auto doc = s.AddJob("VEMF", DirectJob());
  doc.separatorFile = "Full";
  ASSERT_TRUE(s.Print(doc).ok());
  const auto lines = s.Lines();
  EXPECT_LT(IndexOf(lines, "separator in job 7 to LPT1:, kind 2, Full"), IndexOf(lines, "CreateDC("));
  const auto gdi = GdiLines(s);
  ASSERT_GE(gdi.size(), 2u);
  EXPECT_EQ(gdi[0], "CreateDC(\"\", \"BRV-2100\", \"\", devmode[156]) -> dc1");
  EXPECT_EQ(gdi[1], "StartDoc(dc1, \"Report\", \"LPT1:\", null, 0x10000) -> 1");
  EXPECT_EQ(std::count(gdi.begin(), gdi.end(), "StartPage(dc1)"), 2);
  EXPECT_EQ(gdi.back(), "DeleteDC(dc1)");
  EXPECT_TRUE(s.world.gdi.Problems().empty());
}

TEST(VemfJob, PrintsADirectStreamToAFileWithoutASeparatorPage) {
  ProcessorScenario s;
  auto doc = s.AddJob("VEMF", DirectJob());
  doc.separatorFile = "Full";
  doc.outputFile = "C:\\Temp\\out.prn";
  ASSERT_TRUE(s.Print(doc).ok());
  EXPECT_TRUE(s.LinesStarting("separator").empty());
  EXPECT_EQ(GdiLines(s).at(1), "StartDoc(dc1, \"Report\", \"C:\\\\Temp\\\\out.prn\", null, 0x10000) -> 1");
}

TEST(VemfJob, ReadsTheSameRecordsWhateverTheBlocksTheSpoolerHandsOut) {
  auto big = vemf::MakeDib(64, 64, 24);  // a blit record of over 12 KB
  VemfWriter w;
  w.Header(1).StartDevice("BRV-2100").StartPage();
  for (int i = 0; i < 300; ++i) w.Rectangle({i, i, i + 1, i + 1});
  w.BitBlt({0, 0, 64, 64}, {0, 0}, 0xCC, big).Poly(4, {{1, 1}, {2, 2}, {3, 3}}).EndOfDocument();

  ProcessorScenario whole;
  ASSERT_TRUE(whole.Print(whole.AddJob("VEMF", w.bytes())).ok());
  const auto expected = GdiLines(whole);
  ASSERT_EQ(std::count(expected.begin(), expected.end(),
                       "StretchDIBits(dc1, 0, 0, 64, 64, 0, 0, 64, 64, info[40], bits[12288], usage 0, 0xcc0000)"),
            1);

  const std::vector<std::vector<std::size_t>> patterns = {{1}, {3, 4096}, {4095}, {100, 4000, 7}};
  for (const auto& pattern : patterns) {
    ProcessorScenario s;
    s.world.jobs.SetReadPattern(pattern);
    ASSERT_TRUE(s.Print(s.AddJob("VEMF", w.bytes())).ok());
    EXPECT_EQ(GdiLines(s), expected) << "reads of " << pattern[0] << " bytes first";
  }
}

TEST(VemfJob, EndsThePageAndDocumentWhenCancelledDuringPlayback) {
  ProcessorScenario s;
  s.world.journal.SetHook([&s](std::size_t, const std::string& line) {
    if (line == "Rectangle(dc1, 1, 1, 1, 1)") {
      ASSERT_TRUE(s.processor.Control(s.handle, 3, std::nullopt, 0));
    }
  });
  ASSERT_TRUE(s.Print(s.AddJob("VEMF", DirectJob())).ok());
  const auto gdi = GdiLines(s);
  const std::vector<std::string> tail(gdi.begin() + static_cast<std::ptrdiff_t>(IndexOf(gdi, "Rectangle(")), gdi.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"Rectangle(dc1, 1, 1, 1, 1)", "ExtSelectClipRgn(dc1, null, 5)",
                                            "EndPage(dc1)", "RestoreDC(dc1, -1)", "EndDoc(dc1)", "DeleteDC(dc1)"}));
  EXPECT_EQ(s.world.jobs.ReadChannelsStarted(7), 1);
}

TEST(VemfJob, ACancelReleasesAPausedJobWhichThenEnds) {
  ProcessorScenario s;
  s.world.journal.SetHook([&s](std::size_t, const std::string& line) {
    if (line == "Rectangle(dc1, 1, 1, 1, 1)") {
      ASSERT_TRUE(s.processor.Control(s.handle, 1, std::nullopt, 0));
    }
  });
  s.world.events.SetBlockHook([&s](plat::Handle) { ASSERT_TRUE(s.processor.Control(s.handle, 3, std::nullopt, 0)); });
  ASSERT_TRUE(s.Print(s.AddJob("VEMF", DirectJob())).ok());
  EXPECT_EQ(s.world.events.BlockedWaits(), 1);
  const auto gdi = GdiLines(s);
  EXPECT_EQ(std::count(gdi.begin(), gdi.end(), "Rectangle(dc1, 2, 2, 2, 2)"), 0);
  EXPECT_EQ(gdi.back(), "DeleteDC(dc1)");
}

TEST(VemfJob, APausedJobWaitsForTheResumeFromAnotherThreadAndThenPlaysOn) {
  ProcessorScenario s;
  std::thread controller;
  s.world.journal.SetHook([&s](std::size_t, const std::string& line) {
    if (line == "Rectangle(dc1, 1, 1, 1, 1)") {
      ASSERT_TRUE(s.processor.Control(s.handle, 1, std::nullopt, 0));
    }
  });
  s.world.events.SetBlockHook([&](plat::Handle) {
    controller = std::thread([&s] {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      EXPECT_TRUE(s.processor.Control(s.handle, 2, std::nullopt, 0));
    });
  });
  ASSERT_TRUE(s.Print(s.AddJob("VEMF", DirectJob())).ok());
  controller.join();
  const auto gdi = GdiLines(s);
  EXPECT_EQ(std::count(gdi.begin(), gdi.end(), "Rectangle(dc1, 2, 2, 2, 2)"), 1);
  EXPECT_EQ(std::count(gdi.begin(), gdi.end(), "Ellipse(dc1, 3, 3, 3, 3)"), 1);
}

TEST(VemfJob, CancelsAPausedRawJobFromAnotherThread) {
  ProcessorScenario s;
  s.world.jobs.SetReadPattern({1000});
  std::thread controller;
  s.world.journal.SetHook([&s](std::size_t, const std::string& line) {
    if (line.rfind("WritePrinter(", 0) == 0) {
      ASSERT_TRUE(s.processor.Control(s.handle, 1, std::nullopt, 0));
    }
  });
  s.world.events.SetBlockHook([&](plat::Handle) {
    controller = std::thread([&s] { EXPECT_TRUE(s.processor.Control(s.handle, 3, std::nullopt, 0)); });
  });
  ASSERT_TRUE(s.Print(s.AddJob("RAW", Counting(5000))).ok());
  controller.join();
  EXPECT_EQ(s.LinesStarting("WritePrinter(").size(), 1u);
  EXPECT_TRUE(s.world.jobs.Written().at(0).ended);
}

std::vector<std::uint8_t> FinishingJob() {
  VemfWriter w;
  w.Header(0).StartDevice("BRV-2100").StartPage().EndOfDocument();
  return w.bytes();
}

TEST(VemfJob, HandsAModeZeroStreamToTheJobFinishingPlaybackThroughAWriteChannel) {
  ProcessorScenario s;
  auto doc = s.AddJob("VEMF", FinishingJob());
  doc.separatorFile = "Simple";
  ASSERT_TRUE(s.Print(doc).ok());
  const auto lines = s.Lines();
  const std::size_t write = IndexOf(lines, "StartDocPrinter(printer1, \"Report\", null, \"VEMF\", mode 2, job 7)");
  const std::size_t separator = IndexOf(lines, "separator in job 7 to LPT1:, kind 1, Simple");
  const std::size_t finish = IndexOf(lines, "finish Report to LPT1: on BRV-2100, header 76 bytes");
  const std::size_t end = IndexOf(lines, "EndDocPrinter(printer1)");
  EXPECT_LT(write, separator);
  EXPECT_LT(separator, finish);
  EXPECT_LT(finish, end);
  EXPECT_LT(end, lines.size());
}

TEST(VemfJob, WritesAModeZeroStreamPrintedToAFileIntoThatFile) {
  ProcessorScenario s;
  auto doc = s.AddJob("VEMF", FinishingJob());
  doc.separatorFile = "Simple";
  doc.outputFile = "C:\\out.prn";
  ASSERT_TRUE(s.Print(doc).ok());
  EXPECT_TRUE(s.Has("CreateFile(\"C:\\\\out.prn\", write) -> file1"));
  EXPECT_TRUE(s.Has("finish Report to C:\\out.prn on BRV-2100, header 76 bytes, into the output file"));
  EXPECT_TRUE(s.LinesStarting("separator").empty());
  EXPECT_TRUE(s.world.jobs.Written().empty()) << "no write channel";
  EXPECT_EQ(s.world.files.OpenFiles(), 0u);
}

TEST(VemfJob, FallsBackToAWriteChannelWhenTheOutputFileCannotBeMade) {
  ProcessorScenario s;
  s.world.journal.Fail("CreateFile", 5);
  auto doc = s.AddJob("VEMF", FinishingJob());
  doc.outputFile = "C:\\out.prn";
  ASSERT_TRUE(s.Print(doc).ok());
  EXPECT_TRUE(s.Has("finish Report to C:\\out.prn on BRV-2100, header 76 bytes, through the write channel"));
  ASSERT_EQ(s.world.jobs.Written().size(), 1u);
  EXPECT_TRUE(s.world.jobs.Written()[0].ended);
}

TEST(VemfJob, ReportsAJobTheFinishingPlaybackDidNotPrint) {
  ProcessorScenario s;
  s.finisher.result = 0;
  EXPECT_FALSE(s.Print(s.AddJob("VEMF", FinishingJob())).ok());
  ASSERT_EQ(s.world.jobs.Written().size(), 1u);
  EXPECT_TRUE(s.world.jobs.Written()[0].ended);
}

TEST(VemfJob, RefusesAStreamWhoseHeaderAsksForAnUnknownModeOrHasNone) {
  VemfWriter unknownMode;
  unknownMode.Header(2).StartDevice("BRV-2100").EndOfDocument();
  VemfWriter noMode;
  noMode.Fields(112, {0}).StartDevice("BRV-2100").EndOfDocument();
  for (const auto* stream : {&unknownMode, &noMode}) {
    ProcessorScenario s;
    EXPECT_FALSE(s.Print(s.AddJob("VEMF", stream->bytes())).ok());
    EXPECT_TRUE(s.LinesStarting("CreateDC(").empty());
    EXPECT_TRUE(s.LinesStarting("finish").empty());
  }
}

TEST(VemfJob, FailsWhenTheJobRecordCannotBeRead) {
  ProcessorScenario s;
  s.world.journal.Fail("GetJob2", 5);
  const auto result = s.Print(s.AddJob("VEMF", DirectJob()));
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error(), winerr::AccessDenied);
  EXPECT_TRUE(s.LinesStarting("CreateDC(").empty());
}

}  // namespace
