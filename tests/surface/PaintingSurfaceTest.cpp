// A painting keeps what a surface draws for a host's painter: painted, it shows what the raster surface
// shows, copies and clips and the persistent picture included, and its text reaches the painter as text.
#include <gtest/gtest.h>

#include <cairo.h>

#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "plotara/PagePainter.h"
#include "plotara/Plotara.h"
#include "support/Pixels.h"
#include "surface/PaintingSurface.h"

namespace plotara {
namespace {

// A painter onto a cairo image of its own, unsmoothed, that also notes the texts it is given.
class CairoPainter final : public PagePainter {
 public:
  CairoPainter(int w, int h)
      : image_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h)), cr_(cairo_create(image_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr_, 0.5, 0.5, 0.5);  // what nothing paints shows as grey
    cairo_paint(cr_);
  }
  ~CairoPainter() override {
    cairo_destroy(cr_);
    cairo_surface_destroy(image_);
  }
  void Save() override { cairo_save(cr_); }
  void Restore() override { cairo_restore(cr_); }
  void Translate(double dx, double dy) override { cairo_translate(cr_, dx, dy); }
  void Clip(double x0, double y0, double x1, double y1) override {
    cairo_rectangle(cr_, x0, y0, x1 - x0, y1 - y0);
    cairo_clip(cr_);
  }
  void FillBox(double x0, double y0, double x1, double y1, uint32_t color) override {
    Colour(color);
    cairo_rectangle(cr_, x0, y0, x1 - x0, y1 - y0);
    cairo_fill(cr_);
  }
  void StrokeLine(std::span<const PagePoint> points, bool closed, double width, bool,
                  uint32_t color) override {
    Colour(color);
    for (const PagePoint& p : points) cairo_line_to(cr_, p.X, p.Y);
    if (closed) cairo_close_path(cr_);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
  }
  void FillPolygon(std::span<const PagePoint> points, uint32_t color) override {
    Colour(color);
    for (const PagePoint& p : points) cairo_line_to(cr_, p.X, p.Y);
    cairo_fill(cr_);
  }
  void FillCircle(double cx, double cy, double r, uint32_t color) override {
    Colour(color);
    cairo_arc(cr_, cx, cy, r, 0, 2 * std::numbers::pi);
    cairo_fill(cr_);
  }
  void StrokeCircle(double cx, double cy, double r, double width, uint32_t color) override {
    Colour(color);
    cairo_arc(cr_, cx, cy, r, 0, 2 * std::numbers::pi);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
  }
  void FillGradient(double x0, double y0, double x1, double y1, double, double, double, double,
                    std::span<const uint32_t> colors) override {
    FillBox(x0, y0, x1, y1, colors.front());
  }
  void Text(const PageText& t) override { texts.emplace_back(t.Utf8); }

  uint32_t Pixel(int x, int y) {
    cairo_surface_flush(image_);
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image_) +
                                                        y * cairo_image_surface_get_stride(image_));
    return row[x] & 0xFFFFFF;
  }
  std::vector<std::string> texts;

 private:
  void Colour(uint32_t c) {
    cairo_set_source_rgb(cr_, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
  }
  cairo_surface_t* image_;
  cairo_t* cr_;
};

constexpr int kSize = 40;
constexpr float kT = 15;  // twips a pixel at 96 dpi

// Steps over two surfaces of one kind, `a` and `b`, each 40 x 40 pixels; the result is a.
struct Case {
  const char* name;
  std::function<void(Surface& a, Surface& b)> draw;
};

const Case kCases[] = {
    {"boxes",
     [](Surface& a, Surface&) {
       a.BackColor = 0x00FFFFFF;
       a.Cls();
       a.FilledBox(2 * kT, 3 * kT, 20 * kT, 9 * kT, 0x000000FF);
       a.FillStyle = FillKind::Solid;
       a.FillColor = 0x0000FF00;
       a.Box(10 * kT, 10 * kT, 30 * kT, 35 * kT, 0x00FF0000);
     }},
    {"a copy shows the source within its block only, as it stood",
     [](Surface& a, Surface& b) {
       a.BackColor = 0x00FFFFFF;
       a.Cls();
       b.BackColor = 0x0000FFFF;
       b.Cls();
       b.FilledBox(0, 0, 10 * kT, 10 * kT, 0x00FF00FF);
       a.BitBlt(5, 6, 20, 15, b, 2, 3);
       b.FilledBox(0, 0, 40 * kT, 40 * kT, 0);  // after the copy: not shown
     }},
    {"a clip cuts boxes and copies",
     [](Surface& a, Surface& b) {
       b.BackColor = 0x00808000;
       b.Cls();
       a.BackColor = 0x00FFFFFF;
       a.Cls();
       a.SetClipRect(4 * kT, 4 * kT, 24 * kT, 30 * kT);
       a.FilledBox(0, 0, 40 * kT, 12 * kT, 0x000000FF);
       a.BitBlt(10, 20, 30, 20, b, 0, 0);
       a.ResetClip();
       a.FilledBox(30 * kT, 30 * kT, 40 * kT, 40 * kT, 0x0000FF00);
     }},
    {"a clip within a copied source",
     [](Surface& a, Surface& b) {
       b.BackColor = 0x00FFFFFF;
       b.Cls();
       b.SetClipRect(0, 0, 5 * kT, 40 * kT);
       b.FilledBox(0, 0, 40 * kT, 40 * kT, 0x000000FF);
       a.BackColor = 0;
       a.Cls();
       a.BitBlt(10, 10, 20, 20, b, 0, 0);
     }},
    {"Cls shows the persistent picture",
     [](Surface& a, Surface& b) {
       b.BackColor = 0x00FFFFFF;
       b.Cls();
       b.FilledBox(3 * kT, 3 * kT, 13 * kT, 13 * kT, 0x00FF0000);
       a.SetPicture(b);
       a.FilledBox(0, 0, 40 * kT, 40 * kT, 0x0000FF00);
       b.FilledBox(0, 0, 40 * kT, 40 * kT, 0);  // the picture is the one shown, not the source now
       a.Cls();
       a.FilledBox(20 * kT, 20 * kT, 30 * kT, 30 * kT, 0x000000FF);
     }},
    {"the inverting draw mode draws nothing on paper",
     [](Surface& a, Surface&) {
       a.BackColor = 0x00FFFFFF;
       a.Cls();
       a.DrawMode = PenMode::Invert;
       a.FilledBox(0, 0, 40 * kT, 40 * kT, 0);
     }},
};

TEST(PaintingSurface, PaintedItShowsWhatTheRasterSurfaceShows) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<Surface> ra = MakeSurface(96), rb = MakeSurface(96);
    PaintingSurface pa(96), pb(96);
    for (Surface* s : {ra.get(), rb.get(), static_cast<Surface*>(&pa), static_cast<Surface*>(&pb)})
      s->Move(0, 0, kSize * kT, kSize * kT);
    c.draw(*ra, *rb);
    c.draw(pa, pb);
    if (std::string(c.name).starts_with("the inverting")) {
      // The screen inverts; paper keeps what lay under it.
      CairoPainter painter(kSize, kSize);
      pa.Paint(painter);
      EXPECT_EQ(painter.Pixel(20, 20), 0xFFFFFFu);
      continue;
    }
    CairoPainter painter(kSize, kSize);
    pa.Paint(painter);
    int differing = 0;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        const OleColor c = ra->Pixel(x, y);  // 0x00BBGGRR
        const uint32_t rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        differing += painter.Pixel(x, y) != rgb;
      }
    EXPECT_EQ(differing, 0);
  }
}

TEST(PaintingSurface, AChartReachesThePainterWithItsTextsAsTexts) {
  Plotara chart;
  chart.ResizePicture(400, 300);
  chart.NewGraph("Sales", 0, 10, 0, 100);
  chart.NewDataSet("2026");
  for (int i = 0; i <= 10; ++i) chart.AddDataPoint(i, i * i);
  chart.Refresh();
  CairoPainter painter(400, 300);
  chart.PaintPage(painter);
  const std::vector<std::string>& t = painter.texts;
  for (const char* expected : {"Sales", "x-axis", "y-axis", "2026"})
    EXPECT_NE(std::find(t.begin(), t.end(), expected), t.end()) << expected;
  // The painting covers the chart: nothing of the grey under it shows.
  int grey = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) grey += painter.Pixel(x, y) == 0x808080;
  EXPECT_EQ(grey, 0);
}

}  // namespace
}  // namespace plotara
