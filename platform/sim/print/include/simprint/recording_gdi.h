// A printer's device contexts that draw nothing and write every call as a
// line to the journal, with the handles named by kind ("dc1", "pen3"). It
// keeps just enough state to catch what a real device context would punish:
// calls on a handle that was never made or is gone, an object deleted while
// it is still selected, a device context deleted with its document open, and
// objects nobody deleted.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "simprint/call_journal.h"
#include "platform/print/gdi.h"

namespace sim::print {

class RecordingGdi final : public plat::print::Gdi {
 public:
  using Handle = plat::Handle;
  using Status = plat::print::Status;
  template <typename T>
  using Result = plat::print::Result<T>;

  explicit RecordingGdi(CallJournal& journal);

  // What the device reports: GetDeviceCaps answers from this table (0 for an
  // index not in it), GetTextMetricsA from these metrics.
  void SetDeviceCaps(std::int32_t index, std::int32_t value) { caps_[index] = value; }
  void SetTextMetrics(const plat::print::TextMetrics& metrics) { metrics_ = metrics; }

  // The printer's driver: when a document whose output is a file path ends,
  // the driver's data goes to `sink` for that path. The data is the calls
  // made on the document's device context, one line each, unless a test set
  // other bytes (a "VEMF" stream, say) with SetDriverOutput.
  using DocumentSink = std::function<void(const std::string& path, std::vector<std::uint8_t> data)>;
  void SetDocumentSink(DocumentSink sink) { sink_ = std::move(sink); }
  void SetDriverOutput(std::optional<std::vector<std::uint8_t>> bytes) { driverOutput_ = std::move(bytes); }

  // Objects made and not deleted (stock objects aside), device contexts not
  // deleted, and the misuse seen so far, one sentence each.
  std::size_t LiveObjects() const { return objects_.size() + metafiles_.size(); }
  std::size_t LiveDcs() const { return dcs_.size(); }
  const std::vector<std::string>& Problems() const { return problems_; }
  std::string Label(Handle h) const;

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
  // Walks the records as GDI would, stopping at the end record or at a size
  // that leaves the metafile. A played record that selects or deletes an
  // object beyond the metafile's object table is misuse: GDI would reach
  // past its handle table.
  Status EnumMetaFile(Handle dc, Handle metafile, const MetaRecordVisitor& visit) override;

 private:
  struct Selection {
    Handle pen = 0, brush = 0, font = 0;
  };
  struct Dc {
    std::string label;
    Selection selected;
    std::vector<Selection> saved;
    plat::print::ColorAdjustment adjustment;
    bool docStarted = false;
    bool pageOpen = false;
    std::optional<std::string> output;  // of the open document
    std::size_t docStart = 0;           // the journal's size when it started
  };
  struct Metafile {
    std::string label;
    std::vector<std::uint8_t> bytes;
  };
  struct Object {
    std::string label;
    plat::print::ObjectKind kind = plat::print::ObjectKind::Pen;
    bool region = false;
  };

  // Writes `name(args)` with the outcome; the fault table and the handle
  // check come first. Null when the call fails.
  Dc* Begin(std::string_view name, Handle dc, const std::string& args, std::string* line,
            Status* failure);
  Status Simple(std::string_view name, Handle dc, const std::string& args = {});
  Result<Handle> MakeObject(std::string_view name, std::string_view kindLabel, plat::print::ObjectKind kind,
                            bool region, const std::string& args);
  void Problem(std::string what);
  bool IsStock(Handle h) const;

  CallJournal& journal_;
  Handle next_ = 1;
  std::int32_t nextJob_ = 1;
  std::map<Handle, Dc> dcs_;
  std::map<Handle, Object> objects_;
  std::map<std::int32_t, std::int32_t> caps_;
  plat::print::TextMetrics metrics_;
  std::vector<std::string> problems_;
  std::map<Handle, Metafile> metafiles_;
  DocumentSink sink_;
  std::optional<std::vector<std::uint8_t>> driverOutput_;
};

}  // namespace sim::print
