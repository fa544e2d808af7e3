#include "support/ReferenceImage.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace plotara::test {

namespace {

std::string ReferencePath(const std::string& name) {
  return std::string(PLOTARA_SOURCE_DIR) + "/tests/images/" + name + ".png";
}

// Copies a surface into a cairo image so that it can be written or compared.
cairo_surface_t* ToImage(Surface& s) {
  cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, s.PixelWidth()),
                                                    std::max(1, s.PixelHeight()));
  auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(img));
  const int stride = cairo_image_surface_get_stride(img) / 4;
  for (int y = 0; y < s.PixelHeight(); ++y)
    for (int x = 0; x < s.PixelWidth(); ++x) {
      const auto c = static_cast<uint32_t>(s.Pixel(x, y));
      data[y * stride + x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
  cairo_surface_mark_dirty(img);
  return img;
}

// The reference pictures were drawn with the Liberation faces standing in for the classic ones. When a
// face resolves to another family, every picture with text differs, and this says why in one line.
std::string FontProblem() {
  static const std::string problem = [] {
    const std::pair<const char*, const char*> faces[] = {{"Arial", "Liberation Sans"},
                                                         {"Times New Roman", "Liberation Serif"},
                                                         {"Courier New", "Liberation Mono"}};
    for (const auto& [face, expected] : faces) {
      FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(face));
      FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
      FcDefaultSubstitute(pattern);
      FcResult result = FcResultNoMatch;
      FcPattern* match = FcFontMatch(nullptr, pattern, &result);
      FcChar8* family = nullptr;
      std::string got = "nothing";
      if (match && FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch)
        got = reinterpret_cast<const char*>(family);
      if (match) FcPatternDestroy(match);
      FcPatternDestroy(pattern);
      if (got != expected) {
        return "\"" + std::string(face) + "\" resolves to \"" + got + "\", not \"" + expected +
               "\": install fonts-liberation2, with which the reference pictures were drawn";
      }
    }
    return std::string();
  }();
  return problem;
}

}  // namespace

::testing::AssertionResult MatchesReference(Surface& actual, const std::string& name,
                                            ImageTolerance tolerance) {
  const std::string refPath = ReferencePath(name);
  cairo_surface_t* got = ToImage(actual);
  const char* update = std::getenv("PLOTARA_UPDATE_REFERENCES");
  if (update && std::string(update) == "1") {
    cairo_surface_write_to_png(got, refPath.c_str());
    cairo_surface_destroy(got);
    return ::testing::AssertionSuccess() << "wrote " << refPath;
  }
  cairo_surface_t* ref = cairo_image_surface_create_from_png(refPath.c_str());
  if (cairo_surface_status(ref) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(ref);
    cairo_surface_destroy(got);
    return ::testing::AssertionFailure()
           << "no reference picture " << refPath << " (run with PLOTARA_UPDATE_REFERENCES=1 to make it)";
  }
  if (const std::string fonts = FontProblem(); !fonts.empty()) {
    cairo_surface_destroy(ref);
    cairo_surface_destroy(got);
    return ::testing::AssertionFailure() << name << ": " << fonts;
  }
  const int w = cairo_image_surface_get_width(ref), h = cairo_image_surface_get_height(ref);
  if (w != actual.PixelWidth() || h != actual.PixelHeight()) {
    cairo_surface_destroy(ref);
    cairo_surface_destroy(got);
    return ::testing::AssertionFailure() << name << ": size " << actual.PixelWidth() << "x"
                                         << actual.PixelHeight() << ", reference " << w << "x" << h;
  }
  cairo_surface_flush(ref);
  const auto* rd = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(ref));
  const auto* gd = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(got));
  const int rs = cairo_image_surface_get_stride(ref) / 4, gs = cairo_image_surface_get_stride(got) / 4;
  cairo_surface_t* diff = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  auto* dd = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(diff));
  const int ds = cairo_image_surface_get_stride(diff) / 4;
  long bad = 0;
  int worst = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t a = rd[y * rs + x], b = gd[y * gs + x];
      int d = 0;
      for (int shift = 0; shift < 24; shift += 8)
        d = std::max(d,
                     std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
      worst = std::max(worst, d);
      if (d > tolerance.channel) {
        ++bad;
        dd[y * ds + x] = 0xFF00FF;
      } else {
        // A faded copy of the reference shows where the differences lie.
        const uint32_t fade = ((a & 0xFEFEFE) >> 1) + 0x7F7F7F;
        dd[y * ds + x] = fade;
      }
    }
  cairo_surface_mark_dirty(diff);
  const double share = static_cast<double>(bad) / (static_cast<double>(w) * h);
  ::testing::AssertionResult result = ::testing::AssertionSuccess();
  if (share > tolerance.fraction) {
    const std::string dir = ::testing::TempDir();
    const std::string actualPath = dir + "/" + name + ".actual.png",
                      diffPath = dir + "/" + name + ".diff.png";
    cairo_surface_write_to_png(got, actualPath.c_str());
    cairo_surface_write_to_png(diff, diffPath.c_str());
    result = ::testing::AssertionFailure()
             << name << ": " << bad << " pixels differ by more than " << tolerance.channel
             << " (largest difference " << worst << "); see " << actualPath << " and " << diffPath;
  }
  cairo_surface_destroy(diff);
  cairo_surface_destroy(ref);
  cairo_surface_destroy(got);
  return result;
}

}  // namespace plotara::test
