#include "vemf_writer.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vemf {

namespace {

void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& v, std::uint16_t x) {
  v.push_back(static_cast<std::uint8_t>(x));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}
void Set32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<std::uint8_t>(x >> (8 * i));
}
void PutRect(std::vector<std::uint8_t>& v, WRect r) {
  for (std::int32_t x : {r.left, r.top, r.right, r.bottom}) Put32(v, static_cast<std::uint32_t>(x));
}
std::uint32_t U(std::int32_t x) { return static_cast<std::uint32_t>(x); }

// Record types, as the player knows them.
constexpr std::uint32_t kPolyPolyline = 7, kEnd = 14, kColorAdjustment = 23, kMoveTo = 27, kSelect = 37,
                        kCreatePen = 38, kCreateBrush = 39, kDelete = 40, kEllipse = 42, kRectangle = 43,
                        kLineTo = 54, kClipRegion = 75, kBitBlt = 76, kStretchDiBits = 81, kCreateFont = 82,
                        kExtTextOut = 84, kDibPatternBrush = 94, kExtCreatePen = 95, kStartDevice = 105,
                        kStartPage = 106, kEscape = 107, kPatBlt = 108, kHeader = 112,
                        kSummary = 115;

}  // namespace

std::vector<std::uint8_t> WDib::Packed() const {
  std::vector<std::uint8_t> v = info;
  v.insert(v.end(), bits.begin(), bits.end());
  return v;
}

WDib MakeDib(std::int32_t width, std::int32_t height, std::uint16_t bitCount) {
  WDib d;
  Put32(d.info, 40);
  Put32(d.info, U(width));
  Put32(d.info, U(height));
  Put16(d.info, 1);
  Put16(d.info, bitCount);
  for (int i = 0; i < 6; ++i) Put32(d.info, 0);  // compression .. clrImportant
  if (bitCount <= 8)
    for (std::uint32_t i = 0; i < (1u << bitCount); ++i) Put32(d.info, i * 0x010101u);
  const std::size_t row = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
  const std::size_t rows = static_cast<std::size_t>(height < 0 ? -height : height);
  d.bits.resize(row * rows);
  for (std::size_t i = 0; i < d.bits.size(); ++i) d.bits[i] = static_cast<std::uint8_t>(i * 7);
  return d;
}

std::vector<std::uint8_t> MakeDevMode(std::string_view device, std::uint16_t driverExtra) {
  constexpr std::uint16_t kSize = 156;  // DEVMODEA through dmPanningHeight
  std::vector<std::uint8_t> dm(kSize + driverExtra, 0);
  std::memcpy(dm.data(), device.data(), std::min<std::size_t>(device.size(), 31));
  dm[32] = 0x01;  // dmSpecVersion 0x0401
  dm[33] = 0x04;
  dm[36] = kSize & 0xff;
  dm[37] = kSize >> 8;
  dm[38] = static_cast<std::uint8_t>(driverExtra);
  dm[39] = static_cast<std::uint8_t>(driverExtra >> 8);
  dm[40] = 0x01;  // dmFields: DM_ORIENTATION
  dm[44] = 1;     // dmOrientation: portrait
  return dm;
}

VemfWriter::VemfWriter(bool signature) {
  if (signature) out_.assign({'V', 'E', 'M', 'F'});
}

VemfWriter& VemfWriter::Sized(std::uint32_t type, std::uint32_t sizeField, std::span<const std::uint8_t> payload) {
  Put32(out_, type);
  Put32(out_, sizeField);
  out_.insert(out_.end(), payload.begin(), payload.end());
  return *this;
}

VemfWriter& VemfWriter::Raw(std::uint32_t type, std::span<const std::uint8_t> payload) {
  return Sized(type, static_cast<std::uint32_t>(payload.size() + 8), payload);
}

VemfWriter& VemfWriter::Bytes(std::span<const std::uint8_t> bytes) {
  out_.insert(out_.end(), bytes.begin(), bytes.end());
  return *this;
}

VemfWriter& VemfWriter::Fields(std::uint32_t type, std::initializer_list<std::uint32_t> fields) {
  std::vector<std::uint8_t> p;
  for (std::uint32_t f : fields) Put32(p, f);
  return Raw(type, p);
}

namespace {
std::vector<std::uint8_t> SettingsList(VemfWriter::Settings settings) {
  std::vector<std::uint8_t> p;
  for (const auto& [type, value] : settings) {
    Put32(p, type);
    Put32(p, 12);
    Put32(p, value);
  }
  Put32(p, 0);
  Put32(p, 8);
  return p;
}
}  // namespace

VemfWriter& VemfWriter::StartPage(Settings settings) {
  std::vector<std::uint8_t> p(12, 0);
  Set32(p, 16 - 8, 20);
  const auto list = SettingsList(settings);
  p.insert(p.end(), list.begin(), list.end());
  return Raw(kStartPage, p);
}

VemfWriter& VemfWriter::Summary(Settings settings) {
  std::vector<std::uint8_t> p(8, 0);
  Set32(p, 12 - 8, 16);
  const auto list = SettingsList(settings);
  p.insert(p.end(), list.begin(), list.end());
  return Raw(kSummary, p);
}

VemfWriter& VemfWriter::Header(std::uint32_t mode) {
  // 8: reserved, 12: mode, 16..55: zero, 56: entry list size, 60: its offset;
  // the list holds only its closing entry {0, 12, 0}.
  std::vector<std::uint8_t> p(68, 0);
  Set32(p, 12 - 8, mode);
  Set32(p, 56 - 8, 12);
  Set32(p, 60 - 8, 64);
  Set32(p, 64 - 8 + 4, 12);
  return Raw(kHeader, p);
}

VemfWriter& VemfWriter::StartDevice(std::span<const std::uint8_t> devMode) { return Raw(kStartDevice, devMode); }
VemfWriter& VemfWriter::StartPage() { return Raw(kStartPage, {}); }
VemfWriter& VemfWriter::EndOfDocument() { return Raw(kEnd, {}); }

VemfWriter& VemfWriter::Poly(std::uint32_t type, std::initializer_list<WPoint> points) {
  std::vector<std::uint8_t> p;
  PutRect(p, {});
  Put32(p, static_cast<std::uint32_t>(points.size()));
  for (const WPoint& pt : points) {
    Put32(p, U(pt.x));
    Put32(p, U(pt.y));
  }
  return Raw(type, p);
}

VemfWriter& VemfWriter::PolyPolyline(const std::vector<std::vector<WPoint>>& lines) {
  std::vector<std::uint8_t> p;
  PutRect(p, {});
  std::uint32_t total = 0;
  for (const auto& l : lines) total += static_cast<std::uint32_t>(l.size());
  Put32(p, static_cast<std::uint32_t>(lines.size()));
  Put32(p, total);
  for (const auto& l : lines) Put32(p, static_cast<std::uint32_t>(l.size()));
  for (const auto& l : lines)
    for (const WPoint& pt : l) {
      Put32(p, U(pt.x));
      Put32(p, U(pt.y));
    }
  return Raw(kPolyPolyline, p);
}

VemfWriter& VemfWriter::Rectangle(WRect b) { return Fields(kRectangle, {U(b.left), U(b.top), U(b.right), U(b.bottom)}); }
VemfWriter& VemfWriter::Ellipse(WRect b) { return Fields(kEllipse, {U(b.left), U(b.top), U(b.right), U(b.bottom)}); }
VemfWriter& VemfWriter::MoveTo(WPoint p) { return Fields(kMoveTo, {U(p.x), U(p.y)}); }
VemfWriter& VemfWriter::LineTo(WPoint p) { return Fields(kLineTo, {U(p.x), U(p.y)}); }

VemfWriter& VemfWriter::PatBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t rop) {
  return Fields(kPatBlt, {0, 0, 0, 0, U(x), U(y), U(w), U(h), rop});
}

VemfWriter& VemfWriter::TextOut(WPoint at, std::string_view text, std::uint32_t options, WRect clip,
                                std::span<const std::int32_t> spacing) {
  // 8: bounds, 24: graphics mode, 28/32: scales, 36: reference point, 44:
  // count, 48: text offset, 52: options, 56: rectangle, 72: spacing offset.
  std::vector<std::uint8_t> p;
  PutRect(p, {});
  Put32(p, 1);
  Put32(p, 0);
  Put32(p, 0);
  Put32(p, U(at.x));
  Put32(p, U(at.y));
  Put32(p, static_cast<std::uint32_t>(text.size()));
  const std::uint32_t textAt = 76;
  const std::uint32_t textBytes = static_cast<std::uint32_t>((text.size() + 3) / 4 * 4);
  Put32(p, textAt);
  Put32(p, options);
  PutRect(p, clip);
  Put32(p, spacing.empty() ? 0 : textAt + textBytes);
  p.insert(p.end(), text.begin(), text.end());
  p.resize(textAt - 8 + textBytes, 0);
  for (std::int32_t d : spacing) Put32(p, U(d));
  return Raw(kExtTextOut, p);
}

VemfWriter& VemfWriter::BitBlt(WArea a, WPoint source, std::uint8_t rop, const WDib& dib, std::uint32_t usage) {
  // Fixed part of 100 bytes: info at 100, bits after it.
  std::vector<std::uint8_t> p;
  PutRect(p, {});
  for (std::int32_t v : {a.x, a.y, a.width, a.height}) Put32(p, U(v));
  Put32(p, rop);
  Put32(p, U(source.x));
  Put32(p, U(source.y));
  for (int i = 0; i < 6; ++i) Put32(p, 0);  // transform
  Put32(p, 0);                              // background colour
  Put32(p, usage);
  const auto infoAt = 100u, bitsAt = static_cast<std::uint32_t>(100 + dib.info.size());
  Put32(p, infoAt);
  Put32(p, static_cast<std::uint32_t>(dib.info.size()));
  Put32(p, bitsAt);
  Put32(p, static_cast<std::uint32_t>(dib.bits.size()));
  p.insert(p.end(), dib.info.begin(), dib.info.end());
  p.insert(p.end(), dib.bits.begin(), dib.bits.end());
  return Raw(kBitBlt, p);
}

VemfWriter& VemfWriter::StretchDiBits(WArea d, WArea s, std::uint8_t rop, const WDib& dib, std::uint32_t usage) {
  // 24: x, y; 32: source x, y, width, height; 48: info offset, size; 56: bits
  // offset, size; 64: reserved; 68: usage; 72: raster index; 76: width, height.
  std::vector<std::uint8_t> p;
  PutRect(p, {});
  Put32(p, U(d.x));
  Put32(p, U(d.y));
  for (std::int32_t v : {s.x, s.y, s.width, s.height}) Put32(p, U(v));
  const auto infoAt = 84u, bitsAt = static_cast<std::uint32_t>(84 + dib.info.size());
  Put32(p, infoAt);
  Put32(p, static_cast<std::uint32_t>(dib.info.size()));
  Put32(p, bitsAt);
  Put32(p, static_cast<std::uint32_t>(dib.bits.size()));
  Put32(p, 0);
  Put32(p, usage);
  Put32(p, rop);
  Put32(p, U(d.width));
  Put32(p, U(d.height));
  p.insert(p.end(), dib.info.begin(), dib.info.end());
  p.insert(p.end(), dib.bits.begin(), dib.bits.end());
  return Raw(kStretchDiBits, p);
}

VemfWriter& VemfWriter::Escape(std::int32_t code, std::span<const std::uint8_t> input, std::uint32_t outputSize) {
  std::vector<std::uint8_t> p;
  Put32(p, U(code));
  Put32(p, static_cast<std::uint32_t>(input.size()));
  Put32(p, outputSize);
  p.insert(p.end(), input.begin(), input.end());
  return Raw(kEscape, p);
}

VemfWriter& VemfWriter::ColorAdjustment(std::int16_t contrast, std::int16_t brightness) {
  std::vector<std::uint8_t> p;
  Put16(p, 24);
  for (int i = 0; i < 7; ++i) Put16(p, i < 3 ? 0 : 10000);
  Put16(p, static_cast<std::uint16_t>(contrast));
  Put16(p, static_cast<std::uint16_t>(brightness));
  Put16(p, 0);
  Put16(p, 0);
  return Raw(kColorAdjustment, p);
}

VemfWriter& VemfWriter::ClipRegion(std::int32_t mode, std::initializer_list<WRect> rects) {
  std::vector<std::uint8_t> data;
  Put32(data, 32);
  Put32(data, 1);
  Put32(data, static_cast<std::uint32_t>(rects.size()));
  Put32(data, static_cast<std::uint32_t>(rects.size() * 16));
  PutRect(data, rects.size() ? *rects.begin() : WRect{});
  for (const WRect& r : rects) PutRect(data, r);
  std::vector<std::uint8_t> p;
  Put32(p, static_cast<std::uint32_t>(data.size()));
  Put32(p, U(mode));
  p.insert(p.end(), data.begin(), data.end());
  return Raw(kClipRegion, p);
}

VemfWriter& VemfWriter::NoClipRegion(std::int32_t mode) { return Fields(kClipRegion, {0, U(mode)}); }

VemfWriter& VemfWriter::CreatePen(std::uint32_t number, std::uint32_t style, std::int32_t width,
                                  std::uint32_t colour) {
  return Fields(kCreatePen, {number, style, U(width), 0, colour});
}

VemfWriter& VemfWriter::CreateBrush(std::uint32_t number, std::uint32_t style, std::uint32_t colour,
                                    std::uint32_t hatch) {
  return Fields(kCreateBrush, {number, style, colour, hatch});
}

VemfWriter& VemfWriter::CreateFont(std::uint32_t number, std::string_view face, std::int32_t height,
                                   std::int32_t weight) {
  std::vector<std::uint8_t> p;
  Put32(p, number);
  for (std::int32_t v : {height, 0, 0, 0, weight}) Put32(p, U(v));
  for (int i = 0; i < 8; ++i) p.push_back(0);
  std::vector<std::uint8_t> name(32, 0);
  std::memcpy(name.data(), face.data(), std::min<std::size_t>(face.size(), 32));
  p.insert(p.end(), name.begin(), name.end());
  return Raw(kCreateFont, p);
}

VemfWriter& VemfWriter::DibPatternBrush(std::uint32_t number, const WDib& dib, std::uint32_t usage) {
  const std::vector<std::uint8_t> packed = dib.Packed();
  std::vector<std::uint8_t> p;
  Put32(p, number);
  Put32(p, usage);
  Put32(p, 32);  // packed DIB right after the fixed part
  Put32(p, static_cast<std::uint32_t>(dib.info.size()));
  Put32(p, static_cast<std::uint32_t>(32 + dib.info.size()));
  Put32(p, static_cast<std::uint32_t>(dib.bits.size()));
  p.insert(p.end(), packed.begin(), packed.end());
  return Raw(kDibPatternBrush, p);
}

VemfWriter& VemfWriter::ExtCreatePen(std::uint32_t number, std::uint32_t style, std::uint32_t width,
                                     std::uint32_t brushStyle, std::uint32_t colour, std::uint32_t hatch,
                                     std::initializer_list<std::uint32_t> styles, const WDib* dib) {
  const std::uint32_t fixed = static_cast<std::uint32_t>(52 + styles.size() * 4);
  std::vector<std::uint8_t> p;
  Put32(p, number);
  Put32(p, dib ? fixed : 0);
  Put32(p, dib ? static_cast<std::uint32_t>(dib->info.size()) : 0);
  Put32(p, dib ? static_cast<std::uint32_t>(fixed + dib->info.size()) : 0);
  Put32(p, dib ? static_cast<std::uint32_t>(dib->bits.size()) : 0);
  for (std::uint32_t v : {style, width, brushStyle, colour, hatch, static_cast<std::uint32_t>(styles.size())})
    Put32(p, v);
  for (std::uint32_t s : styles) Put32(p, s);
  if (dib) {
    const std::vector<std::uint8_t> packed = dib->Packed();
    p.insert(p.end(), packed.begin(), packed.end());
  }
  return Raw(kExtCreatePen, p);
}

VemfWriter& VemfWriter::Select(std::uint32_t number) { return Fields(kSelect, {number}); }
VemfWriter& VemfWriter::Delete(std::uint32_t number) { return Fields(kDelete, {number}); }

}  // namespace vemf
