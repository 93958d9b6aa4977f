#include "curses_draw.h"

#include <curses.h>

#include <cctype>

namespace term {

int DrawFrame(const std::string& title) {
  erase();
  // Plain characters draw the same on every terminal, whatever the locale.
  border('|', '|', '-', '-', '+', '+', '+', '+');
  mvaddstr(0, 2, (" " + title + " ").c_str());
  return COLS - 4;
}

int DrawWrapped(int row, const std::string& text, int width) {
  if (width < 10) width = 10;
  std::size_t at = 0;
  while (at <= text.size() && row < LINES - 1) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // Long lines break at the last space that fits.
    while (static_cast<int>(line.size()) > width) {
      std::size_t cut = line.rfind(' ', static_cast<std::size_t>(width));
      if (cut == std::string::npos || cut == 0) cut = static_cast<std::size_t>(width);
      mvaddstr(row++, 2, line.substr(0, cut).c_str());
      line.erase(0, line[cut] == ' ' ? cut + 1 : cut);
    }
    mvaddstr(row++, 2, line.c_str());
    if (end == text.size()) break;
    at = end + 1;
  }
  return row;
}

namespace {

std::string Plain(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '&') out += c;
  }
  return out;
}

}  // namespace

void DrawButtons(int row, const std::vector<Button>& buttons) {
  int width = 0;
  for (const Button& b : buttons) width += static_cast<int>(Plain(b.text).size()) + 6;
  int col = (COLS - width) / 2;
  if (col < 2) col = 2;
  for (const Button& b : buttons) {
    const std::string plain = Plain(b.text);
    if (!b.enabled) attron(A_DIM);
    mvaddstr(row, col, b.isDefault ? "[ " : "< ");
    int x = col + 2;
    for (std::size_t i = 0; i < b.text.size(); ++i) {
      if (b.text[i] == '&' && i + 1 < b.text.size()) {
        attron(A_UNDERLINE);
        mvaddch(row, x++, static_cast<chtype>(static_cast<unsigned char>(b.text[++i])));
        attroff(A_UNDERLINE);
      } else {
        mvaddch(row, x++, static_cast<chtype>(static_cast<unsigned char>(b.text[i])));
      }
    }
    addstr(b.isDefault ? " ]" : " >");
    if (!b.enabled) attroff(A_DIM);
    col += static_cast<int>(plain.size()) + 6;
  }
}

int ButtonForKey(const std::vector<Button>& buttons, int key) {
  if (key < 0 || key > 255) return -1;
  const int wanted = std::tolower(key);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const std::string& t = buttons[i].text;
    const auto amp = t.find('&');
    if (amp == std::string::npos || amp + 1 >= t.size()) continue;
    if (std::tolower(static_cast<unsigned char>(t[amp + 1])) == wanted && buttons[i].enabled) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace term
