#include "winspool_api.h"  // first: it clears macros that clash with the port

#include "win32/win32_spooler.h"

#include "ansi.h"
#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "spool_buffer.h"
#include "spool_records.h"
#include "wide.h"

namespace win32 {
namespace {

HANDLE ToHandle(plat::Handle h) { return reinterpret_cast<HANDLE>(h); }

// winspool takes non-const strings; null stands for "none" (server,
// environment of the running system).
class SpoolText {
 public:
  explicit SpoolText(std::string_view utf8) : text_(Wide(utf8)) {}
  LPWSTR get() { return text_.data(); }
  LPWSTR orNull() { return text_.empty() ? nullptr : text_.data(); }

 private:
  std::wstring text_;
};

plat::WinError Missing() { return winerr::CallNotImplemented; }

// Runs one spooler call that reports failure through the last error. Wine's
// spooler fails some calls without setting it, so it is cleared first (a
// stale code from an earlier call would be reported instead) and a failure
// without a code gets `fallback`.
template <typename Call>
plat::WinError Checked(Call call, plat::WinError fallback) {
  SetLastError(ERROR_SUCCESS);
  if (call()) return winerr::Success;
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? FromWin32(error) : fallback;
}

// Level-1 directory queries (driver and print-processor directories).
template <typename Query>
plat::WinError DirectoryQuery(Query query, std::string_view environment, std::string* out) {
  out->clear();
  SpoolText env(environment);
  std::vector<std::uint64_t> storage;
  DWORD unused = 0;
  const std::uint32_t error = CallWithBuffer(
      [&](LPBYTE buffer, DWORD size, DWORD* needed, DWORD*) { return query(nullptr, env.orNull(), 1, buffer, size, needed); },
      &storage, &unused);
  if (error != ERROR_SUCCESS) return FromWin32(error);
  if (!storage.empty()) {
    const auto* text = reinterpret_cast<const wchar_t*>(storage.data());
    *out = Narrow(std::wstring_view(text, wcsnlen(text, storage.size() * sizeof(std::uint64_t) / sizeof(wchar_t))));
  }
  return winerr::Success;
}

}  // namespace

plat::WinError Win32Spooler::ListPrinters(std::uint32_t flags, std::vector<plat::PrinterInfo>* out) {
  out->clear();
  const auto& api = Winspool();
  if (!api.enumPrinters) return Missing();
  std::vector<std::uint64_t> storage;
  DWORD count = 0;
  const std::uint32_t error = CallWithBuffer(
      [&](LPBYTE buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return api.enumPrinters(flags, nullptr, 2, buffer, size, needed, returned);
      },
      &storage, &count);
  if (error != ERROR_SUCCESS) return FromWin32(error);
  const auto* records = reinterpret_cast<const PRINTER_INFO_2W*>(storage.data());
  for (DWORD i = 0; i < count; ++i) out->push_back(FromPrinterInfo2(records[i]));
  return winerr::Success;
}

plat::WinError Win32Spooler::OpenPrinterByName(std::string_view name, std::uint32_t access, plat::Handle* out) {
  *out = plat::kNoHandle;
  const auto& api = Winspool();
  if (!api.openPrinter) return Missing();
  SpoolText printer(name);
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, access};
  HANDLE handle = nullptr;
  const plat::WinError error =
      Checked([&] { return api.openPrinter(printer.get(), &handle, &defaults); }, winerr::InvalidPrinterName);
  if (error.failed()) return error;
  *out = reinterpret_cast<plat::Handle>(handle);
  return winerr::Success;
}

plat::WinError Win32Spooler::DeletePrinter(plat::Handle printer) {
  const auto& api = Winspool();
  if (!api.deletePrinter) return Missing();
  return Checked([&] { return api.deletePrinter(ToHandle(printer)); }, winerr::InvalidHandle);
}

plat::WinError Win32Spooler::ClosePrinter(plat::Handle printer) {
  const auto& api = Winspool();
  if (!api.closePrinter) return Missing();
  return Checked([&] { return api.closePrinter(ToHandle(printer)); }, winerr::InvalidHandle);
}

plat::WinError Win32Spooler::DeleteConnection(std::string_view name) {
  const auto& api = Winspool();
  if (!api.deletePrinterConnection) return Missing();
  SpoolText printer(name);
  return Checked([&] { return api.deletePrinterConnection(printer.get()); }, winerr::InvalidPrinterName);
}

plat::WinError Win32Spooler::ListJobs(plat::Handle printer, std::uint32_t firstJob, std::uint32_t count,
                                     std::vector<plat::JobInfo>* out) {
  out->clear();
  const auto& api = Winspool();
  if (!api.enumJobs) return Missing();
  std::vector<std::uint64_t> storage;
  DWORD returned = 0;
  const std::uint32_t error = CallWithBuffer(
      [&](LPBYTE buffer, DWORD size, DWORD* needed, DWORD* got) {
        return api.enumJobs(ToHandle(printer), firstJob, count, 1, buffer, size, needed, got);
      },
      &storage, &returned);
  if (error != ERROR_SUCCESS) return FromWin32(error);
  const auto* records = reinterpret_cast<const JOB_INFO_1W*>(storage.data());
  for (DWORD i = 0; i < returned; ++i)
    out->push_back(plat::JobInfo{records[i].JobId, FromSpool(records[i].pDocument), records[i].Status});
  return winerr::Success;
}

plat::WinError Win32Spooler::EnumDrivers(std::string_view environment, std::uint32_t level,
                                        std::vector<plat::DriverInfo>* out) {
  out->clear();
  if (level != 3 && level != 6) return winerr::InvalidParameter;
  const auto& api = Winspool();
  if (!api.enumPrinterDrivers) return Missing();
  SpoolText env(environment);
  std::vector<std::uint64_t> storage;
  DWORD count = 0;
  // NT 4.0 answers level 6 and the environment "all" with its own error
  // (invalid level, invalid environment), which the caller gets unchanged.
  const std::uint32_t error = CallWithBuffer(
      [&](LPBYTE buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return api.enumPrinterDrivers(nullptr, env.orNull(), level, buffer, size, needed, returned);
      },
      &storage, &count);
  if (error != ERROR_SUCCESS) return FromWin32(error);
  for (DWORD i = 0; i < count; ++i) {
    if (level == 6)
      out->push_back(FromDriverInfo6(reinterpret_cast<const DRIVER_INFO_6W*>(storage.data())[i]));
    else
      out->push_back(FromDriverInfo3(reinterpret_cast<const DRIVER_INFO_3W*>(storage.data())[i]));
  }
  return winerr::Success;
}

plat::WinError Win32Spooler::GetDriverDirectory(std::string_view environment, std::string* out) {
  const auto& api = Winspool();
  if (!api.getPrinterDriverDirectory) return out->clear(), Missing();
  return DirectoryQuery(api.getPrinterDriverDirectory, environment, out);
}

plat::WinError Win32Spooler::AddDriver(const plat::DriverInfo& info) {
  const auto& api = Winspool();
  if (!api.addPrinterDriver) return Missing();
  DriverRecord record(info);
  return Checked([&] { return api.addPrinterDriver(nullptr, record.level(), record.bytes()); },
                 winerr::InvalidParameter);
}

plat::WinError Win32Spooler::DeleteDriver(std::string_view environment, std::string_view name) {
  const auto& api = Winspool();
  if (!api.deletePrinterDriver) return Missing();
  SpoolText env(environment);
  SpoolText driver(name);
  return Checked([&] { return api.deletePrinterDriver(nullptr, env.orNull(), driver.get()); },
                 winerr::UnknownPrinterDriver);
}

plat::WinError Win32Spooler::DeleteDriverEx(std::string_view environment, std::string_view name, std::uint32_t flags,
                                           std::uint32_t version) {
  const auto call = Winspool().deletePrinterDriverExA;
  if (!call) return winerr::ProcNotFound;
  // The A form: the strings go in the ANSI code page.
  std::string env = ToAnsi(environment);
  std::string driver = ToAnsi(name);
  return Checked([&] { return call(nullptr, env.empty() ? nullptr : env.data(), driver.data(), flags, version); },
                 winerr::UnknownPrinterDriver);
}

plat::WinError Win32Spooler::GetProcessorDirectory(std::string_view environment, std::string* out) {
  const auto& api = Winspool();
  if (!api.getPrintProcessorDirectory) return out->clear(), Missing();
  return DirectoryQuery(api.getPrintProcessorDirectory, environment, out);
}

plat::WinError Win32Spooler::DeleteProcessor(std::string_view environment, std::string_view name) {
  const auto& api = Winspool();
  if (!api.deletePrintProcessor) return Missing();
  SpoolText env(environment);
  SpoolText processor(name);
  return Checked([&] { return api.deletePrintProcessor(nullptr, env.orNull(), processor.get()); },
                 winerr::InvalidParameter);
}

}  // namespace win32
