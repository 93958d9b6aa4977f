// Conversions between the spooler's packed records (UTF-16, null pointers
// for absent strings, double-zero-terminated lists) and the port's records.
#pragma once
#include "winspool_api.h"  // the spooler records, without the clashing macros

#include <string>
#include <vector>

#include "platform/spooler.h"

namespace win32 {

// Absent (null) strings become empty strings.
std::string FromSpool(const wchar_t* text);
// "a\0b\0\0" -> {"a", "b"}; null -> {}.
std::vector<std::string> FromMultiSz(const wchar_t* list);
// {"a", "b"} -> "a\0b\0\0"; {} -> "\0\0" (an empty list, not an absent one).
std::wstring ToMultiSz(const std::vector<std::string>& entries);

plat::PrinterInfo FromPrinterInfo2(const PRINTER_INFO_2W& record);
plat::DriverInfo FromDriverInfo3(const DRIVER_INFO_3W& record);
plat::DriverInfo FromDriverInfo6(const DRIVER_INFO_6W& record);

// A DRIVER_INFO_6W (whose first part is a DRIVER_INFO_3W) pointing into
// strings it owns, for AddPrinterDriver. Empty strings are passed as null.
class DriverRecord {
 public:
  explicit DriverRecord(const plat::DriverInfo& info);
  DriverRecord(const DriverRecord&) = delete;
  DriverRecord& operator=(const DriverRecord&) = delete;
  DWORD level() const { return level_; }
  LPBYTE bytes() { return reinterpret_cast<LPBYTE>(&record_); }
  const DRIVER_INFO_6W& record() const { return record_; }

 private:
  LPWSTR Keep(const std::string& text);
  LPWSTR KeepList(std::wstring list);

  DWORD level_;
  std::vector<std::wstring> strings_;  // reserved once: the record points into them
  DRIVER_INFO_6W record_{};
};

}  // namespace win32
