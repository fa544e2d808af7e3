#include "render/Text.h"

#include <gtest/gtest.h>

#include "support/Chart.h"
#include "support/Events.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

using test::Chart;
using test::FindInk;

TEST(GetFontDetails, ReadsFieldsInAnyOrderWithDefaults) {
  struct Row {
    const char* spec;
    const char* face;
    int size;
    bool bold, italic;
  };
  const Row rows[] = {
      {"", "Arial", 9, false, false},
      {"Font=Arial|9", "Arial", 9, false, false},
      {"Font=Times New Roman|12|Bold|Italic", "Times New Roman", 12, true, true},
      {"12|bold", "Arial", 12, true, false},
      {"Font=Arial|0|Bold", "Arial", 9, true, false},
      {"italic|font=Courier New|10.5", "Courier New", 10, false, true},
      {"14pt|rubbish|99999", "Arial", 14, false, false},
      {"Font=", "", 9, false, false},
      {"Font=A|Font=B|8|11", "B", 11, false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.spec);
    const FontDetails f = GetFontDetails(r.spec);
    EXPECT_EQ(f.Face, r.face);
    EXPECT_EQ(f.Size, r.size);
    EXPECT_EQ(f.Bold, r.bold);
    EXPECT_EQ(f.Italic, r.italic);
  }
}

TEST(SetGraphFont, AnEmptyFaceKeepsTheSurfaceFont) {
  Chart k;
  Surface& s = *k.c().Picture1;
  SetGraphFont(k.notify(), s, "Font=Courier New|14|Bold");
  SetGraphFont(k.notify(), s, "Font=|20|Italic");
  EXPECT_EQ(s.FontName, "Courier New");
  EXPECT_EQ(s.FontSize, 14);
  EXPECT_TRUE(s.FontBold);
  EXPECT_FALSE(s.FontItalic);
}

// The ink of text printed at the centre of an empty picture, in pixels relative to the anchor.
test::InkBox InkAround(int16_t h, int16_t v, int16_t angle, const char* text = "Anchor") {
  Chart k;
  Surface& s = *k.c().Picture1;
  s.Cls();
  PrintText(k.notify(), s, text, 200 * 15, 150 * 15, h, v, 0x000000FF, "Font=Arial|12", angle);
  test::InkBox b = FindInk(s);
  b.x0 -= 200;
  b.x1 -= 200;
  b.y0 -= 150;
  b.y1 -= 150;
  return b;
}

TEST(PrintText, AlignsAroundTheAnchor) {
  const test::InkBox topLeft = InkAround(0, 0, 0), bottomRight = InkAround(2, 2, 0),
                     centre = InkAround(1, 1, 0);
  EXPECT_GE(topLeft.x0, 0);
  EXPECT_LE(topLeft.x0, 2);
  EXPECT_GE(topLeft.y0, 0);
  EXPECT_LE(bottomRight.x1, 0);
  EXPECT_GE(bottomRight.x1, -2);
  EXPECT_LE(bottomRight.y1, 0);
  EXPECT_NEAR((centre.x0 + centre.x1) / 2.0, 0, 2);
  EXPECT_NEAR((centre.y0 + centre.y1) / 2.0, 0, 3);
}

TEST(PrintText, RotatedTextTurnsAboutTheAnchor) {
  const test::InkBox up = InkAround(1, 1, 90);  // reads upwards, centred on the anchor
  EXPECT_NEAR((up.x0 + up.x1) / 2.0, 0, 3);
  EXPECT_NEAR((up.y0 + up.y1) / 2.0, 0, 2);
  EXPECT_GT(up.y1 - up.y0, up.x1 - up.x0) << "taller than wide";
  const test::InkBox start = InkAround(0, 0, 90);  // starts at the anchor and runs upwards
  EXPECT_LE(start.y1, 0);
  EXPECT_GE(start.x0, -1);
  const test::InkBox down = InkAround(0, 0, -90);
  EXPECT_GE(down.y0, 0);
  EXPECT_LE(down.x1, 1);
}

TEST(PrintText, LinesStackByTheHeightOfTheFirstLine) {
  Chart k;
  Surface& s = *k.c().Picture1;
  PrintText(k.notify(), s, "one\r\ntwo\r\nthree", 3000, 150, 1, 1, -1, "Font=Arial|12", 0);
  const test::InkBox b = FindInk(s);
  const float h = s.TextHeight("A") / 15;
  EXPECT_NEAR(b.y1 - b.y0, 2 * h + h / 2, h / 2) << "three lines, each centred on its own anchor";
}

TEST(PrintText, RestoresTheColourAndFailsForAnglesBeyondSixteenBits) {
  Chart k;
  test::EventLog log(k.p);
  Surface& s = *k.c().Picture1;
  s.ForeColor = 0x123456;
  PrintText(k.notify(), s, "x", 100, 100, 0, 0, 0x00FF0000, "", 0);
  EXPECT_EQ(s.ForeColor, 0x123456);
  PrintText(k.notify(), s, "x", 100, 100, 0, 0, -1, "", 3277);
  EXPECT_EQ(log.events, std::vector<std::string>{"Error 6 has occured in Plotara.ocx, PrintText / Overflow"});
  PrintText(k.notify(), s, "x", 100, 100, 0, 0, -1, "", 3276);
  EXPECT_EQ(log.events.size(), 1u);
}

}  // namespace
}  // namespace plotara
