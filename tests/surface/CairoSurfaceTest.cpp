#include "surface/CairoSurface.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/RuntimeError.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

using test::CountColor;
using test::CountDifferences;
using test::FindInk;
using test::kWhite;

constexpr OleColor kRed = 0x000000FF;
constexpr OleColor kBlue = 0x00FF0000;
constexpr float kTw = 15;  // twips per pixel at 96 dpi

// A white 100 x 80 pixel surface at 96 dpi.
struct Canvas {
  CairoSurface s{96};
  Canvas() {
    s.Move(0, 0, 100 * kTw, 80 * kTw);
    s.Cls();
  }
};

TEST(CairoSurface, SizeFollowsTheResolution) {
  CairoSurface at96(96), at192(192);
  at96.Move(0, 0, 6000, 4500);
  at192.Move(0, 0, 6000, 4500);
  EXPECT_EQ(at96.PixelWidth(), 400);
  EXPECT_EQ(at96.PixelHeight(), 300);
  EXPECT_EQ(at192.PixelWidth(), 800);
  EXPECT_EQ(at192.PixelHeight(), 600);
  EXPECT_FLOAT_EQ(at96.ScaleX(1, ScaleUnit::Millimetres, ScaleUnit::Twips), 1440.0f / 25.4f);
  EXPECT_FLOAT_EQ(at192.ScaleX(30, ScaleUnit::Twips, ScaleUnit::Pixels), 4.0f);
}

TEST(CairoSurface, OnePixelLineLeavesOutItsLastPixel) {
  struct Case {
    int x1, y1, x2, y2;
  };
  for (const Case& c : {Case{10, 10, 20, 10}, Case{10, 10, 10, 30}, Case{10, 30, 10, 10},
                        Case{20, 20, 10, 20}, Case{5, 5, 15, 15}}) {
    Canvas k;
    k.s.Line(c.x1 * kTw, c.y1 * kTw, c.x2 * kTw, c.y2 * kTw, kRed);
    EXPECT_EQ(k.s.Pixel(c.x1, c.y1), kRed) << "first pixel drawn";
    EXPECT_EQ(k.s.Pixel(c.x2, c.y2), kWhite) << "last pixel left out";
    const int len = std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1));
    EXPECT_EQ(CountColor(k.s, 0, 0, 100, 80, kRed), len);
  }
}

TEST(CairoSurface, ALineInAColumnStopsAtTheClip) {
  for (const auto& [from, to] : {std::pair{5, 40}, std::pair{40, 5}, std::pair{0, 80}}) {
    Canvas k;
    k.s.SetClipRect(0, 15 * kTw, 100 * kTw, 25 * kTw);
    k.s.Line(10 * kTw, from * kTw, 10 * kTw, to * kTw, kRed);
    EXPECT_EQ(CountColor(k.s, 0, 0, 100, 80, kRed), 10) << from << " to " << to;
    EXPECT_EQ(CountColor(k.s, 10, 15, 11, 25, kRed), 10);
  }
}

TEST(CairoSurface, LineMovesTheTextPositionToItsEnd) {
  Canvas k;
  k.s.Line(150, 150, 600, 450);
  EXPECT_FLOAT_EQ(k.s.CurrentX, 600);
  EXPECT_FLOAT_EQ(k.s.CurrentY, 450);
}

TEST(CairoSurface, DottedLineIsThreeOnThreeOff) {
  Canvas k;
  k.s.DrawStyle = LineKind::Dot;
  k.s.Line(0, 10 * kTw, 24 * kTw, 10 * kTw, kRed);
  std::string pattern;
  for (int x = 0; x < 12; ++x) pattern += k.s.Pixel(x, 10) == kRed ? '#' : '.';
  EXPECT_EQ(pattern, "###...###...");
}

TEST(CairoSurface, BoxIncludesLeftAndTopEdgeOnly) {
  Canvas k;
  k.s.FilledBox(10 * kTw, 20 * kTw, 30 * kTw, 25 * kTw, kBlue);
  EXPECT_EQ(CountColor(k.s, 0, 0, 100, 80, kBlue), 20 * 5);
  EXPECT_EQ(k.s.Pixel(10, 20), kBlue);
  EXPECT_EQ(k.s.Pixel(29, 24), kBlue);
  EXPECT_EQ(k.s.Pixel(30, 24), kWhite);
  EXPECT_EQ(k.s.Pixel(29, 25), kWhite);
}

TEST(CairoSurface, BoxOutlineFillsWithFillColorOnlyWhenSolid) {
  Canvas hollow, solid;
  for (Canvas* k : {&hollow, &solid}) {
    k->s.FillColor = kBlue;
    k->s.FillStyle = k == &solid ? FillKind::Solid : FillKind::Transparent;
    k->s.Box(10 * kTw, 10 * kTw, 20 * kTw, 20 * kTw, kRed);
    EXPECT_EQ(k->s.Pixel(10, 10), kRed);
    EXPECT_EQ(k->s.Pixel(19, 19), kRed);
    EXPECT_EQ(k->s.Pixel(20, 20), kWhite);
    EXPECT_EQ(CountColor(k->s, 0, 0, 100, 80, kRed), 36);  // the 10 x 10 outline
  }
  EXPECT_EQ(hollow.s.Pixel(15, 15), kWhite);
  EXPECT_EQ(solid.s.Pixel(15, 15), kBlue);
}

TEST(CairoSurface, DeviceRectangleLeavesOutRightAndBottomEdge) {
  Canvas k;
  k.s.SelectPen(Pen{kRed, 1});
  k.s.Rectangle(10, 10, 15, 13);
  EXPECT_EQ(k.s.Pixel(14, 12), kRed);
  EXPECT_EQ(k.s.Pixel(15, 12), kWhite);
  EXPECT_EQ(k.s.Pixel(14, 13), kWhite);
  EXPECT_EQ(CountColor(k.s, 0, 0, 100, 80, kRed), 5 * 3 - 3);  // hollow 5 x 3: the middle row's inner 3
}

TEST(CairoSurface, InvertTwiceRestoresThePicture) {
  Canvas k;
  k.s.FilledBox(0, 0, 50 * kTw, 80 * kTw, kBlue);
  k.s.DrawMode = PenMode::Invert;
  for (int pass = 0; pass < 2; ++pass) {
    k.s.Box(20 * kTw, 10 * kTw, 80 * kTw, 60 * kTw);
    k.s.Line(0, 0, 99 * kTw, 79 * kTw);
    if (pass == 0) {
      EXPECT_EQ(k.s.Pixel(20, 10), 0x0000FFFF) << "blue inverted is yellow";
      EXPECT_EQ(k.s.Pixel(70, 10), 0) << "white inverted is black";
    }
  }
  EXPECT_EQ(CountColor(k.s, 0, 0, 50, 80, kBlue), 50 * 80);
  EXPECT_EQ(CountColor(k.s, 50, 0, 100, 80, kWhite), 50 * 80);
}

TEST(CairoSurface, ClipRectangleLeavesOutItsRightAndBottomEdge) {
  Canvas k;
  k.s.SetClipRect(10 * kTw, 10 * kTw, 20 * kTw, 30 * kTw);
  k.s.FilledBox(0, 0, 100 * kTw, 80 * kTw, kRed);
  k.s.Line(0, 15 * kTw, 100 * kTw, 15 * kTw, kBlue);
  EXPECT_EQ(CountColor(k.s, 0, 0, 100, 80, kRed) + CountColor(k.s, 0, 0, 100, 80, kBlue), 10 * 20);
  EXPECT_EQ(FindInk(k.s).x0, 10);
  EXPECT_EQ(FindInk(k.s).x1, 19);
  EXPECT_EQ(FindInk(k.s).y1, 29);
  k.s.ResetClip();
  k.s.PSet(0, 0, kRed);
  EXPECT_EQ(k.s.Pixel(0, 0), kRed);
}

TEST(CairoSurface, LinesFarOffThePageAreCutCheaply) {
  Canvas k, d;
  k.s.Line(-1e30f, 40 * kTw, 1e30f, 40 * kTw, kRed);
  d.s.Line(-3e8f, -3e8f, 3e8f, 3e8f, kBlue);
  EXPECT_EQ(CountColor(k.s, 0, 40, 100, 41, kRed), 100);
  EXPECT_EQ(CountColor(d.s, 0, 0, 100, 80, kBlue), 80);
  EXPECT_EQ(d.s.Pixel(79, 79), kBlue);
}

TEST(CairoSurface, CircleIsCentredAndFilledWhenSolid) {
  Canvas k;
  k.s.FillStyle = FillKind::Solid;
  k.s.FillColor = kBlue;
  k.s.Circle(50 * kTw, 40 * kTw, 10 * kTw, kRed);
  const auto ink = FindInk(k.s);
  EXPECT_EQ(ink.x0, 40);
  EXPECT_EQ(ink.x1, 60);
  EXPECT_EQ(ink.y0, 30);
  EXPECT_EQ(ink.y1, 50);
  EXPECT_EQ(k.s.Pixel(50, 40), kBlue);
  EXPECT_EQ(k.s.Pixel(60, 40), kRed);
}

TEST(CairoSurface, WidePointIsRound) {
  Canvas k;
  k.s.DrawWidth = 5;
  k.s.PSet(50 * kTw, 40 * kTw, kRed);
  const auto ink = FindInk(k.s);
  EXPECT_EQ(ink.x1 - ink.x0, 4);
  EXPECT_EQ(ink.y1 - ink.y0, 4);
  EXPECT_EQ(k.s.Pixel(ink.x0, ink.y0), kWhite) << "corners stay clear";
}

TEST(CairoSurface, PolygonFillsAndOutlines) {
  Canvas k;
  k.s.FillStyle = FillKind::Solid;
  k.s.FillColor = kBlue;
  k.s.ForeColor = kRed;
  const std::array<PixelPoint, 4> diamond{{{50, 20}, {30, 40}, {50, 60}, {70, 40}}};
  k.s.Polygon(diamond);
  EXPECT_EQ(k.s.Pixel(50, 40), kBlue);
  for (const PixelPoint& p : diamond) EXPECT_EQ(k.s.Pixel(p.x, p.y), kRed);
  EXPECT_EQ(k.s.Pixel(35, 25), kWhite);
}

TEST(CairoSurface, SelectedPenDrawsMoveToLineTo) {
  Canvas k;
  const auto previous = k.s.SelectPen(Pen{kBlue, 1});
  EXPECT_FALSE(previous.has_value());
  k.s.MoveTo(5, 5);
  k.s.LineTo(5, 15);
  k.s.LineTo(25, 15);
  EXPECT_EQ(CountColor(k.s, 0, 0, 100, 80, kBlue), 10 + 20);
  k.s.SelectPen(previous);
  k.s.ForeColor = kRed;
  k.s.LineTo(25, 20);
  EXPECT_EQ(k.s.Pixel(25, 17), kRed);
}

TEST(CairoSurface, BitBltCopiesWithinTheDestinationClip) {
  Canvas src, dst;
  src.s.FilledBox(0, 0, 10 * kTw, 10 * kTw, kRed);
  dst.s.SetClipRect(0, 0, 55 * kTw, 80 * kTw);
  dst.s.BitBlt(50, 20, 10, 10, src.s, 0, 0);
  EXPECT_EQ(CountColor(dst.s, 0, 0, 100, 80, kRed), 5 * 10);
  dst.s.ResetClip();
  dst.s.BitBlt(-5, -5, 10, 10, src.s, 0, 0);  // cut at the destination's edge
  EXPECT_EQ(CountColor(dst.s, 0, 0, 10, 10, kRed), 25);
}

TEST(CairoSurface, ClsShowsThePersistentPictureAgain) {
  Canvas page, shown;
  page.s.FilledBox(0, 0, 20 * kTw, 20 * kTw, kBlue);
  shown.s.SetPicture(page.s);
  shown.s.FilledBox(50 * kTw, 50 * kTw, 60 * kTw, 60 * kTw, kRed);
  EXPECT_EQ(shown.s.Pixel(55, 55), kRed);
  shown.s.Cls();
  EXPECT_EQ(shown.s.Pixel(55, 55), kWhite);
  EXPECT_EQ(shown.s.Pixel(5, 5), kBlue);
}

// However the shown picture is drawn over (in one clip or several, with the pixel rules or with cairo),
// Cls brings back exactly the picture.
TEST(CairoSurface, ClsBringsBackThePictureWhateverWasDrawnOverIt) {
  Canvas page, other;
  for (int y = 0; y < 80; ++y)  // a different colour on every row, so that a row copied wrongly shows
    page.s.FilledBox(0, y * kTw, 100 * kTw, (y + 1) * kTw, static_cast<OleColor>(0x010203 * y));
  other.s.FilledBox(10 * kTw, 10 * kTw, 90 * kTw, 70 * kTw, kBlue);
  struct Case {
    const char* name;
    std::function<void(CairoSurface&)> draw;
  };
  const Case cases[] = {
      {"nothing drawn", [](CairoSurface&) {}},
      {"a box in a band of rows",
       [](CairoSurface& s) {
         s.SetClipRect(0, 30 * kTw, 100 * kTw, 40 * kTw);
         s.FilledBox(0, 0, 100 * kTw, 80 * kTw, kRed);
       }},
      {"text, then a box in another clip",
       [](CairoSurface& s) {
         s.SetClipRect(0, 0, 100 * kTw, 20 * kTw);
         s.CurrentX = 0;
         s.CurrentY = 0;
         s.Print("Legend");
         s.SetClipRect(0, 60 * kTw, 50 * kTw, 80 * kTw);
         s.FilledBox(0, 0, 100 * kTw, 80 * kTw, kRed);
       }},
      {"text level and turned, anywhere on the surface",
       [](CairoSurface& s) {
         s.ResetClip();
         s.FontSize = 14;
         s.CurrentX = 5 * kTw;
         s.CurrentY = 30 * kTw;
         s.Print("Wide level text");
         s.TextOut(60, 75, "Turned", 900);
         s.TextOut(30, 10, "Down", -450);
       }},
      {"a block copied in, then lines everywhere",
       [&](CairoSurface& s) {
         s.BitBlt(0, 0, 100, 80, other.s, 0, 0);
         s.ResetClip();
         for (int y = 0; y < 80; y += 7) s.Line(0, y * kTw, 100 * kTw, (79 - y) * kTw, kRed);
       }},
      {"a second picture shown in between, then drawn over",
       [&](CairoSurface& s) {
         s.FilledBox(0, 0, 100 * kTw, 80 * kTw, kRed);
         s.SetPicture(page.s);
         s.FilledBox(0, 0, 30 * kTw, 30 * kTw, kBlue);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas shown;
    shown.s.SetPicture(other.s);  // replaced before anything clears back to it
    shown.s.SetPicture(page.s);
    c.draw(shown.s);
    shown.s.Cls();
    EXPECT_EQ(CountDifferences(shown.s, page.s), 0);
  }
  // Growing keeps the picture at its size; what lies beyond is BackColor.
  Canvas grown;
  grown.s.SetPicture(page.s);
  grown.s.Move(0, 0, 120 * kTw, 90 * kTw);
  grown.s.FilledBox(0, 0, 120 * kTw, 90 * kTw, kRed);
  grown.s.Cls();
  EXPECT_EQ(grown.s.Pixel(50, 79), page.s.Pixel(50, 79));
  EXPECT_EQ(grown.s.Pixel(110, 85), kWhite);
  EXPECT_EQ(CountColor(grown.s, 0, 0, 120, 90, kRed), 0);
}

// A surface may paint a large plain fill late; whatever comes after, it must end with the pixels of the
// same drawing done at once (flushed after every step).
TEST(CairoSurface, FillsHeldBackEndWithThePixelsOfPaintingAtOnce) {
  constexpr int kW = 240, kH = 180;  // large enough for a late fill
  using Step = std::function<void(CairoSurface & s, CairoSurface & source)>;
  auto fill = [](CairoSurface& s, int x0, int y0, int x1, int y1, OleColor c) {
    s.FilledBox(x0 * kTw, y0 * kTw, x1 * kTw, y1 * kTw, c);
  };
  auto box = [&](int x0, int y0, int x1, int y1, OleColor c) -> Step {
    return [=](CairoSurface& s, CairoSurface&) { fill(s, x0, y0, x1, y1, c); };
  };
  auto sourceBox = [&](int x0, int y0, int x1, int y1, OleColor c) -> Step {
    return [=](CairoSurface&, CairoSurface& source) { fill(source, x0, y0, x1, y1, c); };
  };
  auto copy = [](int xd, int yd, int w, int h, int xs, int ys) -> Step {
    return [=](CairoSurface& s, CairoSurface& source) { s.BitBlt(xd, yd, w, h, source, xs, ys); };
  };
  auto line = [](int x1, int y1, int x2, int y2, OleColor c) -> Step {
    return [=](CairoSurface& s, CairoSurface&) { s.Line(x1 * kTw, y1 * kTw, x2 * kTw, y2 * kTw, c); };
  };
  const Step cls = [](CairoSurface& s, CairoSurface&) { s.Cls(); };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"a fill read back", {box(0, 0, kW, kH, kRed)}},
      {"overlapping boxes and outlines over a fill, then a line",
       {box(0, 0, kW, kH, kRed), box(10, 10, 200, 30, kBlue), box(150, 20, 230, 170, 0x00FF00),
        [](CairoSurface& s, CairoSurface&) {
          s.DrawWidth = 3;
          s.Box(5 * kTw, 5 * kTw, 100 * kTw, 100 * kTw, 0x808080);
          s.DrawWidth = 1;
        },
        line(0, 0, kW, kH, kBlue)}},
      {"more boxes over a fill than are kept",
       {box(0, 0, kW, kH, kRed),
        [&](CairoSurface& s, CairoSurface&) {
          for (int i = 0; i < 40; ++i)
            fill(s, 5 * i, 4 * i, 5 * i + 30, 4 * i + 9, static_cast<OleColor>(0x050607 * i));
        }}},
      {"a fill, a box, then a larger fill over both, then a box",
       {box(20, 20, 200, 160, kRed), box(30, 30, 60, 60, kBlue), box(10, 10, 220, 170, 0x00FF00),
        box(0, 0, 40, 40, kBlue)}},
      {"a fill, a box, then a fill over most of both, then a box",
       {box(0, 0, kW, kH, kRed), box(5, 5, 60, 40, kBlue), box(20, 10, kW, kH - 5, 0x00FF00),
        box(0, 0, 30, 30, 0x808080)}},
      {"a fill in a clip rectangle, then boxes beyond it",
       {[&](CairoSurface& s, CairoSurface&) {
          s.SetClipRect(30 * kTw, 20 * kTw, 210 * kTw, 150 * kTw);
          fill(s, 0, 0, kW, kH, kRed);
          s.ResetClip();
        },
        box(0, 0, 50, 50, kBlue)}},
      {"cleared, then a page filled over all but its margin, then boxes and a line",
       {line(0, 0, kW, kH, kBlue), cls, box(0, 0, kW - 12, kH - 12, kRed), box(100, 100, 140, 140, kBlue),
        box(0, 0, 120, 120, 0x00FF00), line(0, kH - 1, kW, kH - 1, kBlue)}},
      {"cleared in another colour, then a small box",
       {[](CairoSurface& s, CairoSurface&) {
          s.BackColor = 0x00FFE0C0;
          s.Cls();
        },
        box(10, 10, 20, 20, kRed)}},
      {"a fill cleared", {box(0, 0, kW, kH, kRed), cls}},
      {"text, a wide line and a polygon over a fill",
       {box(0, 0, kW, kH, kRed),
        [](CairoSurface& s, CairoSurface&) {
          s.CurrentX = 10 * kTw;
          s.CurrentY = 10 * kTw;
          s.Print("Over the fill");
          s.DrawWidth = 5;
          s.Line(0, 100 * kTw, kW * kTw, 120 * kTw, kBlue);
          s.FillStyle = FillKind::Solid;
          s.FillColor = 0x00FF00;
          const PixelPoint p[] = {{150, 20}, {230, 60}, {170, 90}};
          s.Polygon(p);
        }}},
      {"an inverted box over a fill",
       {box(0, 0, kW, kH, kRed), box(10, 10, 50, 50, kBlue),
        [&](CairoSurface& s, CairoSurface&) {
          s.DrawMode = PenMode::Invert;
          fill(s, 0, 0, 150, 100, kBlue);
        }}},
      {"blocks copied from a fill: inside it, after a box over it, and across its edge",
       {copy(0, 0, 100, 80, 30, 30), sourceBox(40, 40, 80, 80, kRed), copy(0, 90, 150, 90, 20, 20)}},
      {"a block copied across a fill's edge",
       {box(110, 0, kW, 90, kBlue),  // under the block, to be copied over
        copy(120, 0, 100, 80, 0, 0)}},
      {"a fill, then a block copied over part of it from a fill",
       {box(0, 0, kW, kH, kRed), copy(30, 30, 150, 100, 0, 0)}},
      {"a fill with a box over it, then a block copied over part of both",
       {box(0, 0, kW, kH, kRed), box(100, 20, 200, 60, kBlue), copy(60, 40, 120, 100, 0, 0),
        line(0, 50, kW, 50, 0x00FF00)}},
      {"a fill, then a block copied over all of it from across a fill's edge, then a line",
       {box(20, 20, 230, 170, kRed), line(0, 0, kW, kH, kBlue),
        box(0, 0, kW, kH, 0x00FF00),  // unpainted, over red and blue pixels
        copy(0, 0, kW, kH, 0, 0), line(0, 90, kW, 90, kBlue)}},
      {"a whole page copied from a fill, then boxes and a line",
       {sourceBox(0, 0, kW, kH, kBlue), copy(0, 0, kW, kH, 0, 0), box(20, 20, 200, 160, kRed),
        line(0, 0, kW, 0, 0x00FF00)}},
      {"a fill, then a block copied within the surface",
       {box(0, 0, kW, kH, kRed), box(0, 0, 30, 30, kBlue),
        [](CairoSurface& s, CairoSurface&) { s.BitBlt(10, 10, 100, 100, s, 0, 0); }}},
      {"a fill read, then drawn over again",
       {box(0, 0, kW, kH, kRed), [](CairoSurface& s, CairoSurface&) { EXPECT_EQ(s.Pixel(0, 0), kRed); },
        box(0, 0, 100, 100, kBlue)}},
      {"a fill, then the surface grown",
       {box(0, 0, kW, kH, kRed),
        [](CairoSurface& s, CairoSurface&) { s.Move(0, 0, (kW + 20) * kTw, (kH + 10) * kTw); }}},
      {"a fill shown as the picture, then cleared back to it",
       {[](CairoSurface& s, CairoSurface& source) { s.SetPicture(source); }, box(0, 0, kW, kH, kRed), cls}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CairoSurface late{96}, atOnce{96}, lateSource{96}, atOnceSource{96};
    for (CairoSurface* s : {&late, &atOnce, &lateSource, &atOnceSource}) {
      s->Move(0, 0, kW * kTw, kH * kTw);
      s->Cls();
    }
    for (CairoSurface* s : {&lateSource, &atOnceSource}) fill(*s, 10, 10, 200, 160, 0x00C0FFEE);
    for (const Step& step : c.steps) {
      step(late, lateSource);
      step(atOnce, atOnceSource);
      atOnce.Flush();
      atOnceSource.Flush();
    }
    ASSERT_EQ(late.PixelWidth(), atOnce.PixelWidth());
    EXPECT_EQ(CountDifferences(late, atOnce), 0);
    EXPECT_EQ(CountDifferences(lateSource, atOnceSource), 0);
  }
}

TEST(CairoSurface, GrowingKeepsTheImage) {
  Canvas k;
  k.s.FilledBox(0, 0, 10 * kTw, 10 * kTw, kRed);
  k.s.Move(0, 0, 200 * kTw, 100 * kTw);
  EXPECT_EQ(k.s.Pixel(5, 5), kRed);
  EXPECT_EQ(k.s.Pixel(150, 90), kWhite);
}

TEST(CairoSurface, ASizeBeyondWhatCanBeHadFailsAndChangesNothing) {
  Canvas k;
  k.s.FilledBox(0, 0, 10 * kTw, 10 * kTw, kRed);
  try {
    k.s.Move(0, 0, 1e9f, 1e9f);
    ADD_FAILURE() << "expected error 7";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 7);
  }
  EXPECT_EQ(k.s.PixelWidth(), 100);
  EXPECT_FLOAT_EQ(k.s.Width(), 100 * kTw);
  k.s.Line(0, 20 * kTw, 100 * kTw, 20 * kTw, kRed);
  EXPECT_EQ(k.s.Pixel(5, 5), kRed);
  EXPECT_EQ(k.s.Pixel(50, 20), kRed) << "still drawable";
}

TEST(CairoSurface, ArialIsTheMetricCompatibleLiberationSans) {
  Canvas a, l;
  l.s.FontName = "Liberation Sans";
  for (Canvas* k : {&a, &l}) k->s.FontSize = 12;
  const std::string text = "Plotara 1.02 axis labels";
  EXPECT_GT(a.s.TextWidth(text), 0);
  EXPECT_FLOAT_EQ(a.s.TextWidth(text), l.s.TextWidth(text));
  EXPECT_FLOAT_EQ(a.s.TextHeight("A"), l.s.TextHeight("A"));
  a.s.FontBold = true;
  EXPECT_GT(a.s.TextWidth(text), l.s.TextWidth(text));
}

TEST(CairoSurface, TextSizeScalesWithResolution) {
  CairoSurface lo(96), hi(192);
  const float w96 = lo.TextWidth("Sales by region"), w192 = hi.TextWidth("Sales by region");
  // Same length in twips, give or take the hinting of whole pixels.
  EXPECT_NEAR(w96, w192, w96 * 0.06);
}

TEST(CairoSurface, PrintPutsTheTextTopLeftAtTheTextPosition) {
  Canvas k;
  k.s.FontSize = 12;
  k.s.CurrentX = 20 * kTw;
  k.s.CurrentY = 30 * kTw;
  const float h = k.s.TextHeight("A");
  k.s.Print("ABC");
  const auto ink = FindInk(k.s);
  EXPECT_GE(ink.x0, 20);
  EXPECT_LE(ink.x0, 22);
  EXPECT_GE(ink.y0, 30);
  EXPECT_LT(ink.y1, 30 + h / kTw);
  EXPECT_FLOAT_EQ(k.s.CurrentX, 0);
  EXPECT_FLOAT_EQ(k.s.CurrentY, 30 * kTw + h);
}

TEST(CairoSurface, RotatedTextTurnsAboutItsTopLeftCorner) {
  Canvas k;
  k.s.FontSize = 12;
  const int w = static_cast<int>(k.s.TextWidth("Rotate") / kTw);
  const int h = static_cast<int>(k.s.TextHeight("A") / kTw);
  k.s.TextOut(30, 70, "Rotate", 900);  // reads upwards from (30, 70)
  auto ink = FindInk(k.s);
  EXPECT_GE(ink.x0, 30);
  EXPECT_LE(ink.x1, 30 + h);
  EXPECT_LE(ink.y1, 70);
  EXPECT_GE(ink.y0, 70 - w - 1);

  Canvas d;
  d.s.FontSize = 12;
  d.s.TextOut(70, 10, "Rotate", -900);  // reads downwards, the letters' tops facing right
  ink = FindInk(d.s);
  EXPECT_LE(ink.x1, 70);
  EXPECT_GE(ink.x0, 70 - h);
  EXPECT_GE(ink.y0, 10);
  EXPECT_LE(ink.y1, 10 + w + 1);
}

TEST(CairoSurface, SavesPngOfItsPixelSizeAndRefusesBadPaths) {
  CairoSurface s(192);
  s.Move(0, 0, 300, 150);
  const std::string path = ::testing::TempDir() + "/surface.png";
  s.SavePicture(path);
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char head[24] = {};
  ASSERT_EQ(std::fread(head, 1, 24, f), 24u);
  std::fclose(f);
  EXPECT_EQ(head[1], 'P');
  EXPECT_EQ((head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19], 40);
  EXPECT_EQ((head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23], 20);
  try {
    s.SavePicture("/no/such/dir/x.png");
    ADD_FAILURE() << "expected error 75";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 75);
  }
}

TEST(CairoSurface, EveryPngLevelKeepsThePixels) {
  Canvas k;
  k.s.ForeColor = kRed;
  k.s.DrawWidth = 3;
  k.s.Line(5 * kTw, 5 * kTw, 90 * kTw, 70 * kTw);
  k.s.ForeColor = 0x00336699;  // three channels apart: an order mixed up shows
  k.s.Circle(50 * kTw, 40 * kTw, 20 * kTw);
  k.s.CurrentX = 10 * kTw;
  k.s.CurrentY = 50 * kTw;
  k.s.Print("Level");
  const PictureView want = k.s.Image();
  std::map<int, long> bytes;
  for (const int level : {-1, 0, 1, 9}) {
    SCOPED_TRACE(level);
    const std::string path = ::testing::TempDir() + "/level" + std::to_string(level) + ".png";
    k.s.PngLevel = level;
    k.s.SavePicture(path);
    cairo_surface_t* got = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(got), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(got), want.Width);
    ASSERT_EQ(cairo_image_surface_get_height(got), want.Height);
    const auto* data = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(got));
    const int stride = cairo_image_surface_get_stride(got) / 4;
    int differing = 0;
    for (int y = 0; y < want.Height; ++y)
      for (int x = 0; x < want.Width; ++x)
        differing += (data[y * stride + x] & 0xFFFFFF) != (want.Pixels[y * want.StridePixels + x] & 0xFFFFFF);
    EXPECT_EQ(differing, 0);
    cairo_surface_destroy(got);
    FILE* f = std::fopen(path.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    bytes[level] = std::ftell(f);
    std::fclose(f);
  }
  EXPECT_GT(bytes[0], bytes[1]) << "level 0 stores, the others compress";
  EXPECT_GT(bytes[0], bytes[-1]);
}

TEST(CairoSurface, InvalidUtf8TextStillDraws) {
  Canvas k;
  k.s.CurrentX = 150;
  k.s.CurrentY = 150;
  k.s.Print(std::string("caf\xE9 \xFF", 6));
  k.s.Print("after");
  EXPECT_FALSE(FindInk(k.s).Empty());
  EXPECT_GT(k.s.TextWidth(std::string("\xE9", 1)), 0);
}

}  // namespace
}  // namespace plotara
