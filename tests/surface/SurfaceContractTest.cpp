// What every kind of surface promises: compatible surfaces of its own kind, the pixels it changed
// reported to the host, and a replaced picture shown again only where it changed.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "support/Pixels.h"
#include "surface/Surface.h"

namespace plotara {
namespace {

using test::CountDifferences;

constexpr OleColor kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF;
constexpr int kW = 200, kH = 150;

const SurfaceKind kKinds[] = {SurfaceKind::Raster, SurfaceKind::Smooth, SurfaceKind::Document};

std::unique_ptr<Surface> Make(SurfaceKind kind, double dpi = 96) {
  std::unique_ptr<Surface> s = MakeSurface(dpi, kind);
  const auto t = static_cast<float>(s->TwipsPerPixelX());
  s->Move(0, 0, kW * t, kH * t);
  s->Cls();
  return s;
}

void Fill(Surface& s, int x0, int y0, int x1, int y1, OleColor c) {
  const auto t = static_cast<float>(s.TwipsPerPixelX());
  s.FilledBox(x0 * t, y0 * t, x1 * t, y1 * t, c);
}

// What the next Refresh reports, or nothing.
std::optional<PixelRect> Reported(Surface& s) {
  std::optional<PixelRect> r;
  s.OnRefresh([&](const PixelRect& p) { r = p; });
  s.Refresh();
  s.OnRefresh({});
  return r;
}

TEST(SurfaceContract, ACompatibleSurfaceHasTheKindAndResolutionOfItsMaker) {
  for (SurfaceKind kind : kKinds) {
    const std::unique_ptr<Surface> maker = Make(kind, 144);
    const std::unique_ptr<Surface> made = maker->MakeCompatible();
    EXPECT_EQ(made->TwipsPerPixelX(), maker->TwipsPerPixelX());
    EXPECT_EQ(made->ExactPixels(), maker->ExactPixels());
    EXPECT_EQ(made->PixelWidth(), 0) << "empty until sized";
  }
}

TEST(SurfaceContract, EveryKindReportsTheBoxItDrewIn) {
  for (SurfaceKind kind : kKinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    const std::unique_ptr<Surface> s = Make(kind);
    Reported(*s);
    Fill(*s, 20, 30, 60, 50, kRed);
    EXPECT_EQ(Reported(*s), (PixelRect{20, 30, 40, 20}));
    EXPECT_EQ(Reported(*s), std::nullopt) << "nothing drawn since";
  }
}

// A picture B replaces A, which differed from it only inside `changed`; something was drawn over A while
// it was shown. Afterwards the pixels are B's, and only the changed part and what was drawn over A are
// reported.
TEST(SurfaceContract, AReplacedPictureIsShownAgainOnlyWhereItChanged) {
  struct Case {
    const char* name;
    PixelRect changed;
    bool drawOver;      // a box over the old picture at (150, 100)-(170, 120)
    bool firstPicture;  // no picture shown before B
    std::optional<PixelRect> reported;
  };
  const Case cases[] = {
      {"the changed part", {40, 20, 60, 40}, false, false, PixelRect{40, 20, 60, 40}},
      {"the changed part and a box drawn over the old picture",
       {40, 20, 60, 40},
       true,
       false,
       PixelRect{40, 20, 130, 100}},
      {"nothing changed, nothing drawn", {0, 0, 0, 0}, false, false, std::nullopt},
      {"a part reaching beyond the surface", {180, 140, 100, 100}, false, false, PixelRect{180, 140, 20, 10}},
      {"the first picture, whatever the part", {40, 20, 60, 40}, false, true, PixelRect{0, 0, kW, kH}},
  };
  for (SurfaceKind kind : kKinds) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << static_cast<int>(kind) << ": " << c.name);
      const std::unique_ptr<Surface> a = Make(kind), b = Make(kind), shown = Make(kind);
      for (Surface* s : {a.get(), b.get()}) Fill(*s, 0, 0, kW, kH, 0x00E0F0FF);
      const PixelRect& p = c.changed;
      if (p.Width > 0) Fill(*b, p.Left, p.Top, p.Left + p.Width, p.Top + p.Height, kBlue);
      if (!c.firstPicture) shown->SetPicture(*a);
      if (c.drawOver) Fill(*shown, 150, 100, 170, 120, kRed);
      Reported(*shown);
      shown->SetPicture(*b, c.changed);
      EXPECT_EQ(Reported(*shown), c.reported);
      EXPECT_EQ(CountDifferences(*shown, *b), 0);
      Fill(*shown, 0, 0, 10, 10, kRed);
      shown->Cls();
      EXPECT_EQ(CountDifferences(*shown, *b), 0) << "B is the persistent picture";
    }
  }
}

TEST(SurfaceContract, AResizedSurfaceShowsAllOfItsNextPicture) {
  for (SurfaceKind kind : kKinds) {
    SCOPED_TRACE(static_cast<int>(kind));
    const std::unique_ptr<Surface> a = Make(kind), shown = Make(kind);
    Fill(*a, 0, 0, 50, 50, kRed);
    shown->SetPicture(*a);
    const auto t = static_cast<float>(shown->TwipsPerPixelX());
    shown->Move(0, 0, kW * t / 2, kH * t / 2);
    shown->Move(0, 0, kW * t, kH * t);  // the part beyond the smaller size was lost
    Reported(*shown);
    shown->SetPicture(*a, PixelRect{0, 0, 1, 1});
    EXPECT_EQ(Reported(*shown), (PixelRect{0, 0, kW, kH}));
    EXPECT_EQ(CountDifferences(*shown, *a), 0);
    EXPECT_EQ(shown->Pixel(kW - 1, kH - 1), kWhite);
  }
}

}  // namespace
}  // namespace plotara
