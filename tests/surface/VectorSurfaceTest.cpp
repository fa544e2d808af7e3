// The recording surface: copies keep what the source showed at the time, every shape lands where the
// raster surface puts it (as on the smoothed raster, which draws the same shapes), the inverting mode
// stays out of documents and undoes itself on screen, and refreshes do not pile up.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/RuntimeError.h"
#include "surface/CairoSurface.h"
#include "surface/SmoothSurface.h"
#include "surface/VectorSurface.h"

namespace plotara {
namespace {

constexpr OleColor kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kBlack = 0;
constexpr float kTwips = 15;  // one pixel at 96 dpi

template <class S>
void Size(S& s, int w, int h) {
  s.BackColor = kWhite;
  s.Move(0, 0, w * kTwips, h * kTwips);
  s.Cls();
}

TEST(VectorSurface, CopiesKeepWhatTheSourceShowedWhenTheyWereMade) {
  VectorSurface source, picture, copy;
  for (VectorSurface* s : {&source, &picture, &copy}) Size(*s, 40, 30);
  source.FilledBox(0, 0, 20 * kTwips, 30 * kTwips, kRed);
  picture.SetPicture(source);
  copy.BitBlt(5, 0, 20, 30, source, 0, 0);
  // Drawing on the source afterwards (cairo must have taken a snapshot) and clearing it.
  source.FilledBox(0, 0, 40 * kTwips, 30 * kTwips, kBlue);
  EXPECT_EQ(source.Pixel(10, 10), kBlue);
  EXPECT_EQ(picture.Pixel(10, 10), kRed);
  EXPECT_EQ(picture.Pixel(30, 10), kWhite);
  EXPECT_EQ(copy.Pixel(10, 10), kRed);
  EXPECT_EQ(copy.Pixel(2, 10), kWhite) << "left of the block";
  EXPECT_EQ(copy.Pixel(26, 10), kWhite) << "right of the block";
  // Cls brings the picture back over whatever was drawn since.
  picture.FilledBox(0, 0, 40 * kTwips, 30 * kTwips, kBlue);
  picture.Cls();
  EXPECT_EQ(picture.Pixel(10, 10), kRed);
}

TEST(VectorSurface, ACopyWithinOneSurfaceReadsTheDrawingBeforeTheCopy) {
  VectorSurface s;
  Size(s, 40, 20);
  s.FilledBox(0, 0, 10 * kTwips, 20 * kTwips, kRed);
  s.BitBlt(5, 0, 20, 20, s, 0, 0);  // overlapping: red 5..15, then the white it read from 10..20
  EXPECT_EQ(s.Pixel(12, 5), kRed);
  EXPECT_EQ(s.Pixel(17, 5), kWhite);
}

TEST(VectorSurface, CopiesStayInsideTheClipRectangle) {
  VectorSurface source, target;
  Size(source, 30, 30);
  Size(target, 30, 30);
  source.FilledBox(0, 0, 30 * kTwips, 30 * kTwips, kRed);
  target.SetClipRect(10 * kTwips, 10 * kTwips, 20 * kTwips, 20 * kTwips);
  target.BitBlt(0, 0, 30, 30, source, 0, 0);
  EXPECT_EQ(target.Pixel(15, 15), kRed);
  EXPECT_EQ(target.Pixel(5, 15), kWhite);
  EXPECT_EQ(target.Pixel(20, 15), kWhite) << "the right edge is left out";
}

// The smallest box holding every pixel that is not the back colour.
struct Extent {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
};
Extent InkOf(Surface& s) {
  Extent e;
  for (int y = 0; y < s.PixelHeight(); ++y)
    for (int x = 0; x < s.PixelWidth(); ++x) {
      const OleColor c = s.Pixel(x, y);
      // Faint smoothing at a shape's edge does not count as ink.
      if (RedOf(c) > 0xC0 && GreenOf(c) > 0xC0 && BlueOf(c) > 0xC0) continue;
      e = {std::min(e.x0, x), std::min(e.y0, y), std::max(e.x1, x), std::max(e.y1, y)};
    }
  return e;
}

struct ShapeCase {
  const char* name;
  std::function<void(Surface&)> draw;
};

class SameLayout : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(SameLayout, AsTheRasterSurface) {
  CairoSurface raster;
  VectorSurface vector;
  SmoothSurface smooth;
  for (Surface* s :
       {static_cast<Surface*>(&raster), static_cast<Surface*>(&vector), static_cast<Surface*>(&smooth)}) {
    Size(*s, 120, 80);
    s->ForeColor = kBlack;
    GetParam().draw(*s);
  }
  const Extent a = InkOf(raster);
  ASSERT_GE(a.x1, 0) << "the raster surface drew something";
  for (Surface* s : {static_cast<Surface*>(&vector), static_cast<Surface*>(&smooth)}) {
    const Extent b = InkOf(*s);
    EXPECT_NEAR(b.x0, a.x0, 1);
    EXPECT_NEAR(b.y0, a.y0, 1);
    EXPECT_NEAR(b.x1, a.x1, 1);
    EXPECT_NEAR(b.y1, a.y1, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, SameLayout,
    ::testing::Values(
        ShapeCase{"level_line",
                  [](Surface& s) { s.Line(10 * kTwips, 20 * kTwips, 90 * kTwips, 20 * kTwips); }},
        ShapeCase{"slanted_line",
                  [](Surface& s) { s.Line(10 * kTwips, 10 * kTwips, 90 * kTwips, 60 * kTwips); }},
        ShapeCase{"wide_line",
                  [](Surface& s) {
                    s.DrawWidth = 3;
                    s.Line(10 * kTwips, 10 * kTwips, 90 * kTwips, 60 * kTwips);
                  }},
        ShapeCase{"dotted_line",
                  [](Surface& s) {
                    s.DrawStyle = LineKind::Dot;
                    s.Line(10 * kTwips, 30 * kTwips, 100 * kTwips, 30 * kTwips);
                  }},
        ShapeCase{"box", [](Surface& s) { s.Box(10 * kTwips, 15 * kTwips, 50 * kTwips, 45 * kTwips); }},
        ShapeCase{"wide_box",
                  [](Surface& s) {
                    s.DrawWidth = 4;
                    s.Box(10 * kTwips, 15 * kTwips, 50 * kTwips, 45 * kTwips);
                  }},
        ShapeCase{"filled_box",
                  [](Surface& s) { s.FilledBox(7 * kTwips, 9 * kTwips, 33 * kTwips, 71 * kTwips, kBlue); }},
        ShapeCase{"circle", [](Surface& s) { s.Circle(60 * kTwips, 40 * kTwips, 25 * kTwips); }},
        ShapeCase{"filled_circle",
                  [](Surface& s) {
                    s.FillStyle = FillKind::Solid;
                    s.FillColor = kRed;
                    s.Circle(60 * kTwips, 40 * kTwips, 6 * kTwips);
                  }},
        ShapeCase{"point", [](Surface& s) { s.PSet(33 * kTwips, 44 * kTwips, kBlack); }},
        ShapeCase{"polygon",
                  [](Surface& s) {
                    const PixelPoint p[] = {{20, 60}, {60, 10}, {100, 60}};
                    s.FillStyle = FillKind::Solid;
                    s.FillColor = kRed;
                    s.Polygon(p);
                  }},
        ShapeCase{"rectangle", [](Surface& s) { s.Rectangle(30, 20, 70, 50); }},
        ShapeCase{"text",
                  [](Surface& s) {
                    s.CurrentX = 12 * kTwips;
                    s.CurrentY = 18 * kTwips;
                    s.Print("Axis 1.5");
                  }},
        ShapeCase{"upright_text", [](Surface& s) { s.TextOut(30, 75, "signal (V)", 900); }},
        ShapeCase{"clipped_line",
                  [](Surface& s) {
                    s.SetClipRect(0, 0, 50 * kTwips, 80 * kTwips);
                    s.Line(10 * kTwips, 40 * kTwips, 110 * kTwips, 40 * kTwips);
                  }}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

TEST(VectorSurface, MeasuresTextAsTheRasterSurface) {
  CairoSurface raster;
  VectorSurface vector;
  for (const char* font : {"Arial", "Times New Roman", "Courier New"})
    for (float size : {8.0f, 9.0f, 14.5f, 24.0f}) {
      raster.FontName = vector.FontName = font;
      raster.FontSize = vector.FontSize = size;
      EXPECT_EQ(vector.TextWidth("Plotara 0.25"), raster.TextWidth("Plotara 0.25")) << font << " " << size;
      EXPECT_EQ(vector.TextHeight("Ag"), raster.TextHeight("Ag")) << font << " " << size;
    }
}

TEST(VectorSurface, InvertingDrawsNothingInADocumentAndUndoesItselfOnScreen) {
  struct Case {
    const char* name;
    std::unique_ptr<Surface> surface;
    OleColor afterOnce;
  };
  Case cases[] = {{"document", std::make_unique<VectorSurface>(), kWhite},
                  {"smoothed picture", std::make_unique<SmoothSurface>(), kBlack}};
  for (Case& c : cases) {
    Surface& s = *c.surface;
    Size(s, 40, 40);
    s.FilledBox(0, 0, 20 * kTwips, 40 * kTwips, kRed);
    s.DrawMode = PenMode::Invert;
    s.FillStyle = FillKind::Solid;
    s.Box(10 * kTwips, 10 * kTwips, 30 * kTwips, 30 * kTwips);
    s.Circle(20 * kTwips, 20 * kTwips, 6 * kTwips);
    s.Line(5 * kTwips, 3 * kTwips, 35 * kTwips, 17 * kTwips);
    EXPECT_EQ(s.Pixel(28, 28), c.afterOnce) << c.name;
    s.Box(10 * kTwips, 10 * kTwips, 30 * kTwips, 30 * kTwips);
    s.Circle(20 * kTwips, 20 * kTwips, 6 * kTwips);
    s.Line(5 * kTwips, 3 * kTwips, 35 * kTwips, 17 * kTwips);
    EXPECT_EQ(s.Pixel(28, 28), kWhite) << c.name;
    EXPECT_EQ(s.Pixel(15, 20), kRed) << c.name;
    EXPECT_EQ(s.Pixel(10, 10), kRed) << c.name << ": the outline is restored pixel for pixel";
    EXPECT_EQ(s.Pixel(14, 20), kRed) << c.name << ": so is the circle";
    EXPECT_EQ(s.Pixel(10, 5), kRed) << c.name << ": and the line";
  }
}

TEST(VectorSurface, WholeSurfaceCopiesStartTheRecordingAfresh) {
  VectorSurface a, b;
  Size(a, 50, 50);
  Size(b, 50, 50);
  for (int i = 0; i < 200; ++i) {
    a.Line(0, i * 3.0f, 50 * kTwips, i * 3.0f);
    b.BitBlt(0, 0, 50, 50, a, 0, 0);
  }
  EXPECT_EQ(b.Commands(), 1) << "only the last copy is kept";
  EXPECT_GE(a.Commands(), 200);
  b.BitBlt(0, 0, 25, 50, a, 0, 0);
  EXPECT_EQ(b.Commands(), 2) << "a partial copy adds to the recording";
}

TEST(VectorSurface, RedrawingAPageStartsAfreshOnlyWhenNothingOutsideItIsLost) {
  struct Case {
    const char* name;
    bool markOutside;  // something drawn outside the page before each redraw
    bool invert;
  };
  for (const Case& c :
       {Case{"page inside a margin", false, false}, Case{"a mark outside the page", true, false},
        Case{"an inverted page", false, true}}) {
    VectorSurface s;
    Size(s, 50, 50);
    for (int i = 0; i < 100; ++i) {
      s.ResetClip();
      if (c.markOutside) s.PSet(48 * kTwips, 48 * kTwips, kRed);
      s.SetClipRect(0, 0, 45 * kTwips, 45 * kTwips);  // the page
      s.DrawMode = c.invert ? PenMode::Invert : PenMode::Copy;
      s.FilledBox(0, 0, 45 * kTwips, 45 * kTwips, kBlue);
      s.DrawMode = PenMode::Copy;
      s.Line(0, 10 * kTwips, 40 * kTwips, 10 * kTwips);
    }
    if (c.markOutside || c.invert) {
      EXPECT_GE(s.Commands(), 100) << c.name << ": every line is kept";
    } else {
      EXPECT_LE(s.Commands(), 2) << c.name << ": only the last redraw is kept";
    }
    EXPECT_EQ(s.Pixel(48, 48), c.markOutside ? kRed : kWhite) << c.name;
    EXPECT_EQ(s.Pixel(20, 20), c.invert ? kWhite : kBlue) << c.name << ": a document shows no inverted page";
  }
}

// Parts of a picture redrawn again and again by copying a saved page over them (as a graph or legend
// is dragged), with boxes drawn where the copies do not reach. Whatever the pattern, the recording
// stays bounded and shows what the raster surface shows (boxes on whole pixels are exact either way).
TEST(VectorSurface, PartialRedrawsStayBoundedAndShowWhatTheRasterShows) {
  struct Case {
    const char* name;
    // The block copied back from the saved page at step i, and the box drawn after it.
    std::function<std::array<int, 4>(int)> copy, box;
  };
  const Case cases[] = {
      {"the block leaves a strip",  // a graph dragged across the bottom of the page
       [](int) {
         return std::array<int, 4>{0, 0, 60, 50};
       },
       [](int i) {
         return std::array<int, 4>{i % 40, 20 + i % 25, i % 40 + 20, 20 + i % 25 + 15};
       }},
      {"the block follows the box",  // a legend dragged about: its old place is restored
       [](int i) {
         return std::array<int, 4>{(i - 1) % 40, (i - 1) % 37, (i - 1) % 40 + 12, (i - 1) % 37 + 9};
       },
       [](int i) {
         return std::array<int, 4>{i % 40, i % 37, i % 40 + 12, i % 37 + 9};
       }},
      {"blocks in turn",  // two graphs redrawn by turns, each copy covering only its own
       [](int i) {
         return i % 2 ? std::array<int, 4>{0, 0, 30, 60} : std::array<int, 4>{30, 0, 60, 60};
       },
       [](int i) {
         return std::array<int, 4>{25 + i % 10, 10, 35 + i % 10, 20 + i % 30};
       }},
  };
  for (const Case& c : cases) {
    CairoSurface raster, rasterPage;
    VectorSurface vector, vectorPage;
    for (Surface* s : {static_cast<Surface*>(&raster), static_cast<Surface*>(&rasterPage),
                       static_cast<Surface*>(&vector), static_cast<Surface*>(&vectorPage)})
      Size(*s, 60, 60);
    for (Surface* page : {static_cast<Surface*>(&rasterPage), static_cast<Surface*>(&vectorPage)}) {
      page->FilledBox(0, 0, 60 * kTwips, 55 * kTwips, 0x80FF80);
      page->FilledBox(5 * kTwips, 5 * kTwips, 25 * kTwips, 15 * kTwips, kBlue);
    }
    raster.BitBlt(0, 0, 60, 60, rasterPage, 0, 0);
    vector.BitBlt(0, 0, 60, 60, vectorPage, 0, 0);
    int64_t most = 0;
    for (int i = 1; i <= 400; ++i) {
      const auto [cx0, cy0, cx1, cy1] = c.copy(i);
      const auto [bx0, by0, bx1, by1] = c.box(i);
      raster.BitBlt(cx0, cy0, cx1 - cx0, cy1 - cy0, rasterPage, cx0, cy0);
      vector.BitBlt(cx0, cy0, cx1 - cx0, cy1 - cy0, vectorPage, cx0, cy0);
      for (Surface* s : {static_cast<Surface*>(&raster), static_cast<Surface*>(&vector)})
        s->FilledBox(bx0 * kTwips, by0 * kTwips, bx1 * kTwips, by1 * kTwips, i % 3 ? kRed : kBlack);
      most = std::max(most, vector.Commands());
      EXPECT_LE(vector.Layers(), static_cast<int>(VectorSurface::kMaxLayers) + 1) << c.name;
    }
    EXPECT_LT(most, 200) << c.name << ": 400 redraws";
    int wrong = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x) wrong += vector.Pixel(x, y) != raster.Pixel(x, y);
    EXPECT_EQ(wrong, 0) << c.name;
  }
}

TEST(VectorSurface, ConnectedSegmentsOfOneStyleBecomeOnePath) {
  struct Case {
    const char* name;
    std::function<void(VectorSurface&, int)> before;  // called before segment i
    int64_t paths;
  };
  const Case cases[] = {
      {"a curve", [](VectorSurface&, int) {}, 1},
      {"a new colour halfway", [](VectorSurface& s, int i) { s.ForeColor = i < 25 ? kBlack : kRed; }, 2},
      {"a wider pen halfway", [](VectorSurface& s, int i) { s.DrawWidth = i < 25 ? 1 : 2; }, 2},
      {"dotted", [](VectorSurface& s, int) { s.DrawStyle = LineKind::Dot; }, 50},
      {"a box between",
       [](VectorSurface& s, int i) {
         if (i == 25) s.FilledBox(0, 0, kTwips, kTwips, kRed);
       },
       3},
  };
  for (const Case& c : cases) {
    VectorSurface s;
    Size(s, 120, 80);
    for (int i = 0; i < 50; ++i) {
      c.before(s, i);
      s.Line(i * 2 * kTwips, (40 + (i % 2) * 10) * kTwips, (i + 1) * 2 * kTwips,
             (40 + ((i + 1) % 2) * 10) * kTwips);
    }
    EXPECT_EQ(s.Commands(), c.paths) << c.name;
    const Extent ink = InkOf(s);
    EXPECT_LE(ink.x0, 1) << c.name << ": the path is drawn when the picture is read";
    EXPECT_GE(ink.x1, 99) << c.name;
  }
}

// The largest document picture is capped as the raster one is, and also at the 200 inches a side a PDF
// page holds. A size refused (error 7) leaves the surface as it was.
TEST(VectorSurface, TheLargestPictureIsCappedAsTheRasterOne) {
  struct Case {
    int w, h;                    // pixels at 96 dpi
    bool raster, smooth, print;  // taken
  };
  const Case cases[] = {
      {8000, 9000, true, true, true},     // the most pixels
      {8000, 9001, false, false, false},  // one row more
      {19200, 300, true, true, true},     // 200 inches wide
      {19201, 300, true, true, false},    // beyond what a PDF page holds
      {300, 20000, true, true, false},
  };
  for (const Case& c : cases) {
    CairoSurface raster;
    SmoothSurface smooth;
    VectorSurface print;
    const std::pair<Surface*, bool> surfaces[] = {
        {&raster, c.raster}, {&smooth, c.smooth}, {&print, c.print}};
    for (auto [s, taken] : surfaces) {
      Size(*s, 40, 30);
      int number = 0;
      try {
        s->Move(0, 0, c.w * kTwips, c.h * kTwips);
      } catch (const RuntimeError& e) {
        number = e.Number();
      }
      EXPECT_EQ(number, taken ? 0 : 7) << c.w << " x " << c.h;
      EXPECT_EQ(s->PixelWidth(), taken ? c.w : 40) << c.w << " x " << c.h;
    }
  }
}

// A scratch surface holds an area and a margin around it: with the margin set aside, it takes the
// largest picture's area and refuses what no picture has.
TEST(VectorSurface, AScratchSurfaceTakesTheLargestPictureAndItsMargin) {
  constexpr float kMargin = 157;  // a millimetre and 100 twips: 10.5 pixels
  struct Case {
    int w, h;                    // pixels of the area at 96 dpi, without the margin
    bool raster, smooth, print;  // taken
  };
  const Case cases[] = {
      {8000, 9000, true, true, true},     // the most pixels
      {8000, 9001, false, false, false},  // one row more
      {19200, 300, true, true, true},     // 200 inches wide
      {19201, 300, true, true, false},    // beyond what a PDF page holds
  };
  for (const Case& c : cases) {
    CairoSurface raster;
    SmoothSurface smooth;
    VectorSurface print;
    const std::pair<Surface*, bool> surfaces[] = {
        {&raster, c.raster}, {&smooth, c.smooth}, {&print, c.print}};
    for (auto [s, taken] : surfaces) {
      s->CapMargin = kMargin;
      int number = 0;
      try {
        s->Move(0, 0, c.w * kTwips + kMargin, c.h * kTwips + kMargin);
      } catch (const RuntimeError& e) {
        number = e.Number();
      }
      EXPECT_EQ(number, taken ? 0 : 7) << c.w << " x " << c.h;
    }
  }
}

TEST(VectorSurface, GrowingKeepsTheDrawingAtTheTopLeft) {
  VectorSurface s;
  Size(s, 20, 20);
  s.FilledBox(0, 0, 20 * kTwips, 20 * kTwips, kRed);
  s.Move(0, 0, 40 * kTwips, 30 * kTwips);
  EXPECT_EQ(s.PixelWidth(), 40);
  EXPECT_EQ(s.Pixel(19, 19), kRed);
  EXPECT_EQ(s.Pixel(30, 25), kWhite);
}

TEST(VectorSurface, ASymbolDrawnAgainAndAgainIsKeptOnceAndLooksTheSame) {
  // Circles of a data set are painted from one recording of the circle; the picture must be the one
  // the shapes themselves give (the smoothed raster draws each circle as its own path).
  VectorSurface vector;
  SmoothSurface smooth;
  for (Surface* s : {static_cast<Surface*>(&vector), static_cast<Surface*>(&smooth)}) {
    Size(*s, 200, 120);
    s->FillStyle = FillKind::Solid;
    s->FillColor = kRed;
    for (int i = 0; i < 100; ++i) {
      s->DrawWidth = 1 + i / 50;  // two kinds of circle
      s->Circle((10 + i * 37 % 180) * kTwips, (10 + i * 53 % 100) * kTwips, 5 * kTwips);
    }
  }
  int worst = 0;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 200; ++x) {
      const OleColor a = vector.Pixel(x, y), b = smooth.Pixel(x, y);
      for (int shift : {0, 8, 16})
        worst = std::max(
            worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
  EXPECT_LE(worst, 2) << "rounding of the blend only";
  const std::string svg = ::testing::TempDir() + "/marks.svg";
  vector.SavePicture(svg);
  std::ifstream in(svg);
  const std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto count = [&](const std::string& what) {
    int n = 0;
    for (size_t at = doc.find(what); at != std::string::npos; at = doc.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("<g id=\"s"), 2) << "one definition for each kind of circle";
  EXPECT_EQ(count("<use xlink:href=\"#s"), 100);
}

}  // namespace
}  // namespace plotara
