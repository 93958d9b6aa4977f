#include "simrender/rendering_gdi.h"

#include <cairo.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <variant>

#include "canvas.h"
#include "dib_image.h"

namespace sim::print {

namespace pp = plat::print;

namespace {

using Region = std::vector<pp::Rect>;
using Object = std::variant<PenStyle, BrushStyle, pp::LogFont, Region>;

constexpr std::int32_t kLandscape = 2;

// The device mode's orientation field (dmOrientation), when it has one.
bool Landscape(std::span<const std::uint8_t> devMode) {
  constexpr std::size_t kFieldsAt = 40, kOrientationAt = 44;
  constexpr std::uint32_t kDmOrientation = 1;
  if (devMode.size() < kOrientationAt + 2) return false;
  std::uint32_t fields;
  std::memcpy(&fields, devMode.data() + kFieldsAt, 4);
  const auto orientation = static_cast<std::int16_t>(devMode[kOrientationAt] | (devMode[kOrientationAt + 1] << 8));
  return (fields & kDmOrientation) && orientation == kLandscape;
}

std::uint32_t U32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

// The rectangles of an RGNDATA; nothing when they do not fit the bytes.
std::optional<Region> ParseRegion(std::span<const std::uint8_t> data) {
  if (data.size() < 32) return std::nullopt;
  const std::uint64_t headerSize = U32(data.data()), count = U32(data.data() + 8);
  if (headerSize < 32 || headerSize + count * 16 > data.size()) return std::nullopt;
  Region rects;
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint8_t* r = data.data() + headerSize + i * 16;
    rects.push_back({static_cast<std::int32_t>(U32(r)), static_cast<std::int32_t>(U32(r + 4)),
                     static_cast<std::int32_t>(U32(r + 8)), static_cast<std::int32_t>(U32(r + 12))});
  }
  return rects;
}

PenStyle StockPen() { return PenStyle{}; }
BrushStyle StockBrush() { return BrushStyle{}; }

// Points of an ellipse's outline inside `box` (device pixels), from angle
// `from` through `sweep`, counter-clockwise on the page for a positive sweep.
std::vector<PointF> EllipsePoints(PointF a, PointF b, double from, double sweep) {
  const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
  const double rx = std::fabs(b.x - a.x) / 2, ry = std::fabs(b.y - a.y) / 2;
  const int steps = std::max(8, static_cast<int>(std::fabs(sweep) / (2 * std::numbers::pi) * 96));
  std::vector<PointF> points;
  for (int i = 0; i <= steps; ++i) {
    const double t = from + sweep * i / steps;
    points.push_back({cx + rx * std::cos(t), cy - ry * std::sin(t)});
  }
  return points;
}

}  // namespace

struct RenderingGdi::Objects {
  std::map<Handle, Object> byHandle;
};

RenderingGdi::RenderingGdi(pp::Gdi& inner, RenderSettings settings)
    : ForwardingGdi(inner), settings_(settings), objects_(std::make_unique<Objects>()) {}

RenderingGdi::~RenderingGdi() = default;

Canvas* RenderingGdi::Find(Handle dc) {
  const auto it = canvases_.find(dc);
  return it == canvases_.end() ? nullptr : it->second.get();
}

// --- device contexts and pages

pp::Result<plat::Handle> RenderingGdi::CreateDc(std::optional<std::string_view> driver, std::string_view device,
                                                std::optional<std::string_view> output,
                                                std::span<const std::uint8_t> devMode) {
  auto dc = inner_.CreateDc(driver, device, output, devMode);
  if (!dc.ok()) return dc;
  auto canvas = std::make_unique<Canvas>(settings_.dpi, settings_.scale);
  const bool turn = Landscape(devMode);
  canvas->pageWidth = turn ? settings_.pageHeight : settings_.pageWidth;
  canvas->pageHeight = turn ? settings_.pageWidth : settings_.pageHeight;
  canvases_[*dc] = std::move(canvas);
  return dc;
}

pp::Status RenderingGdi::DeleteDc(Handle dc) {
  auto done = inner_.DeleteDc(dc);
  if (done.ok()) canvases_.erase(dc);
  return done;
}

pp::Result<plat::Handle> RenderingGdi::ResetDc(Handle dc, std::span<const std::uint8_t> devMode) {
  auto reset = inner_.ResetDc(dc, devMode);
  if (!reset.ok()) return reset;
  auto it = canvases_.find(dc);
  if (it == canvases_.end()) return reset;
  auto canvas = std::move(it->second);
  canvases_.erase(it);
  const bool turn = Landscape(devMode);
  canvas->pageWidth = turn ? settings_.pageHeight : settings_.pageWidth;
  canvas->pageHeight = turn ? settings_.pageWidth : settings_.pageHeight;
  canvases_[*reset] = std::move(canvas);
  return reset;
}

pp::Status RenderingGdi::StartPage(Handle dc) {
  auto done = inner_.StartPage(dc);
  if (done.ok())
    if (Canvas* c = Find(dc)) c->BeginPage();
  return done;
}

pp::Status RenderingGdi::EndPage(Handle dc) {
  auto done = inner_.EndPage(dc);
  if (Canvas* c = Find(dc)) {
    std::int32_t width, height;
    // The page ends whatever the device says; what it held was drawn.
    if (cairo_surface_t* page = c->TakePage(&width, &height)) pages_.Add(page, width, height);
  }
  return done;
}

pp::Result<pp::TextMetrics> RenderingGdi::GetTextMetricsAnsi(Handle dc) {
  auto metrics = inner_.GetTextMetricsAnsi(dc);
  if (metrics.ok())
    if (Canvas* c = Find(dc)) c->defaultCellHeight = metrics->height;
  return metrics;
}

pp::Result<std::int32_t> RenderingGdi::SaveDC(Handle dc) {
  auto level = inner_.SaveDC(dc);
  if (level.ok())
    if (Canvas* c = Find(dc)) c->saved.push_back(c->state);
  return level;
}

pp::Status RenderingGdi::RestoreDC(Handle dc, std::int32_t level) {
  auto done = inner_.RestoreDC(dc, level);
  Canvas* c = Find(dc);
  if (!done.ok() || !c || c->saved.empty()) return done;
  // Negative: that many back from the latest; positive: that level (from 1).
  const auto depth = static_cast<std::int64_t>(c->saved.size());
  const std::int64_t keep = level < 0 ? depth + level : static_cast<std::int64_t>(level) - 1;
  if (keep < 0 || keep >= depth) return done;
  c->state = c->saved[static_cast<std::size_t>(keep)];
  c->saved.resize(static_cast<std::size_t>(keep));
  return done;
}

// --- objects

pp::Result<plat::Handle> RenderingGdi::GetCurrentObject(Handle dc, ObjectKind kind) {
  auto current = inner_.GetCurrentObject(dc, kind);
  // The first look at a device context's objects finds its stock ones.
  if (current.ok() && !objects_->byHandle.contains(*current)) {
    if (kind == ObjectKind::Pen) objects_->byHandle[*current] = StockPen();
    if (kind == ObjectKind::Brush) objects_->byHandle[*current] = StockBrush();
    if (kind == ObjectKind::Font) objects_->byHandle[*current] = pp::LogFont{};
  }
  return current;
}

pp::Result<plat::Handle> RenderingGdi::SelectObject(Handle dc, Handle object) {
  auto previous = inner_.SelectObject(dc, object);
  Canvas* c = Find(dc);
  const auto it = objects_->byHandle.find(object);
  if (!previous.ok() || !c || it == objects_->byHandle.end()) return previous;
  if (const auto* pen = std::get_if<PenStyle>(&it->second)) c->state.pen = *pen;
  if (const auto* brush = std::get_if<BrushStyle>(&it->second)) c->state.brush = *brush;
  if (const auto* font = std::get_if<pp::LogFont>(&it->second)) c->state.font = *font;
  if (const auto* region = std::get_if<Region>(&it->second)) c->ClipToRegion(region, 5);
  return previous;
}

pp::Status RenderingGdi::DeleteObject(Handle object) {
  auto done = inner_.DeleteObject(object);
  if (done.ok()) objects_->byHandle.erase(object);
  return done;
}

pp::Result<plat::Handle> RenderingGdi::CreatePenIndirect(const LogPen& pen) {
  auto made = inner_.CreatePenIndirect(pen);
  if (made.ok()) {
    PenStyle p;
    p.dashKind = pen.style & 0xf;
    p.width = pen.width;
    p.colour = pen.colour;
    objects_->byHandle[*made] = p;
  }
  return made;
}

pp::Result<plat::Handle> RenderingGdi::ExtCreatePen(const ExtPen& pen) {
  auto made = inner_.ExtCreatePen(pen);
  if (made.ok()) {
    PenStyle p;
    p.dashKind = pen.style & 0xf;
    p.geometric = (pen.style & 0x10000) != 0;
    p.cap = (pen.style >> 8) & 0xf;
    p.join = (pen.style >> 12) & 0xf;
    p.width = pen.width;
    p.colour = pen.brush.colour;
    p.null = pen.brush.style == 1;
    p.dashes = pen.styleEntries;
    objects_->byHandle[*made] = p;
  }
  return made;
}

pp::Result<plat::Handle> RenderingGdi::CreateBrushIndirect(const LogBrush& brush) {
  auto made = inner_.CreateBrushIndirect(brush);
  if (made.ok()) objects_->byHandle[*made] = BrushStyle{brush.style, brush.colour, brush.hatch, nullptr};
  return made;
}

pp::Result<plat::Handle> RenderingGdi::CreateDIBPatternBrushPt(const Dib& dib, std::uint32_t usage) {
  auto made = inner_.CreateDIBPatternBrushPt(dib, usage);
  if (made.ok()) {
    BrushStyle b;
    b.kind = 6;
    b.pattern.reset(DibToSurface(dib, usage), [](cairo_surface_t* s) {
      if (s) cairo_surface_destroy(s);
    });
    if (!b.pattern) b.kind = 1;  // a pattern that cannot be drawn paints nothing
    objects_->byHandle[*made] = b;
  }
  return made;
}

pp::Result<plat::Handle> RenderingGdi::CreateFontIndirectAnsi(const LogFont& font) {
  auto made = inner_.CreateFontIndirectAnsi(font);
  if (made.ok()) objects_->byHandle[*made] = font;
  return made;
}

pp::Result<plat::Handle> RenderingGdi::ExtCreateRegion(std::span<const std::uint8_t> data) {
  auto made = inner_.ExtCreateRegion(data);
  if (made.ok()) objects_->byHandle[*made] = ParseRegion(data).value_or(Region{});
  return made;
}

// --- state

#define RENDER_SETTER(Call, Params, Args, Update)    \
  pp::Status RenderingGdi::Call Params {             \
    auto done = inner_.Call Args;                    \
    if (done.ok())                                   \
      if (Canvas* c = Find(dc)) {                    \
        [[maybe_unused]] DcState& s = c->state;      \
        Update;                                      \
      }                                              \
    return done;                                     \
  }

RENDER_SETTER(SetBkMode, (Handle dc, std::int32_t mode), (dc, mode), s.bkMode = mode)
RENDER_SETTER(SetPolyFillMode, (Handle dc, std::int32_t mode), (dc, mode), s.polyFill = mode)
RENDER_SETTER(SetTextAlign, (Handle dc, std::uint32_t align), (dc, align), s.textAlign = align)
RENDER_SETTER(SetArcDirection, (Handle dc, std::int32_t direction), (dc, direction), s.arcDirection = direction)
RENDER_SETTER(SetTextColor, (Handle dc, Colour colour), (dc, colour), s.textColour = colour)
RENDER_SETTER(SetBkColor, (Handle dc, Colour colour), (dc, colour), s.bkColour = colour)
RENDER_SETTER(SetTextCharacterExtra, (Handle dc, std::int32_t extra), (dc, extra), s.charExtra = extra)
RENDER_SETTER(SetMapMode, (Handle dc, std::int32_t mode), (dc, mode), s.mapMode = mode)
RENDER_SETTER(SetWindowOrgEx, (Handle dc, Point origin), (dc, origin), s.windowOrg = origin)
RENDER_SETTER(SetWindowExtEx, (Handle dc, std::int32_t cx, std::int32_t cy), (dc, cx, cy),
              (s.windowExtX = cx, s.windowExtY = cy))
RENDER_SETTER(SetViewportOrgEx, (Handle dc, Point origin), (dc, origin), s.viewportOrg = origin)
RENDER_SETTER(SetViewportExtEx, (Handle dc, std::int32_t cx, std::int32_t cy), (dc, cx, cy),
              (s.viewportExtX = cx, s.viewportExtY = cy))

// --- clipping and paths

pp::Status RenderingGdi::ExtSelectClipRgn(Handle dc, std::optional<Handle> region, std::int32_t mode) {
  auto done = inner_.ExtSelectClipRgn(dc, region, mode);
  Canvas* c = Find(dc);
  if (!done.ok() || !c) return done;
  const Region* rects = nullptr;
  if (region)
    if (const auto it = objects_->byHandle.find(*region); it != objects_->byHandle.end())
      rects = std::get_if<Region>(&it->second);
  if (region && !rects) return done;
  c->ClipToRegion(rects, mode);
  return done;
}

RENDER_SETTER(SelectClipPath, (Handle dc, std::int32_t mode), (dc, mode), c->ClipToPath())
RENDER_SETTER(BeginPath, (Handle dc), (dc), c->BeginPath())
RENDER_SETTER(EndPath, (Handle dc), (dc), c->EndPath())
RENDER_SETTER(CloseFigure, (Handle dc), (dc), c->CloseFigure())
RENDER_SETTER(FillPath, (Handle dc), (dc), c->PaintPath(true, false))
RENDER_SETTER(StrokeAndFillPath, (Handle dc), (dc), c->PaintPath(true, true))
RENDER_SETTER(StrokePath, (Handle dc), (dc), c->PaintPath(false, true))

// --- drawing

RENDER_SETTER(MoveToEx, (Handle dc, Point to), (dc, to), c->MoveTo(to))
RENDER_SETTER(LineTo, (Handle dc, Point to), (dc, to), c->LinesTo(std::span(&to, 1), false))
RENDER_SETTER(SetPixelV, (Handle dc, Point at, Colour colour), (dc, at, colour), c->Pixel(at, colour))
RENDER_SETTER(PolylineTo, (Handle dc, std::span<const Point> points), (dc, points), c->LinesTo(points, false))
RENDER_SETTER(PolyBezierTo, (Handle dc, std::span<const Point> points), (dc, points), c->LinesTo(points, true))
RENDER_SETTER(PatBlt, (Handle dc, const Area& area, std::uint32_t rop), (dc, area, rop), c->PatBlt(area, rop))

#undef RENDER_SETTER

namespace {

Figure Mapped(const Canvas& c, std::span<const pp::Point> points, bool closed) {
  Figure f;
  f.closed = closed;
  for (const auto& p : points) f.points.push_back(c.Map(p));
  return f;
}

// A box as GDI takes it: right and bottom lie just outside the outline.
void BoxCorners(const Canvas& c, const pp::Rect& box, PointF* a, PointF* b) {
  *a = c.Map({box.left, box.top});
  *b = c.Map({box.right, box.bottom});
  const double inX = b->x >= a->x ? -1 : 1, inY = b->y >= a->y ? -1 : 1;
  b->x += inX * std::min(1.0, c.scale());
  b->y += inY * std::min(1.0, c.scale());
}

double Angle(PointF centre, PointF radii, PointF p) {
  return std::atan2(-(p.y - centre.y) / std::max(radii.y, 1e-9), (p.x - centre.x) / std::max(radii.x, 1e-9));
}

}  // namespace

pp::Status RenderingGdi::Polyline(Handle dc, std::span<const Point> points) {
  auto done = inner_.Polyline(dc, points);
  if (done.ok())
    if (Canvas* c = Find(dc)) c->Shape({Mapped(*c, points, false)}, false);
  return done;
}

pp::Status RenderingGdi::Polygon(Handle dc, std::span<const Point> points) {
  auto done = inner_.Polygon(dc, points);
  if (done.ok())
    if (Canvas* c = Find(dc)) c->Shape({Mapped(*c, points, true)}, true);
  return done;
}

pp::Status RenderingGdi::PolyBezier(Handle dc, std::span<const Point> points) {
  auto done = inner_.PolyBezier(dc, points);
  Canvas* c = Find(dc);
  if (!done.ok() || !c || points.empty()) return done;
  const Point keep = c->state.position;
  c->state.position = points[0];
  c->LinesTo(points.subspan(1), true);
  c->state.position = keep;  // PolyBezier leaves the current position alone
  return done;
}

pp::Status RenderingGdi::PolyPolyline(Handle dc, std::span<const Point> points,
                                      std::span<const std::uint32_t> counts) {
  auto done = inner_.PolyPolyline(dc, points, counts);
  Canvas* c = Find(dc);
  if (!done.ok() || !c) return done;
  Figures figures;
  std::size_t at = 0;
  for (const std::uint32_t n : counts) {
    if (n > points.size() - at) break;
    figures.push_back(Mapped(*c, points.subspan(at, n), false));
    at += n;
  }
  c->Shape(std::move(figures), false);
  return done;
}

pp::Status RenderingGdi::Rectangle(Handle dc, const Rect& box) {
  auto done = inner_.Rectangle(dc, box);
  if (Canvas* c = Find(dc); done.ok() && c) {
    PointF a, b;
    BoxCorners(*c, box, &a, &b);
    c->Shape({{{a, {b.x, a.y}, b, {a.x, b.y}}, true}}, true);
  }
  return done;
}

pp::Status RenderingGdi::Ellipse(Handle dc, const Rect& box) {
  auto done = inner_.Ellipse(dc, box);
  if (Canvas* c = Find(dc); done.ok() && c) {
    PointF a, b;
    BoxCorners(*c, box, &a, &b);
    c->Shape({{EllipsePoints(a, b, 0, 2 * std::numbers::pi), true}}, true);
  }
  return done;
}

pp::Status RenderingGdi::RoundRect(Handle dc, const Rect& box, std::int32_t cornerWidth, std::int32_t cornerHeight) {
  auto done = inner_.RoundRect(dc, box, cornerWidth, cornerHeight);
  Canvas* c = Find(dc);
  if (!done.ok() || !c) return done;
  PointF a, b;
  BoxCorners(*c, box, &a, &b);
  const double l = std::min(a.x, b.x), r = std::max(a.x, b.x), t = std::min(a.y, b.y), btm = std::max(a.y, b.y);
  const double rx = std::min(std::fabs(cornerWidth * c->ScaleX()) / 2, (r - l) / 2);
  const double ry = std::min(std::fabs(cornerHeight * c->ScaleY()) / 2, (btm - t) / 2);
  constexpr double kQuarter = std::numbers::pi / 2;
  Figure f;
  f.closed = true;
  const PointF corners[] = {{r - rx, t + ry}, {l + rx, t + ry}, {l + rx, btm - ry}, {r - rx, btm - ry}};
  for (int i = 0; i < 4; ++i) {
    const PointF centre = corners[i];
    auto arc = EllipsePoints({centre.x - rx, centre.y - ry}, {centre.x + rx, centre.y + ry}, i * kQuarter, kQuarter);
    f.points.insert(f.points.end(), arc.begin(), arc.end());
  }
  c->Shape({std::move(f)}, true);
  return done;
}

namespace {

enum class ArcKind { Open, Chord, Pie };

void DrawArc(Canvas& c, const pp::Rect& box, pp::Point start, pp::Point end, ArcKind kind) {
  PointF a, b;
  BoxCorners(c, box, &a, &b);
  const PointF centre{(a.x + b.x) / 2, (a.y + b.y) / 2};
  const PointF radii{std::fabs(b.x - a.x) / 2, std::fabs(b.y - a.y) / 2};
  const double from = Angle(centre, radii, c.Map(start));
  double to = Angle(centre, radii, c.Map(end));
  // AD_COUNTERCLOCKWISE (1) runs up the angles on the page, AD_CLOCKWISE down.
  const bool counter = c.state.arcDirection != 2;
  double sweep = to - from;
  if (counter && sweep <= 0) sweep += 2 * std::numbers::pi;
  if (!counter && sweep >= 0) sweep -= 2 * std::numbers::pi;
  Figure f{EllipsePoints(a, b, from, sweep), kind != ArcKind::Open};
  if (kind == ArcKind::Pie) f.points.push_back(centre);
  c.Shape({std::move(f)}, kind != ArcKind::Open);
}

}  // namespace

pp::Status RenderingGdi::Arc(Handle dc, const Rect& box, Point start, Point end) {
  auto done = inner_.Arc(dc, box, start, end);
  if (Canvas* c = Find(dc); done.ok() && c) DrawArc(*c, box, start, end, ArcKind::Open);
  return done;
}

pp::Status RenderingGdi::Chord(Handle dc, const Rect& box, Point start, Point end) {
  auto done = inner_.Chord(dc, box, start, end);
  if (Canvas* c = Find(dc); done.ok() && c) DrawArc(*c, box, start, end, ArcKind::Chord);
  return done;
}

pp::Status RenderingGdi::Pie(Handle dc, const Rect& box, Point start, Point end) {
  auto done = inner_.Pie(dc, box, start, end);
  if (Canvas* c = Find(dc); done.ok() && c) DrawArc(*c, box, start, end, ArcKind::Pie);
  return done;
}

pp::Status RenderingGdi::StretchDIBits(Handle dc, const Area& destination, const Area& source, const Dib& dib,
                                       std::uint32_t usage, std::uint32_t rop) {
  auto done = inner_.StretchDIBits(dc, destination, source, dib, usage, rop);
  Canvas* c = Find(dc);
  if (!done.ok() || !c) return done;
  constexpr std::uint32_t kDestinationOnly = 0xAA;
  if (((rop >> 16) & 0xff) == kDestinationOnly) return done;
  cairo_surface_t* image = DibToSurface(dib, usage);
  if (!image) return done;
  // A BITMAPINFOHEADER with a negative height is top-down; a core header never is.
  bool bottomUp = true;
  if (dib.info.size() >= 12 && U32(dib.info.data()) >= 40)
    bottomUp = static_cast<std::int32_t>(U32(dib.info.data() + 8)) > 0;
  c->Blit(destination, source, image, bottomUp);
  cairo_surface_destroy(image);
  return done;
}

pp::Status RenderingGdi::TextOutAnsi(Handle dc, Point at, std::string_view text) {
  auto done = inner_.TextOutAnsi(dc, at, text);
  if (Canvas* c = Find(dc); done.ok() && c) c->Text(at, 0, std::nullopt, text, {});
  return done;
}

pp::Status RenderingGdi::ExtTextOutAnsi(Handle dc, Point at, std::uint32_t options, const std::optional<Rect>& clip,
                                        std::string_view text, std::span<const std::int32_t> spacing) {
  auto done = inner_.ExtTextOutAnsi(dc, at, options, clip, text, spacing);
  if (Canvas* c = Find(dc); done.ok() && c) c->Text(at, options, clip, text, spacing);
  return done;
}

}  // namespace sim::print
