// What every screen of the terminal front end shares: the frame with its
// title, wrapped text, a row of buttons with their mnemonics, and the key
// names the screens listen for.
#pragma once
#include <string>
#include <vector>

namespace term {

inline constexpr int kEnter = 10;
inline constexpr int kEscape = 27;

// Clears the screen and draws a frame with `title` in its top edge; returns
// the width inside the frame.
int DrawFrame(const std::string& title);
// Writes `text` from row `row` on, wrapped to `width` columns at column 2;
// returns the first row after it.
int DrawWrapped(int row, const std::string& text, int width);

struct Button {
  std::string text;  // '&' marks the mnemonic, as on a Windows button
  bool enabled = true;
  bool isDefault = false;
};
// A row of buttons, centred on `row`; the default one is bracketed.
void DrawButtons(int row, const std::vector<Button>& buttons);
// The button whose mnemonic is `key` (any case) and that is enabled, or -1.
int ButtonForKey(const std::vector<Button>& buttons, int key);

}  // namespace term
