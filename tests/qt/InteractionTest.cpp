// The mouse, the pointer shapes, the scroll bars, the read-out and the clipboard through real Qt widgets
// and events in an X server.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalSpy>

#include "QtTesting.h"
#include "control/Internals.h"

namespace plotara::qt {
namespace {

using test::DifferingPixels;
using test::DrawChart;
using test::Geometry;
using test::GeometryOf;
using test::Hover;
using test::View;
using test::ViewOf;

void Drag(QWidget* w, QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
  QTest::mousePress(w, Qt::LeftButton, mods, from);
  for (int step = 1; step <= 4; ++step) QTest::mouseMove(w, from + (to - from) * step / 4);
  QTest::mouseRelease(w, Qt::LeftButton, mods, to);
  QApplication::processEvents();
}

// Zooms the chart of DrawChart to x 2..6 and y 30..80 with a rubber band.
void ZoomIn(PlotaraWidget& w) {
  const Geometry g = GeometryOf(w);
  Drag(&w, g.AtPlot(0.2, 0.2), g.AtPlot(0.6, 0.7));
}

TEST(Interaction, DraggingTheBorderBandMovesTheGraph) {
  PlotaraWidget w;
  DrawChart(w);
  w.invoke("GraphPosition", {10, 10, 70, 70});  // percent of the page: room to move
  w.invoke("Refresh");
  const Geometry before = GeometryOf(w);
  QSignalSpy moved(&w, &PlotaraWidget::graphPositionChanged);
  Drag(&w, before.InBorderBand(), before.InBorderBand() + QPoint(40, 30));
  const Geometry after = GeometryOf(w);
  EXPECT_NEAR(after.graph.left() - before.graph.left(), 40, 1);
  EXPECT_NEAR(after.graph.top() - before.graph.top(), 30, 1);
  EXPECT_EQ(after.graph.size(), before.graph.size());
  EXPECT_GE(moved.count(), 1);
  EXPECT_EQ(DifferingPixels(w), 0) << "the window shows the graph at its new place";
}

TEST(Interaction, RubberBandZoomsTheAxesAndShowsTheScrollBars) {
  PlotaraWidget w;
  DrawChart(w);
  EXPECT_FALSE(w.horizontalScrollBar()->isVisible());
  EXPECT_FALSE(w.verticalScrollBar()->isVisible());
  const View full = ViewOf(w);
  ZoomIn(w);
  const View zoomed = ViewOf(w);
  const double dx = (full.x2 - full.x1) / 100, dy = (full.y2 - full.y1) / 100;
  EXPECT_NEAR(zoomed.x1, full.x1 + 0.2 * (full.x2 - full.x1), dx);
  EXPECT_NEAR(zoomed.x2, full.x1 + 0.6 * (full.x2 - full.x1), dx);
  EXPECT_NEAR(zoomed.y1, full.y2 - 0.7 * (full.y2 - full.y1), dy);  // y grows upwards
  EXPECT_NEAR(zoomed.y2, full.y2 - 0.2 * (full.y2 - full.y1), dy);
  for (QScrollBar* bar : {w.horizontalScrollBar(), w.verticalScrollBar()}) {
    SCOPED_TRACE(bar->objectName().toStdString());
    EXPECT_TRUE(bar->isVisible());
    const ScrollBarElement& e =
        bar == w.horizontalScrollBar() ? w.control().HScroll1() : w.control().VScroll1();
    EXPECT_EQ(bar->value(), e.Value);
    EXPECT_EQ(bar->pageStep(), e.LargeChange);
    EXPECT_EQ(bar->singleStep(), e.SmallChange);
    EXPECT_EQ(bar->maximum(), e.Max);
  }
  EXPECT_EQ(DifferingPixels(w), 0);
}

TEST(Interaction, ButtonsAndModifiersReachTheControl) {
  // Shift+left zooms in by 2, Shift+right out by 2, a plain right click restores the full range.
  struct Row {
    const char* what;
    Qt::MouseButton button;
    Qt::KeyboardModifiers mods;
    double span;  // of the X axis afterwards, as a share of the zoomed span before
    bool legendMoves;
  };
  const Row rows[] = {
      {"Shift+left", Qt::LeftButton, Qt::ShiftModifier, 0.5, false},
      {"Shift+right", Qt::RightButton, Qt::ShiftModifier, 2, false},
      {"right", Qt::RightButton, {}, 2.5, false},
      {"Ctrl+left moves the legend, not the view", Qt::LeftButton, Qt::ControlModifier, 1, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PlotaraWidget w;
    DrawChart(w);
    ZoomIn(w);  // x 2..6 of 0..10
    const View before = ViewOf(w);
    const QPoint at = GeometryOf(w).AtPlot(0.5, 0.5);
    QSignalSpy legend(&w, &PlotaraWidget::legendPositionChanged);
    QTest::mouseClick(&w, row.button, row.mods, at);
    QApplication::processEvents();
    const View after = ViewOf(w);
    EXPECT_NEAR((after.x2 - after.x1) / (before.x2 - before.x1), row.span, 0.02);
    EXPECT_EQ(legend.count() > 0, row.legendMoves);
  }
}

TEST(Interaction, MovingTheScrollBarsPans) {
  struct Row {
    const char* what;
    bool horizontal;
    std::function<void(QScrollBar*)> move;
  };
  const Row rows[] = {
      {"a page to the right (Change)", true,
       [](QScrollBar* b) { b->triggerAction(QAbstractSlider::SliderPageStepAdd); }},
      {"a page down (Change)", false,
       [](QScrollBar* b) { b->triggerAction(QAbstractSlider::SliderPageStepAdd); }},
      {"dragging the thumb (Scroll, then Change)", true,
       [](QScrollBar* b) {
         PlotaraWidget& w = *static_cast<PlotaraWidget*>(b->parentWidget());
         const double start = ViewOf(w).x1;
         b->setSliderDown(true);
         b->setSliderPosition(b->value() + 150);
         QApplication::processEvents();
         EXPECT_GT(ViewOf(w).x1, start) << "the view pans while the thumb is dragged";
         b->setSliderDown(false);
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PlotaraWidget w;
    DrawChart(w);
    ZoomIn(w);
    const View before = ViewOf(w);
    QScrollBar* bar = row.horizontal ? w.horizontalScrollBar() : w.verticalScrollBar();
    const int value = bar->value();
    row.move(bar);
    QApplication::processEvents();
    const View after = ViewOf(w);
    const double shiftX = after.x1 - before.x1, shiftY = after.y1 - before.y1;
    if (row.horizontal) {
      EXPECT_GT(shiftX, 0) << "the view moves right";
      EXPECT_NEAR(after.x2 - after.x1, before.x2 - before.x1, 1e-3) << "a pan keeps the span";
      EXPECT_EQ(shiftY, 0);
    } else {
      EXPECT_LT(shiftY, 0) << "the view moves down";
      EXPECT_NEAR(after.y2 - after.y1, before.y2 - before.y1, 1e-3);
      EXPECT_EQ(shiftX, 0);
    }
    EXPECT_NE(bar->value(), value);
    EXPECT_EQ(bar->value(), (row.horizontal ? w.control().HScroll1() : w.control().VScroll1()).Value);
    EXPECT_EQ(DifferingPixels(w), 0);
  }
}

TEST(Interaction, LabelShowsTheCoordinatesUnderThePointer) {
  PlotaraWidget w;
  DrawChart(w);
  w.invoke("SetShowXYcoords", {true});
  const Geometry g = GeometryOf(w);
  Hover(&w, g.AtPlot(0.5, 0.5));
  QLabel* label = w.readoutLabel();
  EXPECT_TRUE(label->isVisible());
  const QString text = label->text();
  EXPECT_EQ(text.toStdString(), w.control().Label1().Caption);
  const QStringList parts = text.trimmed().split(", ");
  ASSERT_EQ(parts.size(), 2) << "[" << text.toStdString() << "]";
  const View v = ViewOf(w);
  EXPECT_NEAR(parts[0].toDouble(), (v.x1 + v.x2) / 2, (v.x2 - v.x1) / 50);
  EXPECT_NEAR(parts[1].toDouble(), (v.y1 + v.y2) / 2, (v.y2 - v.y1) / 50);
  // Outside the plot area the read-out is empty.
  Hover(&w, g.InBorderBand());
  EXPECT_EQ(label->text(), "");
}

TEST(Interaction, PointerShapeFollowsWhatIsUnderIt) {
  PlotaraWidget w;
  DrawChart(w);
  const Geometry g = GeometryOf(w);
  struct Row {
    const char* what;
    QPoint at;
    Qt::CursorShape shape;
  };
  const Row rows[] = {
      {"left edge of the plot area", {g.plot.left() + 1, g.plot.center().y()}, Qt::SizeHorCursor},
      {"top edge of the plot area", {g.plot.center().x(), g.plot.top() + 1}, Qt::SizeVerCursor},
      {"inside the plot area: zoom", g.plot.center(), Qt::CrossCursor},
      {"border band: move", g.InBorderBand(), Qt::SizeAllCursor},
  };
  for (const Row& row : rows) {
    Hover(&w, row.at);
    EXPECT_EQ(w.cursor().shape(), row.shape) << row.what;
  }
}

TEST(Interaction, OnlyTheChangedRectangleIsRepainted) {
  PlotaraWidget w;
  DrawChart(w);
  const Geometry g = GeometryOf(w);
  // Records the areas repainted while the rubber band grows by a few pixels.
  struct Recorder : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
      return false;
    }
  } recorder;
  const QPoint a = g.AtPlot(0.3, 0.3), b = g.AtPlot(0.4, 0.4);
  QTest::mousePress(&w, Qt::LeftButton, {}, a);
  QTest::mouseMove(&w, b);
  QApplication::processEvents();
  w.installEventFilter(&recorder);
  QTest::mouseMove(&w, b + QPoint(5, 5));
  QApplication::processEvents();
  w.removeEventFilter(&recorder);
  QTest::mouseRelease(&w, Qt::LeftButton, {}, b + QPoint(5, 5));
  ASSERT_FALSE(recorder.painted.isEmpty()) << "the band was shown";
  const QRect band = QRect(a, b + QPoint(5, 5)).adjusted(-2, -2, 2, 2);
  EXPECT_TRUE(band.contains(recorder.painted.boundingRect()))
      << "repainted " << recorder.painted.boundingRect().width() << " x "
      << recorder.painted.boundingRect().height();
}

TEST(Interaction, CopyToClipboardPutsThePictureThere) {
  PlotaraWidget w;
  DrawChart(w, {420, 310});
  QGuiApplication::clipboard()->clear();
  w.invoke("CopyToClipboard");
  const QImage copied = QGuiApplication::clipboard()->image();
  const PictureView pic = w.control().Picture1();
  ASSERT_EQ(copied.size(), QSize(pic.Width, pic.Height));
  EXPECT_EQ(DifferingPixels(copied, pic), 0);
}

}  // namespace
}  // namespace plotara::qt
