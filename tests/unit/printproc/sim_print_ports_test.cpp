// The simulated print ports behave like the Windows calls they stand for in
// the ways the processor's tests rely on.
#include <gtest/gtest.h>

#include <thread>

#include "simprint/print_world.h"

namespace {

using sim::print::PrintWorld;
namespace pp = plat::print;

TEST(RecordingGdi, RefusesToDeleteAnObjectThatIsStillSelectedAndReportsIt) {
  PrintWorld w;
  const auto dc = w.gdi.CreateDc("", "P", "", {});
  ASSERT_TRUE(dc.ok());
  const auto pen = w.gdi.CreatePenIndirect({0, 1, 0});
  ASSERT_TRUE(pen.ok());
  ASSERT_TRUE(w.gdi.SelectObject(*dc, *pen).ok());

  EXPECT_FALSE(w.gdi.DeleteObject(*pen).ok());
  EXPECT_EQ(w.gdi.Problems().size(), 1u);
  EXPECT_EQ(w.gdi.LiveObjects(), 1u);
}

TEST(RecordingGdi, RestoreDcPutsBackTheObjectsSelectedAtTheSave) {
  PrintWorld w;
  const auto dc = w.gdi.CreateDc("", "P", "", {});
  ASSERT_TRUE(dc.ok());
  const auto stock = w.gdi.GetCurrentObject(*dc, pp::ObjectKind::Pen);
  ASSERT_TRUE(stock.ok());
  ASSERT_TRUE(w.gdi.SaveDC(*dc).ok());
  const auto pen = w.gdi.CreatePenIndirect({0, 1, 0});
  ASSERT_TRUE(pen.ok());
  ASSERT_TRUE(w.gdi.SelectObject(*dc, *pen).ok());
  ASSERT_TRUE(w.gdi.RestoreDC(*dc, -1).ok());

  EXPECT_EQ(w.gdi.GetCurrentObject(*dc, pp::ObjectKind::Pen).value_or(0), *stock);
  EXPECT_TRUE(w.gdi.DeleteObject(*pen).ok());
  EXPECT_FALSE(w.gdi.RestoreDC(*dc, -1).ok()) << "nothing is saved any more";
}

TEST(RecordingGdi, ReportsCallsOnADeviceContextThatIsGone) {
  PrintWorld w;
  const auto dc = w.gdi.CreateDc("", "P", "", {});
  ASSERT_TRUE(dc.ok());
  ASSERT_TRUE(w.gdi.DeleteDc(*dc).ok());
  EXPECT_FALSE(w.gdi.Rectangle(*dc, {0, 0, 1, 1}).ok());
  ASSERT_EQ(w.gdi.Problems().size(), 1u);
  EXPECT_NE(w.gdi.Problems()[0].find("Rectangle"), std::string::npos);
}

TEST(SimJobChannel, ReadsAJobBackInPiecesOfTheChosenSizes) {
  PrintWorld w;
  w.jobs.AddPrinter({"P", "LPT1:"});
  sim::print::SimJob job;
  job.record.jobId = 4;
  job.data.assign(10, 7);
  w.jobs.AddJob(job);
  w.jobs.SetReadPattern({3, 0});

  const auto h = w.jobs.OpenPrinter("p");
  ASSERT_TRUE(h.ok()) << "printer names compare without case";
  ASSERT_TRUE(w.jobs.StartDoc(*h, {"d", std::nullopt, "RAW", pp::kDocModeReadSpooledJob, 4}).ok());
  std::uint8_t buf[8];
  std::vector<std::size_t> sizes;
  for (;;) {
    const auto n = w.jobs.Read(*h, buf);
    ASSERT_TRUE(n.ok());
    if (*n == 0) break;
    sizes.push_back(*n);
  }
  EXPECT_EQ(sizes, (std::vector<std::size_t>{3, 7}));
  EXPECT_FALSE(w.jobs.StartDoc(*h, {"d", std::nullopt, "RAW", pp::kDocModeReadSpooledJob, 4}).ok())
      << "a document is still open on the handle";
}

TEST(CallJournal, FailsACallOnlyInsideItsWindow) {
  sim::print::CallJournal j;
  j.Fail("X", 5, 2, 1);
  EXPECT_FALSE(j.FaultFor("X").has_value());
  EXPECT_EQ(j.FaultFor("X"), pp::Error(5));
  EXPECT_EQ(j.FaultFor("X"), pp::Error(5));
  EXPECT_FALSE(j.FaultFor("X").has_value());
  EXPECT_FALSE(j.FaultFor("Y").has_value());
}

TEST(SimEvents, AutoResetEventLetsOneWaitThroughAndBlocksUntilSetFromAnotherThread) {
  sim::print::SimEvents events;
  const auto e = events.CreateAutoReset(true);
  ASSERT_TRUE(e.ok());
  ASSERT_TRUE(events.Wait(*e).ok()) << "signalled at creation";

  std::thread setter;
  events.SetBlockHook([&](plat::Handle h) {
    setter = std::thread([&events, h] { static_cast<void>(events.Set(h)); });
  });
  ASSERT_TRUE(events.Wait(*e).ok());
  setter.join();
  EXPECT_EQ(events.BlockedWaits(), 1);
}

}  // namespace
