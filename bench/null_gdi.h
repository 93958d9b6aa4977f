// A printer device context that does nothing and answers success, so that a
// benchmark times the reading and playing of records and nothing else.
#pragma once
#include "platform/print/gdi.h"

class NullGdi final : public plat::print::Gdi {
  using Handle = plat::Handle;

 public:
  plat::print::Result<Handle> CreateDc(std::optional<std::string_view>, std::string_view, std::optional<std::string_view>, std::span<const std::uint8_t>) override { return Handle{1}; }
  plat::print::Status DeleteDc(Handle) override { return plat::print::Ok(); }
  plat::print::Result<Handle> ResetDc(Handle, std::span<const std::uint8_t>) override { return Handle{1}; }
  plat::print::Status SetContinuingAbortProc(Handle) override { return plat::print::Ok(); }
  plat::print::Result<std::int32_t> StartDocument(Handle, const plat::print::DocInfo&) override { return std::int32_t{1}; }
  plat::print::Status EndDoc(Handle) override { return plat::print::Ok(); }
  plat::print::Status AbortDoc(Handle) override { return plat::print::Ok(); }
  plat::print::Status StartPage(Handle) override { return plat::print::Ok(); }
  plat::print::Status EndPage(Handle) override { return plat::print::Ok(); }
  plat::print::Result<std::int32_t> SaveDC(Handle) override { return std::int32_t{1}; }
  plat::print::Status RestoreDC(Handle, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Result<plat::print::EscapeReply> Escape(Handle, std::int32_t, std::span<const std::uint8_t>, std::uint32_t) override { return plat::print::EscapeReply{}; }
  std::int32_t ExtEscape(Handle, std::int32_t, std::span<const std::uint8_t>, std::span<std::uint8_t>) override { return 0; }
  std::int32_t GetDeviceCaps(Handle, std::int32_t) override { return 0; }
  plat::print::Result<plat::print::TextMetrics> GetTextMetricsAnsi(Handle) override { return plat::print::TextMetrics{}; }
  plat::print::Result<Handle> GetCurrentObject(Handle, plat::print::ObjectKind) override { return Handle{1}; }
  plat::print::Result<Handle> SelectObject(Handle, Handle) override { return Handle{1}; }
  plat::print::Status DeleteObject(Handle) override { return plat::print::Ok(); }
  plat::print::Result<Handle> CreatePenIndirect(const plat::print::LogPen&) override { return Handle{1}; }
  plat::print::Result<Handle> CreateBrushIndirect(const plat::print::LogBrush&) override { return Handle{1}; }
  plat::print::Result<Handle> CreateFontIndirectAnsi(const plat::print::LogFont&) override { return Handle{1}; }
  plat::print::Result<Handle> CreateDIBPatternBrushPt(const plat::print::Dib&, std::uint32_t) override { return Handle{1}; }
  plat::print::Result<Handle> ExtCreatePen(const plat::print::ExtPen&) override { return Handle{1}; }
  plat::print::Result<Handle> ExtCreateRegion(std::span<const std::uint8_t>) override { return Handle{1}; }
  plat::print::Status SetBkMode(Handle, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SetPolyFillMode(Handle, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SetROP2(Handle, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SetStretchBltMode(Handle, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SetTextAlign(Handle, std::uint32_t) override { return plat::print::Ok(); }
  plat::print::Status SetArcDirection(Handle, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SetTextColor(Handle, plat::print::Colour) override { return plat::print::Ok(); }
  plat::print::Status SetBkColor(Handle, plat::print::Colour) override { return plat::print::Ok(); }
  plat::print::Status SetBrushOrgEx(Handle, plat::print::Point) override { return plat::print::Ok(); }
  plat::print::Status SetMiterLimit(Handle, float) override { return plat::print::Ok(); }
  plat::print::Result<plat::print::ColorAdjustment> GetColorAdjustment(Handle) override { return plat::print::ColorAdjustment{}; }
  plat::print::Status SetColorAdjustment(Handle, const plat::print::ColorAdjustment&) override { return plat::print::Ok(); }
  plat::print::Status SetTextCharacterExtra(Handle, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SetTextJustification(Handle, std::int32_t, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SetMapMode(Handle, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SetWindowOrgEx(Handle, plat::print::Point) override { return plat::print::Ok(); }
  plat::print::Status SetWindowExtEx(Handle, std::int32_t, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SetViewportOrgEx(Handle, plat::print::Point) override { return plat::print::Ok(); }
  plat::print::Status SetViewportExtEx(Handle, std::int32_t, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status ExtSelectClipRgn(Handle, std::optional<Handle>, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status SelectClipPath(Handle, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status BeginPath(Handle) override { return plat::print::Ok(); }
  plat::print::Status EndPath(Handle) override { return plat::print::Ok(); }
  plat::print::Status CloseFigure(Handle) override { return plat::print::Ok(); }
  plat::print::Status FillPath(Handle) override { return plat::print::Ok(); }
  plat::print::Status StrokeAndFillPath(Handle) override { return plat::print::Ok(); }
  plat::print::Status StrokePath(Handle) override { return plat::print::Ok(); }
  plat::print::Status MoveToEx(Handle, plat::print::Point) override { return plat::print::Ok(); }
  plat::print::Status LineTo(Handle, plat::print::Point) override { return plat::print::Ok(); }
  plat::print::Status SetPixelV(Handle, plat::print::Point, plat::print::Colour) override { return plat::print::Ok(); }
  plat::print::Status PolyBezier(Handle, std::span<const plat::print::Point>) override { return plat::print::Ok(); }
  plat::print::Status Polygon(Handle, std::span<const plat::print::Point>) override { return plat::print::Ok(); }
  plat::print::Status Polyline(Handle, std::span<const plat::print::Point>) override { return plat::print::Ok(); }
  plat::print::Status PolyBezierTo(Handle, std::span<const plat::print::Point>) override { return plat::print::Ok(); }
  plat::print::Status PolylineTo(Handle, std::span<const plat::print::Point>) override { return plat::print::Ok(); }
  plat::print::Status PolyPolyline(Handle, std::span<const plat::print::Point>, std::span<const std::uint32_t>) override { return plat::print::Ok(); }
  plat::print::Status Ellipse(Handle, const plat::print::Rect&) override { return plat::print::Ok(); }
  plat::print::Status Rectangle(Handle, const plat::print::Rect&) override { return plat::print::Ok(); }
  plat::print::Status RoundRect(Handle, const plat::print::Rect&, std::int32_t, std::int32_t) override { return plat::print::Ok(); }
  plat::print::Status Arc(Handle, const plat::print::Rect&, plat::print::Point, plat::print::Point) override { return plat::print::Ok(); }
  plat::print::Status Chord(Handle, const plat::print::Rect&, plat::print::Point, plat::print::Point) override { return plat::print::Ok(); }
  plat::print::Status Pie(Handle, const plat::print::Rect&, plat::print::Point, plat::print::Point) override { return plat::print::Ok(); }
  plat::print::Status PatBlt(Handle, const plat::print::Area&, std::uint32_t) override { return plat::print::Ok(); }
  plat::print::Status StretchDIBits(Handle, const plat::print::Area&, const plat::print::Area&, const plat::print::Dib&, std::uint32_t, std::uint32_t) override { return plat::print::Ok(); }
  plat::print::Status TextOutAnsi(Handle, plat::print::Point, std::string_view) override { return plat::print::Ok(); }
  plat::print::Status ExtTextOutAnsi(Handle, plat::print::Point, std::uint32_t, const std::optional<plat::print::Rect>&, std::string_view, std::span<const std::int32_t>) override { return plat::print::Ok(); }
  plat::print::Result<Handle> SetMetaFileBits(std::span<const std::uint8_t>) override { return Handle{1}; }
  plat::print::Status DeleteMetaFile(Handle) override { return plat::print::Ok(); }
  plat::print::Status EnumMetaFile(Handle, Handle, const MetaRecordVisitor&) override { return plat::print::Ok(); }
};
