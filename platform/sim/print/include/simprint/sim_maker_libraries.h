// The maker's job-finishing and document-output libraries on the simulated
// machine. Whether each is there and exports its entry points is set by the
// test or the machine image; what they do is fixed and simple, so that a
// test can see every call and every callback:
//
// - the job-finishing library records every LGMain call (command and the
//   bytes it was given) and journals it; on opening the run it looks up the
//   three callbacks in the header it was given, the way the real one must,
//   and fails when they are not there; it calls the page-start callback on
//   command 6, writes a few bytes of printer data and calls the page-end
//   callback on command 7, and hands out a new handle for commands that make
//   an object;
// - the document-output library accepts the document or refuses it, and when
//   asked to print stores a value, sends the duplex message, plays the spool
//   file from behind its stream header (or the same records from memory)
//   and ends the page, through the callbacks it was given.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "simprint/call_journal.h"
#include "simprint/sim_print_services.h"
#include "platform/print/maker_libraries.h"

namespace sim::print {

struct LgMainCall {
  std::uint32_t command = 0;
  std::vector<std::uint8_t> data;
};

struct MakerLibrariesSetup {
  bool jobFinishing = true;  // vkijfc01.dll can be loaded
  bool lgMain = true;        // and exports "LGMain"
  bool documentOutput = false;        // voredf.dll can be loaded
  bool documentOutputEntries = true;  // and exports both entry points
  std::uint32_t addDocumentAnswer = plat::print::kDocumentAccepted;
  std::uint32_t startPrintingAnswer = 0;
  bool playFromMemory = false;  // callback 7 with the records instead of 6 with the file
  std::string windowsDirectory = "C:\\WINDOWS";
};

class SimMakerLibraries final : public plat::print::MakerLibraries {
 public:
  // The page data the job-finishing library writes for each page it ends.
  static constexpr std::string_view kPageData = "<page>";
  // The value the document-output library asks the processor to keep.
  static constexpr std::uint32_t kStoredValue = 0x5EED;

  SimMakerLibraries(CallJournal& journal, SimByteFiles& files) : journal_(journal), files_(files) {}

  MakerLibrariesSetup setup;
  const std::vector<LgMainCall>& Calls() const { return calls_; }
  // The numbers of the last callback table the document-output library got.
  const std::vector<std::uint32_t>& CallbackNumbers() const { return tableNumbers_; }
  int LoadedLibraries() const { return loaded_; }

  plat::print::Result<std::unique_ptr<plat::print::JobFinishingLibrary>> LoadJobFinishing() override;
  plat::print::Result<std::unique_ptr<plat::print::DocumentOutputLibrary>> LoadDocumentOutput() override;
  plat::print::Result<std::string> WindowsDirectory() override;

 private:
  friend class SimJobFinishing;
  friend class SimDocumentOutput;

  CallJournal& journal_;
  SimByteFiles& files_;
  std::vector<LgMainCall> calls_;
  std::vector<std::uint32_t> tableNumbers_;
  int loaded_ = 0;  // libraries loaded and not yet freed
  int nextLibrary_ = 0;
};

}  // namespace sim::print
