#include "curses_screen.h"

#include <curses.h>
#include <term.h>
#include <unistd.h>

#include <cstdlib>

std::string WhyNoTerminal() {
  if (!isatty(0) || !isatty(1)) return "standard input and output are not both a terminal";
  const char* term = std::getenv("TERM");
  if (!term || !*term) return "TERM is not set";
  int error = 0;
  if (setupterm(term, 1, &error) != OK) return std::string("TERM=") + term + " names no terminal known here";
  del_curterm(cur_term);
  return {};
}

CursesScreen::~CursesScreen() { Close(); }

void CursesScreen::Open() {
  if (open_) return;
  initscr();
  cbreak();
  noecho();
  keypad(stdscr, TRUE);
  curs_set(0);
  if (has_colors()) {
    start_color();
    use_default_colors();
    init_pair(1, COLOR_WHITE, COLOR_BLUE);
  }
  open_ = true;
}

void CursesScreen::Close() {
  if (!open_) return;
  endwin();
  open_ = false;
}
