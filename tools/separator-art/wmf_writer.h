// Writes Windows metafiles (METAHEADER and records) record by record, for
// the separator page's built-in pictures and for tests and fuzz seeds.
// Object records take the lowest free slot of the metafile's object table,
// as GDI does when it plays them; the writer answers that slot.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace wmf {

struct P {
  std::int16_t x = 0, y = 0;
};

class WmfWriter {
 public:
  WmfWriter& SetWindowOrg(std::int16_t x, std::int16_t y);
  WmfWriter& SetWindowExt(std::int16_t cx, std::int16_t cy);
  WmfWriter& SetBkMode(std::uint16_t mode);
  WmfWriter& SetTextAlign(std::uint16_t align);
  WmfWriter& SetTextColor(std::uint32_t colour);
  std::uint16_t CreatePen(std::uint16_t style, std::int16_t width, std::uint32_t colour);
  std::uint16_t CreateBrush(std::uint16_t style, std::uint32_t colour, std::uint16_t hatch = 0);
  std::uint16_t CreateFont(std::int16_t height, std::int16_t weight, std::string_view face);
  WmfWriter& SelectObject(std::uint16_t slot);
  WmfWriter& DeleteObject(std::uint16_t slot);
  WmfWriter& Rectangle(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);
  WmfWriter& Ellipse(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);
  WmfWriter& RoundRect(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
                       std::int16_t width, std::int16_t height);
  WmfWriter& Polygon(std::initializer_list<P> points);
  WmfWriter& TextOut(std::int16_t x, std::int16_t y, std::string_view text);
  // With a clipping rectangle (ETO_CLIPPED) when `clip` is set.
  WmfWriter& ExtTextOut(std::int16_t x, std::int16_t y, std::string_view text, const std::int16_t* clip = nullptr);
  // Any record: the function and its parameter words.
  WmfWriter& Record(std::uint16_t function, std::span<const std::uint16_t> params);

  // The metafile with its header and an end record.
  std::vector<std::uint8_t> Finish() const;

 private:
  std::uint16_t TakeSlot();

  std::vector<std::uint8_t> records_;
  std::vector<bool> slots_;
  std::uint32_t largest_ = 3;
};

}  // namespace wmf
