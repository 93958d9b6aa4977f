#include "separator/metafile_format.h"

#include <algorithm>
#include <cstdlib>

#include "playback/record_checks.h"

namespace emfplay::separator {

namespace {

constexpr std::size_t kMetaHeaderSize = 18;
constexpr std::uint16_t kMetaHeaderWords = 9;
constexpr std::size_t kRecordHeaderSize = 6;  // size in words (32-bit), function (16-bit)
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeaderSize = 22;
constexpr std::uint16_t kClipboardFileId = 50000;
constexpr std::size_t kClipboardEntriesAt = 4;
constexpr std::size_t kClipboardEntrySize = 89;
constexpr std::uint16_t kCfMetafilePict = 3;
constexpr std::size_t kMetafilePictSize = 16;

constexpr std::uint32_t kEtoOpaque = 0x2;
constexpr std::uint32_t kEtoClipped = 0x4;
// Options that make GDI read twice what a text record's count says: two
// bytes a character (glyph indices), two advances a character.
constexpr std::uint32_t kEtoGlyphIndex = 0x10;
constexpr std::uint32_t kEtoPdy = 0x2000;

// Functions the checks know.
constexpr std::uint16_t kSelectClipRegion = 0x012C;
constexpr std::uint16_t kSelectObject = 0x012D;
constexpr std::uint16_t kDeleteObject = 0x01F0;
constexpr std::uint16_t kSelectPalette = 0x0234;
constexpr std::uint16_t kCreatePalette = 0x00F7;
constexpr std::uint16_t kSetPalEntries = 0x0037;
constexpr std::uint16_t kAnimatePalette = 0x0436;
constexpr std::uint16_t kCreatePatternBrush = 0x01F9;
constexpr std::uint16_t kCreatePenIndirect = 0x02FA;
constexpr std::uint16_t kCreateFontIndirect = 0x02FB;
constexpr std::uint16_t kCreateBrushIndirect = 0x02FC;
constexpr std::uint16_t kCreateRegion = 0x06FF;
constexpr std::uint16_t kDibCreatePatternBrush = 0x0142;
constexpr std::uint16_t kPolygon = 0x0324;
constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kPolyPolygon = 0x0538;
constexpr std::uint16_t kEscape = 0x0626;
constexpr std::uint16_t kBitBlt = 0x0922;
constexpr std::uint16_t kStretchBlt = 0x0B23;
constexpr std::uint16_t kSetDibToDev = 0x0D33;
constexpr std::uint16_t kDibBitBlt = 0x0940;
constexpr std::uint16_t kDibStretchBlt = 0x0B41;
constexpr std::uint16_t kStretchDib = 0x0F43;
constexpr std::uint16_t kFillRegion = 0x0228;
constexpr std::uint16_t kFrameRegion = 0x0429;
constexpr std::uint16_t kPaintRegion = 0x012B;
constexpr std::uint16_t kInvertRegion = 0x012A;

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::int16_t I16(std::span<const std::uint8_t> b, std::size_t at) { return static_cast<std::int16_t>(U16(b, at)); }
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(U16(b, at)) | (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}
void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, static_cast<std::uint16_t>(v));
  Put16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}

bool CreatesObject(std::uint16_t function) {
  switch (function) {
    case kCreatePalette:
    case kCreatePatternBrush:
    case kCreatePenIndirect:
    case kCreateFontIndirect:
    case kCreateBrushIndirect:
    case kCreateRegion:
    case kDibCreatePatternBrush:
      return true;
    default:
      return false;
  }
}

// A packed DIB from `offset` to the record's end, when the record holds one
// that is whole.
bool DibFits(std::span<const std::uint8_t> record, std::size_t offset, std::uint32_t usage) {
  if (offset > record.size()) return false;
  return vemf::CheckPackedDib(record.subspan(offset), usage).has_value();
}

// The bitmap records carry no bitmap when they are exactly their fixed size.
bool WithoutBitmap(std::span<const std::uint8_t> record, std::uint16_t function) {
  return record.size() == (static_cast<std::size_t>(function >> 8) + 3) * 2;
}

std::size_t Even(std::size_t n) { return n + (n & 1); }

}  // namespace

std::optional<Picture> CheckMetafile(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kMetaHeaderSize) return std::nullopt;
  const std::uint16_t type = U16(bytes, 0);
  if ((type != 1 && type != 2) || U16(bytes, 2) != kMetaHeaderWords) return std::nullopt;
  const std::uint64_t declared = std::uint64_t{U32(bytes, 6)} * 2;
  if (declared < kMetaHeaderSize || declared > bytes.size()) return std::nullopt;
  const auto body = bytes.first(static_cast<std::size_t>(declared));

  // The records up to the end record (or the declared end) must tile the
  // metafile exactly.
  std::size_t at = kMetaHeaderSize;
  std::uint32_t largest = 3;
  // The object table as GDI fills it while playing: a new object takes the
  // lowest free slot, a deletion frees its slot.
  std::vector<bool> slotUsed;
  bool ended = false;
  while (at < body.size()) {
    if (body.size() - at < kRecordHeaderSize) return std::nullopt;
    const std::uint64_t size = std::uint64_t{U32(body, at)} * 2;
    if (size < kRecordHeaderSize || size > body.size() - at) return std::nullopt;
    const std::uint16_t function = U16(body, at + 4);
    largest = std::max(largest, U32(body, at));
    if (CreatesObject(function)) {
      const auto free = std::find(slotUsed.begin(), slotUsed.end(), false);
      if (free != slotUsed.end())
        *free = true;
      else if (slotUsed.size() < 0xffff)
        slotUsed.push_back(true);
    } else if (function == kDeleteObject && size >= kRecordHeaderSize + 2) {
      const std::uint16_t slot = U16(body, at + kRecordHeaderSize);
      if (slot < slotUsed.size()) slotUsed[slot] = false;
    }
    at += static_cast<std::size_t>(size);
    if (function == meta::Eof) {
      ended = true;
      break;
    }
  }

  Picture picture;
  picture.metafile.assign(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(at));
  if (!ended) picture.metafile.insert(picture.metafile.end(), {3, 0, 0, 0, 0, 0});
  const auto slots = std::max<std::uint32_t>(U16(bytes, 10), static_cast<std::uint32_t>(slotUsed.size()));
  Put32(picture.metafile, 6, static_cast<std::uint32_t>(picture.metafile.size() / 2));
  Put16(picture.metafile, 10, static_cast<std::uint16_t>(slots));
  Put32(picture.metafile, 12, largest);
  picture.objectSlots = static_cast<std::uint16_t>(slots);
  return picture;
}

std::optional<Picture> ReadSeparatorFile(std::span<const std::uint8_t> file) {
  if (file.size() > kMaxSeparatorFileSize) return std::nullopt;
  if (file.size() >= 4 && U32(file, 0) == kPlaceableKey) {
    if (file.size() < kPlaceableHeaderSize) return std::nullopt;
    auto picture = CheckMetafile(file.subspan(kPlaceableHeaderSize));
    if (!picture) return std::nullopt;
    const std::int32_t left = I16(file, 6), top = I16(file, 8), right = I16(file, 10), bottom = I16(file, 12);
    picture->mapping.mapMode = kMmAnisotropic;
    picture->mapping.windowOrgX = left;
    picture->mapping.windowOrgY = top;
    picture->mapping.windowExtX = std::abs(left) + std::abs(right);
    picture->mapping.windowExtY = std::abs(top) + std::abs(bottom);
    return picture;
  }
  if (file.size() >= 2 && U16(file, 0) == kClipboardFileId) {
    if (file.size() < kClipboardEntriesAt) return std::nullopt;
    const std::uint16_t count = U16(file, 2);
    if (kClipboardEntriesAt + std::uint64_t{count} * kClipboardEntrySize > file.size()) return std::nullopt;
    for (std::uint16_t i = 0; i < count; ++i) {
      const std::size_t entry = kClipboardEntriesAt + std::size_t{i} * kClipboardEntrySize;
      if (U16(file, entry) != kCfMetafilePict) continue;
      const std::uint64_t length = U32(file, entry + 2), offset = U32(file, entry + 6);
      if (length < kMetafilePictSize || offset > file.size() || length > file.size() - offset) return std::nullopt;
      const auto pict = file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
      auto picture = CheckMetafile(pict.subspan(kMetafilePictSize));
      if (!picture) return std::nullopt;
      const auto mode = static_cast<std::int32_t>(U32(pict, 0));
      const auto extX = static_cast<std::int32_t>(U32(pict, 4)), extY = static_cast<std::int32_t>(U32(pict, 8));
      picture->mapping.mapMode = mode;
      if (mode == kMmIsotropic && extX != 0 && extY != 0) {
        picture->mapping.windowExtX = extX;
        picture->mapping.windowExtY = extY;
      }
      picture->mapping.viewportIsPage = mode == kMmText || mode == kMmIsotropic || mode == kMmAnisotropic;
      return picture;
    }
    return std::nullopt;
  }
  auto picture = CheckMetafile(file);
  if (picture) picture->mapping.mapMode = kMmAnisotropic;
  return picture;
}

bool RecordPlayable(std::span<const std::uint8_t> record, std::uint16_t objectSlots) {
  if (record.size() < kRecordHeaderSize) return false;
  const std::uint16_t function = U16(record, 4);
  const auto params = record.size() - kRecordHeaderSize;
  auto word = [&](std::size_t n) { return U16(record, kRecordHeaderSize + 2 * n); };
  switch (function) {
    case kSelectObject:
    case kDeleteObject:
    case kSelectPalette:
    case kSelectClipRegion:
      return params >= 2 && word(0) < objectSlots;
    case kPolygon:
    case kPolyline:
      return params >= 2 && 2 + std::uint64_t{word(0)} * 4 <= params;
    case kPolyPolygon: {
      if (params < 2) return false;
      const std::uint64_t polygons = word(0);
      if (2 + polygons * 2 > params) return false;
      std::uint64_t points = 0;
      for (std::size_t i = 0; i < polygons; ++i) points += word(1 + i);
      return 2 + polygons * 2 + points * 4 <= params;
    }
    case meta::TextOut:
    case meta::ExtTextOut:
      return ReadTextRecord(record).has_value();
    case kCreatePalette:
    case kSetPalEntries:
    case kAnimatePalette:
      return params >= 4 && 4 + std::uint64_t{word(1)} * 4 <= params;
    case kEscape:
      return params >= 4 && 4 + std::uint64_t{word(1)} <= params;
    case kCreatePenIndirect:
      return params >= 10;
    case kCreateBrushIndirect:
      return params >= 8;
    case kCreateFontIndirect: {
      // LOGFONT16: 18 bytes, then a face name that must end inside the record.
      if (params < 19) return false;
      const auto face = record.subspan(kRecordHeaderSize + 18);
      return std::find(face.begin(), face.end(), 0) != face.end();
    }
    case kDibCreatePatternBrush:
      return params >= 4 && DibFits(record, kRecordHeaderSize + 4, word(1));
    case kDibBitBlt:
      return WithoutBitmap(record, function) || DibFits(record, kRecordHeaderSize + 16, 0);
    case kDibStretchBlt:
      return WithoutBitmap(record, function) || DibFits(record, kRecordHeaderSize + 20, 0);
    case kStretchDib:
      return params >= 22 && DibFits(record, kRecordHeaderSize + 22, word(2));
    case kCreatePatternBrush:
    case kCreateRegion:
    case kBitBlt:
    case kStretchBlt:
    case kSetDibToDev:
    // Regions are never made (their records are refused), so nothing can
    // paint one.
    case kFillRegion:
    case kFrameRegion:
    case kPaintRegion:
    case kInvertRegion:
      return false;
    default:
      // The other records have a fixed size, whose count of parameter words
      // is the function number's high byte: GDI reads that many.
      return params >= std::size_t{2} * (function >> 8);
  }
}

std::optional<TextRecord> ReadTextRecord(std::span<const std::uint8_t> record) {
  if (record.size() < kRecordHeaderSize + 2) return std::nullopt;
  const std::uint16_t function = U16(record, 4);
  const auto params = record.subspan(kRecordHeaderSize);
  TextRecord t;
  if (function == meta::TextOut) {
    const std::size_t count = U16(params, 0);
    const std::size_t text = 2, position = text + Even(count);
    if (position + 4 > params.size()) return std::nullopt;
    t.text = std::string_view(reinterpret_cast<const char*>(params.data() + text), count);
    t.y = I16(params, position);
    t.x = I16(params, position + 2);
    return t;
  }
  if (function != meta::ExtTextOut || params.size() < 8) return std::nullopt;
  t.extended = true;
  t.y = I16(params, 0);
  t.x = I16(params, 2);
  const std::size_t count = U16(params, 4);
  t.options = U16(params, 6);
  // A separator's text is characters with one advance each; GDI would read
  // past the record for these.
  if (t.options & (kEtoGlyphIndex | kEtoPdy)) return std::nullopt;
  std::size_t text = 8;
  if (t.options & (kEtoOpaque | kEtoClipped)) {
    if (params.size() < 16) return std::nullopt;
    t.rect = plat::print::Rect{I16(params, 8), I16(params, 10), I16(params, 12), I16(params, 14)};
    text = 16;
  }
  if (count > params.size() - text) return std::nullopt;
  // A spacing array, when there is one, must hold an entry for every byte.
  const std::size_t after = params.size() - text - std::min(Even(count), params.size() - text);
  if (after != 0 && after < count * 2) return std::nullopt;
  t.text = std::string_view(reinterpret_cast<const char*>(params.data() + text), count);
  return t;
}

}  // namespace emfplay::separator
