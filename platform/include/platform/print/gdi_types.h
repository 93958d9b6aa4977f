// Values that travel through the Gdi port: the logical records of pens,
// brushes and fonts, and the few answers the processor reads back. Bitmaps,
// regions and device modes stay bytes; whoever hands them to the port has
// checked that they are whole.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plat::print {

using Colour = std::uint32_t;  // COLORREF

struct Point {
  std::int32_t x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A rectangle given as origin and size, as the blits take it.
struct Area {
  std::int32_t x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const Area&, const Area&) = default;
};

struct LogPen {
  std::uint32_t style = 0;
  std::int32_t width = 0;
  Colour colour = 0;
};

struct LogBrush {
  std::uint32_t style = 0;
  Colour colour = 0;
  std::uint32_t hatch = 0;
};

// LOGFONTA. The face name holds at most 31 bytes.
struct LogFont {
  std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
  std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
  std::uint8_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
  std::string faceName;
};

// COLORADJUSTMENT, field for field.
struct ColorAdjustment {
  std::uint16_t size = 0, flags = 0, illuminantIndex = 0;
  std::uint16_t redGamma = 0, greenGamma = 0, blueGamma = 0;
  std::uint16_t referenceBlack = 0, referenceWhite = 0;
  std::int16_t contrast = 0, brightness = 0, colorfulness = 0, redGreenTint = 0;
  friend bool operator==(const ColorAdjustment&, const ColorAdjustment&) = default;
};

// A device-independent bitmap: its BITMAPINFO (header and colour table) and
// its bits, both complete for what the header describes.
struct Dib {
  std::span<const std::uint8_t> info;
  std::span<const std::uint8_t> bits;
};

// ExtCreatePen's arguments. `dib` is set for a pattern brush (brush style 6).
struct ExtPen {
  std::uint32_t style = 0;
  std::uint32_t width = 0;
  LogBrush brush;
  std::optional<Dib> dib;
  std::vector<std::uint32_t> styleEntries;
};

// DOCINFOA. Absent strings go as null pointers.
struct DocInfo {
  std::string document;
  std::optional<std::string> output;
  std::optional<std::string> datatype;
  std::uint32_t typeFlags = 0;
};

// TEXTMETRICA, the fields the processor reads.
struct TextMetrics {
  std::int32_t height = 0, ascent = 0, descent = 0;
  std::int32_t internalLeading = 0, externalLeading = 0;
  std::int32_t aveCharWidth = 0, maxCharWidth = 0;
};

struct EscapeReply {
  std::int32_t result = 0;
  std::vector<std::uint8_t> output;
};

// GetCurrentObject's kinds.
enum class ObjectKind : std::uint32_t { Pen = 1, Brush = 2, Font = 6 };

}  // namespace plat::print
