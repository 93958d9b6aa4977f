#include "wizard/wizard_buttons.h"

#include <algorithm>

namespace {

constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 10;

int Centred(int outer, int inner) { return (outer - inner) / 2; }

}  // namespace

WizardButtonRects LayoutWizardButtons(int clientWidth, int bottom) {
  const int margin = clientWidth % 3 + kButtonGap;
  const int width = clientWidth / 3 - kButtonGap;
  const int top = bottom - kButtonHeight;
  WizardButtonRects r;
  r.back = {margin, top, margin + width, bottom};
  r.nextOrFinish = {margin + width, top, margin + 2 * width, bottom};
  r.exit = {margin + 2 * width + kButtonGap, top, margin + 3 * width + kButtonGap, bottom};
  return r;
}

WizardButtonViews ViewWizardButtons(int flags) {
  WizardButtonViews v;
  v.back = {true, (flags & kWizBack) != 0, "<&Back"};
  const bool next = (flags & kWizNext) != 0;
  v.next = {next, next, next ? "&Next>" : ""};
  const bool finish = (flags & kWizFinish) != 0;
  v.finish = {finish, finish, finish ? "Uninstall &Now" : ""};
  v.exit = {true, true, "E&xit"};
  return v;
}

ImageButtonPlaces PlaceImageButtonContent(const ImageButtonGeometry& g) {
  const int offset = g.pressed ? 1 : 0;
  ImageButtonPlaces p;
  if (!g.autoLayout) {
    p.image = g.imagePos;
  } else if (g.hasText) {
    p.image = {g.imageMargin, Centred(g.height, g.imageHeight)};
  } else {
    p.image = {Centred(g.width, g.imageWidth), Centred(g.height, g.imageHeight)};
  }
  p.image.x += offset;
  p.image.y += offset;

  bool centredY = true;
  if (g.autoLayout && g.hasImage) {
    const int free = g.width - g.textGap - g.imageWidth - g.imageMargin - g.textWidth;
    p.text = {g.textGap + std::max(free, 0) / 2 + g.imageWidth + g.imageMargin, Centred(g.height, g.textHeight)};
  } else if (g.autoLayout) {
    p.text = {Centred(g.width, g.textWidth), Centred(g.height, g.textHeight)};
  } else {
    p.text = g.textPos;
    centredY = false;
  }
  p.text.x += offset;
  p.text.y += offset - (centredY ? 1 : 0);
  return p;
}

int FocusInset(int width, int height) {
  const int smaller = std::min(width, height);
  return smaller < 16 ? smaller / 4 : 3;
}
