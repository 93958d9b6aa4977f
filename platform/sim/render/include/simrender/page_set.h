// The pages a rendering device context drew, each kept as drawing
// operations so that it can become a PNG at its own size or a page of a PDF
// without being drawn twice.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

namespace sim::print {

// A page as pixels, 0xAARRGGBB a pixel, row after row from the top.
struct Picture {
  std::int32_t width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(std::int32_t x, std::int32_t y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
};

class PageSet {
 public:
  // Takes a recording surface of `width` x `height` pixels.
  void Add(cairo_surface_t* recording, std::int32_t width, std::int32_t height);
  std::size_t size() const { return pages_.size(); }

  Picture Rasterise(std::size_t page) const;
  // False when the file cannot be written.
  bool WritePng(std::size_t page, const std::string& path) const;
  bool WritePdf(const std::string& path) const;

 private:
  struct Page {
    std::shared_ptr<cairo_surface_t> recording;
    std::int32_t width = 0, height = 0;
  };
  std::vector<Page> pages_;
};

// A picture from a PNG file; nothing when it cannot be read.
std::optional<Picture> ReadPng(const std::string& path);
bool WritePng(const Picture& picture, const std::string& path);

}  // namespace sim::print
