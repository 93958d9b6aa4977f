// emfplay-sim: the print processor on Linux. It prints a job file through the
// processor as the spooler would, on a simulated machine (optionally taken
// from a machine image), and lists every call the processor makes: on the
// spooler, the system's player, the host and the printer's device context.
// Pause and cancel can be given at any call, as the spooler's other thread
// would give them.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "finishing/finishing_playback.h"
#include "platform/win_errors.h"
#include "processor/print_processor.h"
#include "processor/seams.h"
#include "processor/string_table.h"
#include "builtin_assets.h"
#include "sample_job.h"
#include "separator/separator_printer.h"
#include "sim/machine.h"
#include "sim_options.h"
#include "simprint/print_world.h"
#include "simrender/rendering_gdi.h"

namespace {

constexpr int kPrinted = 0;
constexpr int kNotPrinted = 1;
constexpr int kRunnerFailure = 2;
constexpr std::uint32_t kJobId = 1;

bool ReadBytes(const std::string& path, std::vector<std::uint8_t>* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string BaseName(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The maker's two libraries as the image's "libraries" lists them (by bare
// name or full path): there when listed, with the entry points it exports.
void MakerLibrariesFromImage(const nlohmann::json& image, sim::print::MakerLibrariesSetup* setup) {
  setup->jobFinishing = setup->lgMain = setup->documentOutput = setup->documentOutputEntries = false;
  if (!image.contains("libraries") || !image["libraries"].is_object()) return;
  auto exports = [](const nlohmann::json& library, std::string_view name) {
    if (!library.contains("exports")) return false;
    for (const auto& e : library["exports"])
      if (e.is_string() && e.get<std::string>() == name) return true;
    return false;
  };
  for (const auto& [path, library] : image["libraries"].items()) {
    std::string base = BaseName(path);
    for (char& c : base) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (base == "vkijfc01.dll") {
      setup->jobFinishing = true;
      setup->lgMain = exports(library, "LGMain");
    } else if (base == "voredf.dll") {
      setup->documentOutput = true;
      setup->documentOutputEntries =
          exports(library, "edf_add_document_a") && exports(library, "edf_start_printing");
    }
  }
}

// Printers and the computer's name from a machine image; the first printer's
// name when there is one.
bool FillFromMachine(const std::string& path, sim::print::PrintWorld& world, std::string* computer,
                     std::string* firstPrinter) {
  std::string text;
  {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      std::cerr << "emfplay-sim: cannot read the machine image " << path << "\n";
      return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
  }
  sim::LoadError error;
  auto machine = sim::Machine::FromText(text, &error);
  if (!machine) {
    std::cerr << "emfplay-sim: " << path << " is not a usable machine image: " << error.ToString() << "\n";
    return false;
  }
  std::vector<plat::PrinterInfo> printers;
  if (machine->platform().spooler.ListPrinters(plat::spool::EnumLocal, &printers) != winerr::Success) printers.clear();
  for (const auto& p : printers) world.jobs.AddPrinter({p.printerName, p.portName});
  if (!printers.empty()) *firstPrinter = printers.front().printerName;
  const auto value = machine->Value("HKLM\\System\\CurrentControlSet\\control\\ComputerName\\ComputerName",
                                    "ComputerName");
  // The separator page names the Windows the image runs.
  plat::OsVersion version;
  if (machine->platform().osInfo.GetVersion(&version) == winerr::Success)
    world.host.SetVersion({version.major, version.minor});
  // Windows always has the key; an image that does not spell it out still
  // names its computer.
  *computer = value ? value->AsText() : machine->platform().osInfo.ComputerName();
  MakerLibrariesFromImage(nlohmann::json::parse(text), &world.libraries.setup);
  return true;
}

// The journal as emfplay-sim shows it: numbered, the spooler's reads left
// out unless asked for.
void PrintJournal(const std::vector<std::string>& lines, bool all) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!all && lines[i].rfind("ReadPrinter(", 0) == 0) continue;
    std::cout << std::string(i + 1 < 10 ? 4 : i + 1 < 100 ? 3 : i + 1 < 1000 ? 2 : 1, ' ') << i + 1 << "  "
              << lines[i] << "\n";
  }
}

void PrintOutcome(const sim::print::PrintWorld& world, const plat::print::Status& result) {
  std::cout << "\n";
  for (const auto& doc : world.jobs.Written())
    std::cout << "written to " << doc.printer << ": " << doc.data.size() << " bytes as \"" << doc.doc.datatype
              << "\"" << (doc.ended ? "" : " (not ended)") << "\n";
  if (!world.spoolPlayer.Played().empty())
    std::cout << "played by the system's player: " << world.spoolPlayer.Played().size() << " bytes\n";
  for (const auto& problem : world.gdi.Problems()) std::cout << "device-context misuse: " << problem << "\n";
  if (world.gdi.LiveObjects() != 0) std::cout << "objects never deleted: " << world.gdi.LiveObjects() << "\n";
  if (result.ok())
    std::cout << "result: printed\n";
  else
    std::cout << "result: not printed (" << winerr::Name(result.error().code()) << ")\n";
}

// The pages drawn, into one PDF or a PNG each (OUT-1.png, OUT-2.png, ...).
bool WritePictures(const sim::print::PageSet& pages, const std::string& out) {
  if (pages.size() == 0) {
    std::cerr << "emfplay-sim: the job printed no page; nothing is written\n";
    return false;
  }
  if (out.ends_with(".pdf")) {
    if (!pages.WritePdf(out)) {
      std::cerr << "emfplay-sim: cannot write " << out << "\n";
      return false;
    }
    std::cout << pages.size() << (pages.size() == 1 ? " page" : " pages") << " drawn into " << out << "\n";
    return true;
  }
  const std::string stem = out.substr(0, out.size() - 4);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const std::string path = stem + "-" + std::to_string(i + 1) + ".png";
    if (!pages.WritePng(i, path)) {
      std::cerr << "emfplay-sim: cannot write " << path << "\n";
      return false;
    }
    std::cout << "page " << i + 1 << " drawn into " << path << "\n";
  }
  return true;
}

int Play(const SimOptions& o) {
  std::vector<std::uint8_t> data;
  if (!ReadBytes(o.jobPath, &data)) {
    std::cerr << "emfplay-sim: cannot read the job " << o.jobPath << "\n";
    return kRunnerFailure;
  }

  sim::print::PrintWorld world;
  std::string computer = "THIS-PC";
  std::string printer = o.printer.empty() ? "Printer" : o.printer;
  if (!o.machinePath.empty()) {
    std::string first;
    if (!FillFromMachine(o.machinePath, world, &computer, &first)) return kRunnerFailure;
    if (o.printer.empty()) printer = first;
  } else {
    world.jobs.AddPrinter({printer, o.port});
  }
  world.host.SetComputerName(computer);
  if (o.readSize) world.jobs.SetReadPattern({o.readSize});

  sim::print::SimJob job;
  job.record.jobId = kJobId;
  job.record.printerName = printer;
  job.record.machineName = o.fromMachine.value_or("\\\\" + computer);
  job.record.userName = "user";
  job.record.document = o.document.value_or(BaseName(o.jobPath));
  job.record.datatype = o.datatype;
  job.record.submitted = {2026, 3, 2, 17, 14, 30, 5, 0};
  job.data = std::move(data);
  world.jobs.AddJob(job);
  // The document-output library reads the job from the spooler's own file.
  char spoolFile[64];
  std::snprintf(spoolFile, sizeof spoolFile, "C:\\WINDOWS\\spool\\Printers\\%05u.spl", kJobId);
  world.files.Put(spoolFile, job.data);
  if (o.refuseDocuments) world.libraries.setup.addDocumentAnswer = 0;

  // A separator file named by a path that exists here is the machine's too.
  if (o.separatorFile) {
    std::vector<std::uint8_t> separator;
    if (ReadBytes(*o.separatorFile, &separator)) world.files.Put(*o.separatorFile, std::move(separator));
  }
  // Rendering draws what the printer's device context receives, and hands
  // every call on to the recording one.
  const bool render = o.command == SimOptions::Command::Render;
  sim::print::RenderSettings settings;
  settings.scale = static_cast<double>(o.dpi) / settings.dpi;
  sim::print::RenderingGdi renderer(world.gdi, settings);
  plat::print::ProcessorPlatform rendering{world.jobs, world.spoolPlayer, world.host, world.events, world.files,
                                           renderer};
  plat::print::ProcessorPlatform& platform = render ? rendering : world.platform();

  const wmf::BuiltInAssets assets;
  emfplay::FinishingPlayback finisher(platform, world.libraries);
  emfplay::separator::SeparatorPrinter separators(platform, assets.assets(), finisher);
  emfplay::SeparatorNames names{std::string(emfplay::BuiltInString(emfplay::kStringSimpleSeparator).value_or("")),
                                std::string(emfplay::BuiltInString(emfplay::kStringFullSeparator).value_or(""))};
  emfplay::PrintProcessor processor(platform, names, separators, finisher);

  auto opened = processor.Open(printer);
  if (!opened.ok()) {
    std::cerr << "emfplay-sim: the processor cannot open \"" << printer << "\" ("
              << winerr::Name(opened.error().code()) << ")\n";
    PrintJournal(world.journal.Lines(), true);
    return kRunnerFailure;
  }
  const auto id = *opened;

  // The spooler's other thread, played at the calls asked for.
  world.journal.SetHook([&](std::size_t number, const std::string&) {
    if (o.pauseAt && number == *o.pauseAt) static_cast<void>(processor.Control(id, 1, std::nullopt, 0));
    if (o.cancelAt && number == *o.cancelAt) static_cast<void>(processor.Control(id, 3, std::nullopt, 0));
  });
  world.events.SetBlockHook([&](plat::Handle) {
    world.journal.Add(std::string("-- the job waits while paused; the spooler ") +
                      (o.cancelWhenPaused ? "cancels" : "resumes") + " it");
    static_cast<void>(processor.Control(id, o.cancelWhenPaused ? 3 : 2, std::nullopt, 0));
  });

  emfplay::DocumentData doc;
  doc.datatype = o.datatype;
  doc.document = job.record.document;
  doc.jobId = kJobId;
  doc.outputFile = o.outputFile;
  doc.spoolStream = 0x1000;
  doc.separatorFile = o.separatorFile;
  const auto result = processor.PrintDocument(id, doc);
  static_cast<void>(processor.Close(id));  // a close failure would show in the journal

  if (render) {
    if (!WritePictures(renderer.pages(), o.renderPath)) return kRunnerFailure;
  } else {
    PrintJournal(world.journal.Lines(), o.allCalls);
  }
  PrintOutcome(world, result);
  return result.ok() ? kPrinted : kNotPrinted;
}

}  // namespace

int main(int argc, char** argv) {
  SimOptions options;
  std::string error;
  if (!ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &error)) {
    std::cerr << "emfplay-sim: " << error << "\n" << kSimUsage;
    return kRunnerFailure;
  }
  switch (options.command) {
    case SimOptions::Command::Help:
      std::cout << kSimUsage;
      return 0;
    case SimOptions::Command::Sample:
      if (!WriteBytes(options.jobPath, SampleJob("Printer", options.sampleMode))) {
        std::cerr << "emfplay-sim: cannot write " << options.jobPath << "\n";
        return kRunnerFailure;
      }
      return 0;
    case SimOptions::Command::Play:
    case SimOptions::Command::Render:
      return Play(options);
  }
  return kRunnerFailure;
}
