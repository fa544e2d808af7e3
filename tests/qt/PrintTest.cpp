// Printing through QPainter: every label reaches the printer as text, and the page, rasterised, is the
// chart the window shows.
#include <gtest/gtest.h>

#include <QPaintEngine>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextItem>

#include "QtHost.h"
#include "QtTesting.h"

namespace plotara::qt {
namespace {

// A paint device that notes the texts its engine is asked to draw and what else it draws.
class TextRecorder final : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine_; }
  QStringList texts() const { return engine_.texts; }
  int images() const { return engine_.images; }
  int shapes() const { return engine_.shapes; }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth:
        return 800;
      case PdmHeight:
        return 600;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 300;
      case PdmDepth:
        return 32;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return 0;
    }
  }

 private:
  class Engine final : public QPaintEngine {
   public:
    Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++images; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
      ++images;
    }
    void drawTextItem(const QPointF&, const QTextItem& item) override { texts << item.text(); }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { ++shapes; }
    void drawPath(const QPainterPath&) override { ++shapes; }
    Type type() const override { return QPaintEngine::User; }
    QStringList texts;
    int images = 0, shapes = 0;
  };
  mutable Engine engine_;
};

TEST(Print, EveryLabelReachesThePrintersPainterAsText) {
  PlotaraWidget w;
  test::DrawChart(w);
  TextRecorder device;
  QPainter painter(&device);
  host::PaintChart(w.control(), painter, QRectF(0, 0, 800, 600), 300, 600, 450);
  painter.end();
  const QStringList texts = device.texts();
  for (const char* label : {"Test", "x-axis", "y-axis", "points", "0", "10", "20", "100"})
    EXPECT_TRUE(texts.contains(label)) << label << " in " << texts.join(" | ").toStdString();
  EXPECT_EQ(device.images(), 0) << "shapes, not pictures";
  EXPECT_GT(device.shapes(), 20);
}

// The chart painted at the control's own resolution and size, against its picture: the painter smooths
// edges and Qt sets the text, so pixels along edges and glyphs differ (0.2 % of them by more than 64 in
// a channel, for this chart); everything else is the same. A shape out of place or a fill missing
// differs in far more.
TEST(Print, APrintRasterisedAtTheScreensResolutionIsTheControlsPicture) {
  PlotaraWidget w;
  test::DrawChart(w);
  const PictureView pic = w.control().Picture1();
  QImage page(pic.Width, pic.Height, QImage::Format_RGB32);
  page.setDotsPerMeterX(qRound(96 / 0.0254));
  page.setDotsPerMeterY(qRound(96 / 0.0254));
  page.fill(Qt::magenta);
  QPainter painter(&page);
  host::PaintChart(w.control(), painter, QRectF(0, 0, pic.Width, pic.Height), 96, pic.Width, pic.Height);
  painter.end();
  int far = 0;
  for (int y = 0; y < pic.Height; ++y)
    for (int x = 0; x < pic.Width; ++x) {
      const QRgb a = page.pixel(x, y), b = pic.Pixels[y * pic.StridePixels + x];
      const int d = std::max(
          {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
      far += d > 64;
    }
  const double share = static_cast<double>(far) / (pic.Width * pic.Height);
  EXPECT_LT(share, 0.02) << far << " pixels differ by more than 64 in a channel";
  if (share >= 0.02) page.save(QString::fromStdString(::testing::TempDir()) + "/printed-chart.png");
}

}  // namespace
}  // namespace plotara::qt
