#include "win32print/win32_gdi.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace win32print {

namespace pp = plat::print;
using plat::Handle;

namespace {

pp::Error LastError() { return pp::Error(GetLastError()); }
HDC Dc(Handle h) { return reinterpret_cast<HDC>(h); }
HGDIOBJ Obj(Handle h) { return reinterpret_cast<HGDIOBJ>(h); }
Handle H(const void* p) { return reinterpret_cast<Handle>(p); }
pp::Status Check(BOOL ok) { return ok ? pp::Ok() : pp::Status(LastError()); }

// Records hand over their bytes at any offset; GDI wants its structures
// aligned, so they travel in a copy.
std::vector<std::uint64_t> Aligned(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint64_t> v((bytes.size() + 7) / 8, 0);
  if (!bytes.empty()) std::memcpy(v.data(), bytes.data(), bytes.size());
  return v;
}

// A packed DIB: header, colour table and bits in one piece.
std::vector<std::uint64_t> Packed(const pp::Dib& dib) {
  std::vector<std::uint64_t> v((dib.info.size() + dib.bits.size() + 7) / 8, 0);
  auto* p = reinterpret_cast<std::uint8_t*>(v.data());
  if (!dib.info.empty()) std::memcpy(p, dib.info.data(), dib.info.size());
  if (!dib.bits.empty()) std::memcpy(p + dib.info.size(), dib.bits.data(), dib.bits.size());
  return v;
}

std::vector<POINT> Points(std::span<const pp::Point> points) {
  std::vector<POINT> v(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) v[i] = {points[i].x, points[i].y};
  return v;
}

BOOL CALLBACK ContinueJob(HDC, int) { return TRUE; }

}  // namespace

// --- device contexts, documents, pages

pp::Result<Handle> Win32Gdi::CreateDc(std::optional<std::string_view> driver, std::string_view device,
                                      std::optional<std::string_view> output, std::span<const std::uint8_t> devMode) {
  const std::string d(driver.value_or("")), n(device), o(output.value_or(""));
  const auto mode = Aligned(devMode);
  HDC dc = CreateDCA(driver ? d.c_str() : nullptr, n.c_str(), output ? o.c_str() : nullptr,
                     devMode.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(mode.data()));
  if (!dc) return LastError();
  return H(dc);
}

pp::Status Win32Gdi::DeleteDc(Handle dc) { return Check(DeleteDC(Dc(dc))); }

pp::Result<Handle> Win32Gdi::ResetDc(Handle dc, std::span<const std::uint8_t> devMode) {
  const auto mode = Aligned(devMode);
  HDC reset = ResetDCA(Dc(dc), reinterpret_cast<const DEVMODEA*>(mode.data()));
  if (!reset) return LastError();
  return H(reset);
}

pp::Status Win32Gdi::SetContinuingAbortProc(Handle dc) {
  return SetAbortProc(Dc(dc), ContinueJob) > 0 ? pp::Ok() : pp::Status(LastError());
}

pp::Result<std::int32_t> Win32Gdi::StartDocument(Handle dc, const pp::DocInfo& doc) {
  const std::string output = doc.output.value_or(""), datatype = doc.datatype.value_or("");
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = doc.document.c_str();
  info.lpszOutput = doc.output ? output.c_str() : nullptr;
  info.lpszDatatype = doc.datatype ? datatype.c_str() : nullptr;
  info.fwType = doc.typeFlags;
  const int job = StartDocA(Dc(dc), &info);
  if (job <= 0) return LastError();
  return job;
}

pp::Status Win32Gdi::EndDoc(Handle dc) { return Check(::EndDoc(Dc(dc)) > 0); }
pp::Status Win32Gdi::AbortDoc(Handle dc) { return Check(::AbortDoc(Dc(dc)) > 0); }
pp::Status Win32Gdi::StartPage(Handle dc) { return Check(::StartPage(Dc(dc)) > 0); }
pp::Status Win32Gdi::EndPage(Handle dc) { return Check(::EndPage(Dc(dc)) > 0); }

pp::Result<std::int32_t> Win32Gdi::SaveDC(Handle dc) {
  const int level = ::SaveDC(Dc(dc));
  if (level == 0) return LastError();
  return level;
}

pp::Status Win32Gdi::RestoreDC(Handle dc, std::int32_t level) { return Check(::RestoreDC(Dc(dc), level)); }

pp::Result<pp::EscapeReply> Win32Gdi::Escape(Handle dc, std::int32_t code, std::span<const std::uint8_t> input,
                                             std::uint32_t outputSize) {
  // The output buffer is fixed global memory, as drivers of the 9x family
  // may expect of an escape's buffers.
  HGLOBAL output = outputSize ? GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, outputSize) : nullptr;
  if (outputSize && !output) return LastError();
  const auto in = Aligned(input);
  const int result = ::Escape(Dc(dc), code, static_cast<int>(input.size()),
                              reinterpret_cast<LPCSTR>(in.data()), output);
  pp::EscapeReply reply;
  reply.result = result;
  if (output) {
    const auto* bytes = static_cast<const std::uint8_t*>(output);
    reply.output.assign(bytes, bytes + outputSize);
    GlobalFree(output);
  }
  if (result <= 0) return pp::Error(result == 0 ? ERROR_NOT_SUPPORTED : GetLastError());
  return reply;
}

std::int32_t Win32Gdi::ExtEscape(Handle dc, std::int32_t code, std::span<const std::uint8_t> input,
                                 std::span<std::uint8_t> output) {
  const auto in = Aligned(input);
  return ::ExtEscape(Dc(dc), code, static_cast<int>(input.size()), reinterpret_cast<LPCSTR>(in.data()),
                     static_cast<int>(output.size()), reinterpret_cast<LPSTR>(output.data()));
}

std::int32_t Win32Gdi::GetDeviceCaps(Handle dc, std::int32_t index) { return ::GetDeviceCaps(Dc(dc), index); }

pp::Result<pp::TextMetrics> Win32Gdi::GetTextMetricsAnsi(Handle dc) {
  TEXTMETRICA tm{};
  if (!GetTextMetricsA(Dc(dc), &tm)) return LastError();
  return pp::TextMetrics{tm.tmHeight,          tm.tmAscent,       tm.tmDescent,     tm.tmInternalLeading,
                         tm.tmExternalLeading, tm.tmAveCharWidth, tm.tmMaxCharWidth};
}

// --- objects

pp::Result<Handle> Win32Gdi::GetCurrentObject(Handle dc, pp::ObjectKind kind) {
  HGDIOBJ h = ::GetCurrentObject(Dc(dc), static_cast<UINT>(kind));
  if (!h) return LastError();
  return H(h);
}

pp::Result<Handle> Win32Gdi::SelectObject(Handle dc, Handle object) {
  HGDIOBJ previous = ::SelectObject(Dc(dc), Obj(object));
  if (!previous || previous == HGDI_ERROR) return LastError();
  return H(previous);
}

pp::Status Win32Gdi::DeleteObject(Handle object) { return Check(::DeleteObject(Obj(object))); }

pp::Result<Handle> Win32Gdi::CreatePenIndirect(const pp::LogPen& pen) {
  LOGPEN lp{pen.style, {pen.width, 0}, pen.colour};
  HPEN h = ::CreatePenIndirect(&lp);
  if (!h) return LastError();
  return H(h);
}

pp::Result<Handle> Win32Gdi::CreateBrushIndirect(const pp::LogBrush& brush) {
  LOGBRUSH lb{brush.style, brush.colour, brush.hatch};
  HBRUSH h = ::CreateBrushIndirect(&lb);
  if (!h) return LastError();
  return H(h);
}

pp::Result<Handle> Win32Gdi::CreateFontIndirectAnsi(const pp::LogFont& f) {
  LOGFONTA lf{};
  lf.lfHeight = f.height;
  lf.lfWidth = f.width;
  lf.lfEscapement = f.escapement;
  lf.lfOrientation = f.orientation;
  lf.lfWeight = f.weight;
  lf.lfItalic = f.italic;
  lf.lfUnderline = f.underline;
  lf.lfStrikeOut = f.strikeOut;
  lf.lfCharSet = f.charSet;
  lf.lfOutPrecision = f.outPrecision;
  lf.lfClipPrecision = f.clipPrecision;
  lf.lfQuality = f.quality;
  lf.lfPitchAndFamily = f.pitchAndFamily;
  std::memcpy(lf.lfFaceName, f.faceName.data(), std::min<std::size_t>(f.faceName.size(), LF_FACESIZE - 1));
  HFONT h = CreateFontIndirectA(&lf);
  if (!h) return LastError();
  return H(h);
}

pp::Result<Handle> Win32Gdi::CreateDIBPatternBrushPt(const pp::Dib& dib, std::uint32_t usage) {
  const auto packed = Packed(dib);
  HBRUSH h = ::CreateDIBPatternBrushPt(packed.data(), usage);
  if (!h) return LastError();
  return H(h);
}

pp::Result<Handle> Win32Gdi::ExtCreatePen(const pp::ExtPen& pen) {
  std::vector<std::uint64_t> packed;
  LOGBRUSH lb{pen.brush.style, pen.brush.colour, pen.brush.hatch};
  if (pen.dib) {
    packed = Packed(*pen.dib);
    lb.lbHatch = reinterpret_cast<ULONG_PTR>(packed.data());
  }
  std::vector<DWORD> styles(pen.styleEntries.begin(), pen.styleEntries.end());
  HPEN h = ::ExtCreatePen(pen.style, pen.width, &lb, static_cast<DWORD>(styles.size()),
                          styles.empty() ? nullptr : styles.data());
  if (!h) return LastError();
  return H(h);
}

pp::Result<Handle> Win32Gdi::ExtCreateRegion(std::span<const std::uint8_t> data) {
  const auto rgn = Aligned(data);
  HRGN h = ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(rgn.data()));
  if (!h) return LastError();
  return H(h);
}

// --- state

pp::Status Win32Gdi::SetBkMode(Handle dc, std::int32_t mode) { return Check(::SetBkMode(Dc(dc), mode) != 0); }
pp::Status Win32Gdi::SetPolyFillMode(Handle dc, std::int32_t mode) {
  return Check(::SetPolyFillMode(Dc(dc), mode) != 0);
}
pp::Status Win32Gdi::SetROP2(Handle dc, std::int32_t mode) { return Check(::SetROP2(Dc(dc), mode) != 0); }
pp::Status Win32Gdi::SetStretchBltMode(Handle dc, std::int32_t mode) {
  return Check(::SetStretchBltMode(Dc(dc), mode) != 0);
}
pp::Status Win32Gdi::SetTextAlign(Handle dc, std::uint32_t align) {
  return Check(::SetTextAlign(Dc(dc), align) != GDI_ERROR);
}
pp::Status Win32Gdi::SetArcDirection(Handle dc, std::int32_t direction) {
  return Check(::SetArcDirection(Dc(dc), direction) != 0);
}
pp::Status Win32Gdi::SetTextColor(Handle dc, pp::Colour colour) {
  return Check(::SetTextColor(Dc(dc), colour) != CLR_INVALID);
}
pp::Status Win32Gdi::SetBkColor(Handle dc, pp::Colour colour) { return Check(::SetBkColor(Dc(dc), colour) != CLR_INVALID); }
pp::Status Win32Gdi::SetBrushOrgEx(Handle dc, pp::Point origin) {
  return Check(::SetBrushOrgEx(Dc(dc), origin.x, origin.y, nullptr));
}
pp::Status Win32Gdi::SetMiterLimit(Handle dc, float limit) { return Check(::SetMiterLimit(Dc(dc), limit, nullptr)); }

pp::Result<pp::ColorAdjustment> Win32Gdi::GetColorAdjustment(Handle dc) {
  COLORADJUSTMENT ca{};
  if (!::GetColorAdjustment(Dc(dc), &ca)) return LastError();
  return pp::ColorAdjustment{ca.caSize,          ca.caFlags,           ca.caIlluminantIndex, ca.caRedGamma,
                             ca.caGreenGamma,    ca.caBlueGamma,       ca.caReferenceBlack,  ca.caReferenceWhite,
                             ca.caContrast,      ca.caBrightness,      ca.caColorfulness,    ca.caRedGreenTint};
}

pp::Status Win32Gdi::SetColorAdjustment(Handle dc, const pp::ColorAdjustment& a) {
  COLORADJUSTMENT ca{a.size,           a.flags,          a.illuminantIndex, a.redGamma,
                     a.greenGamma,     a.blueGamma,      a.referenceBlack,  a.referenceWhite,
                     a.contrast,       a.brightness,     a.colorfulness,    a.redGreenTint};
  return Check(::SetColorAdjustment(Dc(dc), &ca));
}

pp::Status Win32Gdi::SetTextCharacterExtra(Handle dc, std::int32_t extra) {
  return Check(::SetTextCharacterExtra(Dc(dc), extra) != static_cast<int>(0x80000000));
}
pp::Status Win32Gdi::SetTextJustification(Handle dc, std::int32_t extra, std::int32_t breaks) {
  return Check(::SetTextJustification(Dc(dc), extra, breaks));
}
pp::Status Win32Gdi::SetMapMode(Handle dc, std::int32_t mode) { return Check(::SetMapMode(Dc(dc), mode) != 0); }
pp::Status Win32Gdi::SetWindowOrgEx(Handle dc, pp::Point o) { return Check(::SetWindowOrgEx(Dc(dc), o.x, o.y, nullptr)); }
pp::Status Win32Gdi::SetWindowExtEx(Handle dc, std::int32_t cx, std::int32_t cy) {
  return Check(::SetWindowExtEx(Dc(dc), cx, cy, nullptr));
}
pp::Status Win32Gdi::SetViewportOrgEx(Handle dc, pp::Point o) {
  return Check(::SetViewportOrgEx(Dc(dc), o.x, o.y, nullptr));
}
pp::Status Win32Gdi::SetViewportExtEx(Handle dc, std::int32_t cx, std::int32_t cy) {
  return Check(::SetViewportExtEx(Dc(dc), cx, cy, nullptr));
}

// --- clipping and paths

pp::Status Win32Gdi::ExtSelectClipRgn(Handle dc, std::optional<Handle> region, std::int32_t mode) {
  return Check(::ExtSelectClipRgn(Dc(dc), region ? reinterpret_cast<HRGN>(*region) : nullptr, mode) != ERROR);
}
pp::Status Win32Gdi::SelectClipPath(Handle dc, std::int32_t mode) { return Check(::SelectClipPath(Dc(dc), mode)); }
pp::Status Win32Gdi::BeginPath(Handle dc) { return Check(::BeginPath(Dc(dc))); }
pp::Status Win32Gdi::EndPath(Handle dc) { return Check(::EndPath(Dc(dc))); }
pp::Status Win32Gdi::CloseFigure(Handle dc) { return Check(::CloseFigure(Dc(dc))); }
pp::Status Win32Gdi::FillPath(Handle dc) { return Check(::FillPath(Dc(dc))); }
pp::Status Win32Gdi::StrokeAndFillPath(Handle dc) { return Check(::StrokeAndFillPath(Dc(dc))); }
pp::Status Win32Gdi::StrokePath(Handle dc) { return Check(::StrokePath(Dc(dc))); }

// --- drawing

pp::Status Win32Gdi::MoveToEx(Handle dc, pp::Point to) { return Check(::MoveToEx(Dc(dc), to.x, to.y, nullptr)); }
pp::Status Win32Gdi::LineTo(Handle dc, pp::Point to) { return Check(::LineTo(Dc(dc), to.x, to.y)); }
pp::Status Win32Gdi::SetPixelV(Handle dc, pp::Point at, pp::Colour colour) {
  return Check(::SetPixelV(Dc(dc), at.x, at.y, colour));
}
pp::Status Win32Gdi::PolyBezier(Handle dc, std::span<const pp::Point> points) {
  const auto p = Points(points);
  return Check(::PolyBezier(Dc(dc), p.data(), static_cast<DWORD>(p.size())));
}
pp::Status Win32Gdi::Polygon(Handle dc, std::span<const pp::Point> points) {
  const auto p = Points(points);
  return Check(::Polygon(Dc(dc), p.data(), static_cast<int>(p.size())));
}
pp::Status Win32Gdi::Polyline(Handle dc, std::span<const pp::Point> points) {
  const auto p = Points(points);
  return Check(::Polyline(Dc(dc), p.data(), static_cast<int>(p.size())));
}
pp::Status Win32Gdi::PolyBezierTo(Handle dc, std::span<const pp::Point> points) {
  const auto p = Points(points);
  return Check(::PolyBezierTo(Dc(dc), p.data(), static_cast<DWORD>(p.size())));
}
pp::Status Win32Gdi::PolylineTo(Handle dc, std::span<const pp::Point> points) {
  const auto p = Points(points);
  return Check(::PolylineTo(Dc(dc), p.data(), static_cast<DWORD>(p.size())));
}
pp::Status Win32Gdi::PolyPolyline(Handle dc, std::span<const pp::Point> points,
                                  std::span<const std::uint32_t> counts) {
  const auto p = Points(points);
  const std::vector<DWORD> c(counts.begin(), counts.end());
  return Check(::PolyPolyline(Dc(dc), p.data(), c.data(), static_cast<DWORD>(c.size())));
}
pp::Status Win32Gdi::Ellipse(Handle dc, const pp::Rect& b) {
  return Check(::Ellipse(Dc(dc), b.left, b.top, b.right, b.bottom));
}
pp::Status Win32Gdi::Rectangle(Handle dc, const pp::Rect& b) {
  return Check(::Rectangle(Dc(dc), b.left, b.top, b.right, b.bottom));
}
pp::Status Win32Gdi::RoundRect(Handle dc, const pp::Rect& b, std::int32_t w, std::int32_t h) {
  return Check(::RoundRect(Dc(dc), b.left, b.top, b.right, b.bottom, w, h));
}
pp::Status Win32Gdi::Arc(Handle dc, const pp::Rect& b, pp::Point s, pp::Point e) {
  return Check(::Arc(Dc(dc), b.left, b.top, b.right, b.bottom, s.x, s.y, e.x, e.y));
}
pp::Status Win32Gdi::Chord(Handle dc, const pp::Rect& b, pp::Point s, pp::Point e) {
  return Check(::Chord(Dc(dc), b.left, b.top, b.right, b.bottom, s.x, s.y, e.x, e.y));
}
pp::Status Win32Gdi::Pie(Handle dc, const pp::Rect& b, pp::Point s, pp::Point e) {
  return Check(::Pie(Dc(dc), b.left, b.top, b.right, b.bottom, s.x, s.y, e.x, e.y));
}
pp::Status Win32Gdi::PatBlt(Handle dc, const pp::Area& a, std::uint32_t rop) {
  return Check(::PatBlt(Dc(dc), a.x, a.y, a.width, a.height, rop));
}
pp::Status Win32Gdi::StretchDIBits(Handle dc, const pp::Area& d, const pp::Area& s, const pp::Dib& dib,
                                   std::uint32_t usage, std::uint32_t rop) {
  const auto info = Aligned(dib.info);
  const int lines = ::StretchDIBits(Dc(dc), d.x, d.y, d.width, d.height, s.x, s.y, s.width, s.height,
                                    dib.bits.data(), reinterpret_cast<const BITMAPINFO*>(info.data()), usage, rop);
  return Check(lines != 0 && lines != static_cast<int>(GDI_ERROR));
}
pp::Status Win32Gdi::TextOutAnsi(Handle dc, pp::Point at, std::string_view text) {
  return Check(::TextOutA(Dc(dc), at.x, at.y, text.data(), static_cast<int>(text.size())));
}
pp::Status Win32Gdi::ExtTextOutAnsi(Handle dc, pp::Point at, std::uint32_t options, const std::optional<pp::Rect>& clip,
                                    std::string_view text, std::span<const std::int32_t> spacing) {
  RECT r{};
  if (clip) r = {clip->left, clip->top, clip->right, clip->bottom};
  const std::vector<INT> dx(spacing.begin(), spacing.end());
  return Check(::ExtTextOutA(Dc(dc), at.x, at.y, options, clip ? &r : nullptr, text.data(),
                             static_cast<UINT>(text.size()), dx.empty() ? nullptr : dx.data()));
}

// --- Windows metafiles

namespace {
HMETAFILE Mf(Handle h) { return reinterpret_cast<HMETAFILE>(h); }

struct Enumeration {
  const pp::Gdi::MetaRecordVisitor* visit;
};

int CALLBACK OneRecord(HDC dc, HANDLETABLE* table, METARECORD* record, int objects, LPARAM context) {
  const auto* e = reinterpret_cast<const Enumeration*>(context);
  const auto bytes = std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(record),
                                                   static_cast<std::size_t>(record->rdSize) * 2);
  if ((*e->visit)(bytes) == pp::MetaRecordAction::Play)
    static_cast<void>(PlayMetaFileRecord(dc, table, record, static_cast<UINT>(objects)));  // as GDI's own playback
  return 1;
}
}  // namespace

pp::Result<Handle> Win32Gdi::SetMetaFileBits(std::span<const std::uint8_t> bytes) {
  HMETAFILE mf = SetMetaFileBitsEx(static_cast<UINT>(bytes.size()), bytes.data());
  if (!mf) return LastError();
  return H(mf);
}

pp::Status Win32Gdi::DeleteMetaFile(Handle metafile) { return Check(::DeleteMetaFile(Mf(metafile))); }

pp::Status Win32Gdi::EnumMetaFile(Handle dc, Handle metafile, const MetaRecordVisitor& visit) {
  Enumeration e{&visit};
  return Check(::EnumMetaFile(Dc(dc), Mf(metafile), &OneRecord, reinterpret_cast<LPARAM>(&e)));
}

}  // namespace win32print
