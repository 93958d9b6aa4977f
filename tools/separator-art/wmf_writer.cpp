#include "wmf_writer.h"

#include <algorithm>
#include <string>

namespace wmf {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}
std::uint16_t W(std::int16_t v) { return static_cast<std::uint16_t>(v); }
std::uint16_t Low(std::uint32_t v) { return static_cast<std::uint16_t>(v); }
std::uint16_t High(std::uint32_t v) { return static_cast<std::uint16_t>(v >> 16); }

// Text as parameter words: the bytes, padded to an even count.
void PutText(std::vector<std::uint16_t>& words, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const auto lo = static_cast<std::uint8_t>(text[i]);
    const auto hi = i + 1 < text.size() ? static_cast<std::uint8_t>(text[i + 1]) : std::uint8_t{0};
    words.push_back(static_cast<std::uint16_t>(lo | (hi << 8)));
  }
}

}  // namespace

WmfWriter& WmfWriter::Record(std::uint16_t function, std::span<const std::uint16_t> params) {
  const auto words = static_cast<std::uint32_t>(3 + params.size());
  largest_ = std::max(largest_, words);
  Put32(records_, words);
  Put16(records_, function);
  for (const std::uint16_t p : params) Put16(records_, p);
  return *this;
}

std::uint16_t WmfWriter::TakeSlot() {
  const auto free = std::find(slots_.begin(), slots_.end(), false);
  if (free != slots_.end()) {
    *free = true;
    return static_cast<std::uint16_t>(free - slots_.begin());
  }
  slots_.push_back(true);
  return static_cast<std::uint16_t>(slots_.size() - 1);
}

WmfWriter& WmfWriter::SetWindowOrg(std::int16_t x, std::int16_t y) {
  const std::uint16_t p[] = {W(y), W(x)};
  return Record(0x020B, p);
}
WmfWriter& WmfWriter::SetWindowExt(std::int16_t cx, std::int16_t cy) {
  const std::uint16_t p[] = {W(cy), W(cx)};
  return Record(0x020C, p);
}
WmfWriter& WmfWriter::SetBkMode(std::uint16_t mode) {
  const std::uint16_t p[] = {mode};
  return Record(0x0102, p);
}
WmfWriter& WmfWriter::SetTextAlign(std::uint16_t align) {
  const std::uint16_t p[] = {align};
  return Record(0x012E, p);
}
WmfWriter& WmfWriter::SetTextColor(std::uint32_t colour) {
  const std::uint16_t p[] = {Low(colour), High(colour)};
  return Record(0x0209, p);
}

std::uint16_t WmfWriter::CreatePen(std::uint16_t style, std::int16_t width, std::uint32_t colour) {
  const std::uint16_t p[] = {style, W(width), 0, Low(colour), High(colour)};
  Record(0x02FA, p);
  return TakeSlot();
}
std::uint16_t WmfWriter::CreateBrush(std::uint16_t style, std::uint32_t colour, std::uint16_t hatch) {
  const std::uint16_t p[] = {style, Low(colour), High(colour), hatch};
  Record(0x02FC, p);
  return TakeSlot();
}
std::uint16_t WmfWriter::CreateFont(std::int16_t height, std::int16_t weight, std::string_view face) {
  std::vector<std::uint16_t> p = {W(height), 0, 0, 0, W(weight), 0, 0, 0, 0};
  std::string name(face.substr(0, 31));
  name.resize(32, '\0');
  PutText(p, name);
  Record(0x02FB, p);
  return TakeSlot();
}
WmfWriter& WmfWriter::SelectObject(std::uint16_t slot) {
  const std::uint16_t p[] = {slot};
  return Record(0x012D, p);
}
WmfWriter& WmfWriter::DeleteObject(std::uint16_t slot) {
  if (slot < slots_.size()) slots_[slot] = false;
  const std::uint16_t p[] = {slot};
  return Record(0x01F0, p);
}
WmfWriter& WmfWriter::Rectangle(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b) {
  const std::uint16_t p[] = {W(b), W(r), W(t), W(l)};
  return Record(0x041B, p);
}
WmfWriter& WmfWriter::Ellipse(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b) {
  const std::uint16_t p[] = {W(b), W(r), W(t), W(l)};
  return Record(0x0418, p);
}
WmfWriter& WmfWriter::RoundRect(std::int16_t l, std::int16_t t, std::int16_t r, std::int16_t b, std::int16_t w,
                                std::int16_t h) {
  const std::uint16_t p[] = {W(h), W(w), W(b), W(r), W(t), W(l)};
  return Record(0x061C, p);
}
WmfWriter& WmfWriter::Polygon(std::initializer_list<P> points) {
  std::vector<std::uint16_t> p = {static_cast<std::uint16_t>(points.size())};
  for (const P& pt : points) {
    p.push_back(W(pt.x));
    p.push_back(W(pt.y));
  }
  return Record(0x0324, p);
}
WmfWriter& WmfWriter::TextOut(std::int16_t x, std::int16_t y, std::string_view text) {
  std::vector<std::uint16_t> p = {static_cast<std::uint16_t>(text.size())};
  PutText(p, text);
  p.push_back(W(y));
  p.push_back(W(x));
  return Record(0x0521, p);
}
WmfWriter& WmfWriter::ExtTextOut(std::int16_t x, std::int16_t y, std::string_view text, const std::int16_t* clip) {
  constexpr std::uint16_t kEtoClipped = 0x4;
  std::vector<std::uint16_t> p = {W(y), W(x), static_cast<std::uint16_t>(text.size()),
                                  clip ? kEtoClipped : std::uint16_t{0}};
  if (clip)
    for (int i = 0; i < 4; ++i) p.push_back(W(clip[i]));
  PutText(p, text);
  return Record(0x0A32, p);
}

std::vector<std::uint8_t> WmfWriter::Finish() const {
  std::vector<std::uint8_t> out;
  const auto words = static_cast<std::uint32_t>(9 + records_.size() / 2 + 3);
  Put16(out, 1);  // in memory
  Put16(out, 9);  // header words
  Put16(out, 0x0300);
  Put32(out, words);
  Put16(out, static_cast<std::uint16_t>(slots_.size()));
  Put32(out, largest_);
  Put16(out, 0);
  out.insert(out.end(), records_.begin(), records_.end());
  Put32(out, 3);  // the end record
  Put16(out, 0);
  return out;
}

}  // namespace wmf
