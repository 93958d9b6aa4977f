// emfplay.dll driven as the 9x spooler drives it, on a printer of the Wine
// prefix: the library is loaded, initialised once, asked for its datatypes,
// opened on the printer, given jobs, paused, resumed, cancelled and closed.
//
// Wine's spooler has no read channel for a spooled job: a document started
// in the read mode is a new, empty job there. So this program plays that part
// too: its ReadPrinter stands in for the spooler's on the processor's read
// channel and hands out the job under test in pieces. Everything else is
// Wine's: the printer, the job records, the write channel, the PostScript
// device context and the files the jobs are printed to.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

// The writer's own names, not the ANSI forms of the Windows calls.
#undef CreateFont
#undef TextOut
#include "vemf_writer.h"

namespace {

constexpr char kPrinter[] = "Vemf Harness";
constexpr char kDriver[] = "Vemf Harness Driver";
constexpr char kDescription[] =
    "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageLevel: \"2\"\n*NickName: \"Vemf Harness\"\n"
    "*ColorDevice: False\n*DefaultColorSpace: Gray\n*DefaultResolution: 300dpi\n"
    "*DefaultPageSize: A4\n*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*DefaultPageRegion: A4\n*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n"
    "*DefaultFont: Courier\n*Font Courier: Standard \"(002.004S)\" Standard ROM\n";
constexpr DWORD kFinishWithin = 20000;  // ms a job may take before the test calls it hung

std::string Beside(const std::string& name) {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// --- The read channel this program stands in for ---------------------------

struct JobBytes {
  std::mutex lock;
  std::vector<std::uint8_t> bytes;
  std::size_t at = 0;
  std::size_t piece = 1000;  // at most this much per read, as a spooler hands out what it has
  HANDLE channel = nullptr;  // the read channel: the first handle to read the job
  bool serving = false;
  int reads = 0;
  HANDLE firstRead = nullptr;  // set on the first read of a job
};
JobBytes g_job;

std::uint8_t* g_readPrinter = nullptr;  // Wine's ReadPrinter, its first bytes replaced by a jump here
std::uint8_t g_readPrinterStart[5] = {};
std::uint8_t g_jump[5] = {};

void Place(const std::uint8_t (&bytes)[5]) {
  DWORD old = 0;
  VirtualProtect(g_readPrinter, 5, PAGE_EXECUTE_READWRITE, &old);
  std::memcpy(g_readPrinter, bytes, 5);
  VirtualProtect(g_readPrinter, 5, old, &old);
  FlushInstructionCache(GetCurrentProcess(), g_readPrinter, 5);
}

// The job under test goes to the processor's read channel. Wine delivers a
// finished job to its port by reading it with ReadPrinter on a handle of its
// own, inside EndDocPrinter: the first read on another handle means that has
// begun, and from then on Wine's own ReadPrinter answers.
BOOL WINAPI HarnessReadPrinter(HANDLE printer, LPVOID into, DWORD size, LPDWORD got) {
  std::lock_guard<std::mutex> hold(g_job.lock);
  if (g_job.serving && !g_job.channel) g_job.channel = printer;
  if (!g_job.serving || printer != g_job.channel) {
    g_job.serving = false;
    Place(g_readPrinterStart);
    const BOOL answer =
        reinterpret_cast<BOOL(WINAPI*)(HANDLE, LPVOID, DWORD, LPDWORD)>(g_readPrinter)(printer, into, size, got);
    const DWORD error = GetLastError();
    Place(g_jump);
    SetLastError(error);
    return answer;
  }
  const std::size_t n = std::min({static_cast<std::size_t>(size), g_job.piece, g_job.bytes.size() - g_job.at});
  if (n) std::memcpy(into, g_job.bytes.data() + g_job.at, n);
  g_job.at += n;
  if (got) *got = static_cast<DWORD>(n);
  if (g_job.reads++ == 0 && g_job.firstRead) SetEvent(g_job.firstRead);
  return TRUE;
}

bool DivertReadPrinter() {
  HMODULE spooler = LoadLibraryA("winspool.drv");
  g_readPrinter = spooler ? reinterpret_cast<std::uint8_t*>(GetProcAddress(spooler, "ReadPrinter")) : nullptr;
  if (!g_readPrinter) return false;
  std::memcpy(g_readPrinterStart, g_readPrinter, 5);
  const auto target = reinterpret_cast<std::uintptr_t>(&HarnessReadPrinter);
  const auto rel = static_cast<std::int32_t>(target - (reinterpret_cast<std::uintptr_t>(g_readPrinter) + 5));
  g_jump[0] = 0xE9;
  std::memcpy(g_jump + 1, &rel, 4);
  Place(g_jump);
  return true;
}

// The next job the processor reads.
void ServeJob(std::vector<std::uint8_t> bytes) {
  std::lock_guard<std::mutex> hold(g_job.lock);
  g_job.bytes = std::move(bytes);
  g_job.at = 0;
  g_job.reads = 0;
  g_job.channel = nullptr;
  g_job.serving = true;
}

// --- The printer -------------------------------------------------------------

std::string InstallPrinter() {
  // Wine's spooler wants real program files for the driver; a library of
  // ours under the driver's names will do, nothing loads them as a driver.
  const std::string fake = Beside("fake_driver.dll");
  // The files are put where the spooler keeps its drivers' files: Wine's
  // does not copy them there itself.
  char drivers[MAX_PATH] = {};
  DWORD size = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(drivers), sizeof drivers, &size))
    return "GetPrinterDriverDirectory: " + std::to_string(GetLastError());
  const std::string dir = std::string(drivers) + "\\3";
  CreateDirectoryA(dir.c_str(), nullptr);
  for (const char* file : {"vemfh.dll", "vemfhui.dll"})
    if (!CopyFileA(fake.c_str(), (dir + "\\" + file).c_str(), FALSE)) return "copying " + fake;
  // Wine makes a printer's device context with its PostScript driver, which
  // reads the printer's description from the driver's data file.
  std::ofstream(dir + "\\vemfh.ppd", std::ios::binary) << kDescription;

  std::string name = kDriver, env = "Windows NT x86", driverPath = dir + "\\vemfh.dll",
              config = dir + "\\vemfhui.dll", data = dir + "\\vemfh.ppd";
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = name.data();
  driver.pEnvironment = env.data();
  driver.pDriverPath = driverPath.data();
  driver.pConfigFile = config.data();
  driver.pDataFile = data.data();
  if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<LPBYTE>(&driver), APD_COPY_NEW_FILES))
    return "AddPrinterDriverEx: " + std::to_string(GetLastError());

  std::string printer = kPrinter, port = "FILE:", processor = "WinPrint", datatype = "RAW";
  PRINTER_INFO_2A info{};
  info.pPrinterName = printer.data();
  info.pPortName = port.data();
  info.pDriverName = name.data();
  info.pPrintProcessor = processor.data();
  info.pDatatype = datatype.data();
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  const HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  if (!h) return "AddPrinter: " + std::to_string(GetLastError());
  ClosePrinter(h);
  return {};
}

// A job as a program spools it: started on the printer and still open while
// the processor plays it, so that the spooler can answer for its number.
class SpooledJob {
 public:
  SpooledJob(const char* datatype, const std::string& spoolFile) {
    std::string name = kPrinter;
    if (!OpenPrinterA(name.data(), &printer_, nullptr)) return;
    std::string document = "Spooled", type = datatype, file = spoolFile;
    DOC_INFO_1A doc{document.data(), file.data(), type.data()};
    id_ = StartDocPrinterA(printer_, 1, reinterpret_cast<LPBYTE>(&doc));
  }
  ~SpooledJob() {
    if (id_) EndDocPrinter(printer_);
    if (printer_) ClosePrinter(printer_);
  }
  DWORD id() const { return id_; }
  void LeaveOpen() { id_ = 0, printer_ = nullptr; }

 private:
  HANDLE printer_ = nullptr;
  DWORD id_ = 0;
};

// --- The processor, as the spooler sees it -----------------------------------

using EnumFn = BOOL(WINAPI*)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
using OpenFn = HANDLE(WINAPI*)(LPSTR);
using PrintFn = BOOL(WINAPI*)(HANDLE, LPVOID);
using CloseFn = BOOL(WINAPI*)(HANDLE);
using ControlFn = BOOL(WINAPI*)(HANDLE, DWORD, DWORD, LPSTR, DWORD);

struct Entries {
  EnumFn enumerate = nullptr;
  OpenFn open = nullptr;
  PrintFn print = nullptr;
  CloseFn close = nullptr;
  ControlFn control = nullptr;
};
Entries g_entries;
std::string g_setupFailure;

// The spooler's document record: 32-bit fields, the pointers among them.
struct DocumentRecord {
  DWORD fields[8] = {};
  DocumentRecord(const char* datatype, const char* document, DWORD job, const char* output) {
    fields[1] = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(datatype));
    fields[3] = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(document));
    fields[4] = job;
    fields[5] = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(output));
  }
};

struct PrintCall {
  HANDLE handle;
  DocumentRecord* record;
  BOOL result = FALSE;
  DWORD error = 0;
};

DWORD WINAPI PrintOnThread(LPVOID p) {
  auto* call = static_cast<PrintCall*>(p);
  call->result = g_entries.print(call->handle, call->record);
  call->error = GetLastError();
  return 0;
}

class SpoolerPart : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    if (!DivertReadPrinter()) {
      g_setupFailure = "ReadPrinter could not be diverted";
      return;
    }
    g_job.firstRead = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (std::string failed = InstallPrinter(); !failed.empty()) {
      g_setupFailure = failed;
      return;
    }
    HMODULE library = LoadLibraryA(Beside("emfplay.dll").c_str());
    auto init = library ? reinterpret_cast<BOOL(WINAPI*)(LPVOID, DWORD)>(
                              reinterpret_cast<void*>(GetProcAddress(library, "InitializePrintProcessor")))
                        : nullptr;
    if (!init) {
      g_setupFailure = "emfplay.dll or its InitializePrintProcessor is missing";
      return;
    }
    void* table[5] = {};
    if (!init(table, sizeof table)) g_setupFailure = "InitializePrintProcessor failed";
    g_entries = {reinterpret_cast<EnumFn>(table[0]), reinterpret_cast<OpenFn>(table[1]),
                 reinterpret_cast<PrintFn>(table[2]), reinterpret_cast<CloseFn>(table[3]),
                 reinterpret_cast<ControlFn>(table[4])};
  }

 protected:
  void SetUp() override {
    ASSERT_EQ(g_setupFailure, "");
    ASSERT_TRUE(g_entries.enumerate && g_entries.open && g_entries.print && g_entries.close && g_entries.control);
    ResetEvent(g_job.firstRead);
  }

  HANDLE Open() {
    std::string name = kPrinter;
    return g_entries.open(name.data());
  }

  // Runs print-document on a thread of its own, as the spooler does, and
  // gives up on it rather than hang the run.
  static bool Finish(HANDLE thread) {
    const bool ended = WaitForSingleObject(thread, kFinishWithin) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return ended;
  }

  static std::string Output(const char* name) {
    const std::string path = Beside(name);
    DeleteFileA(path.c_str());
    return path;
  }
};

TEST_F(SpoolerPart, TheDatatypesComeInTableOrderWithTheirNamesPackedAtTheBufferEnd) {
  DWORD needed = 0, returned = 7;
  SetLastError(0);
  EXPECT_FALSE(g_entries.enumerate(nullptr, nullptr, 1, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(needed, 25u);
  EXPECT_EQ(returned, 0u);

  alignas(4) BYTE buffer[32];
  std::memset(buffer, 0xAB, sizeof buffer);
  EXPECT_FALSE(g_entries.enumerate(nullptr, nullptr, 1, buffer, 24, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(needed, 25u);

  ASSERT_TRUE(g_entries.enumerate(nullptr, nullptr, 1, buffer, 25, &needed, &returned));
  EXPECT_EQ(returned, 3u);
  const auto* infos = reinterpret_cast<const DATATYPES_INFO_1A*>(buffer);
  // Names copied backwards from the end: the first one ends at the last byte.
  EXPECT_EQ(reinterpret_cast<const BYTE*>(infos[0].pName), buffer + 21);
  EXPECT_EQ(reinterpret_cast<const BYTE*>(infos[1].pName), buffer + 17);
  EXPECT_EQ(reinterpret_cast<const BYTE*>(infos[2].pName), buffer + 12);
  EXPECT_EQ(std::memcmp(buffer + 12, "VEMF\0EMF\0RAW\0", 13), 0);
  EXPECT_EQ(buffer[25], 0xAB) << "written past the size given";
}

TEST_F(SpoolerPart, ControlAnswersPauseResumeAndCancelOnAnOpenHandleOnly) {
  const HANDLE h = Open();
  ASSERT_NE(h, nullptr);
  struct Case {
    HANDLE handle;
    DWORD command;
    BOOL answer;
  } cases[] = {{h, 1, TRUE}, {h, 2, TRUE}, {h, 2, TRUE}, {h, 3, TRUE}, {h, 0, FALSE}, {h, 4, FALSE},
               {nullptr, 1, FALSE}, {nullptr, 2, FALSE}, {nullptr, 4, FALSE}};
  for (const Case& c : cases)
    EXPECT_EQ(g_entries.control(c.handle, c.command, 0, nullptr, 0), c.answer)
        << "command " << c.command << (c.handle ? " on the open handle" : " without a handle");
  std::string raw = "RAW";
  EXPECT_TRUE(g_entries.control(nullptr, 3, 0, raw.data(), 0)) << "cancelling a job that is not an EMF job";

  EXPECT_TRUE(g_entries.close(h));
  SetLastError(0);
  EXPECT_FALSE(g_entries.close(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(g_entries.control(h, 1, 0, nullptr, 0)) << "a closed handle";
}

TEST_F(SpoolerPart, ARawJobReachesThePrintersFileByteForByte) {
  std::vector<std::uint8_t> job(10000);
  for (std::size_t i = 0; i < job.size(); ++i) job[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
  ServeJob(job);
  SpooledJob spooled("RAW", Output("raw.spooled"));
  ASSERT_NE(spooled.id(), 0u);

  const std::string out = Output("raw.out");
  const HANDLE h = Open();
  ASSERT_NE(h, nullptr);
  DocumentRecord record("RAW", "Raw job", spooled.id(), out.c_str());
  PrintCall call{h, &record};
  ASSERT_TRUE(Finish(CreateThread(nullptr, 0, PrintOnThread, &call, 0, nullptr))) << "print-document hung";
  EXPECT_TRUE(call.result) << "error " << call.error;
  EXPECT_TRUE(g_entries.close(h));

  EXPECT_EQ(g_job.at, job.size()) << "the whole job was read";
  EXPECT_EQ(FileBytes(out), job);
}

TEST_F(SpoolerPart, ACancelReleasesAPausedRawJobAndNothingOfItIsPrinted) {
  ServeJob(std::vector<std::uint8_t>(9000, 'x'));
  SpooledJob spooled("RAW", Output("cancelled.spooled"));
  ASSERT_NE(spooled.id(), 0u);

  const std::string out = Output("cancelled.out");
  const HANDLE h = Open();
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(g_entries.control(h, 1, 0, nullptr, 0));
  DocumentRecord record("RAW", "Cancelled job", spooled.id(), out.c_str());
  PrintCall call{h, &record};
  const HANDLE thread = CreateThread(nullptr, 0, PrintOnThread, &call, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(g_job.firstRead, kFinishWithin), WAIT_OBJECT_0) << "the job was never read";
  EXPECT_EQ(WaitForSingleObject(thread, 300), static_cast<DWORD>(WAIT_TIMEOUT)) << "a paused job ran on";

  ASSERT_TRUE(g_entries.control(h, 3, 0, nullptr, 0));
  ASSERT_TRUE(Finish(thread)) << "the cancel did not release the paused job";
  EXPECT_TRUE(call.result);
  EXPECT_TRUE(g_entries.close(h));
  EXPECT_TRUE(FileBytes(out).empty()) << "a cancelled job printed something";
}

TEST_F(SpoolerPart, AVemfJobIsReadToItsEndAndPlayedOntoThePrinter) {
  vemf::VemfWriter w;
  w.Header(1).StartDevice(kPrinter).StartPage();
  w.CreateFont(1, "Arial", -40).Select(1).CreatePen(2, 0, 3, 0x000000).Select(2);
  w.Rectangle({100, 100, 1200, 600}).TextOut({150, 200}, "Harness page one");
  for (int i = 0; i < 200; ++i) w.MoveTo({100, 700 + i * 4}).LineTo({1200, 700 + i * 4});  // beyond one block
  w.Delete(1).Delete(2).EndOfDocument();
  ServeJob(w.bytes());
  SpooledJob spooled("VEMF", Output("vemf.spooled"));
  ASSERT_NE(spooled.id(), 0u);

  const std::string out = Output("vemf.out");
  const HANDLE h = Open();
  ASSERT_NE(h, nullptr);
  DocumentRecord record("VEMF", "Vemf job", spooled.id(), out.c_str());
  PrintCall call{h, &record};
  ASSERT_TRUE(Finish(CreateThread(nullptr, 0, PrintOnThread, &call, 0, nullptr))) << "print-document hung";
  EXPECT_TRUE(call.result) << "error " << call.error;
  EXPECT_TRUE(g_entries.close(h));
  EXPECT_EQ(g_job.at, w.bytes().size()) << "the stream was read to its end record";
  // Wine's printer device context writes PostScript: the document's title,
  // one page, every line of the stream and the text glyph by glyph.
  const auto bytes = FileBytes(out);
  const std::string printed(bytes.begin(), bytes.end());
  auto count = [&printed](const std::string& what) {
    std::size_t n = 0;
    for (auto at = printed.find(what); at != std::string::npos; at = printed.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("%%Title: Vemf job"), 1u);
  EXPECT_EQ(count("%%Page: "), 1u);
  EXPECT_EQ(count(" lineto"), 200u);
  std::string glyphs;
  for (auto at = printed.find(" glyphshow"); at != std::string::npos; at = printed.find(" glyphshow", at + 1))
    glyphs += printed.substr(printed.rfind('/', at) + 1, at - printed.rfind('/', at) - 1) + " ";
  EXPECT_EQ(glyphs, "H a r n e s s space p a g e space o n e ");
  // Ending the program's own job after a printer device context has printed
  // on another thread blocks in Wine's spooler; the job is left to the
  // prefix, which goes away with the run.
  spooled.LeaveOpen();
}

}  // namespace
