// The records that draw or set drawing state with fixed fields only, and the
// two with point lists.
#include "platform/win_errors.h"
#include "playback/direct_player.h"
#include "playback/vemf_format.h"

namespace vemf {

namespace pp = plat::print;

namespace {

pp::Status Skipped() { return pp::Error(winerr::InvalidData); }

pp::Point PointAt(const RecordView& r, std::size_t at) { return {r.I32(at), r.I32(at + 4)}; }
pp::Rect RectAt(const RecordView& r, std::size_t at) { return {r.I32(at), r.I32(at + 4), r.I32(at + 8), r.I32(at + 12)}; }

// The smallest size a record of each fixed-layout type needs for the fields
// the player reads; 0 for types it does not play here.
std::uint32_t FixedSize(std::uint32_t type) {
  switch (type) {
    case rec::SaveDc:
    case rec::RestoreDc:
    case rec::BeginPath:
    case rec::EndPath:
    case rec::CloseFigure:
    case rec::FillPath:
    case rec::StrokeAndFillPath:
    case rec::StrokePath:
      return 8;
    case rec::SetBkMode:
    case rec::SetPolyFillMode:
    case rec::SetRop2:
    case rec::SetStretchBltMode:
    case rec::SetTextAlign:
    case rec::SetTextColor:
    case rec::SetBkColor:
    case rec::SetArcDirection:
    case rec::SetMiterLimit:
    case rec::SelectClipPath:
    case rec::SetTextCharacterExtra:
      return 12;
    case rec::SetBrushOrg:
    case rec::MoveTo:
    case rec::LineTo:
    case rec::SetTextJustification:
      return 16;
    case rec::SetPixel:
      return 20;
    case rec::Ellipse:
    case rec::Rectangle:
      return 24;
    case rec::RoundRect:
      return 32;
    case rec::SetColorAdjustment:
      return 32;
    case rec::Arc:
    case rec::Chord:
    case rec::Pie:
      return 40;
    case rec::PatBlt:
      return 44;
    default:
      return 0;
  }
}

}  // namespace

pp::Status DirectPlayer::PlayDrawing(const RecordView& r) {
  const std::uint32_t type = r.type();
  if (type >= rec::PolyBezier && type <= rec::PolylineTo) return Poly(r);
  if (type == rec::PolyPolyline) return PolyPolyline(r);
  const std::uint32_t needed = FixedSize(type);
  if (needed == 0) return Skipped();  // not a type this player knows
  if (r.size() < needed) return Skipped();

  switch (type) {
    case rec::SetBrushOrg:
      return gdi_.SetBrushOrgEx(dc_, PointAt(r, 8));
    case rec::SetPixel:
      return gdi_.SetPixelV(dc_, PointAt(r, 8), r.U32(16));
    case rec::SetBkMode:
      return gdi_.SetBkMode(dc_, r.I32(8));
    case rec::SetPolyFillMode:
      return gdi_.SetPolyFillMode(dc_, r.I32(8));
    case rec::SetRop2:
      return gdi_.SetROP2(dc_, r.I32(8));
    case rec::SetStretchBltMode:
      return gdi_.SetStretchBltMode(dc_, r.I32(8));
    case rec::SetTextAlign:
      return gdi_.SetTextAlign(dc_, r.U32(8));
    case rec::SetColorAdjustment:
      return SetColorAdjustment(r);
    case rec::SetTextColor:
      return gdi_.SetTextColor(dc_, r.U32(8));
    case rec::SetBkColor:
      return gdi_.SetBkColor(dc_, r.U32(8));
    case rec::MoveTo:
      return gdi_.MoveToEx(dc_, PointAt(r, 8));
    case rec::SaveDc:
      return StatusOf(gdi_.SaveDC(dc_));
    case rec::RestoreDc:
      return gdi_.RestoreDC(dc_, -1);
    case rec::Ellipse:
      return gdi_.Ellipse(dc_, RectAt(r, 8));
    case rec::Rectangle:
      return gdi_.Rectangle(dc_, RectAt(r, 8));
    case rec::RoundRect:
      return gdi_.RoundRect(dc_, RectAt(r, 8), r.I32(24), r.I32(28));
    case rec::Arc:
      return gdi_.Arc(dc_, RectAt(r, 8), PointAt(r, 24), PointAt(r, 32));
    case rec::Chord:
      return gdi_.Chord(dc_, RectAt(r, 8), PointAt(r, 24), PointAt(r, 32));
    case rec::Pie:
      return gdi_.Pie(dc_, RectAt(r, 8), PointAt(r, 24), PointAt(r, 32));
    case rec::LineTo:
      return gdi_.LineTo(dc_, PointAt(r, 8));
    case rec::SetArcDirection:
      return gdi_.SetArcDirection(dc_, r.I32(8));
    case rec::SetMiterLimit:
      return gdi_.SetMiterLimit(dc_, r.F32(8));
    case rec::BeginPath:
      return gdi_.BeginPath(dc_);
    case rec::EndPath:
      return gdi_.EndPath(dc_);
    case rec::CloseFigure:
      return gdi_.CloseFigure(dc_);
    case rec::FillPath:
      return gdi_.FillPath(dc_);
    case rec::StrokeAndFillPath:
      return gdi_.StrokeAndFillPath(dc_);
    case rec::StrokePath:
      return gdi_.StrokePath(dc_);
    case rec::SelectClipPath:
      return gdi_.SelectClipPath(dc_, r.I32(8));
    case rec::PatBlt:
      return gdi_.PatBlt(dc_, {r.I32(24), r.I32(28), r.I32(32), r.I32(36)}, r.U32(40) << 16);
    case rec::SetTextCharacterExtra:
      return gdi_.SetTextCharacterExtra(dc_, r.I32(8));
    case rec::SetTextJustification:
      return gdi_.SetTextJustification(dc_, r.I32(8), r.I32(12));
    default:
      return Skipped();
  }
}

pp::Status DirectPlayer::Poly(const RecordView& r) {
  if (!r.Has(24, 4)) return Skipped();
  const std::uint32_t count = r.U32(24);
  if (!r.Has(28, std::uint64_t{count} * 8)) return Skipped();
  points_.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) points_[i] = PointAt(r, 28 + std::size_t{i} * 8);
  switch (r.type()) {
    case rec::PolyBezier:
      return gdi_.PolyBezier(dc_, points_);
    case rec::Polygon:
      return gdi_.Polygon(dc_, points_);
    case rec::Polyline:
      return gdi_.Polyline(dc_, points_);
    case rec::PolyBezierTo:
      return gdi_.PolyBezierTo(dc_, points_);
    default:
      return gdi_.PolylineTo(dc_, points_);
  }
}

pp::Status DirectPlayer::PolyPolyline(const RecordView& r) {
  if (!r.Has(24, 8)) return Skipped();
  const std::uint32_t lines = r.U32(24), total = r.U32(28);
  if (!r.Has(32, std::uint64_t{lines} * 4)) return Skipped();
  const std::uint64_t pointsAt = 32 + std::uint64_t{lines} * 4;
  std::uint64_t sum = 0;
  std::vector<std::uint32_t> counts(lines);
  for (std::uint32_t i = 0; i < lines; ++i) sum += counts[i] = r.U32(32 + std::size_t{i} * 4);
  // The counts must name no more points than the record says it holds, and
  // those must be inside it.
  if (sum > total || !r.Has(pointsAt, sum * 8)) return Skipped();
  points_.resize(static_cast<std::size_t>(sum));
  for (std::size_t i = 0; i < points_.size(); ++i) points_[i] = PointAt(r, static_cast<std::size_t>(pointsAt) + i * 8);
  return gdi_.PolyPolyline(dc_, points_, counts);
}

pp::Status DirectPlayer::SetColorAdjustment(const RecordView& r) {
  if (!adjustmentSaved_) {
    auto current = gdi_.GetColorAdjustment(dc_);
    if (current.ok()) {
      savedAdjustment_ = *current;
      adjustmentSaved_ = true;
    }
  }
  pp::ColorAdjustment a;
  a.size = r.U16(8);
  a.flags = r.U16(10);
  a.illuminantIndex = r.U16(12);
  a.redGamma = r.U16(14);
  a.greenGamma = r.U16(16);
  a.blueGamma = r.U16(18);
  a.referenceBlack = r.U16(20);
  a.referenceWhite = r.U16(22);
  a.contrast = static_cast<std::int16_t>(r.U16(24));
  a.brightness = static_cast<std::int16_t>(r.U16(26));
  a.colorfulness = static_cast<std::int16_t>(r.U16(28));
  a.redGreenTint = static_cast<std::int16_t>(r.U16(30));
  return gdi_.SetColorAdjustment(dc_, a);
}

}  // namespace vemf
