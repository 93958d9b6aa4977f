// Where the wizard's own buttons go and what they show, and where an
// image button puts its picture and caption. Pure arithmetic, kept apart from
// the window code so the rules are checked without a window.
#pragma once
#include <string>

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PixelRect&) const = default;
};

// The wizard-button flags a page asks for.
inline constexpr int kWizBack = 1;
inline constexpr int kWizNext = 2;
inline constexpr int kWizFinish = 4;

struct WizardButtonRects {
  PixelRect back;
  PixelRect nextOrFinish;  // Next and Finish share one place; one shows at a time
  PixelRect exit;
};

// `clientWidth` is the sheet's client width; the buttons' bottom edge lies at
// `bottom`, the distance from the sheet's top to the standard Back button.
WizardButtonRects LayoutWizardButtons(int clientWidth, int bottom);

struct WizardButtonView {
  bool shown = false;
  bool enabled = false;
  std::string text;  // emptied while hidden, so its mnemonic is not live
  bool operator==(const WizardButtonView&) const = default;
};

struct WizardButtonViews {
  WizardButtonView back, next, finish, exit;
};

WizardButtonViews ViewWizardButtons(int flags);

// The inputs of an image button's drawing, in pixels of its client area.
struct ImageButtonGeometry {
  int width = 0;
  int height = 0;
  bool autoLayout = true;
  PixelPoint imagePos;  // used when autoLayout is off
  PixelPoint textPos;   // used when autoLayout is off
  int imageMargin = 4;
  int textGap = 8;
  bool hasImage = false;
  int imageWidth = 0;
  int imageHeight = 0;
  bool hasText = false;
  int textWidth = 0;
  int textHeight = 0;
  bool pressed = false;  // everything moves one pixel down and right
};

struct ImageButtonPlaces {
  PixelPoint image;
  PixelPoint text;
};

ImageButtonPlaces PlaceImageButtonContent(const ImageButtonGeometry& g);

// How far the focus rectangle sits inside a button of this size.
int FocusInset(int width, int height);
