// Opening, closing and controlling the processor as the spooler does,
// including with handles that are not (or no longer) open.
#include "platform/win_errors.h"
#include "processor_harness.h"

namespace {

using emfplay::PrintProcessor;

TEST(ProcessorEntry, OpeningAPrinterThatDoesNotExistGivesNoHandle) {
  ProcessorScenario s;
  const auto id = s.processor.Open("NO SUCH PRINTER");
  ASSERT_FALSE(id.ok());
  EXPECT_EQ(id.error(), winerr::InvalidPrinterName);
  EXPECT_EQ(s.world.events.OpenEvents(), 0u);
}

TEST(ProcessorEntry, RefusesAHandleThatWasClosedOrNeverOpened) {
  ProcessorScenario s;
  const auto id = s.processor.Open(kPrinter);
  ASSERT_TRUE(id.ok());
  ASSERT_TRUE(s.processor.Close(*id).ok());
  EXPECT_EQ(s.world.jobs.OpenHandles(), 0u);
  EXPECT_EQ(s.world.events.OpenEvents(), 0u);

  const auto doc = s.AddJob("RAW", Counting(10));
  for (const PrintProcessor::ProcessorId stale : {*id, PrintProcessor::ProcessorId{0x1234}}) {
    const auto closed = s.processor.Close(stale);
    ASSERT_FALSE(closed.ok());
    EXPECT_EQ(closed.error(), winerr::InvalidHandle);
    const auto printed = s.processor.PrintDocument(stale, doc);
    ASSERT_FALSE(printed.ok());
    EXPECT_EQ(printed.error(), winerr::InvalidHandle);
    EXPECT_FALSE(s.processor.Control(stale, 3, std::nullopt, 0));
  }
}

TEST(ProcessorEntry, ControlTakesPauseResumeAndCancelOnAnOpenHandle) {
  ProcessorScenario s;
  const auto id = s.processor.Open(kPrinter);
  ASSERT_TRUE(id.ok());
  EXPECT_TRUE(s.processor.Control(*id, 1, std::nullopt, 0));
  EXPECT_TRUE(s.processor.Control(*id, 2, std::nullopt, 0));
  EXPECT_TRUE(s.processor.Control(*id, 2, std::nullopt, 0)) << "resuming a job that is not paused";
  EXPECT_TRUE(s.processor.Control(*id, 3, std::nullopt, 0));
  EXPECT_FALSE(s.processor.Control(*id, 4, std::nullopt, 0));
  EXPECT_FALSE(s.processor.Control(*id, 0, std::nullopt, 0));
  ASSERT_TRUE(s.processor.Close(*id).ok());
}

TEST(ProcessorEntry, WithoutAHandleOnlyACancelSucceedsAndForEmfItAbandonsTheSpoolStream) {
  ProcessorScenario s;
  EXPECT_FALSE(s.processor.Control(0, 1, "EMF", 0x77));
  EXPECT_FALSE(s.processor.Control(0, 2, "EMF", 0x77));
  EXPECT_FALSE(s.processor.Control(0, 4, "EMF", 0x77));
  EXPECT_TRUE(s.processor.Control(0, 3, "RAW", 0x77));
  EXPECT_TRUE(s.processor.Control(0, 3, std::nullopt, 0x77));
  EXPECT_TRUE(s.Lines().empty());

  EXPECT_TRUE(s.processor.Control(0, 3, "EMF", 0x77));
  EXPECT_EQ(s.Lines(), std::vector<std::string>{"gdiPlaySpoolStream(abandon stream 119, state 0)"});
  s.world.journal.Fail("gdiPlaySpoolStream.abandon", 5);
  EXPECT_FALSE(s.processor.Control(0, 3, "EMF", 0x77)) << "the player's answer is the control's";
}

}  // namespace
