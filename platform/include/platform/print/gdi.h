// Gdi port: device contexts, documents and pages, objects, drawing and the
// few questions the print processor asks a printer's device context. Shaped
// like the ANSI GDI calls one for one; names that are A/W macros in the SDK
// carry another name here. Device contexts and objects are opaque handles.
//
// Every call that can fail answers a Result or a Status. The setters answer a
// Status rather than the previous value: nothing here reads one back.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "platform/handle.h"
#include "platform/print/gdi_types.h"
#include "platform/print/print_result.h"

namespace plat::print {

// What EnumMetaFile's caller wants done with one record: played by GDI
// (PlayMetaFileRecord), or nothing more because the caller drew it or
// refused it.
enum class MetaRecordAction { Play, Done };

class Gdi {
 public:
  // One record of a Windows metafile as EnumMetaFile hands it over: the
  // whole record, its size in words and function number included.
  using MetaRecordVisitor = std::function<MetaRecordAction(std::span<const std::uint8_t> record)>;

  virtual ~Gdi() = default;

  // --- device contexts, documents, pages
  // CreateDCA. An empty span passes no device mode.
  [[nodiscard]] virtual Result<Handle> CreateDc(std::optional<std::string_view> driver, std::string_view device,
                                                std::optional<std::string_view> output,
                                                std::span<const std::uint8_t> devMode) = 0;
  [[nodiscard]] virtual Status DeleteDc(Handle dc) = 0;
  // ResetDCA: the device context to use from now on.
  [[nodiscard]] virtual Result<Handle> ResetDc(Handle dc, std::span<const std::uint8_t> devMode) = 0;
  // SetAbortProc with a procedure that always lets the job go on.
  [[nodiscard]] virtual Status SetContinuingAbortProc(Handle dc) = 0;
  // StartDocA: the job's identifier.
  [[nodiscard]] virtual Result<std::int32_t> StartDocument(Handle dc, const DocInfo& doc) = 0;
  [[nodiscard]] virtual Status EndDoc(Handle dc) = 0;
  [[nodiscard]] virtual Status AbortDoc(Handle dc) = 0;
  [[nodiscard]] virtual Status StartPage(Handle dc) = 0;
  [[nodiscard]] virtual Status EndPage(Handle dc) = 0;
  // SaveDC: the saved state's level.
  [[nodiscard]] virtual Result<std::int32_t> SaveDC(Handle dc) = 0;
  [[nodiscard]] virtual Status RestoreDC(Handle dc, std::int32_t level) = 0;
  [[nodiscard]] virtual Result<EscapeReply> Escape(Handle dc, std::int32_t code, std::span<const std::uint8_t> input,
                                                   std::uint32_t outputSize) = 0;
  // ExtEscape: the escape's result; `output` receives what the driver gives.
  [[nodiscard]] virtual std::int32_t ExtEscape(Handle dc, std::int32_t code, std::span<const std::uint8_t> input,
                                               std::span<std::uint8_t> output) = 0;
  // 0 for an index the device does not know.
  [[nodiscard]] virtual std::int32_t GetDeviceCaps(Handle dc, std::int32_t index) = 0;
  [[nodiscard]] virtual Result<TextMetrics> GetTextMetricsAnsi(Handle dc) = 0;

  // --- objects
  [[nodiscard]] virtual Result<Handle> GetCurrentObject(Handle dc, ObjectKind kind) = 0;
  // SelectObject: the object selected before.
  [[nodiscard]] virtual Result<Handle> SelectObject(Handle dc, Handle object) = 0;
  [[nodiscard]] virtual Status DeleteObject(Handle object) = 0;
  [[nodiscard]] virtual Result<Handle> CreatePenIndirect(const LogPen& pen) = 0;
  [[nodiscard]] virtual Result<Handle> CreateBrushIndirect(const LogBrush& brush) = 0;
  [[nodiscard]] virtual Result<Handle> CreateFontIndirectAnsi(const LogFont& font) = 0;
  [[nodiscard]] virtual Result<Handle> CreateDIBPatternBrushPt(const Dib& dib, std::uint32_t usage) = 0;
  [[nodiscard]] virtual Result<Handle> ExtCreatePen(const ExtPen& pen) = 0;
  // ExtCreateRegion with no transform; `data` is a whole RGNDATA.
  [[nodiscard]] virtual Result<Handle> ExtCreateRegion(std::span<const std::uint8_t> data) = 0;

  // --- state
  [[nodiscard]] virtual Status SetBkMode(Handle dc, std::int32_t mode) = 0;
  [[nodiscard]] virtual Status SetPolyFillMode(Handle dc, std::int32_t mode) = 0;
  [[nodiscard]] virtual Status SetROP2(Handle dc, std::int32_t mode) = 0;
  [[nodiscard]] virtual Status SetStretchBltMode(Handle dc, std::int32_t mode) = 0;
  [[nodiscard]] virtual Status SetTextAlign(Handle dc, std::uint32_t align) = 0;
  [[nodiscard]] virtual Status SetArcDirection(Handle dc, std::int32_t direction) = 0;
  [[nodiscard]] virtual Status SetTextColor(Handle dc, Colour colour) = 0;
  [[nodiscard]] virtual Status SetBkColor(Handle dc, Colour colour) = 0;
  [[nodiscard]] virtual Status SetBrushOrgEx(Handle dc, Point origin) = 0;
  [[nodiscard]] virtual Status SetMiterLimit(Handle dc, float limit) = 0;
  [[nodiscard]] virtual Result<ColorAdjustment> GetColorAdjustment(Handle dc) = 0;
  [[nodiscard]] virtual Status SetColorAdjustment(Handle dc, const ColorAdjustment& adjustment) = 0;
  [[nodiscard]] virtual Status SetTextCharacterExtra(Handle dc, std::int32_t extra) = 0;
  [[nodiscard]] virtual Status SetTextJustification(Handle dc, std::int32_t extra, std::int32_t breaks) = 0;
  [[nodiscard]] virtual Status SetMapMode(Handle dc, std::int32_t mode) = 0;
  [[nodiscard]] virtual Status SetWindowOrgEx(Handle dc, Point origin) = 0;
  [[nodiscard]] virtual Status SetWindowExtEx(Handle dc, std::int32_t cx, std::int32_t cy) = 0;
  [[nodiscard]] virtual Status SetViewportOrgEx(Handle dc, Point origin) = 0;
  [[nodiscard]] virtual Status SetViewportExtEx(Handle dc, std::int32_t cx, std::int32_t cy) = 0;

  // --- clipping and paths
  // ExtSelectClipRgn; no region selects none.
  [[nodiscard]] virtual Status ExtSelectClipRgn(Handle dc, std::optional<Handle> region, std::int32_t mode) = 0;
  [[nodiscard]] virtual Status SelectClipPath(Handle dc, std::int32_t mode) = 0;
  [[nodiscard]] virtual Status BeginPath(Handle dc) = 0;
  [[nodiscard]] virtual Status EndPath(Handle dc) = 0;
  [[nodiscard]] virtual Status CloseFigure(Handle dc) = 0;
  [[nodiscard]] virtual Status FillPath(Handle dc) = 0;
  [[nodiscard]] virtual Status StrokeAndFillPath(Handle dc) = 0;
  [[nodiscard]] virtual Status StrokePath(Handle dc) = 0;

  // --- drawing
  [[nodiscard]] virtual Status MoveToEx(Handle dc, Point to) = 0;
  [[nodiscard]] virtual Status LineTo(Handle dc, Point to) = 0;
  [[nodiscard]] virtual Status SetPixelV(Handle dc, Point at, Colour colour) = 0;
  [[nodiscard]] virtual Status PolyBezier(Handle dc, std::span<const Point> points) = 0;
  [[nodiscard]] virtual Status Polygon(Handle dc, std::span<const Point> points) = 0;
  [[nodiscard]] virtual Status Polyline(Handle dc, std::span<const Point> points) = 0;
  [[nodiscard]] virtual Status PolyBezierTo(Handle dc, std::span<const Point> points) = 0;
  [[nodiscard]] virtual Status PolylineTo(Handle dc, std::span<const Point> points) = 0;
  // `counts` sum to the size of `points`.
  [[nodiscard]] virtual Status PolyPolyline(Handle dc, std::span<const Point> points,
                                            std::span<const std::uint32_t> counts) = 0;
  [[nodiscard]] virtual Status Ellipse(Handle dc, const Rect& box) = 0;
  [[nodiscard]] virtual Status Rectangle(Handle dc, const Rect& box) = 0;
  [[nodiscard]] virtual Status RoundRect(Handle dc, const Rect& box, std::int32_t cornerWidth,
                                         std::int32_t cornerHeight) = 0;
  [[nodiscard]] virtual Status Arc(Handle dc, const Rect& box, Point start, Point end) = 0;
  [[nodiscard]] virtual Status Chord(Handle dc, const Rect& box, Point start, Point end) = 0;
  [[nodiscard]] virtual Status Pie(Handle dc, const Rect& box, Point start, Point end) = 0;
  [[nodiscard]] virtual Status PatBlt(Handle dc, const Area& area, std::uint32_t rop) = 0;
  [[nodiscard]] virtual Status StretchDIBits(Handle dc, const Area& destination, const Area& source, const Dib& dib,
                                             std::uint32_t usage, std::uint32_t rop) = 0;
  [[nodiscard]] virtual Status TextOutAnsi(Handle dc, Point at, std::string_view text) = 0;
  // ExtTextOutA; an empty `spacing` passes none, else it has one entry a byte,
  // two with ETO_PDY. With ETO_GLYPH_INDEX GDI reads two bytes for each of
  // `text`'s, so the caller keeps as many readable at text.data().
  [[nodiscard]] virtual Status ExtTextOutAnsi(Handle dc, Point at, std::uint32_t options,
                                              const std::optional<Rect>& clip, std::string_view text,
                                              std::span<const std::int32_t> spacing) = 0;

  // --- Windows metafiles
  // SetMetaFileBitsEx: a metafile (METAHEADER and records) from bytes the
  // caller has checked to be whole and consistent.
  [[nodiscard]] virtual Result<Handle> SetMetaFileBits(std::span<const std::uint8_t> bytes) = 0;
  [[nodiscard]] virtual Status DeleteMetaFile(Handle metafile) = 0;
  // EnumMetaFile onto `dc`: each record goes to `visit` in order, and is
  // played with PlayMetaFileRecord when the visitor asks for it.
  [[nodiscard]] virtual Status EnumMetaFile(Handle dc, Handle metafile, const MetaRecordVisitor& visit) = 0;
};

}  // namespace plat::print
