// A linear gradient on the smoothed raster and on a document is one smooth ramp; it must give every pixel
// the colour the raster surface's lines give it, at every angle, reflected and bent.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "gradient/clsGradient.h"
#include "surface/CairoSurface.h"
#include "surface/SmoothSurface.h"
#include "surface/VectorSurface.h"

namespace plotara {
namespace {

constexpr OleColor kMarker = 0x00FF00FF;

void Prepare(Surface& s, int w, int h) {
  s.BackColor = kMarker;
  s.Move(0, 0, w * 15.0f, h * 15.0f);
  s.Cls();
}

struct RampCase {
  int style;
  float angle;
  float shift;
};

class SmoothRamp : public ::testing::TestWithParam<RampCase> {};

TEST_P(SmoothRamp, GivesEachPixelTheColourOfItsLine) {
  const RampCase c = GetParam();
  CairoSurface raster;
  SmoothSurface smooth;
  VectorSurface document;
  for (Surface* s :
       {static_cast<Surface*>(&raster), static_cast<Surface*>(&smooth), static_cast<Surface*>(&document)}) {
    Prepare(*s, 160, 90);
    clsGradient g;
    g.Style(static_cast<int16_t>(c.style));
    g.Angle(c.angle);
    g.Shift(c.shift);
    g.Color1(0x00102040);
    g.Color2(0x00F0E0C0);
    ASSERT_TRUE(g.Draw(*s));
  }
  ASSERT_GT(document.Commands(), 0);
  EXPECT_LE(document.Commands(), 2) << "one fill, not a line per colour";
  for (Surface* s : {static_cast<Surface*>(&smooth), static_cast<Surface*>(&document)}) {
    int worst = 0;
    for (int y = 0; y < 90; ++y)
      for (int x = 0; x < 160; ++x) {
        const OleColor a = raster.Pixel(x, y), b = s->Pixel(x, y);
        ASSERT_NE(b, kMarker) << x << "," << y << " left unpainted";
        worst = std::max({worst, std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                          std::abs(BlueOf(a) - BlueOf(b))});
      }
    // Two ramp steps of 224 levels over about 90 to 180 lines, and the blend between them.
    EXPECT_LE(worst, 6);
  }
}

INSTANTIATE_TEST_SUITE_P(Angles, SmoothRamp,
                         ::testing::Values(RampCase{1, 0, 0}, RampCase{1, 30, 0}, RampCase{1, 90, 0},
                                           RampCase{1, 135, 0}, RampCase{1, 200, 0}, RampCase{1, 315, 0},
                                           RampCase{-1, 45, 0}, RampCase{1, 60, 0.6f},
                                           RampCase{-1, 270, -0.4f}));

// The other styles on a surface for documents: a shape per band of one colour instead of a line per
// pixel, so that a larger page costs no more shapes. Each pixel keeps the colour the raster surface's
// lines give it, but where lines crowd (about a fan's hub, at a diamond's tips) and the raster keeps
// the colour drawn last.
class DocumentBands : public ::testing::TestWithParam<RampCase> {};

TEST_P(DocumentBands, CostWhatTheColoursNeedAndKeepEachPixelsColour) {
  const RampCase c = GetParam();
  constexpr int W = 400, H = 240;
  auto draw = [&](Surface& s) {
    clsGradient g;
    g.Style(static_cast<int16_t>(c.style));
    g.Angle(c.angle);
    g.Shift(c.shift);
    g.Color1(0x00102040);
    g.Color2(0x00304060);
    ASSERT_TRUE(g.Draw(s));
  };
  CairoSurface raster;
  VectorSurface document, larger;
  Prepare(raster, W, H);
  Prepare(document, W, H);
  Prepare(larger, 4 * W, 4 * H);
  draw(raster);
  draw(document);
  draw(larger);
  EXPECT_LE(larger.Commands(), document.Commands() * 5 / 4 + 8) << "a page 4 times as wide and high";
  int off = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const OleColor a = raster.Pixel(x, y), b = document.Pixel(x, y);
      ASSERT_NE(b, kMarker) << x << "," << y << " left unpainted";
      // A band's edge may fall a pixel from where the lines put it: the next band's colour.
      off += std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                       std::abs(BlueOf(a) - BlueOf(b))}) > 2;
    }
  EXPECT_LT(off, W * H / 100);
}

INSTANTIATE_TEST_SUITE_P(Styles, DocumentBands,
                         ::testing::Values(RampCase{2, 315, 0}, RampCase{-2, 0, 0.5f}, RampCase{3, 315, 0},
                                           RampCase{-3, 0, -0.5f}, RampCase{4, 0, 0}, RampCase{4, 90, 0},
                                           RampCase{-4, 200, 0.3f}, RampCase{5, 45, 0}, RampCase{5, 225, 1},
                                           RampCase{6, 135, 0}, RampCase{-6, 315, 0}));

}  // namespace
}  // namespace plotara
