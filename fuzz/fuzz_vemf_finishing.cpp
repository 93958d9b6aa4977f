// A "VEMF" job of arbitrary bytes, in mode 0, through the processor with the
// job-finishing playback on the simulated machine. The first byte chooses
// whether the document-output library is there and how it plays the job,
// and how many bytes each read of the spooler brings. The header copy, the
// page buffer and the summary patching must not crash or read outside a
// record, and every printer, file and library the job used must be closed,
// every buffer file deleted, whatever the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <span>
#include <vector>

#include "finishing/finishing_playback.h"
#include "processor/print_processor.h"
#include "simprint/print_world.h"

namespace {

class NoSeparators final : public emfplay::SeparatorPages {
 public:
  int PrintSeparatorJob(plat::Handle, std::uint32_t, std::string_view, emfplay::SeparatorKind,
                        std::string_view) override {
    return 0;
  }
  int PrintSeparatorInJob(emfplay::ProcessorHandle&, plat::Handle, std::uint32_t, std::string_view,
                          emfplay::SeparatorKind, std::string_view) override {
    return 0;
  }
};

std::size_t Count(const std::vector<std::string>& lines, std::string_view prefix) {
  std::size_t n = 0;
  for (const auto& l : lines) n += l.rfind(prefix, 0) == 0;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const std::size_t kSteps[] = {4096, 1, 7, 100, 4095, 512};
  const std::uint8_t choice = data[0];
  sim::print::PrintWorld world;
  world.jobs.AddPrinter({"P", "LPT1:"});
  world.jobs.SetReadPattern({kSteps[(choice >> 2) % std::size(kSteps)]});
  world.libraries.setup.documentOutput = (choice & 1) != 0;
  world.libraries.setup.playFromMemory = (choice & 2) != 0;

  std::vector<std::uint8_t> job = {'V', 'E', 'M', 'F'};
  job.insert(job.end(), data + 1, data + size);
  sim::print::SimJob spooled;
  spooled.record.jobId = 3;
  spooled.record.printerName = "P";
  spooled.record.datatype = "VEMF";
  spooled.data = job;
  world.jobs.AddJob(spooled);
  world.files.Put("C:\\WINDOWS\\spool\\Printers\\00003.spl", job);

  NoSeparators separators;
  emfplay::FinishingPlayback finisher(world.platform(), world.libraries);
  emfplay::PrintProcessor processor(world.platform(), {"Simple", "Full"}, separators, finisher);
  auto id = processor.Open("P");
  if (!id.ok()) std::abort();
  emfplay::DocumentData doc;
  doc.datatype = "VEMF";
  doc.document = "Doc";
  doc.jobId = 3;
  static_cast<void>(processor.PrintDocument(*id, doc));  // printed or not, both are fine here
  if (!processor.Close(*id).ok()) std::abort();

  const auto lines = world.journal.Lines();
  if (world.jobs.OpenHandles() != 0 || world.files.OpenFiles() != 0 || world.libraries.LoadedLibraries() != 0)
    std::abort();
  if (Count(lines, "GetTempFileName(") != Count(lines, "DeleteFile("))
    std::abort();
  return 0;
}
