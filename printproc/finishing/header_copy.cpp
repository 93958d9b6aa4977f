#include "finishing/header_copy.h"

#include <cstring>

#include "finishing/run_state.h"
#include "playback/record_view.h"

namespace finishing {

namespace {

constexpr std::size_t kEntrySize = 12;
constexpr std::size_t kAdded = 3 * kEntrySize;
constexpr std::size_t kContextOffset = 20;
constexpr std::size_t kListSizeOffset = 56;
constexpr std::size_t kListOffset = 60;

void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t value) { std::memcpy(&v[at], &value, 4); }

void PutEntry(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t number, std::uint32_t address) {
  Put32(v, at, number);
  Put32(v, at + 4, kEntrySize);
  Put32(v, at + 8, address);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> CopyHeaderWithCallbacks(std::span<const std::uint8_t> header,
                                                                 const plat::print::FinishingHooks& hooks) {
  const vemf::RecordView view(header);
  if (!view.Has(kListOffset, 4)) return std::nullopt;
  // The closing entry must lie whole inside the header: the added entries
  // are written from its place on, and the copy grows by exactly their size.
  std::uint64_t end = view.U32(kListOffset);
  while (true) {
    if (!view.Has(end, kEntrySize)) return std::nullopt;
    if (view.U32(static_cast<std::size_t>(end)) == 0) break;
    end += kEntrySize;
  }
  const auto at = static_cast<std::size_t>(end);

  std::vector<std::uint8_t> copy(header.begin(), header.end());
  copy.resize(header.size() + kAdded);
  std::memcpy(&copy[at + kAdded], &header[at], kEntrySize);  // the closing entry, moved behind
  PutEntry(copy, at, kStartPageCallback, hooks.startPage);
  PutEntry(copy, at + kEntrySize, kEndPageCallback, hooks.endPage);
  PutEntry(copy, at + 2 * kEntrySize, kWriteCallback, hooks.write);
  Put32(copy, 4, view.U32(4) + kAdded);
  Put32(copy, kListSizeOffset, view.U32(kListSizeOffset) + kAdded);
  Put32(copy, kContextOffset, hooks.context);
  return copy;
}

}  // namespace finishing
