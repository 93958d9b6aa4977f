// The page settings a summary record (115) gives for the pages before it.
// Its sub-entries (32-bit type, 32-bit size of the sub-entry, then a 32-bit
// value) start at the offset in its field 12 and end with type 0; the values
// of eight types are kept and written over the same types in the sub-entries
// of the page-start records (106, list at the offset in field 16) of the
// section the summary closes.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "playback/record_view.h"

namespace finishing {

inline constexpr std::array<std::uint32_t, 8> kSummaryTypes = {28, 32, 33, 34, 35, 42, 43, 44};

class SummaryValues {
 public:
  // Takes a summary's values in place of those kept before.
  void Take(const vemf::RecordView& summary);
  // Overwrites the kept values in a page-start record.
  void Patch(std::span<std::uint8_t> pageStart) const;
  bool empty() const;
  std::optional<std::uint32_t> Value(std::uint32_t type) const;

 private:
  std::array<std::optional<std::uint32_t>, kSummaryTypes.size()> values_{};
};

}  // namespace finishing
