// SavePage: the chart as it is now, drawn anew on a page of its own: shapes and text in a document even
// from a control that draws pixels, laid out at the page's size, and the screen as it was.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <regex>
#include <vector>

#include "plotara/Plotara.h"
#include "support/Command.h"
#include "support/Errors.h"

namespace plotara {
namespace {

using test::ScratchPath;
using test::Shell;

// A drawn chart of 400 x 300 pixels zoomed by pinches to a tenth of its range about (3000, 2000) twips.
struct ZoomedChart {
  ZoomedChart() {
    p.ResizePicture(400, 300);
    p.NewGraph("Sales", 0, 100, 0, 100);
    p.NewDataSet("2026");
    for (int i = 0; i <= 100; i += 5) p.AddDataPoint(i, i);
    p.Refresh();
    p.SelectXaxis();
    while (p.AxisViewValue2() - p.AxisViewValue1() > 10.001) p.Pinch(3000, 2000, 1.25);
  }
  std::vector<uint32_t> Screen() const {
    const PictureView v = p.Picture1();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < v.Height; ++y)
      pixels.insert(pixels.end(), v.Pixels + y * v.StridePixels, v.Pixels + y * v.StridePixels + v.Width);
    return pixels;
  }
  Plotara p;
};

TEST(SavePage, ADocumentOfARasterControlHoldsShapesAndTheTextOfTheViewShown) {
  ZoomedChart chart;
  const std::vector<uint32_t> before = chart.Screen();
  const double lo = chart.p.AxisViewValue1();
  const std::string pdf = ScratchPath("page.pdf");
  chart.p.SavePage(pdf);
  const test::ShellRun text = Shell("pdftotext -layout '" + pdf + "' -");
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("Sales"), std::string::npos) << text.out;
  EXPECT_EQ(text.out.find("100"), std::string::npos) << "the zoomed view's labels, not the full range's";
  EXPECT_NE(text.out.find(std::to_string(static_cast<int>(std::floor(lo)))), std::string::npos) << text.out;
  EXPECT_EQ(Shell("pdfimages -list '" + pdf + "' | tail -n +3").out, "") << "no picture inside: shapes";
  EXPECT_NE(Shell("pdfinfo '" + pdf + "'").out.find(" 300 x 225 pts"), std::string::npos)
      << "the picture's own size: 400 x 300 pixels at 96 dpi";
  EXPECT_EQ(chart.Screen(), before) << "the screen shows what it showed";
  EXPECT_EQ(chart.p.AxisViewValue1(), lo);
}

TEST(SavePage, TheChartIsLaidOutAnewWhereThePageWantsIt) {
  ZoomedChart chart;
  const std::string pdf = ScratchPath("a4.pdf");
  // An A4 sheet with the chart in a rectangle 15 x 10 cm, 2 cm from its top left corner.
  const double cm = 1440 / 2.54;
  chart.p.SavePage(pdf, {.PageWidth = 21 * cm,
                         .PageHeight = 29.7 * cm,
                         .Left = 2 * cm,
                         .Top = 2 * cm,
                         .Width = 15 * cm,
                         .Height = 10 * cm});
  const std::string info = Shell("pdfinfo '" + pdf + "'").out;
  EXPECT_NE(info.find(" 595.276 x 841.89 pts (A4)"), std::string::npos) << info;
  // The title stands near the top of the chart's rectangle, centred across it.
  const std::string box = Shell("pdftotext -bbox '" + pdf + "' - | grep '>Sales<'").out;
  std::smatch m;
  ASSERT_TRUE(
      std::regex_search(box, m, std::regex(R"re(xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)")re")))
      << box;
  const double points = 72 / 2.54;
  EXPECT_NEAR((std::stod(m[1]) + std::stod(m[3])) / 2, (2 + 7.5) * points, 1.5 * points);
  EXPECT_GT(std::stod(m[2]), 2 * points);
  EXPECT_LT(std::stod(m[2]), 4 * points);
}

TEST(SavePage, APictureAtAnotherResolutionKeepsTheLayout) {
  ZoomedChart chart;
  const std::string png = ScratchPath("page.png");
  chart.p.SavePage(png, {.Dpi = 192});
  cairo_surface_t* image = cairo_image_surface_create_from_png(png.c_str());
  EXPECT_EQ(cairo_image_surface_get_width(image), 800);
  EXPECT_EQ(cairo_image_surface_get_height(image), 600);
  cairo_surface_destroy(image);
  EXPECT_EQ(test::ErrorNumberOf([&] { chart.p.SavePage(ScratchPath("page.bmp")); }), 5);
  EXPECT_EQ(test::ErrorNumberOf([&] { chart.p.SavePage(png, {.Width = -1}); }), 5);
}

}  // namespace
}  // namespace plotara
