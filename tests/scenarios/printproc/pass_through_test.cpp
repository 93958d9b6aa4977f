// "RAW" jobs reach the port unchanged; "EMF" jobs, and data that is not a
// "VEMF" stream, go through the system's spool-stream player.
#include "platform/win_errors.h"
#include "processor_harness.h"

namespace {

using vemf::VemfWriter;

TEST(PassThrough, CopiesARawJobToThePrinterUnchangedInPiecesOfAtMost4096Bytes) {
  ProcessorScenario s;
  s.world.jobs.SetReadPattern({1000, 4096, 3});
  const auto data = Counting(10000);
  const auto doc = s.AddJob("RAW", data);
  ASSERT_TRUE(s.Print(doc).ok());

  ASSERT_EQ(s.world.jobs.Written().size(), 1u);
  const auto& written = s.world.jobs.Written()[0];
  EXPECT_EQ(written.data, data);
  EXPECT_TRUE(written.ended);
  EXPECT_EQ(written.doc.mode, plat::print::kDocModeWriteChannel);
  EXPECT_EQ(written.doc.datatype, "RAW");
  for (const auto& line : s.LinesStarting("WritePrinter("))
    EXPECT_LE(std::stoul(line.substr(line.find(", ") + 2)), 4096u) << line;
}

TEST(PassThrough, PrintsTheSeparatorPageAsAJobOfItsOwnFirst) {
  ProcessorScenario s;
  auto doc = s.AddJob("RAW", Counting(10));
  doc.separatorFile = "Simple";
  ASSERT_TRUE(s.Print(doc).ok());
  const auto lines = s.Lines();
  const auto separator = std::find(lines.begin(), lines.end(), "separator job 7 to LPT1:, kind 1, Simple");
  const auto write = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("StartDocPrinter(printer1", 0) == 0;
  });
  ASSERT_NE(separator, lines.end());
  EXPECT_LT(separator, write);
}

TEST(PassThrough, KeepsEveryByteOfARawJobThatOnlyBeginsLikeAStream) {
  ProcessorScenario s;
  VemfWriter w;
  w.Rectangle({1, 2, 3, 4}).Raw(200, Counting(5000)).Bytes(Counting(33));
  const auto doc = s.AddJob("RAW", w.bytes());
  ASSERT_TRUE(s.Print(doc).ok());
  ASSERT_EQ(s.world.jobs.Written().size(), 1u);
  EXPECT_EQ(s.world.jobs.Written()[0].data, w.bytes());
}

TEST(PassThrough, HandsAnEmfJobToTheSystemsPlayerPieceByPiece) {
  ProcessorScenario s;
  s.world.spoolPlayer.SetTakeAtMost(1500);
  const auto data = Counting(9000);
  auto doc = s.AddJob("EMF", data);
  doc.outputFile = "C:\\out.prn";
  ASSERT_TRUE(s.Print(doc).ok());
  EXPECT_EQ(s.world.spoolPlayer.Played(), data);
  EXPECT_TRUE(s.world.jobs.Written().empty());
  const auto calls = s.LinesStarting("gdiPlaySpoolStream(");
  ASSERT_GE(calls.size(), 6u);
  EXPECT_EQ(calls[0], "gdiPlaySpoolStream(\"BRV-2100\", \"C:\\\\out.prn\", 4096 bytes, job 7, state 0) -> took 1500");
  EXPECT_EQ(calls[1], "gdiPlaySpoolStream(\"BRV-2100\", \"C:\\\\out.prn\", 4096 bytes, job 7, state 1) -> took 1500");
}

TEST(PassThrough, PlaysAVemfJobWithoutTheSignatureLikeAnEmfJob) {
  ProcessorScenario s;
  const auto data = Counting(300);
  const auto doc = s.AddJob("VEMF", data);
  ASSERT_TRUE(s.Print(doc).ok());
  EXPECT_EQ(s.world.spoolPlayer.Played(), data);
}

TEST(PassThrough, FailsWithThePlayersErrorAndAbandonsTheStream) {
  ProcessorScenario s;
  s.world.journal.Fail("gdiPlaySpoolStream", 1812, 1, 1);
  const auto doc = s.AddJob("EMF", Counting(9000));
  const auto result = s.Print(doc);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().code(), 1812u);
  EXPECT_TRUE(s.Has("gdiPlaySpoolStream(abandon stream 21760, state 0)"));
  EXPECT_TRUE(s.LinesStarting("EndDocPrinter(printer2)").size() == 1) << "the read channel is ended";
}

TEST(PassThrough, TakesAPlayerThatClaimsMoreThanItWasGivenForAFailure) {
  ProcessorScenario s;
  s.world.spoolPlayer.OverclaimNextBy(10);
  const auto result = s.Print(s.AddJob("EMF", Counting(100)));
  EXPECT_FALSE(result.ok());
  EXPECT_TRUE(s.Has("gdiPlaySpoolStream(abandon stream 21760, state 0)"));
}

TEST(PassThrough, EndsAnEmfJobWhoseTailThePlayerNeverTakes) {
  ProcessorScenario s;
  s.world.spoolPlayer.LeaveUnplayed(10);
  const auto data = Counting(5000);
  ASSERT_TRUE(s.Print(s.AddJob("EMF", data)).ok());
  EXPECT_EQ(s.world.spoolPlayer.Played(), std::vector<std::uint8_t>(data.begin(), data.end() - 10));
}

TEST(PassThrough, ReportsAWriteThePortRefuses) {
  ProcessorScenario s;
  s.world.journal.Fail("WritePrinter", 1130, 1, 1);
  const auto result = s.Print(s.AddJob("RAW", Counting(9000)));
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().code(), 1130u);
  ASSERT_EQ(s.world.jobs.Written().size(), 1u);
  EXPECT_TRUE(s.world.jobs.Written()[0].ended);
}

TEST(PassThrough, FailsAJobWithNoDataAtAll) {
  ProcessorScenario s;
  EXPECT_FALSE(s.Print(s.AddJob("RAW", {})).ok());
  EXPECT_TRUE(s.world.jobs.Written().empty());
}

TEST(PassThrough, ReportsTheReadChannelsStartFailureAfterCleaningUp) {
  ProcessorScenario s;
  s.world.journal.Fail("StartDocPrinter", 1804, 1);
  const auto result = s.Print(s.AddJob("RAW", Counting(10)));
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().code(), 1804u);
  EXPECT_TRUE(s.world.jobs.Written().empty());
}

TEST(PassThrough, ReportsAReadChannelThatCannotBeOpened) {
  ProcessorScenario s;
  s.world.journal.Fail("OpenPrinter", 5, 1, 1);
  const auto result = s.Print(s.AddJob("RAW", Counting(10)));
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error(), winerr::AccessDenied);
}

}  // namespace
