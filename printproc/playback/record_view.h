// A read-only view of one whole record with bounds-checked field access.
// Every offset and length the player takes from a record is tested here
// against the record's own size, in 64-bit arithmetic so that no count can
// wrap around; a field that is not inside the record is simply absent.
#pragma once
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

namespace vemf {

class RecordView {
 public:
  // `bytes` is the whole record (its size field equals bytes.size()).
  explicit RecordView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint32_t type() const { return U32(0); }
  std::uint32_t size() const { return static_cast<std::uint32_t>(bytes_.size()); }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

  // Whether [offset, offset + length) lies inside the record.
  bool Has(std::uint64_t offset, std::uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }

  // Field readers: only for offsets that Has() accepted.
  std::uint32_t U32(std::size_t offset) const {
    std::uint32_t v;
    std::memcpy(&v, bytes_.data() + offset, 4);
    return v;
  }
  std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  std::uint16_t U16(std::size_t offset) const {
    std::uint16_t v;
    std::memcpy(&v, bytes_.data() + offset, 2);
    return v;
  }
  std::uint8_t U8(std::size_t offset) const { return bytes_[offset]; }
  float F32(std::size_t offset) const {
    float v;
    std::memcpy(&v, bytes_.data() + offset, 4);
    return v;
  }

  // [offset, offset + length), when inside the record.
  std::optional<std::span<const std::uint8_t>> Slice(std::uint64_t offset, std::uint64_t length) const {
    if (!Has(offset, length)) return std::nullopt;
    return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  }
  // From `offset` to the record's end, when the offset is inside the record.
  std::optional<std::span<const std::uint8_t>> From(std::uint64_t offset) const {
    if (offset > bytes_.size()) return std::nullopt;
    return bytes_.subspan(static_cast<std::size_t>(offset));
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace vemf
