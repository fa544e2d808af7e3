#include "surface/ImageFile.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>

#include "platform/FileReplace.h"
#include "platform/PictureFormat.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"

namespace plotara {

void SaveImage(const PictureView& picture, double twipsPerPixel, const std::string& path) {
  const PictureFormat format = PictureFormatOf(path);
  if (format == PictureFormat::None) Raise(err::InvalidProcedureCall);
  const int w = std::max(picture.Width, 1), h = std::max(picture.Height, 1);
  cairo_surface_t* image = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(picture.Pixels)), CAIRO_FORMAT_RGB24, w, h,
      picture.StridePixels * 4);
  cairo_status_t status = CAIRO_STATUS_SUCCESS;
  const std::string temp = SiblingTempPath(path);  // replaces path once written whole
  if (IsDocument(format)) {
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
    status = cairo_surface_status(doc);
    cairo_surface_destroy(doc);
  } else {
    status = cairo_surface_write_to_png(image, temp.c_str());
  }
  cairo_surface_destroy(image);
  if (status != CAIRO_STATUS_SUCCESS) {
    DiscardTemp(temp);
    Raise(err::PathFileAccess);
  }
  if (!ReplaceWithTemp(temp, path)) Raise(err::PathFileAccess);
}

}  // namespace plotara
