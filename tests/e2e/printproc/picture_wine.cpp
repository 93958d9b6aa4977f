// Draws the comparison page as the player drives a printer's device context,
// through the Windows Gdi adapter, into a memory device context holding a
// DIB section, and saves the stream and the picture (a BMP) into the folder
// it is given, for picture-diff to compare with the simulated renderer's.
//
//   picture_wine OUTDIR
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "comparison_picture.h"
#include "playback/direct_player.h"
#include "playback/span_source.h"
#include "simprint/forwarding_gdi.h"
#include "win32print/win32_gdi.h"

namespace {

namespace pp = plat::print;

// A printer that is a bitmap: the device context the player asks for is a
// memory one with a white 32-bit top-down DIB section selected, documents and
// pages cost nothing, and the page's pixels are kept when it ends.
class BitmapPrinter final : public sim::print::ForwardingGdi {
 public:
  BitmapPrinter(pp::Gdi& inner, int width, int height) : ForwardingGdi(inner), width_(width), height_(height) {}

  Result<Handle> CreateDc(std::optional<std::string_view>, std::string_view, std::optional<std::string_view>,
                          std::span<const std::uint8_t>) override {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return pp::Error(GetLastError());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap_) {
      DeleteDC(dc);
      return pp::Error(GetLastError());
    }
    bits_ = static_cast<const std::uint8_t*>(bits);
    old_ = ::SelectObject(dc, bitmap_);
    ::PatBlt(dc, 0, 0, width_, height_, WHITENESS);
    return reinterpret_cast<Handle>(dc);
  }
  Status DeleteDc(Handle dc) override {
    HDC h = reinterpret_cast<HDC>(dc);
    ::SelectObject(h, old_);
    ::DeleteObject(bitmap_);
    return DeleteDC(h) ? pp::Ok() : Status(pp::Error(GetLastError()));
  }
  Result<Handle> ResetDc(Handle dc, std::span<const std::uint8_t>) override { return dc; }
  Status SetContinuingAbortProc(Handle) override { return pp::Ok(); }
  Result<std::int32_t> StartDocument(Handle, const pp::DocInfo&) override { return std::int32_t{1}; }
  Status EndDoc(Handle) override { return pp::Ok(); }
  Status AbortDoc(Handle) override { return pp::Ok(); }
  Status StartPage(Handle) override { return pp::Ok(); }
  Status EndPage(Handle) override {
    GdiFlush();
    if (page_.empty()) page_.assign(bits_, bits_ + static_cast<std::size_t>(width_) * height_ * 4);
    return pp::Ok();
  }
  Result<pp::EscapeReply> Escape(Handle, std::int32_t, std::span<const std::uint8_t>, std::uint32_t) override {
    return pp::EscapeReply{};
  }

  // The first page's pixels, BGRX from the top row; empty before it ends.
  const std::vector<std::uint8_t>& page() const { return page_; }

 private:
  int width_, height_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  const std::uint8_t* bits_ = nullptr;
  std::vector<std::uint8_t> page_;
};

class Unpaused final : public vemf::JobControl {
 public:
  void WaitWhilePaused() override {}
  bool Cancelled() const override { return false; }
};

void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& v, std::uint16_t x) {
  v.push_back(static_cast<std::uint8_t>(x));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}

// A top-down 32-bit BMP file of the pixels.
std::vector<std::uint8_t> Bmp(const std::vector<std::uint8_t>& pixels, int width, int height) {
  std::vector<std::uint8_t> f;
  f.push_back('B');
  f.push_back('M');
  Put32(f, static_cast<std::uint32_t>(54 + pixels.size()));
  Put32(f, 0);
  Put32(f, 54);
  Put32(f, 40);
  Put32(f, static_cast<std::uint32_t>(width));
  Put32(f, static_cast<std::uint32_t>(-height));
  Put16(f, 1);
  Put16(f, 32);
  for (int i = 0; i < 6; ++i) Put32(f, 0);
  f.insert(f.end(), pixels.begin(), pixels.end());
  return f;
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: picture_wine OUTDIR\n");
    return 2;
  }
  const std::string out = argv[1];
  const std::vector<std::uint8_t> stream = vemf::ComparisonPicture();
  win32print::Win32Gdi windows;
  BitmapPrinter printer(windows, vemf::kComparisonWidth, vemf::kComparisonHeight);
  vemf::SpanSource source(stream);
  vemf::RecordReader reader;
  Unpaused control;
  static_cast<void>(vemf::PlayDirect(control, printer, {"Comparison", "FILE:", "Printer"}, source, reader));
  if (printer.page().empty()) {
    std::fprintf(stderr, "picture_wine: the stream ended no page\n");
    return 1;
  }
  if (!Write(out + "/picture.vemf", stream) ||
      !Write(out + "/picture-wine.bmp", Bmp(printer.page(), vemf::kComparisonWidth, vemf::kComparisonHeight))) {
    std::fprintf(stderr, "picture_wine: cannot write into %s\n", out.c_str());
    return 1;
  }
  std::printf("picture_wine: the page is in %s/picture-wine.bmp\n", out.c_str());
  return 0;
}
