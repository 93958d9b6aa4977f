// A print processor on a simulated machine with one printer, "BRV-2100" on
// "LPT1:", on the computer "PC01", and the spooler's side of a job as a test
// writes it. The separator page and the job-finishing playback are recorded
// in the journal, so the tests see when and how the processor reaches them.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "processor/datatypes.h"
#include "processor/print_processor.h"
#include "simprint/print_world.h"
#include "vemf_writer.h"

inline constexpr const char* kPrinter = "BRV-2100";
inline constexpr const char* kPort = "LPT1:";

class RecordingSeparators final : public emfplay::SeparatorPages {
 public:
  explicit RecordingSeparators(sim::print::CallJournal& journal) : journal_(journal) {}
  int PrintSeparatorJob(plat::Handle, std::uint32_t jobId, std::string_view destination, emfplay::SeparatorKind kind,
                        std::string_view file) override {
    journal_.Add("separator job " + Describe(jobId, destination, kind, file));
    return 1;
  }
  int PrintSeparatorInJob(emfplay::ProcessorHandle&, plat::Handle, std::uint32_t jobId, std::string_view destination,
                          emfplay::SeparatorKind kind, std::string_view file) override {
    journal_.Add("separator in job " + Describe(jobId, destination, kind, file));
    return 1;
  }

 private:
  static std::string Describe(std::uint32_t jobId, std::string_view destination, emfplay::SeparatorKind kind,
                              std::string_view file) {
    return std::to_string(jobId) + " to " + std::string(destination) + ", kind " +
           std::to_string(static_cast<int>(kind)) + ", " + std::string(file);
  }
  sim::print::CallJournal& journal_;
};

class RecordingFinisher final : public emfplay::JobFinisher {
 public:
  explicit RecordingFinisher(sim::print::CallJournal& journal) : journal_(journal) {}
  int PlayFinished(emfplay::ProcessorHandle& handle, emfplay::FinishingJob& job) override {
    journal_.Add("finish " + std::string(job.document) + " to " + std::string(job.destination) + " on " +
                 std::string(job.device) + ", header " + std::to_string(job.header.size()) + " bytes" +
                 (handle.outputFile ? ", into the output file" : "") +
                 (handle.writeChannelOpen ? ", through the write channel" : ""));
    return result;
  }
  int result = 1;

 private:
  sim::print::CallJournal& journal_;
};

struct ProcessorScenario {
  ProcessorScenario() {
    world.jobs.AddPrinter({kPrinter, kPort});
    world.host.SetComputerName("PC01");
  }

  // A job of `datatype` holding `data`, sent from `machine`.
  emfplay::DocumentData AddJob(std::string datatype, std::vector<std::uint8_t> data,
                               std::string machine = "\\\\PC01") {
    sim::print::SimJob job;
    job.record.jobId = nextJob;
    job.record.printerName = kPrinter;
    job.record.machineName = std::move(machine);
    job.record.userName = "anna";
    job.record.document = "Report";
    job.record.datatype = datatype;
    job.data = std::move(data);
    world.jobs.AddJob(job);
    emfplay::DocumentData doc;
    doc.datatype = std::move(datatype);
    doc.document = "Report";
    doc.jobId = nextJob++;
    doc.spoolStream = 0x5500;
    return doc;
  }

  // Opens the printer, prints the document, closes.
  plat::print::Status Print(const emfplay::DocumentData& doc) {
    auto id = processor.Open(kPrinter);
    EXPECT_TRUE(id.ok());
    if (!id.ok()) return id.error();
    handle = *id;
    auto result = processor.PrintDocument(*id, doc);
    EXPECT_TRUE(processor.Close(*id).ok());
    EXPECT_EQ(world.jobs.OpenHandles(), 0u) << "every printer opened is closed";
    EXPECT_EQ(world.events.OpenEvents(), 0u);
    return result;
  }

  std::vector<std::string> Lines() const { return world.journal.Lines(); }
  // The journal lines that start with `prefix`.
  std::vector<std::string> LinesStarting(std::string_view prefix) const {
    std::vector<std::string> out;
    for (const auto& l : Lines())
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    return out;
  }
  bool Has(std::string_view line) const {
    const auto lines = Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  sim::print::PrintWorld world;
  RecordingSeparators separators{world.journal};
  RecordingFinisher finisher{world.journal};
  emfplay::PrintProcessor processor{world.platform(), {"Simple", "Full"}, separators, finisher};
  emfplay::PrintProcessor::ProcessorId handle = 0;
  std::uint32_t nextJob = 7;
};

// Bytes 0, 1, 2 ... of a job of `size` bytes.
inline std::vector<std::uint8_t> Counting(std::size_t size, std::uint8_t start = 0) {
  std::vector<std::uint8_t> v(size);
  for (std::size_t i = 0; i < size; ++i) v[i] = static_cast<std::uint8_t>(start + i * 13);
  return v;
}
