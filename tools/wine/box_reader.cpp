#include "box_reader.h"

#include <cstdlib>
#include <vector>

namespace boxwatch {
namespace {

std::string Utf8(const std::wstring& s) {
  if (s.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  return out + "\"";
}

// The text of a window in another process; WM_GETTEXT is marshalled across.
std::wstring WindowText(HWND w) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           1000, &copied))
    return {};
  text.resize(copied);
  return text;
}

std::wstring ClassOf(HWND w) {
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  return name;
}

bool IsIconStatic(HWND w) {
  return ClassOf(w) == L"Static" && (GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

// A 32-bit top-down DIB section of w x h pixels with a DC selected into it.
class PixelBuffer {
 public:
  PixelBuffer(int w, int h) : w_(w), h_(h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~PixelBuffer() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  PixelBuffer(const PixelBuffer&) = delete;
  PixelBuffer& operator=(const PixelBuffer&) = delete;

  HDC dc() const { return dc_; }
  bool ok() const { return bits_ != nullptr; }
  DWORD at(int x, int y) const { return bits_[y * w_ + x] & 0xFFFFFF; }
  int width() const { return w_; }
  int height() const { return h_; }

 private:
  int w_, h_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  DWORD* bits_ = nullptr;
};

int ChannelDistance(DWORD a, DWORD b) {
  int d = 0;
  for (int shift = 0; shift < 24; shift += 8)
    d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
  return d;
}

// Icons of another process cannot be asked for their pictures, so the icon is
// recognised by what is on the screen: the control's pixels are compared
// with each standard icon drawn on the same background.
std::string RecogniseIcon(HWND iconControl) {
  RECT r{};
  GetWindowRect(iconControl, &r);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return "unknown";
  PixelBuffer screen(w, h);
  if (!screen.ok()) return "unknown";
  HDC desktop = GetDC(nullptr);
  BitBlt(screen.dc(), 0, 0, w, h, desktop, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, desktop);
  const DWORD background = screen.at(0, 0);

  struct Candidate {
    LPCWSTR id;
    const char* name;
  };
  const Candidate candidates[] = {{IDI_HAND, "error"},
                                  {IDI_QUESTION, "question"},
                                  {IDI_EXCLAMATION, "warning"},
                                  {IDI_ASTERISK, "information"}};
  const char* best = "unknown";
  long bestDistance = -1;
  for (const auto& c : candidates) {
    PixelBuffer drawn(w, h);
    if (!drawn.ok()) continue;
    HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
    RECT all{0, 0, w, h};
    FillRect(drawn.dc(), &all, brush);
    DeleteObject(brush);
    DrawIconEx(drawn.dc(), 0, 0, LoadIconW(nullptr, c.id), w, h, 0, nullptr, DI_NORMAL);
    long distance = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) distance += ChannelDistance(screen.at(x, y), drawn.at(x, y));
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = c.name;
    }
  }
  // Averaged over the pixels, a real match differs by rounding only; a box
  // that has not painted yet differs everywhere.
  const long perPixel = bestDistance / (static_cast<long>(w) * h);
  return perPixel <= 24 ? best : "unknown";
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

}  // namespace

Box ReadBox(HWND window) {
  Box box;
  box.window = window;
  box.caption = WindowText(window);
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  HWND iconControl = nullptr;
  for (HWND child : children) {
    if (!IsWindowVisible(child)) continue;
    const std::wstring cls = ClassOf(child);
    if (cls == L"Button") {
      box.buttons[GetDlgCtrlID(child)] = child;
    } else if (IsIconStatic(child)) {
      iconControl = child;
    } else if (cls == L"Static") {
      const std::wstring t = WindowText(child);
      if (!t.empty()) box.text = t;
    }
  }
  box.icon = iconControl ? RecogniseIcon(iconControl) : "none";
  box.complete = !box.buttons.empty() && box.icon != "unknown";
  return box;
}

std::string ButtonsName(const Box& box) {
  auto has = [&](int id) { return box.buttons.count(id) != 0; };
  if (has(IDABORT) && has(IDRETRY) && has(IDIGNORE)) return "abortretryignore";
  if (has(IDYES) && has(IDNO)) return has(IDCANCEL) ? "yesnocancel" : "yesno";
  if (has(IDRETRY) && has(IDCANCEL)) return "retrycancel";
  if (has(IDOK) && has(IDCANCEL)) return "okcancel";
  if (has(IDOK) || box.buttons.size() == 1) return "ok";
  return "other";
}

int DefaultAnswer(const Box& box) {
  const std::string buttons = ButtonsName(box);
  if (buttons == "ok") return IDOK;
  if (buttons == "yesno") return IDNO;
  return IDCANCEL;
}

namespace {
struct NamedButton {
  int id;
  const char* name;
};
constexpr NamedButton kButtons[] = {{IDOK, "IDOK"},       {IDCANCEL, "IDCANCEL"}, {IDABORT, "IDABORT"},
                                    {IDRETRY, "IDRETRY"}, {IDIGNORE, "IDIGNORE"}, {IDYES, "IDYES"},
                                    {IDNO, "IDNO"}};
}  // namespace

int ButtonIdFromName(const std::wstring& name) {
  for (const auto& b : kButtons) {
    const std::string n = b.name;
    if (std::wstring(n.begin(), n.end()) == name) return b.id;
  }
  return 0;
}

std::string ButtonName(int id) {
  for (const auto& b : kButtons)
    if (b.id == id) return b.name;
  return std::to_string(id);
}

std::string JournalLine(const Box& box, int answer, bool unanswered) {
  std::string line = "{\"event\":\"messageBox\",\"caption\":" + JsonString(Utf8(box.caption)) +
                     ",\"text\":" + JsonString(Utf8(box.text)) + ",\"icon\":" + JsonString(box.icon) +
                     ",\"buttons\":" + JsonString(ButtonsName(box)) + ",\"answer\":" + JsonString(ButtonName(answer));
  if (unanswered) line += ",\"unanswered\":true";
  return line + "}";
}

void Press(const Box& box, int id) {
  const auto it = box.buttons.find(id);
  // A box whose only button is OK also ends on IDCANCEL (Esc), as on Windows.
  const LPARAM control = it != box.buttons.end() ? reinterpret_cast<LPARAM>(it->second) : 0;
  PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), control);
}

}  // namespace boxwatch
