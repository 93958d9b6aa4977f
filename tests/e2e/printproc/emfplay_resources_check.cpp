// Checks, under Wine, that emfplay.dll as built carries what the separator
// page loads from it: the pictures 600 and 601 of type 602, each a whole
// Windows metafile, and the texts 1 to 8 of its string table. Then draws
// both separator pages through the Windows adapters onto a bitmap, so that
// the metafile enumeration, the placeholders and the locale calls run for
// real.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <span>

#include "separator/separator_page.h"
#include "win32print/print_ports.h"

namespace {

// Draws `kind` onto a white 850 by 1100 bitmap; the number of pixels that
// are no longer white, or -1 when the page reports a failure.
long DrawnPixels(emfplay::separator::SeparatorPage& page, emfplay::SeparatorKind kind) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 850;
  info.bmiHeader.biHeight = -1100;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 850, 1100, WHITENESS);
  plat::print::JobRecord2 job;
  job.document = "Report";
  job.userName = "anna";
  job.submitted = {2026, 3, 2, 17, 14, 30, 5, 0};
  const bool drawn = page.Draw(reinterpret_cast<plat::Handle>(dc), job, kind, "");
  GdiFlush();
  long changed = 0;
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  for (long i = 0; i < 850L * 1100L; ++i)
    if ((pixels[i] & 0xffffff) != 0xffffff) ++changed;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return drawn ? changed : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: emfplay_resources_check EMFPLAY.DLL\n");
    return 2;
  }
  HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) {
    std::fprintf(stderr, "cannot load %s (%lu)\n", argv[1], GetLastError());
    return 1;
  }
  int failures = 0;
  for (const WORD number : {WORD{600}, WORD{601}}) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), MAKEINTRESOURCEA(602));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = found ? SizeofResource(module, found) : 0;
    DWORD words = 0;
    if (bytes && size >= 18) std::memcpy(&words, bytes + 6, 4);
    // METAHEADER: in memory, 9 header words, and a size in words that is the resource's.
    const bool whole = bytes && size >= 18 && bytes[0] == 1 && bytes[2] == 9 && words * 2 == size;
    std::printf("picture %u of type 602: %lu bytes, %s\n", number, size, whole ? "a whole metafile" : "MISSING OR BROKEN");
    if (!whole) ++failures;
  }
  const char* expected[] = {"Microsoft(R) Windows 95", "Microsoft(R) Windows 98", nullptr, "Document: %s",
                            "Date and Time: ", "Printed By: %s", "Simple", "Full"};
  for (UINT id = 1; id <= 8; ++id) {
    char text[261] = {};
    const int n = LoadStringA(module, id, text, sizeof text);
    const bool ok = n > 0 && (!expected[id - 1] || std::strcmp(text, expected[id - 1]) == 0);
    std::printf("string %u: \"%s\"%s\n", id, text, ok ? "" : " WRONG");
    if (!ok) ++failures;
  }

  win32print::Win32PrintPorts ports;
  emfplay::separator::SeparatorAssets assets;
  for (UINT id = 1; id <= 6; ++id) {
    char text[261] = {};
    const int n = LoadStringA(module, id, text, sizeof text);
    assets.strings[id] = std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
  }
  for (const WORD number : {WORD{600}, WORD{601}}) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), MAKEINTRESOURCEA(602));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    const std::span<const std::uint8_t> picture(bytes, bytes ? SizeofResource(module, found) : 0);
    (number == 600 ? assets.pictureWindows95 : assets.pictureWindows98) = picture;
  }
  emfplay::separator::SeparatorPage page(ports.platform, assets);
  for (const auto kind : {emfplay::SeparatorKind::Simple, emfplay::SeparatorKind::Full}) {
    const long pixels = DrawnPixels(page, kind);
    std::printf("separator page of kind %d: %ld pixels drawn\n", static_cast<int>(kind), pixels);
    if (pixels <= 0) ++failures;
  }
  FreeLibrary(module);
  return failures == 0 ? 0 : 1;
}
