#include "finishing/summary_values.h"

#include <algorithm>
#include <cstring>

namespace finishing {

namespace {

constexpr std::size_t kSummaryListField = 12;
constexpr std::size_t kPageListField = 16;
constexpr std::uint32_t kSubEntrySize = 12;

int IndexOf(std::uint32_t type) {
  const auto it = std::find(kSummaryTypes.begin(), kSummaryTypes.end(), type);
  return it == kSummaryTypes.end() ? -1 : static_cast<int>(it - kSummaryTypes.begin());
}

// Calls `visit(offset of the sub-entry)` for each sub-entry of the list at
// the offset in `field`. A sub-entry too small to hold its value (a size of
// 0 would never advance) or reaching past the record ends the list.
template <typename Visit>
void ForEachSubEntry(const vemf::RecordView& record, std::size_t field, Visit visit) {
  if (!record.Has(field, 4)) return;
  std::uint64_t at = record.U32(field);
  while (record.Has(at, 8)) {
    const auto offset = static_cast<std::size_t>(at);
    const std::uint32_t type = record.U32(offset);
    const std::uint32_t size = record.U32(offset + 4);
    if (type == 0 || size < kSubEntrySize || !record.Has(at, size)) return;
    visit(offset);
    at += size;
  }
}

}  // namespace

void SummaryValues::Take(const vemf::RecordView& summary) {
  values_ = {};
  ForEachSubEntry(summary, kSummaryListField, [&](std::size_t at) {
    if (const int i = IndexOf(summary.U32(at)); i >= 0) values_[static_cast<std::size_t>(i)] = summary.U32(at + 8);
  });
}

void SummaryValues::Patch(std::span<std::uint8_t> pageStart) const {
  const vemf::RecordView view(pageStart);
  ForEachSubEntry(view, kPageListField, [&](std::size_t at) {
    const int i = IndexOf(view.U32(at));
    if (i < 0 || !values_[static_cast<std::size_t>(i)]) return;
    const std::uint32_t value = *values_[static_cast<std::size_t>(i)];
    std::memcpy(pageStart.data() + at + 8, &value, 4);
  });
}

bool SummaryValues::empty() const {
  return std::none_of(values_.begin(), values_.end(), [](const auto& v) { return v.has_value(); });
}

std::optional<std::uint32_t> SummaryValues::Value(std::uint32_t type) const {
  const int i = IndexOf(type);
  return i < 0 ? std::nullopt : values_[static_cast<std::size_t>(i)];
}

}  // namespace finishing
