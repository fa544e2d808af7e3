// PlotaraItem in a real Qt Quick window in an X server: made from QML by `import Plotara`, it draws the
// control's picture, and the wheel, the keys, two fingers and the pointer reach the control.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "plotara/qt/PlotaraItem.h"

namespace plotara::qt {
namespace {

// The QML of a window's content: one chart of eleven points, 0 to 10 by 0 to 100.
constexpr const char* kChart = R"(
import QtQuick
import Plotara
PlotaraItem {
    width: 600; height: 400
    Component.onCompleted: {
        invoke("NewGraph", ["Test", 0, 10, 0, 100])
        invoke("NewDataSet", ["points"])
        for (let i = 0; i <= 10; ++i) invoke("AddDataPoint", [i, i * i])
        invoke("Refresh")
    }
})";

class Quick : public ::testing::Test {
 protected:
  void SetUp() override {
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    QQmlComponent component(view.engine());
    component.setData(kChart, QUrl());
    QObject* made = component.create();
    ASSERT_TRUE(made) << component.errorString().toStdString();
    item = qobject_cast<PlotaraItem*>(made);
    ASSERT_TRUE(item) << "import Plotara gives PlotaraItem";
    view.setContent(QUrl(), &component, item);
    view.resize(600, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    // The plot area, from the graph's place on the page (percent) and its border band (mm).
    const double w = item->width(), h = item->height(), mm = 96 / 25.4;
    auto value = [this](const char* name) { return item->get(name).toDouble(); };
    const QRectF graph(value("GraphLeft") * w / 100, value("GraphTop") * h / 100,
                       value("GraphWidth") * w / 100, value("GraphHeight") * h / 100);
    plot = graph.adjusted(value("BorderLeft") * mm, value("BorderTop") * mm, -value("BorderRight") * mm,
                          -value("BorderBottom") * mm);
  }
  // What the window shows against the control's picture: the pixels that differ.
  int Differing() {
    const QImage shown = view.grabWindow().convertToFormat(QImage::Format_RGB32);
    const PictureView pic = item->control().Picture1();
    int differing = 0;
    for (int y = 0; y < pic.Height; ++y)
      for (int x = 0; x < pic.Width; ++x)
        differing += (shown.pixel(x, y) & 0xFFFFFF) != (pic.Pixels[y * pic.StridePixels + x] & 0xFFFFFF);
    return differing;
  }
  double View(int end) { return item->get(end == 1 ? "AxisViewValue1" : "AxisViewValue2").toDouble(); }
  QPoint At(double fx, double fy) const {
    return (plot.topLeft() + QPointF(fx * plot.width(), fy * plot.height())).toPoint();
  }
  QQuickView view;
  PlotaraItem* item = nullptr;
  QRectF plot;  // logical pixels
};

TEST_F(Quick, TheItemShowsTheControlsPictureAtItsSize) {
  EXPECT_EQ(item->control().Picture1().Width, 600);
  EXPECT_EQ(item->control().Picture1().Height, 400);
  EXPECT_EQ(Differing(), 0);
  view.resize(500, 300);
  ASSERT_TRUE(QTest::qWaitFor([&] { return item->control().Picture1().Width == 500; }, 3000));
  EXPECT_EQ(item->control().Picture1().Height, 300);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Differing() == 0; }, 3000)) << "drawn again at the new size";
}

TEST_F(Quick, WheelAndKeysZoomAndPanAndEmitTheViewSignal) {
  QSignalSpy views(item, &PlotaraItem::viewChanged);
  const QImage before = view.grabWindow();
  const QPoint centre = At(0.5, 0.5);
  QWheelEvent wheel(centre, view.mapToGlobal(centre), {}, {0, 4 * 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                    false);
  QGuiApplication::sendEvent(&view, &wheel);
  EXPECT_NEAR(View(2) - View(1), 5, 1e-4) << "four notches halve the view";
  ASSERT_EQ(views.count(), 1);
  EXPECT_EQ(views.at(0).at(0).toInt(), 0);
  EXPECT_NE(view.grabWindow(), before);
  EXPECT_EQ(Differing(), 0);

  QTest::mouseClick(&view, Qt::LeftButton, {}, At(0.9, 0.9));  // a click gives the focus
  ASSERT_TRUE(item->hasActiveFocus());
  const double x1 = View(1);
  QTest::keyClick(&view, Qt::Key_Right);
  EXPECT_GT(View(1), x1) << "an arrow pans";
  QTest::keyClick(&view, Qt::Key_Home);
  EXPECT_EQ(View(1), 0);
  EXPECT_EQ(View(2), 10);
  EXPECT_EQ(views.count(), 3);
}

TEST_F(Quick, TwoFingersPinchAndPan) {
  QSignalSpy views(item, &PlotaraItem::viewChanged);
  QPointingDevice* screen = QTest::createTouchDevice();
  const QPoint centre = At(0.5, 0.5);
  QTest::touchEvent(&view, screen).press(0, centre - QPoint(40, 0)).press(1, centre + QPoint(40, 0));
  QTest::touchEvent(&view, screen).move(0, centre - QPoint(80, 0)).move(1, centre + QPoint(80, 0));
  // The window system delivers touches in its own time.
  EXPECT_TRUE(QTest::qWaitFor([&] { return View(2) - View(1) < 9; }, 2000));
  EXPECT_NEAR(View(2) - View(1), 5, 0.1) << "fingers twice as far apart: twice the zoom";
  QTest::touchEvent(&view, screen).release(0, centre - QPoint(80, 0)).release(1, centre + QPoint(80, 0));
  EXPECT_GE(views.count(), 1);
  const double x1 = View(1);
  QTest::touchEvent(&view, screen).press(0, centre - QPoint(40, 0)).press(1, centre + QPoint(40, 0));
  QTest::touchEvent(&view, screen).move(0, centre - QPoint(10, 0)).move(1, centre + QPoint(70, 0));
  EXPECT_TRUE(QTest::qWaitFor([&] { return View(1) < x1; }, 2000))
      << "moved right together: the content follows";
  QTest::touchEvent(&view, screen).release(0, centre - QPoint(10, 0)).release(1, centre + QPoint(70, 0));
}

TEST_F(Quick, TheHoverTextNamesThePointNearThePointer) {
  QSignalSpy texts(item, &PlotaraItem::hoverTextChanged);
  const QPoint point = At(0.5, 0.75);  // (5, 25)
  QTest::mouseMove(&view, point + QPoint(2, 1));
  EXPECT_EQ(item->hoverText(), "") << "off by default";
  item->setHoverValue(true);
  QTest::mouseMove(&view, point + QPoint(1, 2));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !item->hoverText().isEmpty(); }, 2000));
  EXPECT_EQ(item->hoverText(), "points\nx: 5\ny: 25");
  QTest::mouseMove(&view, point + QPoint(30, 0));
  EXPECT_TRUE(QTest::qWaitFor([&] { return item->hoverText().isEmpty(); }, 2000)) << "no point near";
  EXPECT_FALSE(item->readout().isEmpty()) << "the read-out follows the pointer";
}

TEST_F(Quick, AFailedCallByNameIsASignal) {
  QSignalSpy failures(item, &PlotaraItem::automationError);
  EXPECT_FALSE(item->invoke("NoSuchMember").isValid());
  EXPECT_FALSE(item->set("AxisValue1", "not a number"));
  EXPECT_EQ(failures.count(), 2);
  EXPECT_TRUE(item->set("AxisTitle", "Renamed"));
  EXPECT_EQ(item->get("AxisTitle").toString(), "Renamed");
}

TEST_F(Quick, PrintingGivesAPageWithTheChartsTextAsText) {
  const QPoint centre = At(0.5, 0.5);  // the view printed is the one shown: 2.5 .. 7.5
  QWheelEvent wheel(centre, view.mapToGlobal(centre), {}, {0, 4 * 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                    false);
  QGuiApplication::sendEvent(&view, &wheel);
  QTemporaryDir dir;
  const QString pdf = dir.filePath("chart.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  ASSERT_TRUE(item->print(&printer));
  QProcess tool;
  tool.start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_TRUE(tool.waitForFinished(10000));
  const QString text = QString::fromUtf8(tool.readAllStandardOutput());
  EXPECT_TRUE(text.contains("Test") && text.contains("x-axis") && text.contains("points"))
      << text.toStdString();
  EXPECT_FALSE(text.contains("10")) << "the zoomed view, not the full range";
}

}  // namespace
}  // namespace plotara::qt
