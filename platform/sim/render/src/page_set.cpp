#include "simrender/page_set.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cstring>

namespace sim::print {

namespace {

// A page is always on white paper.
std::shared_ptr<cairo_surface_t> PaintPage(cairo_surface_t* recording, std::int32_t width, std::int32_t height) {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(image);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_surface(cr, recording, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(image);
  return {image, cairo_surface_destroy};
}

Picture FromImage(cairo_surface_t* image) {
  Picture p;
  p.width = cairo_image_surface_get_width(image);
  p.height = cairo_image_surface_get_height(image);
  const int stride = cairo_image_surface_get_stride(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const bool opaque = cairo_image_surface_get_format(image) == CAIRO_FORMAT_RGB24;
  p.pixels.resize(static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height));
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      std::uint32_t v;
      std::memcpy(&v, data + static_cast<std::ptrdiff_t>(y) * stride + x * 4, 4);
      p.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x)] =
          opaque ? (v | 0xff000000u) : v;
    }
  }
  return p;
}

}  // namespace

void PageSet::Add(cairo_surface_t* recording, std::int32_t width, std::int32_t height) {
  pages_.push_back({std::shared_ptr<cairo_surface_t>(recording, cairo_surface_destroy), width, height});
}

Picture PageSet::Rasterise(std::size_t page) const {
  const Page& p = pages_.at(page);
  return FromImage(PaintPage(p.recording.get(), p.width, p.height).get());
}

bool PageSet::WritePng(std::size_t page, const std::string& path) const {
  const Page& p = pages_.at(page);
  return cairo_surface_write_to_png(PaintPage(p.recording.get(), p.width, p.height).get(), path.c_str()) ==
         CAIRO_STATUS_SUCCESS;
}

bool PageSet::WritePdf(const std::string& path) const {
  if (pages_.empty()) return false;
  // Picture pixels become PDF points one for one; the sizes come from each page.
  cairo_surface_t* pdf = cairo_pdf_surface_create(path.c_str(), pages_[0].width, pages_[0].height);
  cairo_t* cr = cairo_create(pdf);
  for (const Page& p : pages_) {
    cairo_pdf_surface_set_size(pdf, p.width, p.height);
    cairo_set_source_surface(cr, p.recording.get(), 0, 0);
    cairo_paint(cr);
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_finish(pdf);
  const bool ok = cairo_surface_status(pdf) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(pdf);
  return ok;
}

std::optional<Picture> ReadPng(const std::string& path) {
  cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(image);
    return std::nullopt;
  }
  Picture p = FromImage(image);
  cairo_surface_destroy(image);
  return p;
}

bool WritePng(const Picture& picture, const std::string& path) {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride,
                picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width),
                static_cast<std::size_t>(picture.width) * 4);
  cairo_surface_mark_dirty(image);
  const bool ok = cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(image);
  return ok;
}

}  // namespace sim::print
