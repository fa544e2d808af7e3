// The wheel, the keys, a touchpad's pinch and two-finger scroll, the hover value and printing through a
// real widget in an X server.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QNativeGestureEvent>
#include <QPointingDevice>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWheelEvent>

#include "QtTesting.h"

namespace plotara::qt {
namespace {

using test::DifferingPixels;
using test::DrawChart;
using test::GeometryOf;
using test::ViewOf;

// A wheel event at p: angle (eighths of a degree) or pixel deltas.
void Wheel(QWidget* w, QPoint p, QPoint angle, QPoint pixels = {}, Qt::KeyboardModifiers mods = {}) {
  QWheelEvent e(p, w->mapToGlobal(p), pixels, angle, Qt::NoButton, mods, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

// The picture on the screen as an image, to see that it changed.
QImage OnScreen(PlotaraWidget& w) {
  QApplication::processEvents();
  return w.screen()->grabWindow(w.winId()).toImage();
}

class Navigation : public ::testing::Test {
 protected:
  void SetUp() override {
    DrawChart(w);
    centre = GeometryOf(w).AtPlot(0.5, 0.5);
  }
  double XSpan() { return ViewOf(w).x2 - ViewOf(w).x1; }
  PlotaraWidget w;
  QSignalSpy views{&w, &PlotaraWidget::viewChanged};
  QPoint centre;
};

TEST_F(Navigation, WheelNotchesZoomAboutThePointerAndAPixelScrollPans) {
  const QImage before = OnScreen(w);
  Wheel(&w, centre, {0, 4 * 120});
  EXPECT_NEAR(XSpan(), 5, 1e-6) << "four notches halve the view";
  EXPECT_EQ(views.count(), 1);
  EXPECT_EQ(views.at(0).at(0).toInt(), 0) << "graph 0";
  EXPECT_TRUE(w.horizontalScrollBar()->isVisible()) << "the bars show, as after a rubber band";
  EXPECT_NE(OnScreen(w), before);
  EXPECT_EQ(DifferingPixels(w), 0) << "the window shows the new picture";

  Wheel(&w, centre, {0, 120}, {}, Qt::ShiftModifier);
  EXPECT_LT(XSpan(), 5);
  EXPECT_NEAR(ViewOf(w).y2 - ViewOf(w).y1, 50, 1e-6) << "Shift: X only";

  // A touchpad's two-finger scroll reports pixels: the content follows the fingers.
  const double x1 = ViewOf(w).x1;
  Wheel(&w, centre, {0, 0}, {40, 0});
  EXPECT_LT(ViewOf(w).x1, x1);
  EXPECT_EQ(views.count(), 3);

  w.control().WheelZoom(false);
  Wheel(&w, centre, {0, 120});
  EXPECT_EQ(views.count(), 3) << "switched off";
}

TEST_F(Navigation, TheKeysPanZoomAndRestoreWithTheFocus) {
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::mouseClick(&w, Qt::LeftButton, {}, GeometryOf(w).AtPlot(0.9, 0.9));  // a click gives the focus
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.hasFocus(); }, 2000));
  const QImage full = OnScreen(w);
  QTest::keyClick(&w, Qt::Key_Plus);
  EXPECT_NEAR(XSpan(), 5, 1e-4) << "+ zooms by 2 about the middle";
  EXPECT_NEAR(ViewOf(w).x1, 2.5, 1e-4);
  const QImage zoomed = OnScreen(w);
  EXPECT_NE(zoomed, full);
  QTest::keyClick(&w, Qt::Key_Right);
  EXPECT_GT(ViewOf(w).x1, 2.5) << "an arrow pans";
  QTest::keyClick(&w, Qt::Key_PageUp);
  EXPECT_GT(ViewOf(w).y1, 25) << "Page Up shows higher values";
  QTest::keyClick(&w, Qt::Key_Home);
  EXPECT_EQ(ViewOf(w).x1, 0);
  EXPECT_EQ(ViewOf(w).x2, 10);
  EXPECT_EQ(OnScreen(w), full) << "the full range looks as it did";
  EXPECT_EQ(views.count(), 4);
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(),
            QSize(w.control().Picture1().Width, w.control().Picture1().Height));
}

TEST_F(Navigation, KeysTheControlDoesNotTakeGoToTheParent) {
  QWidget parent;
  struct Keys : QObject {
    int seen = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      seen += e->type() == QEvent::KeyPress;
      return false;
    }
  } keys;
  PlotaraWidget* chart = new PlotaraWidget(&parent);
  parent.installEventFilter(&keys);
  parent.resize(500, 400);
  chart->resize(500, 400);
  parent.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
  QTest::keyClick(chart, Qt::Key_Right);  // no graph: nothing to pan
  QTest::keyClick(chart, Qt::Key_Q);
  EXPECT_EQ(keys.seen, 2);
}

TEST_F(Navigation, ASynthesisedPinchZoomsAboutTheFingers) {
  const QPointingDevice* touchpad = QPointingDevice::primaryPointingDevice();
  QNativeGestureEvent pinch(Qt::ZoomNativeGesture, touchpad, 2, centre, centre, w.mapToGlobal(centre), 1.0,
                            {});
  const QImage before = OnScreen(w);
  QApplication::sendEvent(&w, &pinch);
  EXPECT_NEAR(XSpan(), 5, 1e-4) << "1 + value: by 2";
  EXPECT_EQ(views.count(), 1);
  EXPECT_NE(OnScreen(w), before);
  w.control().PinchZoom(false);
  QApplication::sendEvent(&w, &pinch);
  EXPECT_EQ(views.count(), 1);
}

TEST_F(Navigation, TheHoverValueNamesThePointUnderThePointer) {
  // The point (5, 25) of DrawChart lies a quarter up the plot, half across.
  const QPoint point = GeometryOf(w).AtPlot(0.5, 0.75);
  test::Hover(&w, point + QPoint(2, 1));
  EXPECT_FALSE(QToolTip::isVisible()) << "off by default";
  w.setHoverValue(true);
  test::Hover(&w, point + QPoint(1, 2));  // elsewhere: the pointer must move to be seen
  ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
  EXPECT_EQ(QToolTip::text(), "points\nx: 5\ny: 25");
  test::Hover(&w, point + QPoint(30, 0));
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000)) << "no point near";
}

TEST_F(Navigation, PrintingToAPdfFileGivesShapesAndText) {
  Wheel(&w, centre, {0, 4 * 120});  // the view printed is the one shown: 2.5 .. 7.5
  QTemporaryDir dir;
  const QString pdf = dir.filePath("chart");  // a printer's file need not say its format
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setPageSize(QPageSize(QPageSize::A4));
  ASSERT_TRUE(w.print(&printer));
  QProcess tool;
  tool.start("pdftotext", {"-layout", pdf, "-"});
  ASSERT_TRUE(tool.waitForFinished(10000));
  const QString text = QString::fromUtf8(tool.readAllStandardOutput());
  EXPECT_TRUE(text.contains("Test")) << text.toStdString();
  EXPECT_TRUE(text.contains("x-axis") && text.contains("y-axis")) << text.toStdString();
  EXPECT_FALSE(text.contains("10")) << "the zoomed view, not the full range";
  tool.start("pdfinfo", {pdf});
  ASSERT_TRUE(tool.waitForFinished(10000));
  EXPECT_TRUE(tool.readAllStandardOutput().contains("(A4)"));
  tool.start("pdfimages", {"-list", pdf});
  ASSERT_TRUE(tool.waitForFinished(10000));
  EXPECT_EQ(tool.readAllStandardOutput().count('\n'), 2) << "a heading and no picture: shapes only";
  EXPECT_EQ(DifferingPixels(w), 0) << "the window still shows the chart";
}

TEST_F(Navigation, APrintPreviewShowsAPage) {
  QPrinter printer;
  QPrintPreviewWidget preview(&printer);
  int printed = 0;
  QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                   [&](QPrinter* p) { printed += w.print(p); });
  preview.updatePreview();
  EXPECT_EQ(printed, 1);
  EXPECT_EQ(preview.pageCount(), 1);
}

}  // namespace
}  // namespace plotara::qt
