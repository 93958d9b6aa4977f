#include "printing/driver_file_index.h"

#include <algorithm>

#include "platform/win_path.h"
#include "printing/printer_driver_list.h"

namespace {
// Names compare as Windows reads them: "UNIDRVUI.DLL." is "unidrvui.dll".
std::string KeyOf(std::string_view file, std::uint32_t version) {
  return std::to_string(version) + '|' + winpath::ComparisonKey(file);
}
}  // namespace

DriverFileIndex::DriverFileIndex(const CPrinterDriverList& drivers) {
  for (const auto& set : drivers) {
    for (const auto& driver : set->drivers) {
      if (driver->state != RemovalState::Removed) Add(*driver);
    }
  }
}

void DriverFileIndex::Add(const CPrinterDriver& driver) {
  const std::vector<std::string> files = driver.FilesForSharing();
  std::vector<std::string> keys;
  keys.reserve(files.size());
  for (const std::string& file : files) keys.push_back(KeyOf(file, driver.version));
  // A driver that lists a file twice still counts once for it.
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  for (const std::string& key : keys) ++setsListing_[key][driver.name];
  keysOf_[&driver] = std::move(keys);
}

void DriverFileIndex::Forget(const CPrinterDriver& driver) {
  const auto indexed = keysOf_.find(&driver);
  if (indexed == keysOf_.end()) return;
  for (const std::string& key : indexed->second) {
    const auto listing = setsListing_.find(key);
    if (listing == setsListing_.end()) continue;
    const auto count = listing->second.find(driver.name);
    if (count != listing->second.end() && --count->second <= 0) listing->second.erase(count);
    if (listing->second.empty()) setsListing_.erase(listing);
  }
  keysOf_.erase(indexed);
}

bool DriverFileIndex::ListedByOtherSet(std::string_view file, std::uint32_t version,
                                       std::string_view setName) const {
  const auto listing = setsListing_.find(KeyOf(file, version));
  if (listing == setsListing_.end()) return false;
  // Only sets with a present driver stay in the map.
  const auto& sets = listing->second;
  return sets.size() > 1 || sets.begin()->first != setName;
}
