// Makes "VEMF" streams: the signature, a stream header, and records built
// field by field. Tests use it to write jobs of any shape, damaged ones
// included (Raw and Sized put any bytes and any size field in place), and
// emfplay-sim uses it for its sample job.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace vemf {

struct WPoint {
  std::int32_t x = 0, y = 0;
};

struct WRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct WArea {
  std::int32_t x = 0, y = 0, width = 0, height = 0;
};

// A bottom-up BI_RGB bitmap: BITMAPINFOHEADER, colour table and bits.
struct WDib {
  std::vector<std::uint8_t> info;
  std::vector<std::uint8_t> bits;
  std::vector<std::uint8_t> Packed() const;
};
WDib MakeDib(std::int32_t width, std::int32_t height, std::uint16_t bitCount);

// A DEVMODEA for `device` with nothing but its size fields and orientation.
std::vector<std::uint8_t> MakeDevMode(std::string_view device, std::uint16_t driverExtra = 0);

class VemfWriter {
 public:
  // Starts with the signature unless told not to.
  explicit VemfWriter(bool signature = true);

  // The stream header: playback mode at 12, the entry list (just its end)
  // at the offset its field 60 names.
  VemfWriter& Header(std::uint32_t mode);
  VemfWriter& StartDevice(std::span<const std::uint8_t> devMode);
  VemfWriter& StartDevice(std::string_view device) { return StartDevice(MakeDevMode(device)); }
  VemfWriter& StartPage();
  VemfWriter& EndOfDocument();
  // Page settings as (type, value) pairs: sub-entries {type, 12, value}
  // closed by {0, 8}. A page start carries them from its offset 20 (field
  // 16 says so), a summary record from its offset 16 (field 12).
  using Settings = std::initializer_list<std::pair<std::uint32_t, std::uint32_t>>;
  VemfWriter& StartPage(Settings settings);
  VemfWriter& Summary(Settings settings);

  // A record of `type` whose fields after the header are these 32-bit values.
  VemfWriter& Fields(std::uint32_t type, std::initializer_list<std::uint32_t> fields);
  // A record of `type` with these bytes after the header.
  VemfWriter& Raw(std::uint32_t type, std::span<const std::uint8_t> payload);
  // Like Raw, with a size field that says `sizeField` whatever the bytes.
  VemfWriter& Sized(std::uint32_t type, std::uint32_t sizeField, std::span<const std::uint8_t> payload);
  // Bytes with no record around them.
  VemfWriter& Bytes(std::span<const std::uint8_t> bytes);

  // Drawing.
  VemfWriter& Poly(std::uint32_t type, std::initializer_list<WPoint> points);
  VemfWriter& PolyPolyline(const std::vector<std::vector<WPoint>>& lines);
  VemfWriter& Rectangle(WRect box);
  VemfWriter& Ellipse(WRect box);
  VemfWriter& MoveTo(WPoint p);
  VemfWriter& LineTo(WPoint p);
  VemfWriter& PatBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::uint8_t rop);
  VemfWriter& TextOut(WPoint at, std::string_view text, std::uint32_t options = 0, WRect clip = {},
                      std::span<const std::int32_t> spacing = {});
  VemfWriter& BitBlt(WArea area, WPoint source, std::uint8_t rop, const WDib& dib, std::uint32_t usage = 0);
  VemfWriter& StretchDiBits(WArea destination, WArea source, std::uint8_t rop, const WDib& dib,
                            std::uint32_t usage = 0);
  VemfWriter& Escape(std::int32_t code, std::span<const std::uint8_t> input, std::uint32_t outputSize);
  VemfWriter& ColorAdjustment(std::int16_t contrast, std::int16_t brightness);
  VemfWriter& ClipRegion(std::int32_t mode, std::initializer_list<WRect> rects);
  VemfWriter& NoClipRegion(std::int32_t mode);

  // Objects.
  VemfWriter& CreatePen(std::uint32_t number, std::uint32_t style, std::int32_t width, std::uint32_t colour);
  VemfWriter& CreateBrush(std::uint32_t number, std::uint32_t style, std::uint32_t colour, std::uint32_t hatch = 0);
  VemfWriter& CreateFont(std::uint32_t number, std::string_view face, std::int32_t height, std::int32_t weight = 400);
  VemfWriter& DibPatternBrush(std::uint32_t number, const WDib& dib, std::uint32_t usage = 0);
  VemfWriter& ExtCreatePen(std::uint32_t number, std::uint32_t style, std::uint32_t width, std::uint32_t brushStyle,
                           std::uint32_t colour, std::uint32_t hatch, std::initializer_list<std::uint32_t> styles,
                           const WDib* dib = nullptr);
  VemfWriter& Select(std::uint32_t number);
  VemfWriter& Delete(std::uint32_t number);

  const std::vector<std::uint8_t>& bytes() const { return out_; }
  // Where the next record will start.
  std::size_t size() const { return out_.size(); }

 private:
  std::vector<std::uint8_t> out_;
};

}  // namespace vemf
