#include "walk_helpers.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "png_writer.h"
#include "wide.h"

namespace walk {

namespace {

std::wstring g_outDir;
DWORD g_mainThread = 0;
int g_failures = 0;

struct TopLevelSearch {
  const wchar_t* title;
  HWND other;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<TopLevelSearch*>(lp);
  if (!IsWindowVisible(w) || w == s->other || ui::WindowText(w) != s->title) return TRUE;
  s->found = w;
  return FALSE;
}

DWORD WINAPI Watchdog(LPVOID) {
  Sleep(90000);
  Abort("the walk took more than 90 seconds");
}

}  // namespace

void Begin(const std::wstring& outDir) {
  g_outDir = outDir;
  g_mainThread = GetCurrentThreadId();
  CloseHandle(CreateThread(nullptr, 0, &Watchdog, nullptr, 0, nullptr));
}

int Finish() {
  std::printf("%s\n", g_failures == 0 ? "PASS" : "FAILED");
  return g_failures == 0 ? 0 : 1;
}

void WaitGone(HWND w, const std::string& what) {
  WaitFor([w] { return !IsWindow(w); }, what + " to close");
}

void Fail(const std::string& what) {
  std::printf("FAIL: %s\n", what.c_str());
  std::fflush(stdout);
  ++g_failures;
}

void Expect(bool ok, const std::string& what) {
  if (!ok) Fail(what);
}

[[noreturn]] void Abort(const std::string& what) {
  Fail(what);
  ExitProcess(2);
}

HWND FindTopLevel(const wchar_t* title, HWND other) {
  TopLevelSearch s{title, other, nullptr};
  EnumThreadWindows(g_mainThread, &MatchTopLevel, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
  for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
    if (IsWindowVisible(c) && ui::WindowText(c) == text) return c;
  return nullptr;
}

void Settle(HWND w) {
  Sleep(300);
  SendMessageW(w, WM_NULL, 0, 0);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(200);
}

void Photograph(HWND w, const wchar_t* name) {
  RECT r{};
  GetWindowRect(w, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  const auto* px = static_cast<const std::uint8_t*>(bits);
  for (std::size_t i = 0; i < rgb.size() / 3; ++i) {
    rgb[i * 3] = px[i * 4 + 2];
    rgb[i * 3 + 1] = px[i * 4 + 1];
    rgb[i * 3 + 2] = px[i * 4];
  }
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  const std::wstring path = g_outDir + L"\\" + name;
  if (!WritePng(path, width, height, rgb)) Fail("could not write " + ui::Narrow(path));
  std::printf("picture: %s\n", ui::Narrow(path).c_str());
}

}  // namespace walk
