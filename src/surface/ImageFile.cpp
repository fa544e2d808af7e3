#include "surface/ImageFile.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include "platform/FileReplace.h"
#include "platform/PictureFormat.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"

namespace plotara {

bool WritePng(const PictureView& picture, const std::string& path, int level) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const int w = std::max(picture.Width, 1), h = std::max(picture.Height, 1);
  std::vector<png_byte> row(static_cast<size_t>(w) * 3, 0);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  volatile bool written = false;  // set after the point libpng jumps back to on a failure
  if (png && info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (level >= 0) png_set_compression_level(png, std::min(level, 9));
    if (level >= 1 && level <= 3) png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) {
      if (y < picture.Height) {
        const uint32_t* from = picture.Pixels + static_cast<size_t>(y) * picture.StridePixels;
        for (int x = 0; x < picture.Width; ++x) {
          row[static_cast<size_t>(x) * 3] = static_cast<png_byte>(from[x] >> 16);
          row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(from[x] >> 8);
          row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(from[x]);
        }
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
  const bool closed = std::fclose(file) == 0;
  return written && closed;
}

void SaveImage(const PictureView& picture, double twipsPerPixel, const std::string& path, int pngLevel) {
  const PictureFormat format = PictureFormatOf(path);
  if (format == PictureFormat::None) Raise(err::InvalidProcedureCall);
  const std::string temp = SiblingTempPath(path);  // replaces path once written whole
  if (format == PictureFormat::Png) {
    if (!WritePng(picture, temp, pngLevel)) {
      DiscardTemp(temp);
      Raise(err::PathFileAccess);
    }
    if (!ReplaceWithTemp(temp, path)) Raise(err::PathFileAccess);
    return;
  }
  const int w = std::max(picture.Width, 1), h = std::max(picture.Height, 1);
  cairo_surface_t* image = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(picture.Pixels)), CAIRO_FORMAT_RGB24, w, h,
      picture.StridePixels * 4);
  // The picture is a raster image; the vector formats carry it at its physical size.
  const double pt = 72.0 * twipsPerPixel / kTwipsPerInch;
  cairo_surface_t* doc = format == PictureFormat::Svg
                             ? cairo_svg_surface_create(temp.c_str(), w * pt, h * pt)
                             : cairo_pdf_surface_create(temp.c_str(), w * pt, h * pt);
  cairo_t* cr = cairo_create(doc);
  cairo_scale(cr, pt, pt);
  cairo_set_source_surface(cr, image, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_finish(doc);
  const cairo_status_t status = cairo_surface_status(doc);
  cairo_surface_destroy(doc);
  cairo_surface_destroy(image);
  if (status != CAIRO_STATUS_SUCCESS) {
    DiscardTemp(temp);
    Raise(err::PathFileAccess);
  }
  if (!ReplaceWithTemp(temp, path)) Raise(err::PathFileAccess);
}

}  // namespace plotara
