#include "separator_art.h"

#include "wmf_writer.h"

namespace wmf {

namespace {

// The picture is laid out on a letter page in thousandths of an inch.
constexpr std::int16_t kPageWidth = 8500;
constexpr std::int16_t kPageHeight = 11000;
constexpr std::uint32_t kInk = 0x00302010;
constexpr std::uint32_t kAccent = 0x00A05A00;
constexpr std::uint16_t kTransparent = 1;
constexpr std::uint16_t kSolid = 0;
constexpr std::uint16_t kFontBold = 700;
constexpr std::uint16_t kFontNormal = 400;

// Our mark: a rounded square holding three rising bars and a dot.
void DrawMark(WmfWriter& w, std::int16_t left, std::int16_t top) {
  const auto pen = w.CreatePen(kSolid, 40, kInk);
  const auto accent = w.CreateBrush(kSolid, kAccent);
  w.SelectObject(pen).SelectObject(accent);
  w.RoundRect(left, top, static_cast<std::int16_t>(left + 1400), static_cast<std::int16_t>(top + 1400), 300, 300);
  const auto white = w.CreateBrush(kSolid, 0x00FFFFFF);
  w.SelectObject(white);
  for (int i = 0; i < 3; ++i) {
    const auto x = static_cast<std::int16_t>(left + 250 + i * 320);
    const auto base = static_cast<std::int16_t>(top + 1150);
    const auto height = static_cast<std::int16_t>(300 + i * 250);
    w.Polygon({{x, base}, {static_cast<std::int16_t>(x + 220), base},
               {static_cast<std::int16_t>(x + 220), static_cast<std::int16_t>(base - height - 120)},
               {x, static_cast<std::int16_t>(base - height)}});
  }
  w.Ellipse(static_cast<std::int16_t>(left + 1000), static_cast<std::int16_t>(top + 200),
            static_cast<std::int16_t>(left + 1200), static_cast<std::int16_t>(top + 400));
  w.DeleteObject(white).DeleteObject(accent).DeleteObject(pen);
}

std::vector<std::uint8_t> Draw(bool extendedText) {
  WmfWriter w;
  w.SetWindowOrg(0, 0).SetWindowExt(kPageWidth, kPageHeight);
  w.SetBkMode(kTransparent).SetTextColor(kInk);
  DrawMark(w, 1000, 1000);

  const auto title = w.CreateFont(-360, kFontBold, "Arial");
  w.SelectObject(title);
  w.TextOut(2700, 1350, "Separator Page");
  const auto rule = w.CreateBrush(kSolid, kInk);
  w.SelectObject(rule).Rectangle(1000, 2700, 7500, 2730);

  const auto body = w.CreateFont(-200, kFontNormal, "Arial");
  w.SelectObject(body);
  const char* labels[] = {"Document:", "Printed by:", "Date and time:"};
  const char* placeholders[] = {"%1%", "%2%", "%3%"};
  for (int i = 0; i < 3; ++i) {
    const auto y = static_cast<std::int16_t>(3200 + i * 450);
    w.TextOut(1000, y, labels[i]);
    if (extendedText) {
      const std::int16_t clip[] = {3000, y, 7500, static_cast<std::int16_t>(y + 300)};
      w.ExtTextOut(3000, y, placeholders[i], clip);
    } else {
      w.TextOut(3000, y, placeholders[i]);
    }
  }
  w.DeleteObject(body).DeleteObject(rule).DeleteObject(title);
  return w.Finish();
}

}  // namespace

std::vector<std::uint8_t> SeparatorPicture(std::uint32_t number) {
  if (number == 600) return Draw(false);
  if (number == 601) return Draw(true);
  return {};
}

}  // namespace wmf
