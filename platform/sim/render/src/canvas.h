// The drawing state of one device context and the drawing itself: logical
// units through the mapping mode to device units and on to picture pixels,
// shapes as figures of points, filled with the brush and outlined with the
// pen, text, blits and clipping. Only rendering_gdi.cpp uses it.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/print/gdi_types.h"
#include "simrender/page_set.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace sim::print {

struct PointF {
  double x = 0, y = 0;
};

// Connected points, in picture pixels.
struct Figure {
  std::vector<PointF> points;
  bool closed = false;
};
using Figures = std::vector<Figure>;

struct PenStyle {
  bool null = false;
  std::uint32_t dashKind = 0;  // PS_SOLID .. PS_USERSTYLE
  double width = 0;            // logical units; 0 is one device unit
  bool geometric = false;
  std::uint32_t cap = 0, join = 0;  // PS_ENDCAP_*, PS_JOIN_* shifted down
  std::vector<std::uint32_t> dashes;
  plat::print::Colour colour = 0;
};

struct BrushStyle {
  std::uint32_t kind = 0;  // BS_SOLID, BS_NULL, BS_HATCHED, BS_DIBPATTERNPT
  plat::print::Colour colour = 0xffffff;
  std::uint32_t hatch = 0;
  std::shared_ptr<cairo_surface_t> pattern;
};

// A clip is the intersection of these; each is a union of figures.
using ClipPart = Figures;

struct DcState {
  PenStyle pen;
  BrushStyle brush;
  plat::print::LogFont font;
  plat::print::Colour textColour = 0, bkColour = 0xffffff;
  std::int32_t bkMode = 2, polyFill = 1, arcDirection = 1, charExtra = 0, mapMode = 1;
  std::uint32_t textAlign = 0;
  plat::print::Point windowOrg, viewportOrg;
  std::int32_t windowExtX = 1, windowExtY = 1, viewportExtX = 1, viewportExtY = 1;
  plat::print::Point position;
  std::vector<ClipPart> clip;
};

class Canvas {
 public:
  Canvas(std::int32_t dpi, double scale) : dpi_(dpi), scale_(scale) {}
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  DcState state;
  std::vector<DcState> saved;
  std::int32_t pageWidth = 0, pageHeight = 0;  // device units
  // The cell height, in device units, the device reported for its text; a
  // font of height 0 is drawn that high (12 points until it has said).
  std::int32_t defaultCellHeight = 0;

  void BeginPage();
  // The page's drawing, handed over with its size in pixels; null without a page.
  cairo_surface_t* TakePage(std::int32_t* width, std::int32_t* height);
  bool drawing() const { return cr_ != nullptr; }

  // Logical point to picture pixels, and logical lengths along x and y.
  PointF Map(plat::print::Point p) const;
  double ScaleX() const;
  double ScaleY() const;
  double scale() const { return scale_; }

  // A shape: into the open path, or filled (when `fill`) and outlined.
  void Shape(Figures figures, bool fill);
  void BeginPath();
  void EndPath() { pathOpen_ = false; }
  void CloseFigure();
  void MoveTo(plat::print::Point p);
  // Lines from the current position, which moves to the last point.
  void LinesTo(std::span<const plat::print::Point> points, bool bezier);
  void PaintPath(bool fill, bool stroke);
  void ClipToPath();
  void ClipToRegion(const std::vector<plat::print::Rect>* deviceRects, std::int32_t mode);

  void Pixel(plat::print::Point p, plat::print::Colour colour);
  void PatBlt(const plat::print::Area& area, std::uint32_t rop);
  void Blit(const plat::print::Area& destination, const plat::print::Area& source, cairo_surface_t* image,
            bool bottomUp);
  void Text(plat::print::Point at, std::uint32_t options, const std::optional<plat::print::Rect>& clip,
            std::string_view text, std::span<const std::int32_t> spacing);

 private:
  void ApplyClip();
  void AddPath(const Figures& figures);
  void SetBrushSource();
  bool SetPen();
  void Fill(const Figures& figures);
  void Stroke(const Figures& figures);

  std::int32_t dpi_;
  double scale_;
  cairo_surface_t* recording_ = nullptr;
  cairo_t* cr_ = nullptr;
  std::int32_t pixelWidth_ = 0, pixelHeight_ = 0;
  bool pathOpen_ = false;
  Figures path_;
};

}  // namespace sim::print
