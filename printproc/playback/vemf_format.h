// The "VEMF" spool format: a 4-byte signature, then records that each open
// with a 32-bit type and a 32-bit size (the whole record, these 8 bytes
// included), little-endian. Most types share number and layout with the
// enhanced-metafile record of the same number; 105 to 108 and 112 to 115 are
// our own. Names that are A/W macros in the SDK are spelt differently here.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace vemf {

inline constexpr std::array<std::uint8_t, 4> kSignature = {'V', 'E', 'M', 'F'};
inline constexpr std::uint32_t kRecordHeaderSize = 8;
// The reader reads ahead in blocks of this size, and never reads more at once.
inline constexpr std::size_t kBlockSize = 4096;
// No record of a real job comes near this; a larger size is taken for damage
// and ends the stream rather than asking for the memory.
inline constexpr std::uint32_t kMaxRecordSize = 64u << 20;

namespace rec {
inline constexpr std::uint32_t PolyBezier = 2;
inline constexpr std::uint32_t Polygon = 3;
inline constexpr std::uint32_t Polyline = 4;
inline constexpr std::uint32_t PolyBezierTo = 5;
inline constexpr std::uint32_t PolylineTo = 6;
inline constexpr std::uint32_t PolyPolyline = 7;
inline constexpr std::uint32_t SetBrushOrg = 13;
inline constexpr std::uint32_t EndOfDocument = 14;
inline constexpr std::uint32_t SetPixel = 15;
inline constexpr std::uint32_t SetBkMode = 18;
inline constexpr std::uint32_t SetPolyFillMode = 19;
inline constexpr std::uint32_t SetRop2 = 20;
inline constexpr std::uint32_t SetStretchBltMode = 21;
inline constexpr std::uint32_t SetTextAlign = 22;
inline constexpr std::uint32_t SetColorAdjustment = 23;
inline constexpr std::uint32_t SetTextColor = 24;
inline constexpr std::uint32_t SetBkColor = 25;
inline constexpr std::uint32_t MoveTo = 27;
inline constexpr std::uint32_t SaveDc = 33;
inline constexpr std::uint32_t RestoreDc = 34;
inline constexpr std::uint32_t SelectObject = 37;
inline constexpr std::uint32_t CreatePen = 38;
inline constexpr std::uint32_t CreateBrush = 39;
inline constexpr std::uint32_t DeleteObject = 40;
inline constexpr std::uint32_t Ellipse = 42;
inline constexpr std::uint32_t Rectangle = 43;
inline constexpr std::uint32_t RoundRect = 44;
inline constexpr std::uint32_t Arc = 45;
inline constexpr std::uint32_t Chord = 46;
inline constexpr std::uint32_t Pie = 47;
inline constexpr std::uint32_t LineTo = 54;
inline constexpr std::uint32_t SetArcDirection = 57;
inline constexpr std::uint32_t SetMiterLimit = 58;
inline constexpr std::uint32_t BeginPath = 59;
inline constexpr std::uint32_t EndPath = 60;
inline constexpr std::uint32_t CloseFigure = 61;
inline constexpr std::uint32_t FillPath = 62;
inline constexpr std::uint32_t StrokeAndFillPath = 63;
inline constexpr std::uint32_t StrokePath = 64;
inline constexpr std::uint32_t SelectClipPath = 67;
inline constexpr std::uint32_t ExtSelectClipRgn = 75;
inline constexpr std::uint32_t BitBlt = 76;
inline constexpr std::uint32_t StretchDiBits = 81;
inline constexpr std::uint32_t FontIndirect = 82;
inline constexpr std::uint32_t ExtTextOutAnsi = 84;
inline constexpr std::uint32_t CreateDibPatternBrush = 94;
inline constexpr std::uint32_t ExtCreatePen = 95;
inline constexpr std::uint32_t StartDevice = 105;  // device mode; opens the document, or resets the device
inline constexpr std::uint32_t StartPage = 106;
inline constexpr std::uint32_t Escape = 107;
inline constexpr std::uint32_t PatBlt = 108;
inline constexpr std::uint32_t StreamHeader = 112;
inline constexpr std::uint32_t SetTextCharacterExtra = 113;
inline constexpr std::uint32_t SetTextJustification = 114;
inline constexpr std::uint32_t Summary = 115;
}  // namespace rec

// The stream header's playback mode, at its offset 12.
inline constexpr std::uint32_t kHeaderModeOffset = 12;
inline constexpr std::uint32_t kModeJobFinishing = 0;
inline constexpr std::uint32_t kModeDirect = 1;

// Values the player hands to GDI.
inline constexpr std::uint32_t kDocTypeFlags = 0x10000;
inline constexpr std::int32_t kRgnCopy = 5;
inline constexpr std::uint32_t kEtoOpaque = 0x2;
inline constexpr std::uint32_t kEtoClipped = 0x4;
// Text options that make GDI read more than a byte and an advance a
// character: two-byte glyph indices, and a vertical advance after each.
inline constexpr std::uint32_t kEtoGlyphIndex = 0x10;
inline constexpr std::uint32_t kEtoPdy = 0x2000;
inline constexpr std::uint32_t kBsHatched = 2;
inline constexpr std::uint32_t kBsDibPatternPt = 6;

}  // namespace vemf
