// The calling conventions at this boundary: LGMain is a standard call (the
// callee pops); the document-output library's two entry points are C calls.
// The callbacks we hand out are standard calls whose first argument is the
// context they were given:
//   50, 51 (page start, page end):  DWORD (void* context)
//   52 (write):                     DWORD (void* context, const void* bytes, DWORD count)
//   0 (store):                      DWORD (void* context, DWORD value)
//   5 (page start):                 DWORD (void* context, const void* pageRecord)   size at record offset 4
//   6 (play a spooled file):        DWORD (void* context, HANDLE file, DWORD offset, const void* position24)
//   7 (play records in memory):     DWORD (void* context, const void* records, DWORD length)
//   2 (duplex message), 11 (page end): DWORD (void* context)
//   10 (ExtEscape):                 int (void* context, int escape, int inSize, const void* in, int outSize, void* out)
// Numbers 12 to 17 are the spooler's own OpenPrinterA, StartDocPrinterA,
// EndDocPrinter, GetJobA, ClosePrinter and ReadPrinter.
#include "win32print/win32_maker_libraries.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <vector>

namespace win32print {

namespace pp = plat::print;

namespace {

constexpr const char* kJobFinishing = "vkijfc01.dll";
constexpr const char* kDocumentOutput = "voredf.dll";
// A page record the library hands over is read no further than this.
constexpr DWORD kMaxPageRecord = 64u << 20;

std::uint32_t Address(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

template <typename Fn>
std::uint32_t Address(Fn* fn) {
  return Address(reinterpret_cast<const void*>(fn));
}

// --- the job-finishing library's callbacks
DWORD WINAPI FinishingStartPage(void* context) {
  return static_cast<pp::FinishingCallbacks*>(context)->StartPage();
}
DWORD WINAPI FinishingEndPage(void* context) { return static_cast<pp::FinishingCallbacks*>(context)->EndPage(); }
DWORD WINAPI FinishingWrite(void* context, const void* bytes, DWORD count) {
  if (!bytes && count) return 0;
  return static_cast<pp::FinishingCallbacks*>(context)->Write(
      {static_cast<const std::uint8_t*>(bytes), static_cast<std::size_t>(count)});
}

class Win32JobFinishing final : public pp::JobFinishingLibrary {
 public:
  using LgMainFn = BOOL(WINAPI*)(DWORD, void*, DWORD*, DWORD*);
  Win32JobFinishing(HMODULE module, LgMainFn lgMain) : module_(module), lgMain_(lgMain) {}
  ~Win32JobFinishing() override { FreeLibrary(module_); }

  pp::FinishingHooks Hooks(pp::FinishingCallbacks& callbacks) override {
    return {Address(&FinishingStartPage), Address(&FinishingEndPage), Address(&FinishingWrite),
            Address(static_cast<void*>(&callbacks))};
  }
  std::uint32_t LgMain(std::uint32_t command, std::span<std::uint8_t> data, std::uint32_t* output,
                       std::uint32_t& context) override {
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    return lgMain_(command, data.data(), reinterpret_cast<DWORD*>(output), reinterpret_cast<DWORD*>(&context))
               ? 1
               : 0;
  }

 private:
  HMODULE module_;
  LgMainFn lgMain_;
};

// --- the document-output library's callbacks
pp::DocumentOutputCallbacks& Bridge(void* context) { return *static_cast<pp::DocumentOutputCallbacks*>(context); }

DWORD WINAPI OutputStore(void* context, DWORD value) { return Bridge(context).Store(value); }
DWORD WINAPI OutputStartPage(void* context, const void* record) {
  if (!record) return 0;
  DWORD size = 0;
  std::memcpy(&size, static_cast<const std::uint8_t*>(record) + 4, 4);
  if (size < 8 || size > kMaxPageRecord) return 0;
  return Bridge(context).StartPage({static_cast<const std::uint8_t*>(record), size});
}
DWORD WINAPI OutputPlayFile(void* context, HANDLE file, DWORD offset, const void* position) {
  std::optional<pp::PlayPosition> at;
  if (position) at.emplace(static_cast<const std::uint8_t*>(position), 24);
  return Bridge(context).PlaySpooledFile(reinterpret_cast<plat::Handle>(file), offset, at);
}
DWORD WINAPI OutputPlayRecords(void* context, const void* records, DWORD length) {
  if (!records && length) return 0;
  return Bridge(context).PlayRecords({static_cast<const std::uint8_t*>(records), length});
}
DWORD WINAPI OutputDuplex(void* context) { return Bridge(context).SendDuplexMessage(); }
int WINAPI OutputExtEscape(void* context, int escape, int inSize, const void* in, int outSize, void* out) {
  if (inSize < 0 || outSize < 0 || (inSize && !in) || (outSize && !out)) return 0;
  return Bridge(context).ExtEscape(escape, {static_cast<const std::uint8_t*>(in), static_cast<std::size_t>(inSize)},
                                   {static_cast<std::uint8_t*>(out), static_cast<std::size_t>(outSize)});
}
DWORD WINAPI OutputEndPage(void* context) { return Bridge(context).EndPage(); }

// The spooler's own functions for numbers 12 to 17.
FARPROC Spooler(const char* name) {
  for (const char* library : {"winspool.drv", "spoolss.dll"}) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) module = LoadLibraryA(library);  // kept for the life of the process
    if (!module) continue;
    if (FARPROC p = GetProcAddress(module, name)) return p;
  }
  return nullptr;
}

struct TableNode {
  DWORD number;
  const void* callback;
  TableNode* next;
};

class Win32DocumentOutput final : public pp::DocumentOutputLibrary {
 public:
  using AddFn = DWORD(__cdecl*)(DWORD, void*, DWORD, TableNode*, const char*, const char*, DWORD, DOC_INFO_2A*);
  using StartFn = DWORD(__cdecl*)(void*, DWORD);
  Win32DocumentOutput(HMODULE module, AddFn add, StartFn start) : module_(module), add_(add), start_(start) {}
  ~Win32DocumentOutput() override { FreeLibrary(module_); }

  std::uint32_t AddDocument(pp::DocumentOutputCallbacks& callbacks, std::uint32_t jobId, std::string_view printer,
                            std::string_view spoolFile, const pp::DocInfo2& document) override {
    context_ = &callbacks;
    const std::pair<DWORD, const void*> entries[] = {
        {0, reinterpret_cast<const void*>(&OutputStore)},
        {5, reinterpret_cast<const void*>(&OutputStartPage)},
        {6, reinterpret_cast<const void*>(&OutputPlayFile)},
        {7, reinterpret_cast<const void*>(&OutputPlayRecords)},
        {2, reinterpret_cast<const void*>(&OutputDuplex)},
        {10, reinterpret_cast<const void*>(&OutputExtEscape)},
        {11, reinterpret_cast<const void*>(&OutputEndPage)},
        {12, reinterpret_cast<const void*>(Spooler("OpenPrinterA"))},
        {13, reinterpret_cast<const void*>(Spooler("StartDocPrinterA"))},
        {14, reinterpret_cast<const void*>(Spooler("EndDocPrinter"))},
        {15, reinterpret_cast<const void*>(Spooler("GetJobA"))},
        {16, reinterpret_cast<const void*>(Spooler("ClosePrinter"))},
        {17, reinterpret_cast<const void*>(Spooler("ReadPrinter"))}};
    // The library may keep the table until it has printed: it lives as long
    // as this object.
    table_.assign(std::size(entries), TableNode{});
    for (std::size_t i = 0; i < table_.size(); ++i)
      table_[i] = {entries[i].first, entries[i].second, i + 1 < table_.size() ? &table_[i + 1] : nullptr};
    printer_.assign(printer);
    spoolFile_.assign(spoolFile);
    docName_ = document.document;
    datatype_ = document.datatype;
    output_ = document.outputFile.value_or("");
    DOC_INFO_2A info{};
    info.pDocName = docName_.data();
    info.pOutputFile = document.outputFile ? output_.data() : nullptr;
    info.pDatatype = datatype_.data();
    info.dwMode = document.mode;
    info.JobId = document.jobId;
    return add_(0, context_, jobId, table_.data(), printer_.c_str(), spoolFile_.c_str(), 2, &info);
  }
  std::uint32_t StartPrinting() override { return start_(context_, 0); }

 private:
  HMODULE module_;
  AddFn add_;
  StartFn start_;
  void* context_ = nullptr;
  std::vector<TableNode> table_;
  std::string printer_, spoolFile_, docName_, datatype_, output_;
};

template <typename Fn>
Fn Proc(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

pp::Result<std::unique_ptr<pp::JobFinishingLibrary>> Win32MakerLibraries::LoadJobFinishing() {
  HMODULE module = LoadLibraryA(kJobFinishing);
  if (!module) return pp::Error(pp::kErrorModNotFound);
  auto lgMain = Proc<Win32JobFinishing::LgMainFn>(module, "LGMain");
  if (!lgMain) {
    FreeLibrary(module);
    return pp::Error(pp::kErrorProcNotFound);
  }
  return std::unique_ptr<pp::JobFinishingLibrary>(std::make_unique<Win32JobFinishing>(module, lgMain));
}

pp::Result<std::unique_ptr<pp::DocumentOutputLibrary>> Win32MakerLibraries::LoadDocumentOutput() {
  HMODULE module = LoadLibraryA(kDocumentOutput);
  if (!module) return pp::Error(pp::kErrorModNotFound);
  auto add = Proc<Win32DocumentOutput::AddFn>(module, "edf_add_document_a");
  auto start = Proc<Win32DocumentOutput::StartFn>(module, "edf_start_printing");
  if (!add || !start) {
    FreeLibrary(module);
    return pp::Error(pp::kErrorProcNotFound);
  }
  return std::unique_ptr<pp::DocumentOutputLibrary>(std::make_unique<Win32DocumentOutput>(module, add, start));
}

pp::Result<std::string> Win32MakerLibraries::WindowsDirectory() {
  char path[MAX_PATH + 1] = {};
  const UINT n = GetWindowsDirectoryA(path, sizeof path);
  if (n == 0 || n > MAX_PATH) return pp::Error(GetLastError());
  return std::string(path, n);
}

}  // namespace win32print
