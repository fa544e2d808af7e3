#include "gradient/clsGradient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

#include "gradient/GradientColours.h"
#include "platform/RuntimeError.h"
#include "support/Pixels.h"
#include "support/ReferenceImage.h"
#include "surface/CairoSurface.h"

namespace plotara {
namespace {

constexpr OleColor kBlack = 0x000000;
constexpr OleColor kWhite = 0xFFFFFF;
constexpr OleColor kMarker = 0xFF00FF;  // a colour no black-to-white ramp contains

// A w x h pixel surface at 96 dpi, filled with the marker so that every pixel left unpainted shows.
std::unique_ptr<CairoSurface> Canvas(int w, int h) {
  auto s = std::make_unique<CairoSurface>(96);
  s->BackColor = kMarker;
  s->Move(0, 0, w * 15.0f, h * 15.0f);
  s->Cls();
  return s;
}

clsGradient Painter(int style, float angle, OleColor c1 = kBlack, OleColor c2 = kWhite) {
  clsGradient g;
  g.Style(static_cast<int16_t>(style));
  g.Angle(angle);
  g.Color1(c1);
  g.Color2(c2);
  return g;
}

// The largest difference of one channel between two colours.
int Distance(OleColor a, OleColor b) {
  return std::max(
      {std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)), std::abs(BlueOf(a) - BlueOf(b))});
}

// ---------------------------------------------------------------- properties

TEST(clsGradient, PropertiesFollowTheirSetterRules) {
  clsGradient g;
  EXPECT_EQ(g.Style(), 1);
  EXPECT_EQ(g.Color1(), 0x00FFFFD0);
  EXPECT_EQ(g.Color2(), 0x00400000);
  EXPECT_EQ(g.Angle(), 315.0f);
  // Shift is clamped when a ramp is built, and a NaN shift means no bend.
  for (auto [set, kept] : {std::pair{5.0f, 1.0f}, {-3.0f, -1.0f}, {0.25f, 0.25f}, {NAN, 0.0f}}) {
    g.Shift(set);
    EXPECT_TRUE(g.Draw(*Canvas(8, 8)));
    EXPECT_EQ(g.Shift(), kept) << set;
  }
  const float inf = std::numeric_limits<float>::infinity();
  for (auto [set, stored] : {std::pair{-45.0f, 315.0f},
                             {720.0f, 0.0f},
                             {-90.0f, 270.0f},
                             {450.0f, 90.0f},
                             {360.0f, 0.0f},
                             {-720.25f, 359.75f},
                             {3600000256.0f, 256.0f},
                             {-1e-7f, 0.0f},
                             {NAN, 0.0f},
                             {inf, 0.0f},
                             {-inf, 0.0f}}) {
    g.Angle(set);
    EXPECT_EQ(g.Angle(), stored) << set;
  }
  g.Angle(-1e30f);
  EXPECT_TRUE(g.Angle() >= 0 && g.Angle() < 360) << g.Angle();
  const auto sys = [](int i) { return static_cast<OleColor>(0x80000000u | i); };
  for (auto [set, stored] : {std::pair{sys(5), GetSysColor(5)},
                             {sys(24), 0x00E1FFFF},
                             {sys(25), sys(25)},
                             {-1, -1},
                             {0x00123456, 0x00123456}}) {
    g.Color1(set);
    g.Color2(set);
    EXPECT_EQ(g.Color1(), stored) << std::hex << set;
    EXPECT_EQ(g.Color2(), stored) << std::hex << set;
  }
}

// ---------------------------------------------------------------- what gets painted

TEST(clsGradient, AreaLessThanTwoPixelsDrawsNothing) {
  for (auto [w, h] : {std::pair{1, 50}, {50, 1}}) {
    auto s = Canvas(w, h);
    clsGradient g = Painter(5, 315);
    EXPECT_FALSE(g.Draw(*s)) << w << "x" << h;
    EXPECT_EQ(test::CountColor(*s, 0, 0, w, h, kMarker), w * h);
    EXPECT_TRUE(g.LastError().empty());
  }
  clsGradient g = Painter(1, 0);
  EXPECT_TRUE(g.Draw(*Canvas(2, 2)));
}

// No stripe of the old picture along an edge (fan lines leave out their last pixel) and no gap between
// the lines of a sweep, for every style, several angles, wide, tall and tiny areas.
TEST(clsGradient, EveryStyleCoversTheWholeArea) {
  const float angles[] = {0, 1, 44.9f, 45, 89, 90, 135, 180, 225, 269.9f, 270, 315, 359.9f};
  for (int style = -6; style <= 7; ++style)
    for (auto [w, h] : {std::pair{37, 23}, {23, 37}, {16, 16}, {2, 9}, {9, 2}, {2, 2}})
      for (float angle : angles) {
        auto s = Canvas(w, h);
        clsGradient g = Painter(style, angle);
        ASSERT_TRUE(g.Draw(*s));
        ASSERT_EQ(test::CountColor(*s, 0, 0, w, h, kMarker), 0)
            << style << " " << angle << " " << w << "x" << h;
      }
}

// Along an axis: one line per pixel column (or row) and one just outside each edge.
TEST(clsGradient, LinearSweepEndsForEveryAngleAndOnePixelAreas) {
  const float inf = std::numeric_limits<float>::infinity();
  for (auto [angle, alongX] : {std::pair{0.0f, true},
                               {90.0f, false},
                               {180.0f, true},
                               {270.0f, false},
                               {-270.0f, false},
                               {NAN, true},
                               {inf, true}}) {
    for (auto [w, h] : {std::pair{40, 25}, {1, 25}, {40, 1}, {1, 1}}) {
      auto s = Canvas(w, h);
      clsGradient g = Painter(1, angle);
      EXPECT_EQ(g.PaintGradient(*s, w, h), (alongX ? w : h) + 2) << angle << " " << w << "x" << h;
      EXPECT_EQ(test::CountColor(*s, 0, 0, w, h, kMarker), 0) << angle << " " << w << "x" << h;
    }
  }
  // Angle 0, 40 wide: 42 lines, column x in colour x + 1 of the ramp, one pixel wide.
  auto s = Canvas(40, 25);
  clsGradient g = Painter(1, 0);
  ASSERT_TRUE(g.Draw(*s));
  std::vector<OleColor> ramp;
  GradientRamp(kBlack, kWhite, 42, 0, false, ramp);
  for (int x = 0; x < 40; ++x)
    EXPECT_TRUE(s->Pixel(x, 0) == ramp[x + 1] && s->Pixel(x, 24) == ramp[x + 1]) << x;
  g.Angle(1e30f);
  const int lines = g.PaintGradient(*Canvas(40, 25), 40, 25);
  EXPECT_TRUE(lines > 25 && lines < 40 + 40 + 25 + 4) << lines;
}

// Black to white: `dark` must lie near Color1 and `light` near Color2.
TEST(clsGradient, ColoursLieWhereTheAnglePointsThem) {
  constexpr int W = 60, H = 40, R = W - 1, B = H - 1;
  struct Case {
    int style;
    float angle;
    int darkX, darkY, lightX, lightY;
  };
  const Case cases[] = {
      {1, 0, 0, 20, R, 20},   {1, 90, 30, B, 30, 0}, {1, 180, R, 20, 0, 20}, {1, 270, 30, 0, 30, B},
      {1, 45, 0, B, R, 0},    {1, 135, R, B, 0, 0},  {1, 225, R, 0, 0, B},   {1, 315, 0, 0, R, B},
      {2, 0, 0, 0, 30, 20},   {3, 0, 0, 0, 30, 20},  // concentric: Color2 at the centre
      {4, 0, 0, 20, R, 20},   {4, 90, 30, B, 30, 0}, {4, 180, R, 20, 0, 20}, {4, 270, 30, 0, 30, B},
      {4, 315, 0, 20, R, 20},  // a tie goes to the even case: left to right
      {5, 45, 0, B, R, 0},    {5, 135, R, B, 0, 0},  {5, 225, R, 0, 0, B},   {5, 315, 0, 0, R, B},
      {6, 45, 0, 0, R, B},    {6, 135, R, 0, 0, B},  {6, 225, 0, 0, R, B},   {6, 315, R, 0, 0, B},
  };
  for (const Case& c : cases) {
    auto s = Canvas(W, H);
    clsGradient g = Painter(c.style, c.angle);
    ASSERT_TRUE(g.Draw(*s));
    EXPECT_LE(Distance(s->Pixel(c.darkX, c.darkY), kBlack), 32) << c.style << " at " << c.angle;
    EXPECT_LE(Distance(s->Pixel(c.lightX, c.lightY), kWhite), 32) << c.style << " at " << c.angle;
  }
}

TEST(clsGradient, ReflectedLinearRunsOutToColour2AndBack) {
  auto s = Canvas(121, 10);
  clsGradient g = Painter(0, 0);
  ASSERT_TRUE(g.Draw(*s));
  EXPECT_LE(Distance(s->Pixel(0, 5), kBlack), 8);
  EXPECT_LE(Distance(s->Pixel(60, 5), kWhite), 8);
  for (int x = 0; x < 121; ++x) EXPECT_EQ(s->Pixel(x, 5), s->Pixel(120 - x, 5)) << x;
}

TEST(clsGradient, DiamondsLeaveTheCornersInColour1) {
  auto s = Canvas(60, 40);
  clsGradient g = Painter(3, 0, 0x0000FF, 0xFF0000);
  ASSERT_TRUE(g.Draw(*s));
  EXPECT_EQ(s->BackColor, 0x0000FF);
  for (auto [x, y] : {std::pair{0, 0}, {59, 0}, {0, 39}, {59, 39}, {8, 5}})
    EXPECT_EQ(s->Pixel(x, y), 0x0000FF);
}

// Style -2 draws the rectangles of style 2 with the reflected ramp.
TEST(clsGradient, NegativeStyleReflectsTheRampOfTheSameShapes) {
  auto plain = Canvas(40, 30), reflected = Canvas(40, 30);
  clsGradient g2 = Painter(2, 0), gm2 = Painter(-2, 0);
  ASSERT_TRUE(g2.Draw(*plain) && gm2.Draw(*reflected));
  const int count = 25;  // nearest(40 / 2 + 2 + 3)
  std::vector<OleColor> up, mirrored;
  GradientRamp(kBlack, kWhite, count, 0, false, up);
  GradientRamp(kBlack, kWhite, count, 0, true, mirrored);
  std::map<OleColor, int> index;  // the plain colours all differ: each names its rectangle
  for (int i = 0; i < count; ++i) index[up[i]] = i;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const auto it = index.find(plain->Pixel(x, y));
      ASSERT_NE(it, index.end());
      ASSERT_EQ(reflected->Pixel(x, y), mirrored[it->second]) << x << "," << y;
    }
}

// ---------------------------------------------------------------- pens, fill and failures

// The painter leaves the surface's pen and fill style as it found them; a solid fill changes no pixel.
TEST(clsGradient, GivesBackPenAndFillStyle) {
  for (int style : {1, 2, 3, 4, -5, 6}) {
    auto hollow = Canvas(50, 30), solid = Canvas(50, 30);
    solid->FillStyle = FillKind::Solid;
    solid->FillColor = 0x00FF00;
    solid->SelectPen(Pen{0x123456, 3});
    clsGradient g = Painter(style, 45);
    ASSERT_TRUE(g.Draw(*hollow) && g.Draw(*solid));
    EXPECT_EQ(solid->FillStyle, FillKind::Solid);
    const std::optional<Pen> pen = solid->SelectPen(std::nullopt);
    EXPECT_TRUE(pen && pen->color == 0x123456 && pen->width == 3) << style;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 50; ++x) ASSERT_EQ(solid->Pixel(x, y), hollow->Pixel(x, y)) << style;
  }
}

// A device that fails on its n-th line or rectangle.
class FailingSurface final : public Surface {
 public:
  explicit FailingSurface(int failAt) : Surface(96), failAt_(failAt) {}
  std::optional<Pen> pen;

  int PixelWidth() const override { return 30; }
  int PixelHeight() const override { return 20; }
  std::optional<Pen> SelectPen(std::optional<Pen> p) override { return std::exchange(pen, p); }
  void LineTo(int, int) override { Shape(); }
  void Rectangle(int, int, int, int) override { Shape(); }
  void MoveTo(int, int) override {}
  void Cls() override {}
  void Move(float, float, float, float) override {}
  void FilledBox(float, float, float, float, OleColor) override {}
  void PSet(float, float, OleColor) override {}
  void Print(std::string_view) override {}
  float TextWidth(std::string_view) override { return 0; }
  float TextHeight(std::string_view) override { return 0; }
  void BitBlt(int, int, int, int, Surface&, int, int) override {}
  void Polygon(std::span<const PixelPoint>) override {}
  void TextOut(int, int, std::string_view, int) override {}
  void SetClipRect(float, float, float, float) override {}
  void ResetClip() override {}
  std::unique_ptr<Surface> MakeCompatible() const override { return nullptr; }
  bool ExactPixels() const override { return true; }
  void Flush() override {}
  void Discard() override {}
  PictureView Image() override { return {}; }
  void SavePicture(const std::string&) override {}

 protected:
  void DrawLine(float, float, float, float, OleColor) override {}
  void DrawBox(float, float, float, float, OleColor) override {}
  void DrawCircle(float, float, float, OleColor) override {}
  void ShowPicture(Surface&, const PixelRect*) override {}

 private:
  void Shape() {
    if (failAt_-- == 0) Raise(err::OutOfMemory);
  }
  int failAt_;
};

TEST(clsGradient, FailureReturnsFalseReportsAndLeavesThePainterUsable) {
  FailingSurface failing(5);
  failing.SelectPen(Pen{0x123456, 2});
  std::vector<std::string> warnings;
  clsGradient g;
  g.SetWarningHandler([&](const std::string& d) { warnings.push_back(d); });
  EXPECT_FALSE(g.Draw(failing));
  EXPECT_EQ(g.LastErrorNumber(), 7);
  EXPECT_EQ(warnings, std::vector<std::string>{"Out of memory"});
  EXPECT_EQ(failing.pen.value().color, 0x123456);  // given back on the way out

  EXPECT_TRUE(g.Draw(*Canvas(30, 20)));
  EXPECT_EQ(g.LastErrorNumber(), 0);
  EXPECT_TRUE(g.LastError().empty());

  g.SetWarningHandler([](const std::string&) { throw std::runtime_error("handler"); });
  FailingSurface again(0);
  EXPECT_FALSE(g.Draw(again));
  EXPECT_EQ(g.LastError(), "Out of memory");
}

// ---------------------------------------------------------------- the picture

// Every style at a few angles and shifts in the default colours, four to a row.
TEST(clsGradient, AllStylesMatchTheirReferencePicture) {
  struct Cell {
    int style;
    float angle, shift;
  };
  const Cell cells[] = {{1, 315, 0},  {1, 90, 0},     {0, 0, 0},      {1, 30, 0.5f}, {2, 315, 0},
                        {-2, 315, 0}, {3, 315, 0},    {-3, 0, -0.5f}, {4, 0, 0},     {4, 270, 0},
                        {-4, 90, 0},  {4, 30, -0.5f}, {5, 45, 0},     {5, 225, 0},   {-5, 315, 0},
                        {5, 135, 1},  {6, 45, 0},     {6, 135, 0},    {6, 225, 0},   {-6, 315, 0}};
  constexpr int CW = 96, CH = 64, Gap = 4;
  CairoSurface sheet(96);
  sheet.BackColor = 0x808080;
  sheet.Move(0, 0, 4 * (CW + Gap) * 15.0f, 5 * (CH + Gap) * 15.0f);
  sheet.Cls();
  for (int i = 0; i < 20; ++i) {
    auto cell = Canvas(CW, CH);
    clsGradient g;
    g.Style(static_cast<int16_t>(cells[i].style));
    g.Angle(cells[i].angle);
    g.Shift(cells[i].shift);
    ASSERT_TRUE(g.Draw(*cell));
    sheet.BitBlt((i % 4) * (CW + Gap), (i / 4) * (CH + Gap), CW, CH, *cell, 0, 0);
  }
  // A component may be one rounding step off where pow rounds differently; shapes may not move.
  EXPECT_TRUE(test::MatchesReference(sheet, "gradient_styles", {2, 0.0}));
}

}  // namespace
}  // namespace plotara
