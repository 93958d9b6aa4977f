// emfplay.dll driven as the 9x spooler drives it, on a printer of the Wine
// prefix: the library is loaded, initialised once, asked for its datatypes,
// opened on the printer, given jobs, paused, resumed, cancelled and closed.
//
// Wine's spooler has no read channel for a spooled job: a document started
// in the read mode is a new, empty job there. So this program plays that part
// too: its ReadPrinter stands in for the spooler's on the processor's read
// channel and hands out the job under test in pieces. Wine's gdi32 names the
// system's spool-stream player, gdiPlaySpoolStream, but only as a stub that
// ends the process when called: this program stands in for that player as
// well, and records what it is given. Everything else is Wine's: the printer,
// the job records, the write channel, the PostScript device context and the
// files the jobs are printed to.
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
#include "common/log_beside_module.h"
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

using doubles::Beside;

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

void Place(std::uint8_t* at, const std::uint8_t (&bytes)[5]) {
  DWORD old = 0;
  VirtualProtect(at, 5, PAGE_EXECUTE_READWRITE, &old);
  std::memcpy(at, bytes, 5);
  VirtualProtect(at, 5, old, &old);
  FlushInstructionCache(GetCurrentProcess(), at, 5);
}
void Place(const std::uint8_t (&bytes)[5]) { Place(g_readPrinter, bytes); }

// The five bytes of a jump from `from` to `to`.
void JumpTo(const void* to, const std::uint8_t* from, std::uint8_t (&jump)[5]) {
  const auto rel = static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(to) -
                                             (reinterpret_cast<std::uintptr_t>(from) + 5));
  jump[0] = 0xE9;
  std::memcpy(jump + 1, &rel, 4);
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
  JumpTo(reinterpret_cast<const void*>(&HarnessReadPrinter), g_readPrinter, g_jump);
  Place(g_jump);
  return true;
}

// --- The system's spool-stream player this program stands in for ----------

struct PlayerCall {
  std::string printer;  // "(none)" when abandoning
  std::string output;
  std::uintptr_t data = 0;  // the spool stream when abandoning
  DWORD jobId = 0;
  DWORD held = 0;
  DWORD state = 0;
};

struct Player {
  std::mutex lock;
  std::vector<PlayerCall> calls;
  std::vector<std::uint8_t> played;
  // How the player misbehaves on its third call: not at all, by answering 0
  // with an error, or by claiming more bytes than it was given.
  enum class Fault { None, AnswersZero, ClaimsTooMuch } fault = Fault::None;
  DWORD error = 0;
};
Player g_player;

// As the system's player does: it takes what it can of what it is given,
// here all but the last 3 bytes of a piece (all of a short one), and answers
// its state for the next call; with no printer it abandons a spool stream.
DWORD WINAPI HarnessPlaySpoolStream(LPSTR printer, LPSTR output, LPVOID data, DWORD jobId, LPDWORD bytes,
                                    DWORD state) {
  std::lock_guard<std::mutex> hold(g_player.lock);
  PlayerCall call{printer ? printer : "(none)", output ? output : "(none)", reinterpret_cast<std::uintptr_t>(data),
                  jobId, bytes ? *bytes : 0, state};
  g_player.calls.push_back(call);
  if (!printer) return 1;
  if (g_player.calls.size() == 3 && g_player.fault != Player::Fault::None) {
    SetLastError(g_player.error);
    if (g_player.fault == Player::Fault::AnswersZero) return 0;
    *bytes = call.held + 1;
    return state + 1;
  }
  const DWORD taken = call.held > 3 ? call.held - 3 : call.held;
  const auto* from = static_cast<const std::uint8_t*>(data);
  g_player.played.insert(g_player.played.end(), from, from + taken);
  *bytes = taken;
  return state + 1;
}

bool DivertPlaySpoolStream() {
  HMODULE gdi = LoadLibraryA("gdi32.dll");
  auto* player = gdi ? reinterpret_cast<std::uint8_t*>(GetProcAddress(gdi, "gdiPlaySpoolStream")) : nullptr;
  if (!player) return false;
  std::uint8_t jump[5];
  JumpTo(reinterpret_cast<const void*>(&HarnessPlaySpoolStream), player, jump);
  Place(player, jump);
  return true;
}

void ResetPlayer(Player::Fault fault = Player::Fault::None, DWORD error = 0) {
  std::lock_guard<std::mutex> hold(g_player.lock);
  g_player.calls.clear();
  g_player.played.clear();
  g_player.fault = fault;
  g_player.error = error;
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
  DocumentRecord(const char* datatype, const char* document, DWORD job, const char* output,
                 DWORD spoolStream = 0, const char* separator = nullptr) {
    fields[1] = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(datatype));
    fields[3] = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(document));
    fields[4] = job;
    fields[5] = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(output));
    fields[6] = spoolStream;
    fields[7] = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(separator));
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
    if (!DivertPlaySpoolStream()) {
      g_setupFailure = "gdi32 names no gdiPlaySpoolStream to stand in for";
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

TEST_F(SpoolerPart, AnEmfJobGoesToTheSystemsPlayerInPiecesWithItsNamesAndState) {
  ResetPlayer();
  std::vector<std::uint8_t> job(5000);
  for (std::size_t i = 0; i < job.size(); ++i) job[i] = static_cast<std::uint8_t>(i * 13 + 1);
  ServeJob(job);
  SpooledJob spooled("EMF", Output("emf.spooled"));
  ASSERT_NE(spooled.id(), 0u);

  const std::string out = Output("emf.out");
  const HANDLE h = Open();
  ASSERT_NE(h, nullptr);
  DocumentRecord record("EMF", "Emf job", spooled.id(), out.c_str(), 0x5500);
  PrintCall call{h, &record};
  ASSERT_TRUE(Finish(CreateThread(nullptr, 0, PrintOnThread, &call, 0, nullptr))) << "print-document hung";
  EXPECT_TRUE(call.result) << "error " << call.error;
  EXPECT_TRUE(g_entries.close(h));

  std::lock_guard<std::mutex> hold(g_player.lock);
  EXPECT_EQ(g_player.played, job) << "every byte played once, in order, the untaken ones given again";
  ASSERT_GE(g_player.calls.size(), 5u);
  for (std::size_t i = 0; i < g_player.calls.size(); ++i) {
    const PlayerCall& c = g_player.calls[i];
    EXPECT_EQ(c.printer, kPrinter) << i;
    EXPECT_EQ(c.output, out) << i;
    EXPECT_EQ(c.jobId, spooled.id()) << i;
    EXPECT_EQ(c.state, i) << "each call is given the state the one before answered";
    EXPECT_LE(c.held, 4096u) << i;
  }
  // Once the processor has read an "EMF" job, Wine's spooler blocks the next
  // document of the run, the program's own end of this one included: the
  // job is left to the prefix, which goes away with the run.
  spooled.LeaveOpen();
}

// Prints an "EMF" job whose player fails on its third call.
void ExpectFailedEmfJob(HANDLE h, Player::Fault fault, DWORD error) {
  ResetPlayer(fault, error);
  ServeJob(std::vector<std::uint8_t>(9000, 'e'));
  SpooledJob spooled("EMF", Beside("emf-failed.spooled"));
  ASSERT_NE(spooled.id(), 0u);
  spooled.LeaveOpen();  // see below

  const std::string out = Beside("emf-failed.out");
  DocumentRecord record("EMF", "Emf job", spooled.id(), out.c_str(), 0x5500);
  PrintCall call{h, &record};
  const HANDLE thread = CreateThread(nullptr, 0, PrintOnThread, &call, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, kFinishWithin), WAIT_OBJECT_0) << "print-document hung";
  CloseHandle(thread);
  EXPECT_FALSE(call.result);
  EXPECT_EQ(call.error, error) << "the player's error is the job's";

  std::lock_guard<std::mutex> hold(g_player.lock);
  ASSERT_EQ(g_player.calls.size(), 4u) << "no piece is played after the failure";
  const PlayerCall& abandon = g_player.calls.back();
  EXPECT_EQ(abandon.printer, "(none)");
  EXPECT_EQ(abandon.output, "(none)");
  EXPECT_EQ(abandon.data, 0x5500u) << "the job's spool stream is handed back";
  EXPECT_EQ(abandon.jobId, 0u);
  EXPECT_EQ(abandon.state, 0u);
}

// Wine's spooler takes one "EMF" job read by the processor a run: each of
// these runs in a program of its own (CMakeLists.txt).
TEST_F(SpoolerPart, APlayerThatAnswersZeroFailsTheEmfJobWithItsErrorAndTheSpoolStreamIsAbandoned) {
  const HANDLE h = Open();
  ASSERT_NE(h, nullptr);
  ExpectFailedEmfJob(h, Player::Fault::AnswersZero, ERROR_NOT_ENOUGH_MEMORY);
  EXPECT_TRUE(g_entries.close(h));
}

TEST_F(SpoolerPart, APlayerThatClaimsMoreThanItWasGivenFailsTheEmfJobAndTheSpoolStreamIsAbandoned) {
  const HANDLE h = Open();
  ASSERT_NE(h, nullptr);
  ExpectFailedEmfJob(h, Player::Fault::ClaimsTooMuch, ERROR_INVALID_DATA);
  EXPECT_TRUE(g_entries.close(h));
}

TEST_F(SpoolerPart, CancellingWithoutAHandleHandsAnEmfJobsSpoolStreamToThePlayer) {
  ResetPlayer();
  std::string emf = "EMF", raw = "RAW";
  EXPECT_TRUE(g_entries.control(nullptr, 3, 0, emf.data(), 0x7700));
  EXPECT_TRUE(g_entries.control(nullptr, 3, 0, raw.data(), 0x7701));
  std::lock_guard<std::mutex> hold(g_player.lock);
  ASSERT_EQ(g_player.calls.size(), 1u) << "only the EMF job's stream";
  EXPECT_EQ(g_player.calls[0].data, 0x7700u);
  EXPECT_EQ(g_player.calls[0].printer, "(none)");
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

// One page of every kind of record the player draws with, without the
// signature: the page record first, then drawing, objects and state.
std::vector<std::uint8_t> PageOfEveryKind() {
  vemf::VemfWriter w(false);
  const vemf::WDib colour = vemf::MakeDib(16, 16, 24), mono = vemf::MakeDib(8, 8, 1);
  static const std::int32_t spacing[] = {30, 30, 30, 30, 30};
  static const std::uint8_t escapeInput[] = {1, 2, 3};
  w.StartPage();
  w.CreatePen(1, 0, 10, 0x000000).Select(1).CreateBrush(2, 0, 0xE0E0E0).Select(2);
  w.CreateFont(3, "Arial", -60, 700).Select(3).Fields(18, {1});
  w.Rectangle({100, 100, 1500, 400}).Ellipse({1600, 100, 2000, 400});
  w.TextOut({150, 150}, "Pages", 4, {100, 100, 1500, 400}, spacing);
  w.MoveTo({100, 500}).LineTo({2000, 500});
  w.Poly(4, {{100, 600}, {600, 900}, {1100, 650}}).PolyPolyline({{{100, 1000}, {900, 1200}}, {{100, 1300}, {2000, 1300}}});
  w.ClipRegion(1, {{50, 50, 2100, 2900}}).PatBlt(100, 1400, 400, 200, 0xF0);
  w.StretchDiBits({100, 1700, 400, 400}, {0, 0, 16, 16}, 0xCC, colour).BitBlt({600, 1700, 8, 8}, {0, 0}, 0xCC, mono);
  w.DibPatternBrush(4, mono).Select(4).Rectangle({1100, 1700, 1500, 2100});
  w.ExtCreatePen(5, 0x10007, 4, 0, 0xff, 0, {3, 1}).Select(5).LineTo({100, 2500});
  w.Escape(4100, escapeInput, 0).ColorAdjustment(10, -10).NoClipRegion(5);
  w.Delete(1).Delete(2).Delete(3).Delete(4);
  return w.bytes();
}

// Where each record of `bytes` begins.
std::vector<std::size_t> RecordOffsets(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::size_t> at;
  for (std::size_t offset = 0; offset + 8 <= bytes.size();) {
    std::uint32_t size = 0;
    std::memcpy(&size, bytes.data() + offset + 4, 4);
    if (size < 8) break;
    at.push_back(offset);
    offset += size;
  }
  return at;
}

std::uint32_t Get32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

// A direct-play job of damaged copies of that page, made the same way on
// every run: every field of the drawing records in turn set to a hostile
// value (as far as the bitmap headers behind the bitmap records' fields), then bytes overwritten at random (but for the size fields, which
// would end the job), and last a record that claims far more than the job
// holds. Each copy keeps its page record, so that the damage reaches a
// device context and the count of pages printed can be checked.
std::vector<std::uint8_t> DamagedPagesJob(std::size_t* pages) {
  const std::vector<std::uint8_t> page = PageOfEveryKind();
  const std::vector<std::size_t> records = RecordOffsets(page);
  vemf::VemfWriter w;
  w.Header(1).StartDevice(kPrinter);
  *pages = 0;
  const auto add = [&](std::vector<std::uint8_t> copy) {
    w.Bytes(copy);
    ++*pages;
  };
  for (std::uint32_t field = 8; field < 160; field += 4) {
    for (std::uint32_t value : {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x00010000u, 0u}) {
      std::vector<std::uint8_t> copy = page;
      for (std::size_t at : records)
        if (Get32(page, at) != 106 && field + 4 <= Get32(page, at + 4)) std::memcpy(copy.data() + at + field, &value, 4);
      add(std::move(copy));
    }
  }
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int round = 0; round < 200; ++round) {
    std::vector<std::uint8_t> copy = page;
    for (int k = 0; k < 12; ++k) {
      const std::size_t at = (next() >> 8) % copy.size();
      const bool inHead = std::any_of(records.begin(), records.end(),
                                      [at](std::size_t r) { return at >= r && at < r + 8; });
      if (!inHead) copy[at] = static_cast<std::uint8_t>(next() >> 24);
    }
    add(std::move(copy));
  }
  std::vector<std::uint8_t> last = page;
  const std::uint32_t claimed = 0x03FFFFF0u;  // within the cap on a record's size, far beyond the job
  std::memcpy(last.data() + records[3] + 4, &claimed, 4);
  add(std::move(last));
  return w.bytes();
}

TEST_F(SpoolerPart, AVemfJobOfDamagedPagesPrintsEveryPageAndEnds) {
  std::size_t pages = 0;
  const std::vector<std::uint8_t> job = DamagedPagesJob(&pages);
  ASSERT_EQ(pages, 391u);  // 38 fields by 5 values, 200 rounds, the last
  ServeJob(job);
  SpooledJob spooled("VEMF", Output("damaged.spooled"));
  ASSERT_NE(spooled.id(), 0u);

  const std::string out = Output("damaged.out");
  const HANDLE h = Open();
  ASSERT_NE(h, nullptr);
  DocumentRecord record("VEMF", "Damaged", spooled.id(), out.c_str());
  PrintCall call{h, &record};
  ASSERT_TRUE(Finish(CreateThread(nullptr, 0, PrintOnThread, &call, 0, nullptr))) << "print-document hung";
  // Printed as far as it goes: the processor answers for the job whatever
  // its data held, and has read it to its end.
  EXPECT_TRUE(call.result) << "error " << call.error;
  EXPECT_TRUE(g_entries.close(h));
  EXPECT_EQ(g_job.at, job.size());
  const auto bytes = FileBytes(out);
  const std::string printed(bytes.begin(), bytes.end());
  std::size_t printedPages = 0;
  for (auto at = printed.find("%%Page: "); at != std::string::npos; at = printed.find("%%Page: ", at + 1))
    ++printedPages;
  // Every page, the last one ended where its fourth record claims more
  // than is left.
  EXPECT_EQ(printedPages, pages);
  EXPECT_NE(printed.find("%%EOF"), std::string::npos) << "the document was ended";
  spooled.LeaveOpen();  // as for the job above: Wine's spooler would block on its end
}

}  // namespace
