// The command line of emfplay-sim.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SimOptions {
  enum class Command { Play, Render, Sample, Help } command = Command::Help;
  std::string jobPath;     // play: the job's bytes; sample: where to write
  std::string machinePath;  // a machine image for the printers and the computer name
  std::string printer;
  std::string port = "LPT1:";
  std::string datatype = "VEMF";
  std::optional<std::string> document;
  std::optional<std::string> fromMachine;
  std::optional<std::string> outputFile;
  std::optional<std::string> separatorFile;
  std::size_t readSize = 0;  // 0: as much as the processor asks for
  std::optional<std::size_t> pauseAt;
  std::optional<std::size_t> cancelAt;
  bool cancelWhenPaused = false;
  bool allCalls = false;
  bool refuseDocuments = false;
  std::uint32_t sampleMode = 1;  // sample: 0 with --finishing
  std::string renderPath;        // render: OUT.pdf or OUT.png
  std::size_t dpi = 100;         // render: picture pixels an inch
};

inline constexpr const char* kSimUsage =
    "usage: emfplay-sim play [options] JOB\n"
    "       emfplay-sim render [options] [--dpi N] JOB OUT.pdf|OUT.png\n"
    "       emfplay-sim sample [--finishing] OUT\n"
    "\n"
    "play: prints JOB through the print processor as the spooler would, on a simulated\n"
    "machine, and lists every call the processor makes, numbered.\n"
    "  --machine IMAGE     printers and computer name from a machine image\n"
    "  --printer NAME      the printer (default: the image's first, else \"Printer\")\n"
    "  --port PORT         its port when there is no image (default LPT1:)\n"
    "  --datatype NAME     RAW, EMF or VEMF (default VEMF)\n"
    "  --document NAME     the document name (default: the file's name)\n"
    "  --from COMPUTER     the computer the job comes from (default: this one)\n"
    "  --output FILE       the job's output file (printing to a file)\n"
    "  --separator NAME    the separator file name (\"Simple\", \"Full\" or a path)\n"
    "  --read-size N       bytes each read of the spooled job brings at most\n"
    "  --refuse-documents  the document-output library (when there) refuses the job\n"
    "  --pause-at N        pause the job when call N is made\n"
    "  --cancel-at N       cancel the job when call N is made\n"
    "  --cancel-when-paused  cancel a paused job instead of resuming it\n"
    "  --all               list the spooler's reads too\n"
    "render: prints JOB as play does (same options) and draws the pages the printer\n"
    "receives: all of them into OUT.pdf, or each into a PNG of its own, OUT-1.png,\n"
    "OUT-2.png and on (N pixels an inch, 100 unless told).\n"
    "sample: writes a two-page \"VEMF\" job to OUT.\n";

// False with `error` set for a command line that cannot be run.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions* options, std::string* error);
