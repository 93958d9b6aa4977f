#include "simprint/recording_gdi.h"

#include <cstdio>

#include "platform/win_errors.h"

namespace sim::print {

namespace pp = plat::print;
using plat::Handle;

namespace {

constexpr Handle kStockPen = 0x7f000001;
constexpr Handle kStockBrush = 0x7f000002;
constexpr Handle kStockFont = 0x7f000003;

std::string Num(std::int64_t v) { return std::to_string(v); }

std::string PointText(pp::Point p) { return Num(p.x) + "," + Num(p.y); }

std::string RectText(const pp::Rect& r) {
  return Num(r.left) + ", " + Num(r.top) + ", " + Num(r.right) + ", " + Num(r.bottom);
}

std::string AreaText(const pp::Area& a) {
  return Num(a.x) + ", " + Num(a.y) + ", " + Num(a.width) + ", " + Num(a.height);
}

std::string PointsText(std::span<const pp::Point> points) {
  std::string s = "[";
  for (std::size_t i = 0; i < points.size(); ++i) s += (i ? " " : "") + PointText(points[i]);
  return s + "]";
}

std::string BytesText(std::string_view what, std::size_t n) { return std::string(what) + "[" + Num(n) + "]"; }

std::string FloatText(float f) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", static_cast<double>(f));
  return buf;
}

}  // namespace

RecordingGdi::RecordingGdi(CallJournal& journal) : journal_(journal) {
  caps_[8] = 4800;   // HORZRES
  caps_[10] = 6600;  // VERTRES
  caps_[88] = 600;   // LOGPIXELSX
  caps_[90] = 600;   // LOGPIXELSY
  metrics_.height = 50;
  metrics_.ascent = 40;
  metrics_.descent = 10;
  metrics_.aveCharWidth = 25;
  metrics_.maxCharWidth = 50;
}

std::string RecordingGdi::Label(Handle h) const {
  if (h == 0) return "null";
  if (h == kStockPen) return "stockpen";
  if (h == kStockBrush) return "stockbrush";
  if (h == kStockFont) return "stockfont";
  if (const auto m = metafiles_.find(h); m != metafiles_.end()) return m->second.label;
  if (const auto d = dcs_.find(h); d != dcs_.end()) return d->second.label;
  if (const auto o = objects_.find(h); o != objects_.end()) return o->second.label;
  return "handle" + Num(static_cast<std::int64_t>(h));
}

bool RecordingGdi::IsStock(Handle h) const { return h == kStockPen || h == kStockBrush || h == kStockFont; }

void RecordingGdi::Problem(std::string what) { problems_.push_back(std::move(what)); }

RecordingGdi::Dc* RecordingGdi::Begin(std::string_view name, Handle dc, const std::string& args, std::string* line,
                                      Status* failure) {
  *line = std::string(name) + "(" + Label(dc) + (args.empty() ? "" : ", " + args) + ")";
  if (const auto fault = journal_.FaultFor(name)) {
    journal_.Add(*line + " -> fails " + winerr::Name(fault->code()));
    *failure = *fault;
    return nullptr;
  }
  const auto it = dcs_.find(dc);
  if (it == dcs_.end()) {
    Problem(std::string(name) + " on " + Label(dc) + ", which is no device context");
    journal_.Add(*line + " -> invalid handle");
    *failure = pp::Error(winerr::InvalidHandle);
    return nullptr;
  }
  return &it->second;
}

RecordingGdi::Status RecordingGdi::Simple(std::string_view name, Handle dc, const std::string& args) {
  std::string line;
  Status failure;
  if (!Begin(name, dc, args, &line, &failure)) return failure;
  journal_.Add(line);
  return pp::Ok();
}

// --- device contexts, documents, pages

RecordingGdi::Result<Handle> RecordingGdi::CreateDc(std::optional<std::string_view> driver, std::string_view device,
                                                    std::optional<std::string_view> output,
                                                    std::span<const std::uint8_t> devMode) {
  std::string line = "CreateDC(" + Quote(driver) + ", " + Quote(device) + ", " + Quote(output) + ", " +
                     (devMode.empty() ? std::string("null") : BytesText("devmode", devMode.size())) + ")";
  if (const auto fault = journal_.FaultFor("CreateDC")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  const Handle h = next_++;
  Dc dc;
  dc.label = "dc" + Num(static_cast<std::int64_t>(h));
  dc.selected = {kStockPen, kStockBrush, kStockFont};
  dcs_.emplace(h, std::move(dc));
  journal_.Add(line + " -> " + Label(h));
  return h;
}

RecordingGdi::Status RecordingGdi::DeleteDc(Handle dc) {
  std::string line;
  Status failure;
  Dc* d = Begin("DeleteDC", dc, "", &line, &failure);
  if (!d) return failure;
  if (d->docStarted) Problem(d->label + " deleted with its document open");
  journal_.Add(line);
  dcs_.erase(dc);
  return pp::Ok();
}

RecordingGdi::Result<Handle> RecordingGdi::ResetDc(Handle dc, std::span<const std::uint8_t> devMode) {
  std::string line;
  Status failure;
  if (!Begin("ResetDC", dc, BytesText("devmode", devMode.size()), &line, &failure)) return failure.error();
  journal_.Add(line + " -> " + Label(dc));
  return dc;
}

RecordingGdi::Status RecordingGdi::SetContinuingAbortProc(Handle dc) { return Simple("SetAbortProc", dc); }

RecordingGdi::Result<std::int32_t> RecordingGdi::StartDocument(Handle dc, const pp::DocInfo& doc) {
  std::string line;
  Status failure;
  Dc* d = Begin("StartDoc", dc,
                Quote(std::string_view(doc.document)) + ", " + Quote(doc.output) + ", " + Quote(doc.datatype) + ", " +
                    Hex(doc.typeFlags),
                &line, &failure);
  if (!d) return failure.error();
  if (d->docStarted) {
    journal_.Add(line + " -> fails: a document is open");
    return pp::Error(winerr::InvalidParameter);
  }
  d->docStarted = true;
  d->output = doc.output;
  const std::int32_t job = nextJob_++;
  d->docStart = journal_.Add(line + " -> " + Num(job));
  return job;
}

RecordingGdi::Status RecordingGdi::EndDoc(Handle dc) {
  std::string line;
  Status failure;
  Dc* d = Begin("EndDoc", dc, "", &line, &failure);
  if (!d) return failure;
  if (!d->docStarted) {
    journal_.Add(line + " -> fails: no document");
    return pp::Error(winerr::InvalidParameter);
  }
  d->docStarted = false;
  d->pageOpen = false;
  journal_.Add(line);
  if (sink_ && d->output && d->output->find('\\') != std::string::npos) {
    std::vector<std::uint8_t> data;
    if (driverOutput_) {
      data = *driverOutput_;
    } else {
      const auto lines = journal_.Lines();
      const std::string mark = "(" + d->label;
      for (std::size_t i = d->docStart; i < lines.size(); ++i)
        if (lines[i].find(mark) != std::string::npos) {
          data.insert(data.end(), lines[i].begin(), lines[i].end());
          data.push_back('\n');
        }
    }
    sink_(*d->output, std::move(data));
  }
  return pp::Ok();
}

RecordingGdi::Status RecordingGdi::AbortDoc(Handle dc) {
  std::string line;
  Status failure;
  Dc* d = Begin("AbortDoc", dc, "", &line, &failure);
  if (!d) return failure;
  d->docStarted = false;
  d->pageOpen = false;
  journal_.Add(line);
  return pp::Ok();
}

RecordingGdi::Status RecordingGdi::StartPage(Handle dc) {
  std::string line;
  Status failure;
  Dc* d = Begin("StartPage", dc, "", &line, &failure);
  if (!d) return failure;
  if (!d->docStarted || d->pageOpen) {
    journal_.Add(line + (d->pageOpen ? " -> fails: a page is open" : " -> fails: no document"));
    return pp::Error(winerr::InvalidParameter);
  }
  d->pageOpen = true;
  journal_.Add(line);
  return pp::Ok();
}

RecordingGdi::Status RecordingGdi::EndPage(Handle dc) {
  std::string line;
  Status failure;
  Dc* d = Begin("EndPage", dc, "", &line, &failure);
  if (!d) return failure;
  if (!d->pageOpen) {
    journal_.Add(line + " -> fails: no page");
    return pp::Error(winerr::InvalidParameter);
  }
  d->pageOpen = false;
  journal_.Add(line);
  return pp::Ok();
}

RecordingGdi::Result<std::int32_t> RecordingGdi::SaveDC(Handle dc) {
  std::string line;
  Status failure;
  Dc* d = Begin("SaveDC", dc, "", &line, &failure);
  if (!d) return failure.error();
  d->saved.push_back(d->selected);
  const auto level = static_cast<std::int32_t>(d->saved.size());
  journal_.Add(line + " -> " + Num(level));
  return level;
}

RecordingGdi::Status RecordingGdi::RestoreDC(Handle dc, std::int32_t level) {
  std::string line;
  Status failure;
  Dc* d = Begin("RestoreDC", dc, Num(level), &line, &failure);
  if (!d) return failure;
  const auto depth = static_cast<std::int64_t>(d->saved.size());
  const std::int64_t target = level < 0 ? depth + level : level - 1;
  if (d->saved.empty() || target < 0 || target >= depth) {
    journal_.Add(line + " -> fails: no saved state");
    return pp::Error(winerr::InvalidParameter);
  }
  d->selected = d->saved[static_cast<std::size_t>(target)];
  d->saved.resize(static_cast<std::size_t>(target));
  journal_.Add(line);
  return pp::Ok();
}

RecordingGdi::Result<pp::EscapeReply> RecordingGdi::Escape(Handle dc, std::int32_t code,
                                                           std::span<const std::uint8_t> input,
                                                           std::uint32_t outputSize) {
  std::string line;
  Status failure;
  if (!Begin("Escape", dc, Num(code) + ", " + BytesText("in", input.size()) + ", " + Num(outputSize), &line, &failure))
    return failure.error();
  journal_.Add(line + " -> 1");
  pp::EscapeReply reply;
  reply.result = 1;
  reply.output.assign(outputSize, 0);
  return reply;
}

std::int32_t RecordingGdi::ExtEscape(Handle dc, std::int32_t code, std::span<const std::uint8_t> input,
                                     std::span<std::uint8_t> output) {
  std::string line;
  Status failure;
  if (!Begin("ExtEscape", dc, Num(code) + ", " + BytesText("in", input.size()) + ", " + Num(output.size()), &line,
             &failure))
    return 0;
  journal_.Add(line + " -> 1");
  std::fill(output.begin(), output.end(), std::uint8_t{0});
  return 1;
}

std::int32_t RecordingGdi::GetDeviceCaps(Handle dc, std::int32_t index) {
  std::string line;
  Status failure;
  if (!Begin("GetDeviceCaps", dc, Num(index), &line, &failure)) return 0;
  const auto it = caps_.find(index);
  const std::int32_t value = it == caps_.end() ? 0 : it->second;
  journal_.Add(line + " -> " + Num(value));
  return value;
}

RecordingGdi::Result<pp::TextMetrics> RecordingGdi::GetTextMetricsAnsi(Handle dc) {
  std::string line;
  Status failure;
  if (!Begin("GetTextMetrics", dc, "", &line, &failure)) return failure.error();
  journal_.Add(line + " -> height " + Num(metrics_.height));
  return metrics_;
}

// --- objects

RecordingGdi::Result<Handle> RecordingGdi::GetCurrentObject(Handle dc, pp::ObjectKind kind) {
  std::string line;
  Status failure;
  const char* kindName = kind == pp::ObjectKind::Pen ? "pen" : kind == pp::ObjectKind::Brush ? "brush" : "font";
  Dc* d = Begin("GetCurrentObject", dc, kindName, &line, &failure);
  if (!d) return failure.error();
  const Handle h = kind == pp::ObjectKind::Pen     ? d->selected.pen
                   : kind == pp::ObjectKind::Brush ? d->selected.brush
                                                   : d->selected.font;
  journal_.Add(line + " -> " + Label(h));
  return h;
}

RecordingGdi::Result<Handle> RecordingGdi::SelectObject(Handle dc, Handle object) {
  std::string line;
  Status failure;
  Dc* d = Begin("SelectObject", dc, Label(object), &line, &failure);
  if (!d) return failure.error();
  Handle* slot = nullptr;
  if (object == kStockPen) slot = &d->selected.pen;
  if (object == kStockBrush) slot = &d->selected.brush;
  if (object == kStockFont) slot = &d->selected.font;
  if (const auto o = objects_.find(object); o != objects_.end() && !o->second.region) {
    slot = o->second.kind == pp::ObjectKind::Pen     ? &d->selected.pen
           : o->second.kind == pp::ObjectKind::Brush ? &d->selected.brush
                                                     : &d->selected.font;
  }
  if (!slot) {
    Problem("SelectObject of " + Label(object) + ", which is no pen, brush or font");
    journal_.Add(line + " -> invalid handle");
    return pp::Error(winerr::InvalidHandle);
  }
  const Handle previous = *slot;
  *slot = object;
  journal_.Add(line + " -> " + Label(previous));
  return previous;
}

RecordingGdi::Status RecordingGdi::DeleteObject(Handle object) {
  const std::string line = "DeleteObject(" + Label(object) + ")";
  if (const auto fault = journal_.FaultFor("DeleteObject")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  if (IsStock(object)) {
    journal_.Add(line);
    return pp::Ok();
  }
  const auto it = objects_.find(object);
  if (it == objects_.end()) {
    Problem("DeleteObject of " + Label(object) + ", which is no object");
    journal_.Add(line + " -> invalid handle");
    return pp::Error(winerr::InvalidHandle);
  }
  for (const auto& [h, dc] : dcs_) {
    if (dc.selected.pen == object || dc.selected.brush == object || dc.selected.font == object) {
      Problem(it->second.label + " deleted while selected into " + dc.label);
      journal_.Add(line + " -> fails: selected into " + dc.label);
      return pp::Error(winerr::InvalidParameter);
    }
  }
  journal_.Add(line);
  objects_.erase(it);
  return pp::Ok();
}

RecordingGdi::Result<Handle> RecordingGdi::MakeObject(std::string_view name, std::string_view kindLabel,
                                                      pp::ObjectKind kind, bool region, const std::string& args) {
  const std::string line = std::string(name) + "(" + args + ")";
  if (const auto fault = journal_.FaultFor(name)) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  const Handle h = next_++;
  objects_.emplace(h, Object{std::string(kindLabel) + Num(static_cast<std::int64_t>(h)), kind, region});
  journal_.Add(line + " -> " + Label(h));
  return h;
}

RecordingGdi::Result<Handle> RecordingGdi::CreatePenIndirect(const pp::LogPen& pen) {
  return MakeObject("CreatePenIndirect", "pen", pp::ObjectKind::Pen, false,
                    "style " + Num(pen.style) + ", width " + Num(pen.width) + ", colour " + Hex(pen.colour));
}

RecordingGdi::Result<Handle> RecordingGdi::CreateBrushIndirect(const pp::LogBrush& brush) {
  return MakeObject("CreateBrushIndirect", "brush", pp::ObjectKind::Brush, false,
                    "style " + Num(brush.style) + ", colour " + Hex(brush.colour) + ", hatch " + Num(brush.hatch));
}

RecordingGdi::Result<Handle> RecordingGdi::CreateFontIndirectAnsi(const pp::LogFont& font) {
  return MakeObject("CreateFontIndirect", "font", pp::ObjectKind::Font, false,
                    Quote(std::string_view(font.faceName)) + ", height " + Num(font.height) + ", weight " +
                        Num(font.weight) + (font.italic ? ", italic" : ""));
}

RecordingGdi::Result<Handle> RecordingGdi::CreateDIBPatternBrushPt(const pp::Dib& dib, std::uint32_t usage) {
  return MakeObject("CreateDIBPatternBrushPt", "dibbrush", pp::ObjectKind::Brush, false,
                    BytesText("info", dib.info.size()) + ", " + BytesText("bits", dib.bits.size()) + ", usage " +
                        Num(usage));
}

RecordingGdi::Result<Handle> RecordingGdi::ExtCreatePen(const pp::ExtPen& pen) {
  std::string args = "style " + Hex(pen.style) + ", width " + Num(pen.width) + ", brush " + Num(pen.brush.style) +
                     " " + Hex(pen.brush.colour) + " " + Num(pen.brush.hatch);
  if (pen.dib) args += ", " + BytesText("dib", pen.dib->info.size() + pen.dib->bits.size());
  if (!pen.styleEntries.empty()) {
    args += ", styles [";
    for (std::size_t i = 0; i < pen.styleEntries.size(); ++i) args += (i ? " " : "") + Num(pen.styleEntries[i]);
    args += "]";
  }
  return MakeObject("ExtCreatePen", "extpen", pp::ObjectKind::Pen, false, args);
}

RecordingGdi::Result<Handle> RecordingGdi::ExtCreateRegion(std::span<const std::uint8_t> data) {
  return MakeObject("ExtCreateRegion", "rgn", pp::ObjectKind::Pen, true, BytesText("rgndata", data.size()));
}

// --- state

RecordingGdi::Status RecordingGdi::SetBkMode(Handle dc, std::int32_t mode) { return Simple("SetBkMode", dc, Num(mode)); }
RecordingGdi::Status RecordingGdi::SetPolyFillMode(Handle dc, std::int32_t mode) {
  return Simple("SetPolyFillMode", dc, Num(mode));
}
RecordingGdi::Status RecordingGdi::SetROP2(Handle dc, std::int32_t mode) { return Simple("SetROP2", dc, Num(mode)); }
RecordingGdi::Status RecordingGdi::SetStretchBltMode(Handle dc, std::int32_t mode) {
  return Simple("SetStretchBltMode", dc, Num(mode));
}
RecordingGdi::Status RecordingGdi::SetTextAlign(Handle dc, std::uint32_t align) {
  return Simple("SetTextAlign", dc, Num(align));
}
RecordingGdi::Status RecordingGdi::SetArcDirection(Handle dc, std::int32_t direction) {
  return Simple("SetArcDirection", dc, Num(direction));
}
RecordingGdi::Status RecordingGdi::SetTextColor(Handle dc, pp::Colour colour) {
  return Simple("SetTextColor", dc, Hex(colour));
}
RecordingGdi::Status RecordingGdi::SetBkColor(Handle dc, pp::Colour colour) { return Simple("SetBkColor", dc, Hex(colour)); }
RecordingGdi::Status RecordingGdi::SetBrushOrgEx(Handle dc, pp::Point origin) {
  return Simple("SetBrushOrgEx", dc, PointText(origin));
}
RecordingGdi::Status RecordingGdi::SetMiterLimit(Handle dc, float limit) {
  return Simple("SetMiterLimit", dc, FloatText(limit));
}

RecordingGdi::Result<pp::ColorAdjustment> RecordingGdi::GetColorAdjustment(Handle dc) {
  std::string line;
  Status failure;
  Dc* d = Begin("GetColorAdjustment", dc, "", &line, &failure);
  if (!d) return failure.error();
  journal_.Add(line + " -> contrast " + Num(d->adjustment.contrast));
  return d->adjustment;
}

RecordingGdi::Status RecordingGdi::SetColorAdjustment(Handle dc, const pp::ColorAdjustment& a) {
  std::string line;
  Status failure;
  Dc* d = Begin("SetColorAdjustment", dc,
                "contrast " + Num(a.contrast) + ", brightness " + Num(a.brightness) + ", flags " + Num(a.flags), &line,
                &failure);
  if (!d) return failure;
  d->adjustment = a;
  journal_.Add(line);
  return pp::Ok();
}

RecordingGdi::Status RecordingGdi::SetTextCharacterExtra(Handle dc, std::int32_t extra) {
  return Simple("SetTextCharacterExtra", dc, Num(extra));
}
RecordingGdi::Status RecordingGdi::SetTextJustification(Handle dc, std::int32_t extra, std::int32_t breaks) {
  return Simple("SetTextJustification", dc, Num(extra) + ", " + Num(breaks));
}
RecordingGdi::Status RecordingGdi::SetMapMode(Handle dc, std::int32_t mode) { return Simple("SetMapMode", dc, Num(mode)); }
RecordingGdi::Status RecordingGdi::SetWindowOrgEx(Handle dc, pp::Point origin) {
  return Simple("SetWindowOrgEx", dc, PointText(origin));
}
RecordingGdi::Status RecordingGdi::SetWindowExtEx(Handle dc, std::int32_t cx, std::int32_t cy) {
  return Simple("SetWindowExtEx", dc, Num(cx) + "," + Num(cy));
}
RecordingGdi::Status RecordingGdi::SetViewportOrgEx(Handle dc, pp::Point origin) {
  return Simple("SetViewportOrgEx", dc, PointText(origin));
}
RecordingGdi::Status RecordingGdi::SetViewportExtEx(Handle dc, std::int32_t cx, std::int32_t cy) {
  return Simple("SetViewportExtEx", dc, Num(cx) + "," + Num(cy));
}

// --- clipping and paths

RecordingGdi::Status RecordingGdi::ExtSelectClipRgn(Handle dc, std::optional<Handle> region, std::int32_t mode) {
  if (region && !objects_.count(*region)) {
    Problem("ExtSelectClipRgn of " + Label(*region) + ", which is no region");
    journal_.Add("ExtSelectClipRgn(" + Label(dc) + ", " + Label(*region) + ", " + Num(mode) + ") -> invalid handle");
    return pp::Error(winerr::InvalidHandle);
  }
  return Simple("ExtSelectClipRgn", dc, (region ? Label(*region) : std::string("null")) + ", " + Num(mode));
}
RecordingGdi::Status RecordingGdi::SelectClipPath(Handle dc, std::int32_t mode) {
  return Simple("SelectClipPath", dc, Num(mode));
}
RecordingGdi::Status RecordingGdi::BeginPath(Handle dc) { return Simple("BeginPath", dc); }
RecordingGdi::Status RecordingGdi::EndPath(Handle dc) { return Simple("EndPath", dc); }
RecordingGdi::Status RecordingGdi::CloseFigure(Handle dc) { return Simple("CloseFigure", dc); }
RecordingGdi::Status RecordingGdi::FillPath(Handle dc) { return Simple("FillPath", dc); }
RecordingGdi::Status RecordingGdi::StrokeAndFillPath(Handle dc) { return Simple("StrokeAndFillPath", dc); }
RecordingGdi::Status RecordingGdi::StrokePath(Handle dc) { return Simple("StrokePath", dc); }

// --- drawing

RecordingGdi::Status RecordingGdi::MoveToEx(Handle dc, pp::Point to) { return Simple("MoveToEx", dc, PointText(to)); }
RecordingGdi::Status RecordingGdi::LineTo(Handle dc, pp::Point to) { return Simple("LineTo", dc, PointText(to)); }
RecordingGdi::Status RecordingGdi::SetPixelV(Handle dc, pp::Point at, pp::Colour colour) {
  return Simple("SetPixelV", dc, PointText(at) + ", " + Hex(colour));
}
RecordingGdi::Status RecordingGdi::PolyBezier(Handle dc, std::span<const pp::Point> points) {
  return Simple("PolyBezier", dc, PointsText(points));
}
RecordingGdi::Status RecordingGdi::Polygon(Handle dc, std::span<const pp::Point> points) {
  return Simple("Polygon", dc, PointsText(points));
}
RecordingGdi::Status RecordingGdi::Polyline(Handle dc, std::span<const pp::Point> points) {
  return Simple("Polyline", dc, PointsText(points));
}
RecordingGdi::Status RecordingGdi::PolyBezierTo(Handle dc, std::span<const pp::Point> points) {
  return Simple("PolyBezierTo", dc, PointsText(points));
}
RecordingGdi::Status RecordingGdi::PolylineTo(Handle dc, std::span<const pp::Point> points) {
  return Simple("PolylineTo", dc, PointsText(points));
}
RecordingGdi::Status RecordingGdi::PolyPolyline(Handle dc, std::span<const pp::Point> points,
                                                std::span<const std::uint32_t> counts) {
  std::string args;
  std::size_t at = 0;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    const std::size_t n = counts[i] <= points.size() - at ? counts[i] : points.size() - at;
    args += (i ? " " : "") + PointsText(points.subspan(at, n));
    at += n;
  }
  return Simple("PolyPolyline", dc, args);
}
RecordingGdi::Status RecordingGdi::Ellipse(Handle dc, const pp::Rect& box) { return Simple("Ellipse", dc, RectText(box)); }
RecordingGdi::Status RecordingGdi::Rectangle(Handle dc, const pp::Rect& box) {
  return Simple("Rectangle", dc, RectText(box));
}
RecordingGdi::Status RecordingGdi::RoundRect(Handle dc, const pp::Rect& box, std::int32_t w, std::int32_t h) {
  return Simple("RoundRect", dc, RectText(box) + ", " + Num(w) + ", " + Num(h));
}
RecordingGdi::Status RecordingGdi::Arc(Handle dc, const pp::Rect& box, pp::Point start, pp::Point end) {
  return Simple("Arc", dc, RectText(box) + ", " + PointText(start) + ", " + PointText(end));
}
RecordingGdi::Status RecordingGdi::Chord(Handle dc, const pp::Rect& box, pp::Point start, pp::Point end) {
  return Simple("Chord", dc, RectText(box) + ", " + PointText(start) + ", " + PointText(end));
}
RecordingGdi::Status RecordingGdi::Pie(Handle dc, const pp::Rect& box, pp::Point start, pp::Point end) {
  return Simple("Pie", dc, RectText(box) + ", " + PointText(start) + ", " + PointText(end));
}
RecordingGdi::Status RecordingGdi::PatBlt(Handle dc, const pp::Area& area, std::uint32_t rop) {
  return Simple("PatBlt", dc, AreaText(area) + ", " + Hex(rop));
}
RecordingGdi::Status RecordingGdi::StretchDIBits(Handle dc, const pp::Area& destination, const pp::Area& source,
                                                 const pp::Dib& dib, std::uint32_t usage, std::uint32_t rop) {
  return Simple("StretchDIBits", dc,
                AreaText(destination) + ", " + AreaText(source) + ", " + BytesText("info", dib.info.size()) + ", " +
                    BytesText("bits", dib.bits.size()) + ", usage " + Num(usage) + ", " + Hex(rop));
}
RecordingGdi::Status RecordingGdi::TextOutAnsi(Handle dc, pp::Point at, std::string_view text) {
  return Simple("TextOut", dc, PointText(at) + ", " + Quote(text));
}
RecordingGdi::Status RecordingGdi::ExtTextOutAnsi(Handle dc, pp::Point at, std::uint32_t options,
                                                  const std::optional<pp::Rect>& clip, std::string_view text,
                                                  std::span<const std::int32_t> spacing) {
  std::string args = PointText(at) + ", " + Hex(options) + ", " + (clip ? "[" + RectText(*clip) + "]" : "null") +
                     ", " + Quote(text);
  if (!spacing.empty()) {
    args += ", dx [";
    for (std::size_t i = 0; i < spacing.size(); ++i) args += (i ? " " : "") + Num(spacing[i]);
    args += "]";
  }
  return Simple("ExtTextOut", dc, args);
}

}  // namespace sim::print

namespace sim::print {

// --- Windows metafiles

namespace {

std::uint16_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(U16At(b, at)) | (static_cast<std::uint32_t>(U16At(b, at + 2)) << 16);
}

constexpr std::size_t kMetaHeaderSize = 18;
constexpr std::uint16_t kMetaSelectObject = 0x012D;
constexpr std::uint16_t kMetaDeleteObject = 0x01F0;
constexpr std::uint16_t kMetaSelectPalette = 0x0234;
constexpr std::uint16_t kMetaSelectClipRegion = 0x012C;

}  // namespace

RecordingGdi::Result<Handle> RecordingGdi::SetMetaFileBits(std::span<const std::uint8_t> bytes) {
  const std::string line = "SetMetaFileBitsEx(" + BytesText("metafile", bytes.size()) + ")";
  if (const auto fault = journal_.FaultFor("SetMetaFileBitsEx")) {
    journal_.Add(line + " -> fails " + winerr::Name(fault->code()));
    return *fault;
  }
  if (bytes.size() < kMetaHeaderSize) {
    Problem("SetMetaFileBitsEx with " + Num(static_cast<std::int64_t>(bytes.size())) + " bytes, short of a header");
    journal_.Add(line + " -> fails");
    return pp::Error(winerr::InvalidData);
  }
  const Handle h = next_++;
  metafiles_.emplace(h, Metafile{"metafile" + Num(static_cast<std::int64_t>(h)), {bytes.begin(), bytes.end()}});
  journal_.Add(line + " -> " + Label(h));
  return h;
}

RecordingGdi::Status RecordingGdi::DeleteMetaFile(Handle metafile) {
  const std::string line = "DeleteMetaFile(" + Label(metafile) + ")";
  if (!metafiles_.erase(metafile)) {
    Problem("DeleteMetaFile of " + Label(metafile) + ", which is no metafile");
    journal_.Add(line + " -> invalid handle");
    return pp::Error(winerr::InvalidHandle);
  }
  journal_.Add(line);
  return pp::Ok();
}

RecordingGdi::Status RecordingGdi::EnumMetaFile(Handle dc, Handle metafile, const MetaRecordVisitor& visit) {
  std::string line;
  Status failure;
  if (!Begin("EnumMetaFile", dc, Label(metafile), &line, &failure)) return failure;
  const auto m = metafiles_.find(metafile);
  if (m == metafiles_.end()) {
    Problem("EnumMetaFile of " + Label(metafile) + ", which is no metafile");
    journal_.Add(line + " -> invalid handle");
    return pp::Error(winerr::InvalidHandle);
  }
  journal_.Add(line);
  // A copy: the visitor may draw, which must not disturb the walk.
  const std::vector<std::uint8_t> bytes = m->second.bytes;
  const std::uint16_t objectSlots = U16At(bytes, 10);
  std::size_t at = U16At(bytes, 2) * std::size_t{2};
  while (at + 6 <= bytes.size()) {
    const std::uint64_t size = std::uint64_t{U32At(bytes, at)} * 2;
    const std::uint16_t function = U16At(bytes, at + 4);
    if (size < 6 || size > bytes.size() - at) break;
    if (function == 0) break;
    const auto record = std::span<const std::uint8_t>(bytes).subspan(at, static_cast<std::size_t>(size));
    if (visit(record) == pp::MetaRecordAction::Play) {
      std::string played = "PlayMetaFileRecord(" + m->second.label + ", " + Label(dc) + ", " + Hex(function) + ", " +
                           Num(static_cast<std::int64_t>(size)) + " bytes)";
      const bool usesSlot = function == kMetaSelectObject || function == kMetaDeleteObject ||
                            function == kMetaSelectPalette || function == kMetaSelectClipRegion;
      if (usesSlot && (size < 8 || U16At(bytes, at + 6) >= objectSlots))
        Problem(played + " names an object beyond the metafile's table");
      journal_.Add(played);
    }
    at += static_cast<std::size_t>(size);
  }
  return pp::Ok();
}

}  // namespace sim::print
