// Two controls on two threads, each building a page, drawing it and taking gestures, share nothing but
// the member table and the font machinery. Each must draw exactly what the same steps draw on one
// thread alone; built with -fsanitize=thread (make test-threads) the run must also be free of races.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "control/Internals.h"
#include "hosts/cli/HeadlessClipboard.h"
#include "plotara/Automation.h"
#include "plotara/Plotara.h"

namespace plotara {
namespace {

struct Outcome {
  std::vector<OleColor> pixels;
  int errors = 0;
  bool copied = false;
};

// A page with a curve, bars, texts and a legend, reached partly through the by-name table; drawn, then
// dragged, zoomed, scrolled and copied. `variant` changes the data so that the two threads draw
// different pictures.
Outcome DrawAndTouch(int variant) {
  Outcome o;
  Plotara p(96);
  HeadlessClipboard clipboard;
  p.SetClipboard(&clipboard);
  p.Events().ErrorMsg = [&](std::string&, std::string&) { ++o.errors; };
  p.ResizePicture(240, 180);
  Invoke(p, "NewGraph",
         {Variant(std::string("thread ") + std::to_string(variant)), Variant(0.0), Variant(10.0),
          Variant(-2.0), Variant(2.0)});
  Invoke(p, "NewDataSet", {Variant(std::string("curve"))});
  Invoke(p, "AddMathFunc", {Variant(std::string("SIN(x * ") + std::to_string(variant + 1) + ")")});
  Invoke(p, "NewDataSet", {Variant(std::string("bars"))});
  p.SymbolStyle(1, 3, 0x00C08040, 0x00604020, 1);
  for (int i = 1; i < 10; ++i) p.AddDataPoint(i, ((i * (variant + 3)) % 7) / 4.0 - 0.8);
  p.AddText("a note in italics", 2, 1.5, 0, "Font=Arial|10|I", 0x000000C0, 20 * variant, false);
  Put(p, "LegendShow", Variant(true));
  p.NewGraph("second", 0, 5, 0, 5);
  p.GraphPosition(55, 5, 40, 40);
  p.NewDataSet("points");
  p.AddDataPoint(1, 2, 0.5);
  p.AddDataPoint(3, 4, -0.5);
  p.Refresh();
  for (int round = 0; round < 3; ++round) {
    p.Picture1_MouseDown(1, 0, 900, 600);  // a rubber band on the first graph
    p.Picture1_MouseMove(1, 0, 1800, 1500);
    p.Picture1_MouseUp(1, 0, 1800, 1500);
    p.HScroll1_Change(200 * round);
    p.Picture1_MouseDown(2, 0, 1200, 1200);  // a right click restores the axes
    p.Picture1_MouseUp(2, 0, 1200, 1200);
    p.Picture1_MouseDown(1, 1, 1500, 900);  // shift-clicks zoom about the pointer
    p.Picture1_MouseUp(1, 1, 1500, 900);
  }
  p.CopyToClipboard();
  o.copied = !clipboard.Empty();
  Surface& s = *Internals(p).Picture1;
  for (int y = 0; y < s.PixelHeight(); ++y)
    for (int x = 0; x < s.PixelWidth(); ++x) o.pixels.push_back(s.Pixel(x, y));
  p.SetClipboard(nullptr);
  return o;
}

TEST(TwoControlsOnTwoThreads, EachDrawsWhatItDrawsAlone) {
  const Outcome alone0 = DrawAndTouch(0), alone1 = DrawAndTouch(1);
  ASSERT_NE(alone0.pixels, alone1.pixels);  // the two pages differ, so a mix-up would show
  EXPECT_EQ(alone0.errors, 0);
  for (int run = 0; run < 3; ++run) {
    Outcome t0, t1;
    std::thread a([&] { t0 = DrawAndTouch(0); });
    std::thread b([&] { t1 = DrawAndTouch(1); });
    a.join();
    b.join();
    EXPECT_TRUE(t0.pixels == alone0.pixels) << "run " << run;
    EXPECT_TRUE(t1.pixels == alone1.pixels) << "run " << run;
    EXPECT_EQ(t0.errors, alone0.errors);
    EXPECT_EQ(t1.errors, alone1.errors);
    EXPECT_TRUE(t0.copied && t1.copied);
  }
}

}  // namespace
}  // namespace plotara
