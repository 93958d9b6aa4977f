#include "wizard/wizard_buttons.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase {
  int width;
  int bottom;
  WizardButtonRects expected;
};

TEST(WizardButtons, SitInThreeColumnsWithTheRemainderInTheLeftMarginAndAGapBeforeExit) {
  const LayoutCase cases[] = {
      {600, 400, {{10, 370, 200, 400}, {200, 370, 390, 400}, {400, 370, 590, 400}}},
      {601, 400, {{11, 370, 201, 400}, {201, 370, 391, 400}, {401, 370, 591, 400}}},
      {602, 35, {{12, 5, 202, 35}, {202, 5, 392, 35}, {402, 5, 592, 35}}},
  };
  for (const LayoutCase& c : cases) {
    const WizardButtonRects r = LayoutWizardButtons(c.width, c.bottom);
    EXPECT_EQ(r.back, c.expected.back) << c.width;
    EXPECT_EQ(r.nextOrFinish, c.expected.nextOrFinish) << c.width;
    EXPECT_EQ(r.exit, c.expected.exit) << c.width;
  }
}

TEST(WizardButtons, ShowWhatTheFlagsAskForAndEmptyTheTextOfHiddenOnes) {
  struct Case {
    int flags;
    WizardButtonView back, next, finish;
  };
  const Case cases[] = {
      {kWizNext, {true, false, "<&Back"}, {true, true, "&Next>"}, {false, false, ""}},
      {kWizBack | kWizNext, {true, true, "<&Back"}, {true, true, "&Next>"}, {false, false, ""}},
      {kWizBack | kWizFinish, {true, true, "<&Back"}, {false, false, ""}, {true, true, "Uninstall &Now"}},
      {0, {true, false, "<&Back"}, {false, false, ""}, {false, false, ""}},
  };
  for (const Case& c : cases) {
    const WizardButtonViews v = ViewWizardButtons(c.flags);
    EXPECT_EQ(v.back, c.back) << c.flags;
    EXPECT_EQ(v.next, c.next) << c.flags;
    EXPECT_EQ(v.finish, c.finish) << c.flags;
    EXPECT_EQ(v.exit, (WizardButtonView{true, true, "E&xit"})) << c.flags;
  }
}

ImageButtonGeometry Button(bool image, bool text) {
  ImageButtonGeometry g;
  g.width = 100;
  g.height = 30;
  g.hasImage = image;
  g.imageWidth = image ? 16 : 0;
  g.imageHeight = image ? 16 : 0;
  g.hasText = text;
  g.textWidth = text ? 40 : 0;
  g.textHeight = text ? 13 : 0;
  return g;
}

TEST(ImageButton, PlacesImageAtTheMarginAndCentresTextInTheSpaceLeft) {
  struct Case {
    const char* what;
    ImageButtonGeometry g;
    ImageButtonPlaces expected;
  };
  ImageButtonGeometry pressed = Button(true, true);
  pressed.pressed = true;
  ImageButtonGeometry wide = Button(true, true);
  wide.textWidth = 90;
  ImageButtonGeometry explicitPos = Button(true, true);
  explicitPos.autoLayout = false;
  explicitPos.imagePos = {2, 3};
  explicitPos.textPos = {20, 9};
  explicitPos.pressed = true;
  const Case cases[] = {
      // free = 100 - 8 - 16 - 4 - 40 = 32; text x = 8 + 16 + 16 + 4
      {"image and text", Button(true, true), {{4, 7}, {44, 7}}},
      {"pressed moves both one pixel", pressed, {{5, 8}, {45, 8}}},
      {"text wider than the room left", wide, {{4, 7}, {28, 7}}},
      {"image alone is centred", Button(true, false), {{42, 7}, {8 + 36 + 16 + 4, 14}}},
      {"text alone is centred", Button(false, true), {{4, 15}, {30, 7}}},
      {"explicit places move only when pressed", explicitPos, {{3, 4}, {21, 10}}},
  };
  for (const Case& c : cases) {
    const ImageButtonPlaces p = PlaceImageButtonContent(c.g);
    EXPECT_EQ(p.image, c.expected.image) << c.what;
    EXPECT_EQ(p.text, c.expected.text) << c.what;
  }
}

TEST(ImageButton, FocusFrameSitsAQuarterInOnSmallButtonsElseThreePixels) {
  EXPECT_EQ(FocusInset(10, 30), 2);
  EXPECT_EQ(FocusInset(30, 15), 3);
  EXPECT_EQ(FocusInset(16, 16), 3);
  EXPECT_EQ(FocusInset(95, 8), 2);
}

}  // namespace
