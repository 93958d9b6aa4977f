// A printer's device context that draws what it is given as well as handing
// every call on (to the recording device context, usually): each page
// becomes a picture, so that a person can see what a job prints and a test
// can compare it with what Windows draws. The drawing happens only for calls
// the inner device context accepted; its answers are passed back unchanged.
//
// Device units map to picture pixels by a fixed scale; a page is as large as
// the settings say, turned when the device mode asks for landscape.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "simprint/forwarding_gdi.h"
#include "simrender/page_set.h"

namespace sim::print {

class Canvas;  // the drawing state of one device context

struct RenderSettings {
  std::int32_t pageWidth = 4800;   // device units, as HORZRES
  std::int32_t pageHeight = 6600;  // as VERTRES
  std::int32_t dpi = 600;          // as LOGPIXELSX/Y, for the fixed mapping modes
  double scale = 1.0 / 6;          // picture pixels a device unit
};

class RenderingGdi final : public ForwardingGdi {
 public:
  RenderingGdi(plat::print::Gdi& inner, RenderSettings settings);
  ~RenderingGdi() override;

  // Every page ended so far, in order.
  const PageSet& pages() const { return pages_; }

  Result<Handle> CreateDc(std::optional<std::string_view> driver, std::string_view device,
                          std::optional<std::string_view> output, std::span<const std::uint8_t> devMode) override;
  Status DeleteDc(Handle dc) override;
  Result<Handle> ResetDc(Handle dc, std::span<const std::uint8_t> devMode) override;
  Status StartPage(Handle dc) override;
  Status EndPage(Handle dc) override;
  Result<std::int32_t> SaveDC(Handle dc) override;
  // The device's answer is kept: a font of height 0 is drawn that high.
  Result<TextMetrics> GetTextMetricsAnsi(Handle dc) override;
  Status RestoreDC(Handle dc, std::int32_t level) override;

  Result<Handle> GetCurrentObject(Handle dc, ObjectKind kind) override;
  Result<Handle> SelectObject(Handle dc, Handle object) override;
  Status DeleteObject(Handle object) override;
  Result<Handle> CreatePenIndirect(const LogPen& pen) override;
  Result<Handle> CreateBrushIndirect(const LogBrush& brush) override;
  Result<Handle> CreateFontIndirectAnsi(const LogFont& font) override;
  Result<Handle> CreateDIBPatternBrushPt(const Dib& dib, std::uint32_t usage) override;
  Result<Handle> ExtCreatePen(const ExtPen& pen) override;
  Result<Handle> ExtCreateRegion(std::span<const std::uint8_t> data) override;

  Status SetBkMode(Handle dc, std::int32_t mode) override;
  Status SetPolyFillMode(Handle dc, std::int32_t mode) override;
  Status SetTextAlign(Handle dc, std::uint32_t align) override;
  Status SetArcDirection(Handle dc, std::int32_t direction) override;
  Status SetTextColor(Handle dc, Colour colour) override;
  Status SetBkColor(Handle dc, Colour colour) override;
  Status SetTextCharacterExtra(Handle dc, std::int32_t extra) override;
  Status SetMapMode(Handle dc, std::int32_t mode) override;
  Status SetWindowOrgEx(Handle dc, Point origin) override;
  Status SetWindowExtEx(Handle dc, std::int32_t cx, std::int32_t cy) override;
  Status SetViewportOrgEx(Handle dc, Point origin) override;
  Status SetViewportExtEx(Handle dc, std::int32_t cx, std::int32_t cy) override;

  Status ExtSelectClipRgn(Handle dc, std::optional<Handle> region, std::int32_t mode) override;
  Status SelectClipPath(Handle dc, std::int32_t mode) override;
  Status BeginPath(Handle dc) override;
  Status EndPath(Handle dc) override;
  Status CloseFigure(Handle dc) override;
  Status FillPath(Handle dc) override;
  Status StrokeAndFillPath(Handle dc) override;
  Status StrokePath(Handle dc) override;

  Status MoveToEx(Handle dc, Point to) override;
  Status LineTo(Handle dc, Point to) override;
  Status SetPixelV(Handle dc, Point at, Colour colour) override;
  Status PolyBezier(Handle dc, std::span<const Point> points) override;
  Status Polygon(Handle dc, std::span<const Point> points) override;
  Status Polyline(Handle dc, std::span<const Point> points) override;
  Status PolyBezierTo(Handle dc, std::span<const Point> points) override;
  Status PolylineTo(Handle dc, std::span<const Point> points) override;
  Status PolyPolyline(Handle dc, std::span<const Point> points, std::span<const std::uint32_t> counts) override;
  Status Ellipse(Handle dc, const Rect& box) override;
  Status Rectangle(Handle dc, const Rect& box) override;
  Status RoundRect(Handle dc, const Rect& box, std::int32_t cornerWidth, std::int32_t cornerHeight) override;
  Status Arc(Handle dc, const Rect& box, Point start, Point end) override;
  Status Chord(Handle dc, const Rect& box, Point start, Point end) override;
  Status Pie(Handle dc, const Rect& box, Point start, Point end) override;
  Status PatBlt(Handle dc, const Area& area, std::uint32_t rop) override;
  Status StretchDIBits(Handle dc, const Area& destination, const Area& source, const Dib& dib, std::uint32_t usage,
                       std::uint32_t rop) override;
  Status TextOutAnsi(Handle dc, Point at, std::string_view text) override;
  Status ExtTextOutAnsi(Handle dc, Point at, std::uint32_t options, const std::optional<Rect>& clip,
                        std::string_view text, std::span<const std::int32_t> spacing) override;

 private:
  Canvas* Find(Handle dc);

  RenderSettings settings_;
  std::map<Handle, std::unique_ptr<Canvas>> canvases_;
  struct Objects;
  std::unique_ptr<Objects> objects_;
  PageSet pages_;
};

}  // namespace sim::print
