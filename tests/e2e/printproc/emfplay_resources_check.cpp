// Checks, under Wine, that emfplay.dll as built carries what the separator
// page loads from it: the pictures 600 and 601 of type 602, each a whole
// Windows metafile, and the texts 1 to 8 of its string table. Then draws
// both separator pages through the Windows adapters onto a bitmap, so that
// the metafile enumeration, the placeholders and the locale calls run for
// real: the texts handed to Wine are checked, the text page's five lines
// are looked for where they belong in the picture, and the pictures are
// saved as BMP files into OUTDIR when one is given.
//
//   emfplay_resources_check EMFPLAY.DLL [OUTDIR]
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "separator/separator_page.h"
#include "simprint/forwarding_gdi.h"
#include "win32print/print_ports.h"

namespace {

namespace pp = plat::print;

constexpr int kWidth = 850, kHeight = 1100;

// Wine's device context, with every text the page hands it kept.
class TextKeepingGdi final : public sim::print::ForwardingGdi {
 public:
  using ForwardingGdi::ForwardingGdi;
  Status TextOutAnsi(Handle dc, Point at, std::string_view text) override {
    texts.emplace_back(text);
    return ForwardingGdi::TextOutAnsi(dc, at, text);
  }
  Status ExtTextOutAnsi(Handle dc, Point at, std::uint32_t options, const std::optional<Rect>& clip,
                        std::string_view text, std::span<const std::int32_t> spacing) override {
    texts.emplace_back(text);
    return ForwardingGdi::ExtTextOutAnsi(dc, at, options, clip, text, spacing);
  }
  std::vector<std::string> texts;
};

struct Drawn {
  bool ok = false;
  long changed = 0;                  // pixels no longer white
  std::vector<std::uint32_t> pixels;  // top row first
  int inch = 0, lineHeight = 0;       // of the bitmap's device context
};

// A top-down 32-bit BMP file of the pixels.
bool SaveBmp(const std::string& path, const std::vector<std::uint32_t>& pixels) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = kWidth;
  info.biHeight = -kHeight;
  info.biPlanes = 1;
  info.biBitCount = 32;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size() * 4);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size() * 4));
  return static_cast<bool>(out);
}

// Whether rows [top, top + height) hold a drawn pixel right of `left`.
bool InkIn(const Drawn& d, int left, int top, int height) {
  for (int y = std::max(top, 0); y < std::min(top + height, kHeight); ++y)
    for (int x = left; x < kWidth; ++x)
      if ((d.pixels[static_cast<std::size_t>(y) * kWidth + x] & 0xffffff) != 0xffffff) return true;
  return false;
}

// Draws `kind` onto a white 850 by 1100 bitmap.
Drawn Draw(emfplay::separator::SeparatorPage& page, emfplay::SeparatorKind kind) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
  Drawn d;
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  d.inch = GetDeviceCaps(dc, LOGPIXELSY);
  d.lineHeight = metrics.tmHeight;
  plat::print::JobRecord2 job;
  job.document = "Report";
  job.userName = "anna";
  job.submitted = {2026, 3, 2, 17, 14, 30, 5, 0};
  d.ok = page.Draw(reinterpret_cast<plat::Handle>(dc), job, kind, "");
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  d.pixels.assign(pixels, pixels + static_cast<std::size_t>(kWidth) * kHeight);
  for (const std::uint32_t p : d.pixels)
    if ((p & 0xffffff) != 0xffffff) ++d.changed;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return d;
}

// Whether a text begins with `start`.
bool Has(const std::vector<std::string>& texts, const std::string& start) {
  for (const auto& t : texts)
    if (t.rfind(start, 0) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: emfplay_resources_check EMFPLAY.DLL [OUTDIR]\n");
    return 2;
  }
  const std::string outDir = argc == 3 ? argv[2] : "";
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
  TextKeepingGdi gdi(ports.gdi);
  pp::ProcessorPlatform platform{ports.jobs, ports.spoolPlayer, ports.host, ports.events, ports.files, gdi};
  emfplay::separator::SeparatorPage page(platform, assets);
  auto check = [&failures](bool ok, const char* what) {
    if (!ok) {
      std::printf("  WRONG: %s\n", what);
      ++failures;
    }
  };
  for (const auto kind : {emfplay::SeparatorKind::Simple, emfplay::SeparatorKind::Full}) {
    gdi.texts.clear();
    const Drawn d = Draw(page, kind);
    const bool text = kind == emfplay::SeparatorKind::Simple;
    std::printf("separator page of kind %d: %s, %ld pixels drawn, %zu texts\n", static_cast<int>(kind),
                d.ok ? "drawn" : "FAILED", d.changed, gdi.texts.size());
    for (const auto& t : gdi.texts) std::printf("  text \"%s\"\n", t.c_str());
    check(d.ok && d.changed > 0, "the page is drawn");
    // The job's details, put in by the text page or for the placeholders.
    check(Has(gdi.texts, text ? "Document: Report" : "Report"), "the document name");
    check(Has(gdi.texts, text ? "Printed By: anna" : "anna"), "the user name");
    bool dated = false, placeholder = false;
    for (const auto& t : gdi.texts) {
      dated = dated || t.find("2026") != std::string::npos;
      placeholder = placeholder || t.find('%') != std::string::npos;
    }
    check(dated, "the date of the job");
    check(!placeholder, "no placeholder left as it was");
    if (text) {
      check(gdi.texts.size() == 5, "five lines");
      // Line n at one inch from the left and one inch plus n lines down.
      for (int n = 1; n <= 5; ++n)
        check(InkIn(d, d.inch, d.inch + n * d.lineHeight, d.lineHeight), "a line where it belongs");
      check(!InkIn(d, 0, 0, d.inch + d.lineHeight), "nothing above the first line");
      check(!InkIn(d, 0, d.inch + 6 * d.lineHeight, kHeight), "nothing below the last line");
    }
    if (!outDir.empty()) {
      const std::string path = outDir + (text ? "\\separator-text.bmp" : "\\separator-full.bmp");
      check(SaveBmp(path, d.pixels), "the picture is saved");
    }
  }
  FreeLibrary(module);
  return failures == 0 ? 0 : 1;
}
