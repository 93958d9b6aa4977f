// The records that make, select and delete objects, and those that carry
// variable data: regions, bitmaps and text.
#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/win_errors.h"
#include "playback/direct_player.h"
#include "playback/record_checks.h"
#include "playback/vemf_format.h"

namespace vemf {

namespace pp = plat::print;

namespace {

pp::Status Skipped() { return pp::Error(winerr::InvalidData); }

constexpr std::size_t kLogFontSize = 60;
constexpr std::size_t kFaceNameSize = 32;

}  // namespace

pp::Status DirectPlayer::Select(const RecordView& r) {
  if (!r.Has(8, 4)) return Skipped();
  const std::uint32_t number = r.U32(8);
  if (extPen_ && number == extPenNumber_) return StatusOf(gdi_.SelectObject(dc_, extPen_));
  const auto handle = objects_.Find(number);
  // A number the stream never made selects nothing.
  if (!handle) return Skipped();
  return StatusOf(gdi_.SelectObject(dc_, *handle));
}

pp::Status DirectPlayer::CreatePen(const RecordView& r) {
  if (!r.Has(8, 20)) return Skipped();
  auto pen = gdi_.CreatePenIndirect({r.U32(12), r.I32(16), r.U32(24)});
  if (!pen.ok()) return StatusOf(pen);
  objects_.Add(r.U32(8), *pen);
  return pp::Ok();
}

pp::Status DirectPlayer::CreateBrush(const RecordView& r) {
  if (!r.Has(8, 16)) return Skipped();
  auto brush = gdi_.CreateBrushIndirect({r.U32(12), r.U32(16), r.U32(20)});
  if (!brush.ok()) return StatusOf(brush);
  objects_.Add(r.U32(8), *brush);
  return pp::Ok();
}

pp::Status DirectPlayer::MakeFont(const RecordView& r) {
  if (!r.Has(12, kLogFontSize)) return Skipped();
  pp::LogFont f;
  f.height = r.I32(12);
  f.width = r.I32(16);
  f.escapement = r.I32(20);
  f.orientation = r.I32(24);
  f.weight = r.I32(28);
  f.italic = r.U8(32);
  f.underline = r.U8(33);
  f.strikeOut = r.U8(34);
  f.charSet = r.U8(35);
  f.outPrecision = r.U8(36);
  f.clipPrecision = r.U8(37);
  f.quality = r.U8(38);
  f.pitchAndFamily = r.U8(39);
  // The face name ends at its first zero, and within the 32 bytes it has
  // with room for that zero.
  const auto face = r.bytes().subspan(40, kFaceNameSize - 1);
  const auto end = std::find(face.begin(), face.end(), std::uint8_t{0});
  f.faceName.assign(face.begin(), end);
  auto font = gdi_.CreateFontIndirectAnsi(f);
  if (!font.ok()) return StatusOf(font);
  objects_.Add(r.U32(8), *font);
  return pp::Ok();
}

pp::Status DirectPlayer::CreateDibPatternBrush(const RecordView& r) {
  if (!r.Has(8, 12)) return Skipped();
  const std::uint32_t usage = r.U32(12);
  const auto packed = r.From(r.U32(16));
  const auto dib = packed ? CheckPackedDib(*packed, usage) : std::nullopt;
  if (!dib) return Skipped();
  auto brush = gdi_.CreateDIBPatternBrushPt(*dib, usage);
  if (!brush.ok()) return StatusOf(brush);
  objects_.Add(r.U32(8), *brush);
  return pp::Ok();
}

pp::Status DirectPlayer::ExtCreatePen(const RecordView& r) {
  if (!r.Has(8, 44)) return Skipped();
  const std::uint32_t entries = r.U32(48);
  if (!r.Has(52, std::uint64_t{entries} * 4)) return Skipped();

  pp::ExtPen pen;
  pen.style = r.U32(28);
  pen.width = r.U32(32);
  pen.brush.style = r.U32(36);
  pen.brush.colour = r.U32(40);
  if (pen.brush.style == kBsHatched) pen.brush.hatch = r.U32(44);
  if (pen.brush.style == kBsDibPatternPt) {
    // For a pattern the brush's colour field says how to read the table.
    const auto packed = r.From(r.U32(12));
    pen.dib = packed ? CheckPackedDib(*packed, pen.brush.colour & 0xffff) : std::nullopt;
    if (!pen.dib) return Skipped();
  }
  pen.styleEntries.resize(entries);
  for (std::uint32_t i = 0; i < entries; ++i) pen.styleEntries[i] = r.U32(52 + std::size_t{i} * 4);

  if (extPen_) {
    DeleteSafely(extPen_);
    extPen_ = 0;
  }
  auto made = gdi_.ExtCreatePen(pen);
  if (!made.ok()) return StatusOf(made);
  extPen_ = *made;
  extPenNumber_ = r.U32(8);
  return pp::Ok();
}

pp::Status DirectPlayer::Delete(const RecordView& r) {
  if (!r.Has(8, 4)) return Skipped();
  const auto handle = objects_.Remove(r.U32(8));
  if (!handle) return Skipped();
  DeleteSafely(*handle);
  return pp::Ok();
}

pp::Status DirectPlayer::ClipRegion(const RecordView& r) {
  if (!r.Has(8, 8)) return Skipped();
  const std::uint32_t dataSize = r.U32(8);
  const std::int32_t mode = r.I32(12);
  if (dataSize == 0) return gdi_.ExtSelectClipRgn(dc_, std::nullopt, mode);
  const auto tail = r.From(16);
  const auto data = tail ? CheckRegionData(*tail, dataSize) : std::nullopt;
  if (!data) return Skipped();
  auto region = gdi_.ExtCreateRegion(*data);
  if (!region.ok()) return StatusOf(region);
  const pp::Status selected = gdi_.ExtSelectClipRgn(dc_, *region, mode);
  static_cast<void>(gdi_.DeleteObject(*region));  // the device context keeps its own copy
  return selected;
}

pp::Status DirectPlayer::BitBlt(const RecordView& r) {
  if (r.size() < 96) return Skipped();
  const std::uint32_t usage = r.U32(80);
  const auto info = r.From(r.U32(84));
  const auto bits = r.From(r.U32(92));
  const auto dib = info && bits ? CheckDib(*info, *bits, usage) : std::nullopt;
  if (!dib) return Skipped();
  const pp::Area destination{r.I32(24), r.I32(28), r.I32(32), r.I32(36)};
  const pp::Area source{r.I32(44), r.I32(48), destination.width, destination.height};
  return gdi_.StretchDIBits(dc_, destination, source, *dib, usage, r.U32(40) << 16);
}

pp::Status DirectPlayer::StretchDiBits(const RecordView& r) {
  if (r.size() < 84) return Skipped();
  const std::uint32_t usage = r.U32(68);
  const auto info = r.From(r.U32(48));
  const auto bits = r.From(r.U32(56));
  const auto dib = info && bits ? CheckDib(*info, *bits, usage) : std::nullopt;
  if (!dib) return Skipped();
  const pp::Area destination{r.I32(24), r.I32(28), r.I32(76), r.I32(80)};
  const pp::Area source{r.I32(32), r.I32(36), r.I32(40), r.I32(44)};
  const pp::Status drawn = gdi_.StretchDIBits(dc_, destination, source, *dib, usage, r.U32(72) << 16);
  if (adjustmentSaved_) {
    static_cast<void>(gdi_.SetColorAdjustment(dc_, savedAdjustment_));  // best effort, as any state call
    adjustmentSaved_ = false;
  }
  return drawn;
}

pp::Status DirectPlayer::PlayText(const RecordView& r) {
  if (r.size() < 76) return Skipped();
  const std::uint32_t count = r.U32(44);
  const std::uint32_t options = r.U32(52);
  // GDI reads two bytes a character when they are glyph indices, and two
  // advances a character when vertical ones come with them: the record must
  // hold all it will read.
  const std::uint64_t textBytes = std::uint64_t{count} * ((options & kEtoGlyphIndex) ? 2 : 1);
  const std::uint64_t advances = std::uint64_t{count} * ((options & kEtoPdy) ? 2 : 1);
  if (!r.Has(r.U32(48), textBytes)) return Skipped();
  const auto text = r.Slice(r.U32(48), count);
  if (!text) return Skipped();
  std::span<const std::int32_t> spacing;
  if (const std::uint32_t dxAt = r.U32(72); dxAt != 0) {
    if (!r.Has(dxAt, advances * 4)) return Skipped();
    // Little-endian 32-bit entries, as the record holds them. Where they lie
    // aligned, which is how the reader hands records out, they are passed
    // in place: a copy of every advance of every line would cost about as
    // much as reading the stream.
    const std::uint8_t* at = r.bytes().data() + dxAt;
    const auto entries = static_cast<std::size_t>(advances);
    if constexpr (std::endian::native == std::endian::little) {
      if (reinterpret_cast<std::uintptr_t>(at) % alignof(std::int32_t) == 0)
        spacing = {reinterpret_cast<const std::int32_t*>(at), entries};
    }
    if (spacing.size() != entries) {
      spacing_.resize(entries);
      if (entries) std::memcpy(spacing_.data(), at, entries * 4);
      spacing = spacing_;
    }
  }
  // GDI reads the rectangle for clipping and for the opaque background alike.
  std::optional<pp::Rect> clip;
  if (options & (kEtoClipped | kEtoOpaque)) clip = pp::Rect{r.I32(56), r.I32(60), r.I32(64), r.I32(68)};
  const std::string_view chars(reinterpret_cast<const char*>(text->data()), text->size());
  return gdi_.ExtTextOutAnsi(dc_, {r.I32(36), r.I32(40)}, options, clip, chars, spacing);
}

}  // namespace vemf
