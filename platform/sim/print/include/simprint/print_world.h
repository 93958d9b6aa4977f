// A simulated machine as the print processor meets it: one journal, and the
// spooler, spool-stream player, host, events, files and device contexts that
// write to it. Tests and emfplay-sim build one, fill in printers and jobs,
// and hand `platform()` to the processor.
#pragma once
#include "simprint/call_journal.h"
#include "simprint/recording_gdi.h"
#include "simprint/sim_maker_libraries.h"
#include "simprint/sim_job_channel.h"
#include "simprint/sim_print_services.h"
#include "platform/print/processor_platform.h"

namespace sim::print {

class PrintWorld {
 public:
  PrintWorld()
      : jobs(journal), spoolPlayer(journal), host(journal), files(journal), gdi(journal), libraries(journal, files),
        platform_{jobs, spoolPlayer, host, events, files, gdi} {
    // What the printer's driver renders into a file lands among the files.
    gdi.SetDocumentSink([this](const std::string& path, std::vector<std::uint8_t> data) {
      files.Put(path, std::move(data));
    });
  }
  PrintWorld(const PrintWorld&) = delete;
  PrintWorld& operator=(const PrintWorld&) = delete;

  plat::print::ProcessorPlatform& platform() { return platform_; }

  CallJournal journal;
  SimJobChannel jobs;
  SimSpoolPlayer spoolPlayer;
  SimPrintHost host;
  SimEvents events;
  SimByteFiles files;
  RecordingGdi gdi;
  SimMakerLibraries libraries;  // outside the processor's platform bundle: only the finishing playback uses it

 private:
  plat::print::ProcessorPlatform platform_;
};

}  // namespace sim::print
