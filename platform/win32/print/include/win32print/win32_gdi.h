// The Gdi port over the ANSI GDI calls.
#pragma once
#include "platform/print/gdi.h"

namespace win32print {

class Win32Gdi final : public plat::print::Gdi {
 public:
  using Handle = plat::Handle;
  using Status = plat::print::Status;
  template <typename T>
  using Result = plat::print::Result<T>;

  Result<Handle> CreateDc(std::optional<std::string_view> driver, std::string_view device,
                          std::optional<std::string_view> output, std::span<const std::uint8_t> devMode) override;
  Status DeleteDc(Handle dc) override;
  Result<Handle> ResetDc(Handle dc, std::span<const std::uint8_t> devMode) override;
  Status SetContinuingAbortProc(Handle dc) override;
  Result<std::int32_t> StartDocument(Handle dc, const plat::print::DocInfo& doc) override;
  Status EndDoc(Handle dc) override;
  Status AbortDoc(Handle dc) override;
  Status StartPage(Handle dc) override;
  Status EndPage(Handle dc) override;
  Result<std::int32_t> SaveDC(Handle dc) override;
  Status RestoreDC(Handle dc, std::int32_t level) override;
  std::int32_t ExtEscape(Handle dc, std::int32_t code, std::span<const std::uint8_t> input,
                         std::span<std::uint8_t> output) override;
  Result<plat::print::EscapeReply> Escape(Handle dc, std::int32_t code, std::span<const std::uint8_t> input,
                                          std::uint32_t outputSize) override;
  std::int32_t GetDeviceCaps(Handle dc, std::int32_t index) override;
  Result<plat::print::TextMetrics> GetTextMetricsAnsi(Handle dc) override;

  Result<Handle> GetCurrentObject(Handle dc, plat::print::ObjectKind kind) override;
  Result<Handle> SelectObject(Handle dc, Handle object) override;
  Status DeleteObject(Handle object) override;
  Result<Handle> CreatePenIndirect(const plat::print::LogPen& pen) override;
  Result<Handle> CreateBrushIndirect(const plat::print::LogBrush& brush) override;
  Result<Handle> CreateFontIndirectAnsi(const plat::print::LogFont& font) override;
  Result<Handle> CreateDIBPatternBrushPt(const plat::print::Dib& dib, std::uint32_t usage) override;
  Result<Handle> ExtCreatePen(const plat::print::ExtPen& pen) override;
  Result<Handle> ExtCreateRegion(std::span<const std::uint8_t> data) override;

  Status SetBkMode(Handle dc, std::int32_t mode) override;
  Status SetPolyFillMode(Handle dc, std::int32_t mode) override;
  Status SetROP2(Handle dc, std::int32_t mode) override;
  Status SetStretchBltMode(Handle dc, std::int32_t mode) override;
  Status SetTextAlign(Handle dc, std::uint32_t align) override;
  Status SetArcDirection(Handle dc, std::int32_t direction) override;
  Status SetTextColor(Handle dc, plat::print::Colour colour) override;
  Status SetBkColor(Handle dc, plat::print::Colour colour) override;
  Status SetBrushOrgEx(Handle dc, plat::print::Point origin) override;
  Status SetMiterLimit(Handle dc, float limit) override;
  Result<plat::print::ColorAdjustment> GetColorAdjustment(Handle dc) override;
  Status SetColorAdjustment(Handle dc, const plat::print::ColorAdjustment& adjustment) override;
  Status SetTextCharacterExtra(Handle dc, std::int32_t extra) override;
  Status SetTextJustification(Handle dc, std::int32_t extra, std::int32_t breaks) override;
  Status SetMapMode(Handle dc, std::int32_t mode) override;
  Status SetWindowOrgEx(Handle dc, plat::print::Point origin) override;
  Status SetWindowExtEx(Handle dc, std::int32_t cx, std::int32_t cy) override;
  Status SetViewportOrgEx(Handle dc, plat::print::Point origin) override;
  Status SetViewportExtEx(Handle dc, std::int32_t cx, std::int32_t cy) override;

  Status ExtSelectClipRgn(Handle dc, std::optional<Handle> region, std::int32_t mode) override;
  Status SelectClipPath(Handle dc, std::int32_t mode) override;
  Status BeginPath(Handle dc) override;
  Status EndPath(Handle dc) override;
  Status CloseFigure(Handle dc) override;
  Status FillPath(Handle dc) override;
  Status StrokeAndFillPath(Handle dc) override;
  Status StrokePath(Handle dc) override;

  Status MoveToEx(Handle dc, plat::print::Point to) override;
  Status LineTo(Handle dc, plat::print::Point to) override;
  Status SetPixelV(Handle dc, plat::print::Point at, plat::print::Colour colour) override;
  Status PolyBezier(Handle dc, std::span<const plat::print::Point> points) override;
  Status Polygon(Handle dc, std::span<const plat::print::Point> points) override;
  Status Polyline(Handle dc, std::span<const plat::print::Point> points) override;
  Status PolyBezierTo(Handle dc, std::span<const plat::print::Point> points) override;
  Status PolylineTo(Handle dc, std::span<const plat::print::Point> points) override;
  Status PolyPolyline(Handle dc, std::span<const plat::print::Point> points,
                      std::span<const std::uint32_t> counts) override;
  Status Ellipse(Handle dc, const plat::print::Rect& box) override;
  Status Rectangle(Handle dc, const plat::print::Rect& box) override;
  Status RoundRect(Handle dc, const plat::print::Rect& box, std::int32_t cornerWidth,
                   std::int32_t cornerHeight) override;
  Status Arc(Handle dc, const plat::print::Rect& box, plat::print::Point start, plat::print::Point end) override;
  Status Chord(Handle dc, const plat::print::Rect& box, plat::print::Point start, plat::print::Point end) override;
  Status Pie(Handle dc, const plat::print::Rect& box, plat::print::Point start, plat::print::Point end) override;
  Status PatBlt(Handle dc, const plat::print::Area& area, std::uint32_t rop) override;
  Status StretchDIBits(Handle dc, const plat::print::Area& destination, const plat::print::Area& source,
                       const plat::print::Dib& dib, std::uint32_t usage, std::uint32_t rop) override;
  Status TextOutAnsi(Handle dc, plat::print::Point at, std::string_view text) override;
  Status ExtTextOutAnsi(Handle dc, plat::print::Point at, std::uint32_t options,
                        const std::optional<plat::print::Rect>& clip, std::string_view text,
                        std::span<const std::int32_t> spacing) override;

  Result<Handle> SetMetaFileBits(std::span<const std::uint8_t> bytes) override;
  Status DeleteMetaFile(Handle metafile) override;
  Status EnumMetaFile(Handle dc, Handle metafile, const MetaRecordVisitor& visit) override;
};

}  // namespace win32print
