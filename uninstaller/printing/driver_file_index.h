// Which driver sets still list a file, per driver version, for a whole
// removal pass: asking every set for every file of every removed driver
// would grow with the square of the drivers installed.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CPrinterDriver;
class CPrinterDriverList;

class DriverFileIndex {
 public:
  // Indexes every driver of the list that has not been removed.
  explicit DriverFileIndex(const CPrinterDriverList& drivers);
  DriverFileIndex(const DriverFileIndex&) = delete;
  DriverFileIndex& operator=(const DriverFileIndex&) = delete;

  // A driver of `version` in a set other than `setName` (exact), not
  // removed, needs `file` (CPrinterDriver::FilesForSharing; names compare
  // as Windows reads them).
  bool ListedByOtherSet(std::string_view file, std::uint32_t version, std::string_view setName) const;
  // The driver has been removed: its files no longer hold anything back.
  void Forget(const CPrinterDriver& driver);

 private:
  void Add(const CPrinterDriver& driver);

  // Per version and file (winpath::ComparisonKey): how many present drivers of each set list it.
  std::unordered_map<std::string, std::map<std::string, int, std::less<>>> setsListing_;
  // What each indexed driver was counted under, so that forgetting it
  // undoes exactly that even if its file list has changed since.
  std::unordered_map<const CPrinterDriver*, std::vector<std::string>> keysOf_;
};
