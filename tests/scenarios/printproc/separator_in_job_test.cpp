// The separator page of a "VEMF" job: the printer's driver renders it into a
// temporary file, which then goes into the job itself, as printer data or,
// when the driver wrote a stream of our own, played like the job's records.
// A job printed to a file gets no page.
#include "platform/win_errors.h"
#include "separator_harness.h"

namespace {

using vemf::VemfWriter;

std::vector<std::uint8_t> Stream(std::uint32_t mode) {
  VemfWriter w;
  w.Header(mode).StartDevice("BRV-2100").StartPage().Rectangle({1, 1, 2, 2}).EndOfDocument();
  return w.bytes();
}

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(SeparatorInJob, TheDriversRenderingGoesIntoTheJobsOutputAheadOfTheJob) {
  SeparatorScenario s;
  ASSERT_TRUE(s.Print(s.AddJob("VEMF", Stream(0), "Simple")).ok());
  EXPECT_TRUE(s.Has("StartDoc(dc1, \"VKPCL5D Driver Separator Page\", \"C:\\\\WINDOWS\\\\TEMP\\\\sep1.TMP\", null, "
                    "0x10000) -> 1"));
  // The sim's driver renders the calls it saw; they reach the write channel.
  ASSERT_EQ(s.world.jobs.Written().size(), 1u);
  const std::string written = Text(s.world.jobs.Written()[0].data);
  EXPECT_NE(written.find("TextOut(dc1, 600,750, \"Document: Report\")"), std::string::npos);
  EXPECT_LT(s.IndexOf("WritePrinter(printer1"), s.IndexOf("finish Report to LPT1:"));
  EXPECT_EQ(s.world.files.Content("C:\\WINDOWS\\TEMP\\sep1.TMP"), nullptr) << "the temporary file is deleted";
}

TEST(SeparatorInJob, AVemfJobToAFileGetsNoSeparatorPage) {
  for (const auto mode : {0u, 1u}) {
    SeparatorScenario s;
    auto doc = s.AddJob("VEMF", Stream(mode), "Full");
    doc.outputFile = "C:\\OUT\\job.prn";
    ASSERT_TRUE(s.Print(doc).ok()) << mode;
    EXPECT_TRUE(s.LinesWith("GetTempFileName").empty()) << mode;
    EXPECT_TRUE(s.LinesWith("EnumMetaFile").empty()) << mode;
  }
}

TEST(SeparatorInJob, ADriverThatWritesAStreamOfOursHasItPlayedByItsMode) {
  struct Case {
    std::uint32_t mode;
    const char* played;  // what shows the page's stream was played
  };
  const Case cases[] = {
      {1, ", \"Report\", \"LPT1:\", null, 0x10000) -> 2"},
      {0, "finish Report to LPT1: on BRV-2100, header"},
  };
  for (const auto& c : cases) {
    SeparatorScenario s;
    s.world.gdi.SetDriverOutput(Stream(c.mode));
    ASSERT_TRUE(s.Print(s.AddJob("VEMF", Stream(0), "Full")).ok()) << c.mode;
    EXPECT_FALSE(s.LinesWith(c.played).empty()) << c.mode;
    // Nothing of the stream is copied as printer data.
    for (const auto& doc : s.world.jobs.Written()) EXPECT_EQ(Text(doc.data).find("VEMF"), std::string::npos);
    EXPECT_EQ(s.world.files.Content("C:\\WINDOWS\\TEMP\\sep1.TMP"), nullptr) << c.mode;
  }
}

TEST(SeparatorInJob, ThePageIsPlayedBeforeTheJobsOwnRecords) {
  SeparatorScenario s;
  s.world.gdi.SetDriverOutput(Stream(1));
  ASSERT_TRUE(s.Print(s.AddJob("VEMF", Stream(1), "Simple")).ok());
  const auto starts = s.LinesWith("StartDoc(dc");
  ASSERT_EQ(starts.size(), 3u);  // rendering, the page's playback, the job
  EXPECT_NE(starts[0].find("Driver Separator Page"), std::string::npos);
  EXPECT_NE(starts[1].find("\"Report\", \"LPT1:\""), std::string::npos);
  EXPECT_NE(starts[2].find("\"Report\", \"LPT1:\""), std::string::npos);
}

TEST(SeparatorInJob, APageThatCannotBeRenderedLeavesNoTemporaryFileBehind) {
  struct Case {
    const char* fault;
    bool rendered;  // the driver got as far as its file
  };
  const Case cases[] = {{"StartDoc", false}, {"StartPage", false}, {"EndPage", false}, {"CreateFile", true}};
  for (const auto& c : cases) {
    SeparatorScenario s;
    s.world.journal.Fail(c.fault, 5, 1);
    ASSERT_TRUE(s.Print(s.AddJob("VEMF", Stream(0), "Simple")).ok()) << c.fault;
    EXPECT_TRUE(s.Has("DeleteFile(\"C:\\\\WINDOWS\\\\TEMP\\\\sep1.TMP\")")) << c.fault;
    EXPECT_EQ(s.world.files.Content("C:\\WINDOWS\\TEMP\\sep1.TMP"), nullptr) << c.fault;
    // The job's own output carries no page, and the job still plays.
    EXPECT_TRUE(s.world.jobs.Written().at(0).data.empty()) << c.fault;
    EXPECT_FALSE(s.LinesWith("finish Report").empty()) << c.fault;
  }
}

TEST(SeparatorInJob, APictureThatCannotBeDrawnPutsNothingIntoTheJob) {
  SeparatorScenario s;
  s.world.files.Put("C:\\SEP\\bad.wmf", {1, 2, 3});
  ASSERT_TRUE(s.Print(s.AddJob("VEMF", Stream(0), "C:\\SEP\\bad.wmf")).ok());
  EXPECT_TRUE(s.Has("AbortDoc(dc1)"));
  EXPECT_TRUE(s.LinesWith("CreateFile(\"C:\\\\WINDOWS\\\\TEMP\\\\sep1.TMP\", read)").empty());
  EXPECT_TRUE(s.world.jobs.Written().at(0).data.empty());
}

TEST(SeparatorInJob, APageOfPrinterDataBeforeADirectStreamGoesOutThroughAChannelOfItsOwn) {
  // A direct stream draws through a device context and has no write channel:
  // the driver's printer data are written through one opened for the page,
  // and ended before the job's own document starts.
  SeparatorScenario s;
  ASSERT_TRUE(s.Print(s.AddJob("VEMF", Stream(1), "Simple")).ok());
  ASSERT_EQ(s.world.jobs.Written().size(), 1u);
  const auto& page = s.world.jobs.Written()[0];
  EXPECT_NE(Text(page.data).find("TextOut(dc1, 600,750, \"Document: Report\")"), std::string::npos);
  EXPECT_TRUE(page.ended);
  const std::size_t opened = s.IndexOf("StartDocPrinter(printer1, \"Report\", null, \"VEMF\", mode 2, job 7)");
  const std::size_t ended = s.IndexOf("EndDocPrinter(printer1)");
  EXPECT_LT(opened, s.IndexOf("WritePrinter(printer1"));
  EXPECT_LT(s.IndexOf("WritePrinter(printer1"), ended);
  EXPECT_LT(ended, s.IndexOf("StartDoc(dc2, \"Report\", \"LPT1:\""));
}

TEST(SeparatorInJob, AFinishingStreamBeforeADirectStreamIsPlayedThroughAChannelOfItsOwn) {
  // The job-finishing playback writes printer data; a direct job has no
  // channel for them, so the page gets one, ended before the job's document.
  SeparatorScenario s;
  s.world.gdi.SetDriverOutput(Stream(0));
  ASSERT_TRUE(s.Print(s.AddJob("VEMF", Stream(1), "Simple")).ok());
  const std::size_t opened = s.IndexOf("StartDocPrinter(printer1, \"Report\", null, \"VEMF\", mode 2, job 7)");
  const std::size_t played = s.IndexOf("finish Report to LPT1: on BRV-2100, header 76 bytes, through the write channel");
  const std::size_t ended = s.IndexOf("EndDocPrinter(printer1)");
  EXPECT_LT(opened, played);
  EXPECT_LT(played, ended);
  EXPECT_LT(ended, s.IndexOf("StartDoc(dc2, \"Report\", \"LPT1:\""));
}

TEST(SeparatorInJob, APageWhoseChannelCannotBeOpenedIsReportedAndTheJobPrints) {
  SeparatorScenario s;
  s.world.journal.Fail("StartDocPrinter", 5, 1, 1);  // the read channel opens, the page's does not
  ASSERT_TRUE(s.Print(s.AddJob("VEMF", Stream(1), "Simple")).ok());
  EXPECT_FALSE(s.LinesWith("The separator page could not be put into the job").empty());
  EXPECT_TRUE(s.LinesWith("WritePrinter(printer1").empty());
  EXPECT_FALSE(s.LinesWith(", \"Report\", \"LPT1:\", null, 0x10000) -> ").empty()) << "the job prints";
}

TEST(SeparatorInJob, CancellingWhileThePageIsCopiedStopsTheCopy) {
  SeparatorScenario s;
  s.world.gdi.SetDriverOutput(std::vector<std::uint8_t>(10000, 'x'));
  s.world.journal.SetHook([&](std::size_t, const std::string& line) {
    if (line.rfind("CreateFile(\"C:\\\\WINDOWS\\\\TEMP", 0) == 0)
      static_cast<void>(s.processor.Control(s.opened, 3, std::nullopt, 0));
  });
  EXPECT_TRUE(s.Print(s.AddJob("VEMF", Stream(0), "Simple")).ok());
  EXPECT_TRUE(s.LinesWith("WritePrinter(printer1").empty());
}

}  // namespace
