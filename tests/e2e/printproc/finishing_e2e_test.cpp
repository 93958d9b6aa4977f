// Mode-0 "VEMF" jobs through the processor with the maker's libraries loaded
// for real (our doubles, beside this program): the header's callbacks, the
// document-output table and the entry points are called across the DLL
// boundary. The doubles log their calls beside themselves.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/log_beside_module.h"
#include "finishing/finishing_playback.h"
#include "processor/print_processor.h"
#include "simprint/print_world.h"
#include "vemf_writer.h"
#include "win32print/win32_maker_libraries.h"
#include "win32print/win32_print_ports.h"

namespace {

using doubles::Beside;

std::vector<std::string> LogLines(const std::string& name) {
  std::ifstream in(Beside(name));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

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

std::vector<std::uint8_t> TwoPageJob() {
  vemf::VemfWriter w;
  w.Header(0).StartPage({{28, 1}}).Rectangle({1, 1, 2, 2}).Summary({{28, 9}}).StartPage().EndOfDocument();
  return w.bytes();
}

struct WineFinishing : ::testing::Test {
  void SetUp() override {
    for (const char* log : {"vkijfc01.log", "voredf.log", "voredf.refuse"}) DeleteFileA(Beside(log).c_str());
    world.jobs.AddPrinter({"BRV-2100", "LPT1:"});
    world.host.SetComputerName("PC01");
  }

  // Prints job 7 holding `data`, also written to the spooler's file of the job.
  plat::print::Status Print(const std::vector<std::uint8_t>& data) {
    sim::print::SimJob job;
    job.record.jobId = 7;
    job.record.printerName = "BRV-2100";
    job.record.machineName = "\\\\PC01";
    job.record.datatype = "VEMF";
    job.data = data;
    world.jobs.AddJob(job);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string spool = std::string(windows) + "\\spool";
    CreateDirectoryA(spool.c_str(), nullptr);
    CreateDirectoryA((spool + "\\Printers").c_str(), nullptr);
    std::ofstream(spool + "\\Printers\\00007.spl", std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));

    auto id = processor.Open("BRV-2100");
    EXPECT_TRUE(id.ok());
    emfplay::DocumentData doc;
    doc.datatype = "VEMF";
    doc.document = "Report";
    doc.jobId = 7;
    auto result = processor.PrintDocument(*id, doc);
    EXPECT_TRUE(processor.Close(*id).ok());
    return result;
  }

  std::string Written() const {
    std::string out;
    for (const auto& w : world.jobs.Written()) out.append(w.data.begin(), w.data.end());
    return out;
  }

  sim::print::PrintWorld world;
  win32print::Win32ByteFiles files;  // the document-output library hands over real file handles
  win32print::Win32MakerLibraries libraries;
  plat::print::ProcessorPlatform platform{world.jobs, world.spoolPlayer, world.host, world.events, files, world.gdi};
  NoSeparators separators;
  emfplay::FinishingPlayback finisher{platform, libraries};
  emfplay::PrintProcessor processor{platform, {"Simple", "Full"}, separators, finisher};
};

TEST_F(WineFinishing, TheJobFinishingLibraryCallsBackThroughTheHeaderAndGetsEveryCommand) {
  std::ofstream(Beside("voredf.refuse")) << "refuse";
  ASSERT_TRUE(Print(TwoPageJob()).ok());
  EXPECT_EQ(Written(), "<page><page>");
  EXPECT_EQ(world.jobs.ReadChannelsStarted(7), 2);
  const auto calls = LogLines("vkijfc01.log");
  const std::vector<std::string> expected = {"LGMain|0|112|112", "LGMain|4|0|8",  "LGMain|6|106|40",
                                             "LGMain|56|43|24",  "LGMain|7|0|8",  "LGMain|6|106|8",
                                             "LGMain|7|0|8",     "LGMain|5|0|8",  "LGMain|2|14|8"};
  EXPECT_EQ(calls, expected);
  ASSERT_EQ(LogLines("voredf.log").size(), 1u);
  EXPECT_EQ(LogLines("voredf.log")[0].rfind("add|7|BRV-2100|", 0), 0u);
}

TEST_F(WineFinishing, TheDocumentOutputLibraryDrivesThePlaybackThroughItsTable) {
  ASSERT_TRUE(Print(TwoPageJob()).ok());
  EXPECT_EQ(world.jobs.ReadChannelsStarted(7), 1);
  const auto output = LogLines("voredf.log");
  ASSERT_EQ(output.size(), 2u);
  EXPECT_NE(output[0].find("\\spool\\Printers\\00007.spl|0,5,6,7,2,10,11,12,13,14,15,16,17|Report|VEMF|3"),
            std::string::npos)
      << output[0];
  EXPECT_EQ(output[1], "start");
  const auto calls = LogLines("vkijfc01.log");
  const std::vector<std::string> expected = {"LGMain|0|112|112", "LGMain|4|0|8",   "LGMain|60|70|32",
                                             "LGMain|59|0|32",   "LGMain|6|106|40", "LGMain|56|43|24",
                                             "LGMain|7|0|8",     "LGMain|6|106|8",  "LGMain|7|0|8",
                                             "LGMain|5|0|8",     "LGMain|2|14|8"};
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(Written(), "<page><page>");
}

// The status monitor is started with WinExec for a job from this computer;
// the double beside this program records the command line it got.
TEST(WineStatusMonitor, StartsWithThePrinterAndPortOfAJobFromThisComputer) {
  DeleteFileA(Beside("VKSTATUS.log").c_str());
  sim::print::PrintWorld world;
  win32print::Win32PrintHost host;
  win32print::Win32ByteFiles files;
  win32print::Win32MakerLibraries libraries;
  plat::print::ProcessorPlatform platform{world.jobs, world.spoolPlayer, host, world.events, files, world.gdi};
  NoSeparators separators;
  emfplay::FinishingPlayback finisher{platform, libraries};
  emfplay::PrintProcessor processor{platform, {"Simple", "Full"}, separators, finisher};
  world.jobs.AddPrinter({"BRV-2100", "LPT1:"});
  auto computer = host.ComputerName();
  ASSERT_TRUE(computer.ok());
  sim::print::SimJob job;
  job.record.jobId = 3;
  job.record.printerName = "BRV-2100";
  job.record.machineName = "\\\\" + *computer;
  job.record.datatype = "RAW";
  job.data = {'x'};
  world.jobs.AddJob(job);

  auto id = processor.Open("BRV-2100");
  ASSERT_TRUE(id.ok());
  emfplay::DocumentData doc;
  doc.datatype = "RAW";
  doc.document = "Plain";
  doc.jobId = 3;
  EXPECT_TRUE(processor.PrintDocument(*id, doc).ok());
  EXPECT_TRUE(processor.Close(*id).ok());

  // WinExec does not wait for the program.
  std::vector<std::string> lines;
  for (int i = 0; i < 100 && lines.empty(); ++i) {
    Sleep(100);
    lines = LogLines("VKSTATUS.log");
  }
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("VKSTATUS.EXE BRV-2100;LPT1:;PP;"), std::string::npos) << lines[0];
}

}  // namespace
