// The options a control is made with: smoothing and vector documents, each keeping the plain control's
// layout, and the plain control drawing exactly as before.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "control/Internals.h"
#include "plotara/Plotara.h"

namespace plotara {
namespace {

// A slanted data line on a white page.
void DrawSlantedLine(Plotara& p) {
  p.ResizePicture(300, 200);
  p.NewGraph("slant", 0, 10, 0, 10);
  p.NewDataSet("line");
  p.SymbolStyle(0);
  p.DataLine(0x000000, 1, 1);
  p.AddDataPoint(0, 1);
  p.AddDataPoint(10, 7);
  p.Refresh();
}

std::set<uint32_t> ColoursOf(const PictureView& v) {
  std::set<uint32_t> colours;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      colours.insert(v.Pixels[static_cast<size_t>(y) * v.StridePixels + x] & 0xFFFFFF);
  return colours;
}

TEST(Options, AntialiasSmoothsAndKeepsThePictureSize) {
  Plotara plain;
  PlotaraOptions smoothOptions;
  smoothOptions.Antialias = true;
  Plotara smooth(smoothOptions);
  DrawSlantedLine(plain);
  DrawSlantedLine(smooth);
  const PictureView a = plain.Picture1(), b = smooth.Picture1();
  EXPECT_EQ(a.Width, b.Width);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_GT(ColoursOf(b).size(), ColoursOf(a).size() + 20) << "shades along the smoothed edges";
}

TEST(Options, TheDefaultOptionsAreThePlainControl) {
  Plotara byDpi(96.0);
  Plotara byOptions{PlotaraOptions{}};
  DrawSlantedLine(byDpi);
  DrawSlantedLine(byOptions);
  const PictureView a = byDpi.Picture1(), b = byOptions.Picture1();
  ASSERT_EQ(a.Height, b.Height);
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x)
      ASSERT_EQ(a.Pixels[static_cast<size_t>(y) * a.StridePixels + x] & 0xFFFFFF,
                b.Pixels[static_cast<size_t>(y) * b.StridePixels + x] & 0xFFFFFF)
          << x << "," << y;
}

std::string SavedDocument(const PlotaraOptions& options, const std::string& name) {
  Plotara p(options);
  DrawSlantedLine(p);
  const std::string path = ::testing::TempDir() + "/options_" + name;
  p.SavePicture(path);
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Options, VectorControlsWriteShapesAndFontsWhereRasterOnesEmbedAPicture) {
  struct Case {
    bool vector;
    bool svgText;
    const char* file;
    const char* present;
    const char* absent;
  };
  for (const Case& c : {Case{true, false, "v.pdf", "/FontFile2", "/Subtype /Image"},
                        Case{false, false, "r.pdf", "/Subtype /Image", "/FontFile2"},
                        Case{true, false, "v.svg", "<use xlink:href=\"#g", "<image"},
                        Case{true, true, "t.svg", "<text", "<use xlink:href=\"#g"},
                        Case{false, false, "r.svg", "<image", "<use xlink:href=\"#g"},
                        Case{false, true, "rt.svg", "<image", "<text"}}) {
    PlotaraOptions options;
    options.Vector = c.vector;
    options.SvgText = c.svgText;
    const std::string doc = SavedDocument(options, c.file);
    EXPECT_NE(doc.find(c.present), std::string::npos) << c.file;
    EXPECT_EQ(doc.find(c.absent), std::string::npos) << c.file;
  }
}

}  // namespace
}  // namespace plotara
