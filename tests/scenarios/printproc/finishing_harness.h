// The processor with the job-finishing playback on a simulated machine: the
// printer "BRV-2100" on "LPT1:" of "PC01", the maker's two libraries as the
// sim plays them, and each job also in the spooler's spool file, where the
// document-output library looks for it.
#pragma once
#include "finishing/finishing_playback.h"
#include "processor_harness.h"

struct FinishingScenario {
  FinishingScenario() {
    world.jobs.AddPrinter({kPrinter, kPort});
    world.host.SetComputerName("PC01");
  }

  emfplay::DocumentData AddJob(std::vector<std::uint8_t> data) {
    sim::print::SimJob job;
    job.record.jobId = nextJob;
    job.record.printerName = kPrinter;
    job.record.machineName = "\\\\PC01";
    job.record.document = "Report";
    job.record.datatype = "VEMF";
    job.record.status = jobStatus;
    job.data = data;
    world.jobs.AddJob(job);
    char name[64];
    std::snprintf(name, sizeof name, "C:\\WINDOWS\\spool\\Printers\\%05u.spl", nextJob);
    world.files.Put(name, std::move(data));
    emfplay::DocumentData doc;
    doc.datatype = "VEMF";
    doc.document = "Report";
    doc.jobId = nextJob++;
    return doc;
  }

  plat::print::Status Print(const emfplay::DocumentData& doc) {
    auto id = processor.Open(kPrinter);
    EXPECT_TRUE(id.ok());
    if (!id.ok()) return id.error();
    handle = *id;
    auto result = processor.PrintDocument(*id, doc);
    EXPECT_TRUE(processor.Close(*id).ok());
    EXPECT_EQ(world.jobs.OpenHandles(), 0u) << "every printer opened is closed";
    EXPECT_EQ(world.files.OpenFiles(), 0u) << "every file opened is closed";
    EXPECT_EQ(world.libraries.LoadedLibraries(), 0) << "every library loaded is freed";
    return result;
  }

  std::vector<std::string> Lines() const { return world.journal.Lines(); }
  std::vector<std::string> LinesStarting(std::string_view prefix) const {
    std::vector<std::string> out;
    for (const auto& l : Lines())
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
  }
  // The LGMain commands in the order they were sent.
  std::vector<std::uint32_t> Commands() const {
    std::vector<std::uint32_t> out;
    for (const auto& c : world.libraries.Calls()) out.push_back(c.command);
    return out;
  }
  // The data of the calls with `command`, in order.
  std::vector<std::vector<std::uint8_t>> DataOf(std::uint32_t command) const {
    std::vector<std::vector<std::uint8_t>> out;
    for (const auto& c : world.libraries.Calls())
      if (c.command == command) out.push_back(c.data);
    return out;
  }

  sim::print::PrintWorld world;
  RecordingSeparators separators{world.journal};
  emfplay::FinishingPlayback finisher{world.platform(), world.libraries};
  emfplay::PrintProcessor processor{world.platform(), {"Simple", "Full"}, separators, finisher};
  emfplay::PrintProcessor::ProcessorId handle = 0;
  std::uint32_t nextJob = 7;
  std::uint32_t jobStatus = 0;
};

inline std::uint32_t Field(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t v = 0;
  if (at + 4 <= bytes.size()) std::memcpy(&v, bytes.data() + at, 4);
  return v;
}
