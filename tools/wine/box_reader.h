// Reading a message box of another process: caption, text, icon and buttons,
// and pressing one of its buttons.
#pragma once
#include <windows.h>

#include <map>
#include <string>

namespace boxwatch {

struct Box {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
  // "error", "question", "warning", "information", "none", or "unknown" when
  // the icon is there but matches none of the four.
  std::string icon;
  std::map<int, HWND> buttons;  // by control id (IDOK, IDYES, ...)
  // Text, buttons and a recognised icon have all been read: the box has
  // finished painting.
  bool complete = false;
};

Box ReadBox(HWND window);
// "ok", "okcancel", "yesno", "yesnocancel", "retrycancel", "abortretryignore".
std::string ButtonsName(const Box& box);
int DefaultAnswer(const Box& box);
// IDYES for "IDYES" and so on; 0 for a name that is not a button.
int ButtonIdFromName(const std::wstring& name);
std::string ButtonName(int id);
std::string JournalLine(const Box& box, int answer, bool unanswered);
// Presses the button as a click would: the box ends with that answer.
void Press(const Box& box, int id);

}  // namespace boxwatch
