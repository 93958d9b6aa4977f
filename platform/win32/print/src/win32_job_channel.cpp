#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

#include "win32print/win32_print_ports.h"

namespace win32print {

namespace pp = plat::print;

struct Win32JobChannel::Procs {
  BOOL(WINAPI* openPrinter)(LPSTR, LPHANDLE, LPPRINTER_DEFAULTSA) = nullptr;
  BOOL(WINAPI* closePrinter)(HANDLE) = nullptr;
  BOOL(WINAPI* getPrinter)(HANDLE, DWORD, LPBYTE, DWORD, LPDWORD) = nullptr;
  BOOL(WINAPI* getJob)(HANDLE, DWORD, DWORD, LPBYTE, DWORD, LPDWORD) = nullptr;
  DWORD(WINAPI* startDocPrinter)(HANDLE, DWORD, LPBYTE) = nullptr;
  BOOL(WINAPI* endDocPrinter)(HANDLE) = nullptr;
  BOOL(WINAPI* startPagePrinter)(HANDLE) = nullptr;
  BOOL(WINAPI* endPagePrinter)(HANDLE) = nullptr;
  BOOL(WINAPI* readPrinter)(HANDLE, LPVOID, DWORD, LPDWORD) = nullptr;
  BOOL(WINAPI* writePrinter)(HANDLE, LPVOID, DWORD, LPDWORD) = nullptr;
};

namespace {

// The spooler's functions, from its client library, or from the spooler's own
// when the client lacks one.
template <typename Fn>
void Find(Fn*& fn, const char* name) {
  for (const char* library : {"winspool.drv", "spoolss.dll"}) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) module = LoadLibraryA(library);  // kept for the life of the process
    if (!module) continue;
    if (FARPROC p = GetProcAddress(module, name)) {
      fn = reinterpret_cast<Fn*>(reinterpret_cast<void*>(p));
      return;
    }
  }
}

pp::Error LastError() { return pp::Error(GetLastError()); }
pp::Error Missing() { return pp::Error(ERROR_CALL_NOT_IMPLEMENTED); }
HANDLE H(plat::Handle h) { return reinterpret_cast<HANDLE>(h); }
std::string Str(LPCSTR s) { return s ? std::string(s) : std::string(); }

// A spooler record: a size query that must fail for want of room, then the
// call with a buffer of the size named (larger again while it keeps asking).
template <typename Call>
pp::Result<std::vector<std::uint64_t>> Record(Call call) {
  std::vector<std::uint64_t> buffer;
  DWORD size = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD needed = 0;
    SetLastError(ERROR_SUCCESS);
    if (call(buffer.empty() ? nullptr : reinterpret_cast<LPBYTE>(buffer.data()), size, &needed) && !buffer.empty())
      return buffer;
    const DWORD error = GetLastError();
    if (error != ERROR_INSUFFICIENT_BUFFER && !(buffer.empty() && error == ERROR_SUCCESS)) return pp::Error(error);
    if (needed <= size) needed = size * 2 + 256;
    buffer.assign((needed + 7) / 8, 0);
    size = static_cast<DWORD>(buffer.size() * 8);
  }
  return pp::Error(ERROR_INSUFFICIENT_BUFFER);
}

pp::SystemTime TimeOf(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace

Win32JobChannel::Win32JobChannel() : procs_(std::make_unique<Procs>()) {
  Find(procs_->openPrinter, "OpenPrinterA");
  Find(procs_->closePrinter, "ClosePrinter");
  Find(procs_->getPrinter, "GetPrinterA");
  Find(procs_->getJob, "GetJobA");
  Find(procs_->startDocPrinter, "StartDocPrinterA");
  Find(procs_->endDocPrinter, "EndDocPrinter");
  Find(procs_->startPagePrinter, "StartPagePrinter");
  Find(procs_->endPagePrinter, "EndPagePrinter");
  Find(procs_->readPrinter, "ReadPrinter");
  Find(procs_->writePrinter, "WritePrinter");
}

Win32JobChannel::~Win32JobChannel() = default;

pp::Result<plat::Handle> Win32JobChannel::OpenPrinter(std::string_view name) {
  if (!procs_->openPrinter) return Missing();
  std::string n(name);
  HANDLE h = nullptr;
  if (!procs_->openPrinter(n.data(), &h, nullptr)) return LastError();
  return reinterpret_cast<plat::Handle>(h);
}

pp::Status Win32JobChannel::ClosePrinter(plat::Handle printer) {
  if (!procs_->closePrinter) return Missing();
  if (!procs_->closePrinter(H(printer))) return LastError();
  return pp::Ok();
}

pp::Result<std::string> Win32JobChannel::PrinterPort(plat::Handle printer) {
  if (!procs_->getPrinter) return Missing();
  auto record = Record([&](LPBYTE b, DWORD size, LPDWORD needed) {
    return procs_->getPrinter(H(printer), 2, b, size, needed);
  });
  if (!record.ok()) return record.error();
  return Str(reinterpret_cast<const PRINTER_INFO_2A*>(record->data())->pPortName);
}

pp::Result<pp::JobRecord1> Win32JobChannel::GetJob1(plat::Handle printer, std::uint32_t jobId) {
  if (!procs_->getJob) return Missing();
  auto record = Record([&](LPBYTE b, DWORD size, LPDWORD needed) {
    return procs_->getJob(H(printer), jobId, 1, b, size, needed);
  });
  if (!record.ok()) return record.error();
  const auto* j = reinterpret_cast<const JOB_INFO_1A*>(record->data());
  return pp::JobRecord1{j->JobId, Str(j->pPrinterName), Str(j->pMachineName), Str(j->pUserName),
                        Str(j->pDocument), Str(j->pDatatype), j->Status};
}

pp::Result<pp::JobRecord2> Win32JobChannel::GetJob2(plat::Handle printer, std::uint32_t jobId) {
  if (!procs_->getJob) return Missing();
  auto record = Record([&](LPBYTE b, DWORD size, LPDWORD needed) {
    return procs_->getJob(H(printer), jobId, 2, b, size, needed);
  });
  if (!record.ok()) return record.error();
  const auto* j = reinterpret_cast<const JOB_INFO_2A*>(record->data());
  return pp::JobRecord2{j->JobId,       Str(j->pPrinterName), Str(j->pMachineName), Str(j->pUserName),
                        Str(j->pDocument), Str(j->pDatatype), j->Status,           TimeOf(j->Submitted)};
}

pp::Result<std::uint32_t> Win32JobChannel::StartDoc(plat::Handle printer, const pp::DocInfo2& doc) {
  if (!procs_->startDocPrinter) return Missing();
  std::string name = doc.document, datatype = doc.datatype, output = doc.outputFile.value_or("");
  DOC_INFO_2A info{};
  info.pDocName = name.data();
  info.pOutputFile = doc.outputFile ? output.data() : nullptr;
  info.pDatatype = datatype.data();
  info.dwMode = doc.mode;
  info.JobId = doc.jobId;
  const DWORD job = procs_->startDocPrinter(H(printer), 2, reinterpret_cast<LPBYTE>(&info));
  if (job == 0) return LastError();
  return job;
}

pp::Status Win32JobChannel::EndDoc(plat::Handle printer) {
  if (!procs_->endDocPrinter) return Missing();
  if (!procs_->endDocPrinter(H(printer))) return LastError();
  return pp::Ok();
}

pp::Status Win32JobChannel::StartPage(plat::Handle printer) {
  if (!procs_->startPagePrinter) return Missing();
  if (!procs_->startPagePrinter(H(printer))) return LastError();
  return pp::Ok();
}

pp::Status Win32JobChannel::EndPage(plat::Handle printer) {
  if (!procs_->endPagePrinter) return Missing();
  if (!procs_->endPagePrinter(H(printer))) return LastError();
  return pp::Ok();
}

pp::Result<std::size_t> Win32JobChannel::Read(plat::Handle printer, std::span<std::uint8_t> into) {
  if (!procs_->readPrinter) return Missing();
  DWORD got = 0;
  if (!procs_->readPrinter(H(printer), into.data(), static_cast<DWORD>(into.size()), &got)) return LastError();
  return std::size_t{got};
}

pp::Result<std::size_t> Win32JobChannel::Write(plat::Handle printer, std::span<const std::uint8_t> data) {
  if (!procs_->writePrinter) return Missing();
  DWORD written = 0;
  if (!procs_->writePrinter(H(printer), const_cast<std::uint8_t*>(data.data()), static_cast<DWORD>(data.size()),
                            &written))
    return LastError();
  return std::size_t{written};
}

}  // namespace win32print
