// Windows metafiles as a separator page uses them: the three kinds of file a
// printer's separator may name (a placeable metafile, a clipboard file
// holding a metafile picture, a plain metafile), the mapping each asks for,
// and the checks that make a metafile from a file safe to hand to GDI.
//
// Separator files come from anyone who can set up a printer. Every size,
// offset and count in them is checked against the bytes that are really
// there, in 64-bit arithmetic, before anything is read through it.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/print/gdi_types.h"

namespace emfplay::separator {

inline constexpr std::int32_t kMmText = 1;
inline constexpr std::int32_t kMmIsotropic = 7;
inline constexpr std::int32_t kMmAnisotropic = 8;

// A separator file is read whole; nothing sensible is this large.
inline constexpr std::size_t kMaxSeparatorFileSize = 16u << 20;

// WMF record functions the page looks at.
namespace meta {
inline constexpr std::uint16_t Eof = 0x0000;
inline constexpr std::uint16_t TextOut = 0x0521;
inline constexpr std::uint16_t ExtTextOut = 0x0A32;
}  // namespace meta

// How the picture is laid on the page.
struct Mapping {
  std::int32_t mapMode = kMmAnisotropic;
  std::optional<std::int32_t> windowOrgX, windowOrgY;
  std::optional<std::int32_t> windowExtX, windowExtY;
  // The viewport is the printable area (origin 0, 0; HORZRES by VERTRES),
  // except for pictures in a mapping mode the page does not scale.
  bool viewportIsPage = true;
};

struct Picture {
  // METAHEADER and records, made consistent: the header's sizes and object
  // count agree with the records, and an end record closes them.
  std::vector<std::uint8_t> metafile;
  Mapping mapping;
  // Slots in the metafile's object table: a record that names a slot at or
  // beyond this is never played.
  std::uint16_t objectSlots = 0;
};

// A metafile (METAHEADER followed by records). Nothing when the header is
// not one, its size leaves the bytes, or a record's size leaves the metafile.
std::optional<Picture> CheckMetafile(std::span<const std::uint8_t> bytes);

// A separator file of any of the three kinds, recognised in this order: a
// placeable metafile (key 0x9AC6CDD7), a clipboard file (16-bit 50000 first),
// else a plain metafile.
std::optional<Picture> ReadSeparatorFile(std::span<const std::uint8_t> file);

// Whether a record of a checked metafile may go to GDI: its counts fit the
// record, a fixed-size record has all its parameters, its bitmaps are
// whole, the object slots it names exist. Records
// whose contents GDI would trust blindly and that cannot be checked here
// (device-dependent bitmaps, regions) are refused.
bool RecordPlayable(std::span<const std::uint8_t> record, std::uint16_t objectSlots);

// A text record (META_TEXTOUT or META_EXTTEXTOUT) taken apart, when its
// fields fit the record.
struct TextRecord {
  std::int32_t x = 0, y = 0;
  std::uint32_t options = 0;
  std::optional<plat::print::Rect> rect;  // when the options ask for clipping or an opaque background
  bool extended = false;
  std::string_view text;
};
std::optional<TextRecord> ReadTextRecord(std::span<const std::uint8_t> record);

}  // namespace emfplay::separator
