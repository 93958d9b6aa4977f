#include "canvas.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

namespace sim::print {

namespace pp = plat::print;

namespace {

constexpr std::uint32_t kEtoOpaque = 2, kEtoClipped = 4, kEtoPdy = 0x2000;
constexpr std::uint32_t kTaUpdateCp = 1, kTaHorizontal = 6, kTaRight = 2, kTaCenter = 6;
constexpr std::uint32_t kTaVertical = 24, kTaBottom = 8, kTaBaseline = 24;

void SetColour(cairo_t* cr, pp::Colour c) {
  cairo_set_source_rgb(cr, (c & 0xff) / 255.0, ((c >> 8) & 0xff) / 255.0, ((c >> 16) & 0xff) / 255.0);
}

// Units a logical unit holds in an inch, for the fixed mapping modes.
double UnitsPerInch(std::int32_t mode) {
  switch (mode) {
    case 2: return 254;    // MM_LOMETRIC
    case 3: return 2540;   // MM_HIMETRIC
    case 4: return 100;    // MM_LOENGLISH
    case 5: return 1000;   // MM_HIENGLISH
    case 6: return 1440;   // MM_TWIPS
    default: return 0;
  }
}

// ANSI text as UTF-8, taking the bytes as Latin-1.
std::string Utf8(std::string_view text) {
  std::string s;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      s += static_cast<char>(c);
    } else {
      s += static_cast<char>(0xc0 | (c >> 6));
      s += static_cast<char>(0x80 | (c & 0x3f));
    }
  }
  return s;
}

const char* Family(const std::string& face) {
  std::string f;
  for (const char c : face) f += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (f.find("courier") != std::string::npos || f.find("mono") != std::string::npos) return "monospace";
  if (f.find("times") != std::string::npos || f.find("roman") != std::string::npos ||
      f.find("serif") == 0)
    return "serif";
  return "sans-serif";
}

std::shared_ptr<cairo_surface_t> HatchPattern(const BrushStyle& b, std::int32_t bkMode, pp::Colour bk) {
  cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  cairo_t* cr = cairo_create(tile);
  if (bkMode == 2) {
    SetColour(cr, bk);
    cairo_paint(cr);
  }
  SetColour(cr, b.colour);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  for (int i = 0; i < 8; ++i) {
    const bool horizontal = b.hatch == 0 || b.hatch == 4;
    const bool vertical = b.hatch == 1 || b.hatch == 4;
    const bool forward = b.hatch == 2 || b.hatch == 5;
    const bool backward = b.hatch == 3 || b.hatch == 5;
    if (horizontal) cairo_rectangle(cr, i, 7, 1, 1);
    if (vertical) cairo_rectangle(cr, 7, i, 1, 1);
    if (forward) cairo_rectangle(cr, i, i, 1, 1);
    if (backward) cairo_rectangle(cr, 7 - i, i, 1, 1);
  }
  cairo_fill(cr);
  cairo_destroy(cr);
  return {tile, cairo_surface_destroy};
}

void Flatten(PointF p0, PointF c1, PointF c2, PointF p3, std::vector<PointF>* out) {
  constexpr int kSteps = 16;
  for (int i = 1; i <= kSteps; ++i) {
    const double t = static_cast<double>(i) / kSteps, u = 1 - t;
    out->push_back({u * u * u * p0.x + 3 * u * u * t * c1.x + 3 * u * t * t * c2.x + t * t * t * p3.x,
                    u * u * u * p0.y + 3 * u * u * t * c1.y + 3 * u * t * t * c2.y + t * t * t * p3.y});
  }
}

}  // namespace

Canvas::~Canvas() {
  std::int32_t w, h;
  if (cairo_surface_t* page = TakePage(&w, &h)) cairo_surface_destroy(page);
}

void Canvas::BeginPage() {
  std::int32_t w, h;
  if (cairo_surface_t* old = TakePage(&w, &h)) cairo_surface_destroy(old);
  pixelWidth_ = std::max(1, static_cast<std::int32_t>(std::lround(pageWidth * scale_)));
  pixelHeight_ = std::max(1, static_cast<std::int32_t>(std::lround(pageHeight * scale_)));
  const cairo_rectangle_t extents{0, 0, static_cast<double>(pixelWidth_), static_cast<double>(pixelHeight_)};
  recording_ = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
  cr_ = cairo_create(recording_);
  path_.clear();
  pathOpen_ = false;
}

cairo_surface_t* Canvas::TakePage(std::int32_t* width, std::int32_t* height) {
  if (!cr_) return nullptr;
  cairo_destroy(cr_);
  cr_ = nullptr;
  *width = pixelWidth_;
  *height = pixelHeight_;
  return std::exchange(recording_, nullptr);
}

double Canvas::ScaleX() const {
  const auto& s = state;
  if (const double units = UnitsPerInch(s.mapMode)) return dpi_ / units * scale_;
  if (s.mapMode == 7 || s.mapMode == 8) {
    double sx = s.windowExtX ? static_cast<double>(s.viewportExtX) / s.windowExtX : 1;
    if (s.mapMode == 7) {
      const double sy = s.windowExtY ? static_cast<double>(s.viewportExtY) / s.windowExtY : 1;
      sx = std::copysign(std::min(std::fabs(sx), std::fabs(sy)), sx);
    }
    return sx * scale_;
  }
  return scale_;
}

double Canvas::ScaleY() const {
  const auto& s = state;
  if (const double units = UnitsPerInch(s.mapMode)) return -dpi_ / units * scale_;
  if (s.mapMode == 7 || s.mapMode == 8) {
    double sy = s.windowExtY ? static_cast<double>(s.viewportExtY) / s.windowExtY : 1;
    if (s.mapMode == 7) {
      const double sx = s.windowExtX ? static_cast<double>(s.viewportExtX) / s.windowExtX : 1;
      sy = std::copysign(std::min(std::fabs(sx), std::fabs(sy)), sy);
    }
    return sy * scale_;
  }
  return scale_;
}

PointF Canvas::Map(pp::Point p) const {
  const auto& s = state;
  return {(p.x - s.windowOrg.x) * ScaleX() + s.viewportOrg.x * scale_,
          (p.y - s.windowOrg.y) * ScaleY() + s.viewportOrg.y * scale_};
}

void Canvas::ApplyClip() {
  for (const ClipPart& part : state.clip) {
    AddPath(part);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
    cairo_clip(cr_);
  }
}

void Canvas::AddPath(const Figures& figures) {
  cairo_new_path(cr_);
  for (const Figure& f : figures) {
    if (f.points.empty()) continue;
    cairo_move_to(cr_, f.points[0].x, f.points[0].y);
    for (std::size_t i = 1; i < f.points.size(); ++i) cairo_line_to(cr_, f.points[i].x, f.points[i].y);
    if (f.closed) cairo_close_path(cr_);
  }
}

void Canvas::SetBrushSource() {
  const BrushStyle& b = state.brush;
  std::shared_ptr<cairo_surface_t> tile = b.kind == 2 ? HatchPattern(b, state.bkMode, state.bkColour) : b.pattern;
  if (!tile) {
    SetColour(cr_, b.colour);
    return;
  }
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile.get());
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  if (b.kind != 2) {
    // A pattern brush's pixels are device pixels.
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, 1 / scale_, 1 / scale_);
    cairo_pattern_set_matrix(pattern, &m);
  }
  cairo_set_source(cr_, pattern);
  cairo_pattern_destroy(pattern);
}

void Canvas::Fill(const Figures& figures) {
  if (state.brush.kind == 1) return;  // BS_NULL
  if (state.brush.kind != 0 && state.brush.kind != 2 && !state.brush.pattern) return;
  cairo_save(cr_);
  ApplyClip();
  AddPath(figures);
  cairo_set_fill_rule(cr_, state.polyFill == 2 ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
  SetBrushSource();
  cairo_fill(cr_);
  cairo_restore(cr_);
}

bool Canvas::SetPen() {
  const PenStyle& p = state.pen;
  if (p.null || p.dashKind == 5) return false;
  const double deviceWidth = p.width <= 0 ? 1.0 : p.width * std::fabs(ScaleX()) / scale_;
  const double width = std::max(1.0, deviceWidth * scale_);
  cairo_set_line_width(cr_, width);
  SetColour(cr_, p.colour);
  if (p.geometric) {
    static const cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_ROUND, CAIRO_LINE_CAP_SQUARE, CAIRO_LINE_CAP_BUTT};
    static const cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_ROUND, CAIRO_LINE_JOIN_BEVEL, CAIRO_LINE_JOIN_MITER};
    cairo_set_line_cap(cr_, caps[std::min<std::uint32_t>(p.cap, 2)]);
    cairo_set_line_join(cr_, joins[std::min<std::uint32_t>(p.join, 2)]);
  } else {
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
  }
  std::vector<double> dashes;
  const double unit = std::max(width, 1.0);
  switch (p.dashKind) {
    case 1: dashes = {6 * unit, 2 * unit}; break;
    case 2: dashes = {unit, unit}; break;
    case 3: dashes = {6 * unit, 2 * unit, unit, 2 * unit}; break;
    case 4: dashes = {6 * unit, 2 * unit, unit, 2 * unit, unit, 2 * unit}; break;
    case 7:
      for (const auto d : p.dashes) dashes.push_back(std::max(0.5, d * (p.geometric ? width : scale_)));
      if (dashes.size() % 2) dashes.push_back(dashes.back());
      break;
    default: break;
  }
  cairo_set_dash(cr_, dashes.data(), static_cast<int>(dashes.size()), 0);
  return true;
}

void Canvas::Stroke(const Figures& figures) {
  cairo_save(cr_);
  ApplyClip();
  if (SetPen()) {
    // A one-pixel line lies on the pixels' centres, as a device's does.
    const bool odd = std::lround(cairo_get_line_width(cr_)) % 2 == 1;
    if (odd) cairo_translate(cr_, 0.5, 0.5);
    AddPath(figures);
    cairo_stroke(cr_);
  }
  cairo_restore(cr_);
}

void Canvas::Shape(Figures figures, bool fill) {
  if (pathOpen_) {
    for (auto& f : figures) path_.push_back(std::move(f));
    return;
  }
  if (!cr_) return;
  if (fill) Fill(figures);
  Stroke(figures);
}

void Canvas::BeginPath() {
  path_.clear();
  pathOpen_ = true;
}

void Canvas::CloseFigure() {
  if (pathOpen_ && !path_.empty()) path_.back().closed = true;
}

void Canvas::MoveTo(pp::Point p) {
  state.position = p;
  if (pathOpen_) path_.push_back({{Map(p)}, false});
}

void Canvas::LinesTo(std::span<const pp::Point> points, bool bezier) {
  if (points.empty() || (bezier && points.size() < 3)) return;
  Figure f;
  f.points.push_back(Map(state.position));
  if (bezier) {
    for (std::size_t i = 0; i + 2 < points.size(); i += 3)
      Flatten(f.points.back(), Map(points[i]), Map(points[i + 1]), Map(points[i + 2]), &f.points);
  } else {
    for (const auto& p : points) f.points.push_back(Map(p));
  }
  state.position = bezier ? points[points.size() / 3 * 3 - 1] : points.back();
  if (pathOpen_) {
    // A line from the current position carries on the figure it ends.
    if (path_.empty() || path_.back().closed) path_.push_back({{f.points[0]}, false});
    path_.back().points.insert(path_.back().points.end(), f.points.begin() + 1, f.points.end());
    return;
  }
  Shape({std::move(f)}, false);
}

void Canvas::PaintPath(bool fill, bool stroke) {
  pathOpen_ = false;
  if (cr_) {
    if (fill) Fill(path_);
    if (stroke) Stroke(path_);
  }
  path_.clear();
}

void Canvas::ClipToPath() {
  pathOpen_ = false;
  state.clip.push_back(path_);
  path_.clear();
}

void Canvas::ClipToRegion(const std::vector<pp::Rect>* deviceRects, std::int32_t mode) {
  constexpr std::int32_t kAnd = 1, kOr = 2, kCopy = 5;
  if (!deviceRects) {
    if (mode == kCopy) state.clip.clear();
    return;
  }
  ClipPart part;
  for (const pp::Rect& r : *deviceRects) {
    const double l = r.left * scale_, t = r.top * scale_, rr = r.right * scale_, b = r.bottom * scale_;
    part.push_back({{{l, t}, {rr, t}, {rr, b}, {l, b}}, true});
  }
  if (mode == kCopy) {
    state.clip.assign(1, std::move(part));
  } else if (mode == kAnd) {
    state.clip.push_back(std::move(part));
  } else if (mode == kOr && !state.clip.empty()) {
    state.clip.back().insert(state.clip.back().end(), part.begin(), part.end());
  }
  // RGN_XOR and RGN_DIFF are not drawn: the clip stays as it was.
}

void Canvas::Pixel(pp::Point p, pp::Colour colour) {
  if (!cr_) return;
  const PointF at = Map(p);
  cairo_save(cr_);
  ApplyClip();
  SetColour(cr_, colour);
  const double size = std::max(1.0, scale_);
  cairo_rectangle(cr_, std::floor(at.x), std::floor(at.y), size, size);
  cairo_fill(cr_);
  cairo_restore(cr_);
}

void Canvas::PatBlt(const pp::Area& area, std::uint32_t rop) {
  if (!cr_) return;
  const PointF a = Map({area.x, area.y}), b = Map({area.x + area.width, area.y + area.height});
  cairo_save(cr_);
  ApplyClip();
  cairo_rectangle(cr_, std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
  // The raster operation is its third byte; the low word only helps a
  // device compile it.
  switch ((rop >> 16) & 0xff) {
    case 0xF0:  // PATCOPY
      SetBrushSource();
      break;
    case 0x00:  // BLACKNESS
      SetColour(cr_, 0);
      break;
    case 0xFF:  // WHITENESS
      SetColour(cr_, 0xffffff);
      break;
    case 0x55:  // DSTINVERT
      cairo_set_operator(cr_, CAIRO_OPERATOR_DIFFERENCE);
      SetColour(cr_, 0xffffff);
      break;
    case 0x5A:  // PATINVERT, as a difference
      cairo_set_operator(cr_, CAIRO_OPERATOR_DIFFERENCE);
      SetBrushSource();
      break;
    default:
      cairo_new_path(cr_);
      break;
  }
  cairo_fill(cr_);
  cairo_restore(cr_);
}

void Canvas::Blit(const pp::Area& destination, const pp::Area& source, cairo_surface_t* image, bool bottomUp) {
  if (!cr_ || source.width == 0 || source.height == 0) return;
  const PointF a = Map({destination.x, destination.y});
  const PointF b = Map({destination.x + destination.width, destination.y + destination.height});
  const double imageHeight = cairo_image_surface_get_height(image);
  // A bottom-up bitmap counts its source rows from the bottom.
  const double top = bottomUp ? imageHeight - source.y - source.height : source.y;
  cairo_save(cr_);
  ApplyClip();
  cairo_rectangle(cr_, std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
  cairo_clip(cr_);
  cairo_translate(cr_, a.x, a.y);
  cairo_scale(cr_, (b.x - a.x) / source.width, (b.y - a.y) / source.height);
  cairo_translate(cr_, -source.x, -top);
  cairo_set_source_surface(cr_, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
  cairo_rectangle(cr_, source.x, top, source.width, source.height);
  cairo_fill(cr_);
  cairo_restore(cr_);
}

void Canvas::Text(pp::Point at, std::uint32_t options, const std::optional<pp::Rect>& clip, std::string_view text,
                  std::span<const std::int32_t> spacing) {
  if (!cr_) return;
  const DcState& s = state;
  const bool updateCp = (s.textAlign & kTaUpdateCp) != 0;
  const PointF origin = Map(updateCp ? s.position : at);
  cairo_save(cr_);
  ApplyClip();

  if (clip && (options & (kEtoOpaque | kEtoClipped))) {
    const PointF a = Map({clip->left, clip->top}), b = Map({clip->right, clip->bottom});
    cairo_rectangle(cr_, std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
    if (options & kEtoOpaque) {
      SetColour(cr_, s.bkColour);
      cairo_fill_preserve(cr_);
    }
    if (options & kEtoClipped) cairo_clip(cr_);
    cairo_new_path(cr_);
  }

  // The font's height: negative is the characters' height, positive the
  // cell's (with its internal leading), 0 the device's default.
  const double logical = s.font.height < 0 ? -s.font.height
                         : s.font.height > 0 ? s.font.height * 0.82
                                             : 0;
  const double defaultCell = defaultCellHeight > 0 ? defaultCellHeight : dpi_ * 12.0 / 72;
  double pixels = logical ? logical * std::fabs(ScaleY()) : defaultCell * scale_ * 0.82;
  pixels = std::max(pixels, 1.0);
  cairo_select_font_face(cr_, Family(s.font.faceName),
                         s.font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         s.font.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr_, pixels);
  cairo_translate(cr_, origin.x, origin.y);
  if (s.font.escapement) cairo_rotate(cr_, -s.font.escapement / 10.0 * std::numbers::pi / 180);

  // Where each character goes along the line, and how long the line is.
  std::vector<double> advance;
  double total = 0;
  // With ETO_PDY the advances come in pairs, across and down; the line is
  // drawn along its across steps.
  const std::size_t stride = (options & kEtoPdy) ? 2 : 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    double step;
    if (i * stride < spacing.size()) {
      step = spacing[i * stride] * std::fabs(ScaleX());
    } else {
      const std::string one = Utf8(text.substr(i, 1));
      cairo_text_extents_t e;
      cairo_text_extents(cr_, one.c_str(), &e);
      step = e.x_advance + s.charExtra * std::fabs(ScaleX());
    }
    advance.push_back(step);
    total += step;
  }
  cairo_font_extents_t fe;
  cairo_font_extents(cr_, &fe);
  double x = 0, y = 0;
  if ((s.textAlign & kTaHorizontal) == kTaCenter) x = -total / 2;
  else if ((s.textAlign & kTaHorizontal) == kTaRight) x = -total;
  if ((s.textAlign & kTaVertical) == kTaBaseline) y = 0;
  else if ((s.textAlign & kTaVertical) == kTaBottom) y = -fe.descent;
  else y = fe.ascent;

  if (s.bkMode == 2) {
    SetColour(cr_, s.bkColour);
    cairo_rectangle(cr_, x, y - fe.ascent, total, fe.ascent + fe.descent);
    cairo_fill(cr_);
  }
  SetColour(cr_, s.textColour);
  double pen = x;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::string one = Utf8(text.substr(i, 1));
    cairo_move_to(cr_, pen, y);
    cairo_show_text(cr_, one.c_str());
    pen += advance[i];
  }
  cairo_restore(cr_);
  if (updateCp) {
    // The position moves on by the line's length in logical units.
    const double sx = ScaleX();
    if (sx != 0) state.position.x += static_cast<std::int32_t>(std::lround(total / sx));
  }
}

}  // namespace sim::print
