// The SVG the document surface writes, read back as a viewer reads it: rasterised by librsvg, it shows
// what the surface's own picture shows, whatever way the drawing got there (symbols painted from one
// recording and cut by a clip, blocks copied from pixels or from the surface itself, layers merged into
// a picture, turned text, a smooth ramp).
#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "surface/CairoSurface.h"
#include "surface/VectorSurface.h"

namespace plotara {
namespace {

constexpr OleColor kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kBlack = 0;
constexpr float kTwips = 15;  // one pixel at 96 dpi
constexpr int kW = 160, kH = 120;

void Size(Surface& s) {
  s.BackColor = kWhite;
  s.Move(0, 0, kW * kTwips, kH * kTwips);
  s.Cls();
}

// Share of pixels of the surface's picture whose colour in librsvg's rendering of its SVG is more than
// 64 levels away in some channel; -1 when the SVG could not be rasterised.
double SvgMisses(VectorSurface& s, const std::string& name) {
  const std::string svg = ::testing::TempDir() + "/svgdoc_" + name + ".svg", png = svg + ".png";
  s.SavePicture(svg);
  const std::string cmd = "rsvg-convert --dpi-x 96 --dpi-y 96 -o " + png + " " + svg + " 2>&1";
  if (std::system(cmd.c_str()) != 0) return -1;
  cairo_surface_t* read = cairo_image_surface_create_from_png(png.c_str());
  double misses = -1;
  if (cairo_surface_status(read) == CAIRO_STATUS_SUCCESS && cairo_image_surface_get_width(read) == kW &&
      cairo_image_surface_get_height(read) == kH) {
    long n = 0;
    for (int y = 0; y < kH; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(
          cairo_image_surface_get_data(read) + static_cast<size_t>(y) * cairo_image_surface_get_stride(read));
      for (int x = 0; x < kW; ++x) {
        const OleColor want = s.Pixel(x, y);
        const uint32_t got = row[x];  // 0xAARRGGBB
        const int diffs[] = {std::abs(static_cast<int>(RedOf(want)) - static_cast<int>((got >> 16) & 0xFF)),
                             std::abs(static_cast<int>(GreenOf(want)) - static_cast<int>((got >> 8) & 0xFF)),
                             std::abs(static_cast<int>(BlueOf(want)) - static_cast<int>(got & 0xFF))};
        n += *std::max_element(std::begin(diffs), std::end(diffs)) > 64;
      }
    }
    misses = static_cast<double>(n) / (kW * kH);
  }
  cairo_surface_destroy(read);
  return misses;
}

struct DrawingCase {
  const char* name;
  std::function<void(VectorSurface&)> draw;
};

void Circles(Surface& s) {
  s.FillStyle = FillKind::Solid;
  s.FillColor = kRed;
  for (int i = 0; i < 40; ++i) s.Circle((8 + i * 37 % 150) * kTwips, (8 + i * 53 % 110) * kTwips, 6 * kTwips);
}

const DrawingCase kCases[] = {
    {"circles cut by the clip",
     [](VectorSurface& s) {
       s.SetClipRect(20 * kTwips, 15 * kTwips, 130 * kTwips, 100 * kTwips);
       Circles(s);
     }},
    {"a block copied from pixels",
     [](VectorSurface& s) {
       CairoSurface raster;
       Size(raster);
       raster.FilledBox(10 * kTwips, 10 * kTwips, 90 * kTwips, 60 * kTwips, kBlue);
       raster.Line(0, 0, 150 * kTwips, 110 * kTwips);
       s.FilledBox(0, 0, 40 * kTwips, 120 * kTwips, 0x80FF80);
       s.BitBlt(30, 20, 100, 70, raster, 5, 5);
     }},
    {"a block copied within the surface",
     [](VectorSurface& s) {
       Circles(s);
       s.CurrentX = 10 * kTwips;
       s.CurrentY = 10 * kTwips;
       s.Print("copied text");
       s.BitBlt(70, 50, 80, 60, s, 0, 0);
     }},
    {"layers merged into a picture",
     [](VectorSurface& s) {
       VectorSurface page;
       Size(page);
       page.FilledBox(0, 0, kW * kTwips, 100 * kTwips, 0x80FF80);
       Circles(page);
       s.BitBlt(0, 0, kW, kH, page, 0, 0);
       for (int i = 1; i <= 3 * static_cast<int>(VectorSurface::kMaxLayers); ++i) {
         const int x = i * 7 % 120, y = i * 11 % 90;
         s.BitBlt(x, y, 30, 20, page, x, y);
         s.FilledBox((x + 3) * kTwips, (y + 3) * kTwips, (x + 12) * kTwips, (y + 9) * kTwips,
                     i % 2 ? kRed : kBlack);
       }
     }},
    {"turned text",
     [](VectorSurface& s) {
       s.ForeColor = kBlue;
       s.TextOut(30, 110, "signal (V)", 900);
       s.TextOut(60, 40, "slanted", 450);
     }},
    {"a smooth ramp",
     [](VectorSurface& s) {
       const OleColor colours[] = {kRed, kWhite, kBlue};
       s.FillRamp(0, 0, kW, kH / 2.0, colours);
       s.Box(20 * kTwips, 20 * kTwips, 100 * kTwips, 80 * kTwips);
     }},
};

TEST(SvgDocument, RasterisedItShowsWhatTheSurfaceShows) {
  for (const DrawingCase& c : kCases) {
    VectorSurface s;
    Size(s);
    s.ForeColor = kBlack;
    c.draw(s);
    std::string name = c.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    // Smoothing of edges and glyphs may differ between two renderers of the same shapes.
    EXPECT_LT(SvgMisses(s, name), 0.01)
        << c.name << " (" << ::testing::TempDir() << "/svgdoc_" << name << ".svg)";
    EXPECT_GE(SvgMisses(s, name), 0) << c.name;
  }
}

}  // namespace
}  // namespace plotara
