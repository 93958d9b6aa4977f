// A Gdi that hands every call to another one. A device context that wants to
// do something besides (draw, count) derives from it and overrides only the
// calls it cares about, calling the inner one itself.
#pragma once
#include "platform/print/gdi.h"

namespace sim::print {

class ForwardingGdi : public plat::print::Gdi {
 public:
  using Handle = plat::Handle;
  using Status = plat::print::Status;
  template <typename T>
  using Result = plat::print::Result<T>;
  using Point = plat::print::Point;
  using Rect = plat::print::Rect;
  using Area = plat::print::Area;
  using Colour = plat::print::Colour;
  using LogPen = plat::print::LogPen;
  using LogBrush = plat::print::LogBrush;
  using LogFont = plat::print::LogFont;
  using Dib = plat::print::Dib;
  using ExtPen = plat::print::ExtPen;
  using DocInfo = plat::print::DocInfo;
  using TextMetrics = plat::print::TextMetrics;
  using EscapeReply = plat::print::EscapeReply;
  using ObjectKind = plat::print::ObjectKind;
  using ColorAdjustment = plat::print::ColorAdjustment;

  explicit ForwardingGdi(plat::print::Gdi& inner) : inner_(inner) {}

  Result<Handle> CreateDc(std::optional<std::string_view> driver, std::string_view device, std::optional<std::string_view> output, std::span<const std::uint8_t> devMode) override { return inner_.CreateDc(driver, device, output, devMode); }
  Status DeleteDc(Handle dc) override { return inner_.DeleteDc(dc); }
  Result<Handle> ResetDc(Handle dc, std::span<const std::uint8_t> devMode) override { return inner_.ResetDc(dc, devMode); }
  Status SetContinuingAbortProc(Handle dc) override { return inner_.SetContinuingAbortProc(dc); }
  Result<std::int32_t> StartDocument(Handle dc, const DocInfo& doc) override { return inner_.StartDocument(dc, doc); }
  Status EndDoc(Handle dc) override { return inner_.EndDoc(dc); }
  Status AbortDoc(Handle dc) override { return inner_.AbortDoc(dc); }
  Status StartPage(Handle dc) override { return inner_.StartPage(dc); }
  Status EndPage(Handle dc) override { return inner_.EndPage(dc); }
  Result<std::int32_t> SaveDC(Handle dc) override { return inner_.SaveDC(dc); }
  Status RestoreDC(Handle dc, std::int32_t level) override { return inner_.RestoreDC(dc, level); }
  Result<EscapeReply> Escape(Handle dc, std::int32_t code, std::span<const std::uint8_t> input, std::uint32_t outputSize) override { return inner_.Escape(dc, code, input, outputSize); }
  std::int32_t ExtEscape(Handle dc, std::int32_t code, std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override { return inner_.ExtEscape(dc, code, input, output); }
  std::int32_t GetDeviceCaps(Handle dc, std::int32_t index) override { return inner_.GetDeviceCaps(dc, index); }
  Result<TextMetrics> GetTextMetricsAnsi(Handle dc) override { return inner_.GetTextMetricsAnsi(dc); }
  Result<Handle> GetCurrentObject(Handle dc, ObjectKind kind) override { return inner_.GetCurrentObject(dc, kind); }
  Result<Handle> SelectObject(Handle dc, Handle object) override { return inner_.SelectObject(dc, object); }
  Status DeleteObject(Handle object) override { return inner_.DeleteObject(object); }
  Result<Handle> CreatePenIndirect(const LogPen& pen) override { return inner_.CreatePenIndirect(pen); }
  Result<Handle> CreateBrushIndirect(const LogBrush& brush) override { return inner_.CreateBrushIndirect(brush); }
  Result<Handle> CreateFontIndirectAnsi(const LogFont& font) override { return inner_.CreateFontIndirectAnsi(font); }
  Result<Handle> CreateDIBPatternBrushPt(const Dib& dib, std::uint32_t usage) override { return inner_.CreateDIBPatternBrushPt(dib, usage); }
  Result<Handle> ExtCreatePen(const ExtPen& pen) override { return inner_.ExtCreatePen(pen); }
  Result<Handle> ExtCreateRegion(std::span<const std::uint8_t> data) override { return inner_.ExtCreateRegion(data); }
  Status SetBkMode(Handle dc, std::int32_t mode) override { return inner_.SetBkMode(dc, mode); }
  Status SetPolyFillMode(Handle dc, std::int32_t mode) override { return inner_.SetPolyFillMode(dc, mode); }
  Status SetROP2(Handle dc, std::int32_t mode) override { return inner_.SetROP2(dc, mode); }
  Status SetStretchBltMode(Handle dc, std::int32_t mode) override { return inner_.SetStretchBltMode(dc, mode); }
  Status SetTextAlign(Handle dc, std::uint32_t align) override { return inner_.SetTextAlign(dc, align); }
  Status SetArcDirection(Handle dc, std::int32_t direction) override { return inner_.SetArcDirection(dc, direction); }
  Status SetTextColor(Handle dc, Colour colour) override { return inner_.SetTextColor(dc, colour); }
  Status SetBkColor(Handle dc, Colour colour) override { return inner_.SetBkColor(dc, colour); }
  Status SetBrushOrgEx(Handle dc, Point origin) override { return inner_.SetBrushOrgEx(dc, origin); }
  Status SetMiterLimit(Handle dc, float limit) override { return inner_.SetMiterLimit(dc, limit); }
  Result<ColorAdjustment> GetColorAdjustment(Handle dc) override { return inner_.GetColorAdjustment(dc); }
  Status SetColorAdjustment(Handle dc, const ColorAdjustment& adjustment) override { return inner_.SetColorAdjustment(dc, adjustment); }
  Status SetTextCharacterExtra(Handle dc, std::int32_t extra) override { return inner_.SetTextCharacterExtra(dc, extra); }
  Status SetTextJustification(Handle dc, std::int32_t extra, std::int32_t breaks) override { return inner_.SetTextJustification(dc, extra, breaks); }
  Status SetMapMode(Handle dc, std::int32_t mode) override { return inner_.SetMapMode(dc, mode); }
  Status SetWindowOrgEx(Handle dc, Point origin) override { return inner_.SetWindowOrgEx(dc, origin); }
  Status SetWindowExtEx(Handle dc, std::int32_t cx, std::int32_t cy) override { return inner_.SetWindowExtEx(dc, cx, cy); }
  Status SetViewportOrgEx(Handle dc, Point origin) override { return inner_.SetViewportOrgEx(dc, origin); }
  Status SetViewportExtEx(Handle dc, std::int32_t cx, std::int32_t cy) override { return inner_.SetViewportExtEx(dc, cx, cy); }
  Status ExtSelectClipRgn(Handle dc, std::optional<Handle> region, std::int32_t mode) override { return inner_.ExtSelectClipRgn(dc, region, mode); }
  Status SelectClipPath(Handle dc, std::int32_t mode) override { return inner_.SelectClipPath(dc, mode); }
  Status BeginPath(Handle dc) override { return inner_.BeginPath(dc); }
  Status EndPath(Handle dc) override { return inner_.EndPath(dc); }
  Status CloseFigure(Handle dc) override { return inner_.CloseFigure(dc); }
  Status FillPath(Handle dc) override { return inner_.FillPath(dc); }
  Status StrokeAndFillPath(Handle dc) override { return inner_.StrokeAndFillPath(dc); }
  Status StrokePath(Handle dc) override { return inner_.StrokePath(dc); }
  Status MoveToEx(Handle dc, Point to) override { return inner_.MoveToEx(dc, to); }
  Status LineTo(Handle dc, Point to) override { return inner_.LineTo(dc, to); }
  Status SetPixelV(Handle dc, Point at, Colour colour) override { return inner_.SetPixelV(dc, at, colour); }
  Status PolyBezier(Handle dc, std::span<const Point> points) override { return inner_.PolyBezier(dc, points); }
  Status Polygon(Handle dc, std::span<const Point> points) override { return inner_.Polygon(dc, points); }
  Status Polyline(Handle dc, std::span<const Point> points) override { return inner_.Polyline(dc, points); }
  Status PolyBezierTo(Handle dc, std::span<const Point> points) override { return inner_.PolyBezierTo(dc, points); }
  Status PolylineTo(Handle dc, std::span<const Point> points) override { return inner_.PolylineTo(dc, points); }
  Status PolyPolyline(Handle dc, std::span<const Point> points, std::span<const std::uint32_t> counts) override { return inner_.PolyPolyline(dc, points, counts); }
  Status Ellipse(Handle dc, const Rect& box) override { return inner_.Ellipse(dc, box); }
  Status Rectangle(Handle dc, const Rect& box) override { return inner_.Rectangle(dc, box); }
  Status RoundRect(Handle dc, const Rect& box, std::int32_t cornerWidth, std::int32_t cornerHeight) override { return inner_.RoundRect(dc, box, cornerWidth, cornerHeight); }
  Status Arc(Handle dc, const Rect& box, Point start, Point end) override { return inner_.Arc(dc, box, start, end); }
  Status Chord(Handle dc, const Rect& box, Point start, Point end) override { return inner_.Chord(dc, box, start, end); }
  Status Pie(Handle dc, const Rect& box, Point start, Point end) override { return inner_.Pie(dc, box, start, end); }
  Status PatBlt(Handle dc, const Area& area, std::uint32_t rop) override { return inner_.PatBlt(dc, area, rop); }
  Status StretchDIBits(Handle dc, const Area& destination, const Area& source, const Dib& dib, std::uint32_t usage, std::uint32_t rop) override { return inner_.StretchDIBits(dc, destination, source, dib, usage, rop); }
  Status TextOutAnsi(Handle dc, Point at, std::string_view text) override { return inner_.TextOutAnsi(dc, at, text); }
  Status ExtTextOutAnsi(Handle dc, Point at, std::uint32_t options, const std::optional<Rect>& clip, std::string_view text, std::span<const std::int32_t> spacing) override { return inner_.ExtTextOutAnsi(dc, at, options, clip, text, spacing); }
  Result<Handle> SetMetaFileBits(std::span<const std::uint8_t> bytes) override { return inner_.SetMetaFileBits(bytes); }
  Status DeleteMetaFile(Handle metafile) override { return inner_.DeleteMetaFile(metafile); }
  Status EnumMetaFile(Handle dc, Handle metafile, const MetaRecordVisitor& visit) override { return inner_.EnumMetaFile(dc, metafile, visit); }

 protected:
  plat::print::Gdi& inner_;
};

}  // namespace sim::print
