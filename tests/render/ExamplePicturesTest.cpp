// The example pictures, guarded: each script of examples/ is rendered and compared with its reference
// picture in tests/images/, allowing a difference of 16 in a colour channel on at most 0.2 % of the
// pixels (room for the smoothing of text, nothing more).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "control/Internals.h"
#include "hosts/cli/Script.h"
#include "support/ReferenceImage.h"

namespace plotara {
namespace {

class ExamplePicture : public ::testing::TestWithParam<const char*> {};

// Runs an example on a control made with the options.
void RunExample(Plotara& control, const std::string& name) {
  const std::string path = std::string(PLOTARA_SOURCE_DIR) + "/examples/" + name + ".plotara";
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::stringstream text;
  text << in.rdbuf();
  ScriptOptions script;
  script.BaseDir = std::string(PLOTARA_SOURCE_DIR) + "/examples";
  SizePicture(control, script.Width, script.Height);
  std::ostringstream out, err;
  ScriptRunner runner(control, script, out, err);
  ASSERT_EQ(runner.Run(text.str(), name), kScriptOk) << err.str();
  EXPECT_EQ(err.str(), "") << "no failure while the example runs";
}

// Its picture is compared with the reference.
void ExpectMatchesReference(const std::string& name, const PlotaraOptions& options,
                            const std::string& reference) {
  Plotara control(options);
  RunExample(control, name);
  EXPECT_TRUE(test::MatchesReference(*Internals(control).Picture1, reference, {16, 0.002}));
}

TEST_P(ExamplePicture, MatchesItsReference) {
  ExpectMatchesReference(GetParam(), PlotaraOptions{}, std::string("example_") + GetParam());
}

// The smoothed pictures have references of their own.
TEST_P(ExamplePicture, AntialiasedMatchesItsReference) {
  PlotaraOptions options;
  options.Antialias = true;
  ExpectMatchesReference(GetParam(), options, std::string("example_") + GetParam() + "_antialiased");
}

std::vector<OleColor> PixelsOf(Surface& s) {
  std::vector<OleColor> pixels;
  for (int y = 0; y < s.PixelHeight(); ++y)
    for (int x = 0; x < s.PixelWidth(); ++x) pixels.push_back(s.Pixel(x, y));
  return pixels;
}

// Drawing leaves no state behind that changes the next drawing.
TEST_P(ExamplePicture, ASecondRefreshDrawsTheSamePicture) {
  Plotara control;
  RunExample(control, GetParam());
  control.Refresh();
  const std::vector<OleColor> first = PixelsOf(*Internals(control).Picture1);
  control.Refresh();
  EXPECT_TRUE(PixelsOf(*Internals(control).Picture1) == first);
}

// A line without symbols last on the page once left the fill style solid, and the next refresh painted the
// graph's whole border band in the data set's fill colour.
TEST(RefreshAgain, ALineWithoutSymbolsLeavesTheBorderBandAsItWas) {
  Plotara control;
  control.Resize(400 * 15, 300 * 15);
  control.NewGraph("twice");
  control.NewDataSet("line");
  control.SymbolStyle(0, 1);
  control.DataLine(0xC00000, 1, 1);
  for (int i = 1; i <= 3; ++i) control.AddDataPoint(i, i % 2, 0);
  control.Refresh();
  const std::vector<OleColor> first = PixelsOf(*Internals(control).Picture1);
  control.Refresh();
  EXPECT_TRUE(PixelsOf(*Internals(control).Picture1) == first);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExamplePicture,
                         ::testing::Values("default-axes", "gradients", "axes", "fonts-and-titles",
                                           "symbols-and-lines", "bars", "errors-and-curves",
                                           "texts-and-legends", "complete-chart", "interaction",
                                           "hourly-temperatures"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           std::string n = info.param;
                           for (char& ch : n)
                             if (ch == '-') ch = '_';
                           return n;
                         });

}  // namespace
}  // namespace plotara
