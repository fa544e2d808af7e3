// PlotaraWidget on a real X server: the picture, the size, the child widgets, the events and the by-name
// interface.
#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>

#include "QtTesting.h"
#include "control/Internals.h"

namespace plotara::qt {
namespace {

using test::DifferingPixels;
using test::DrawChart;

TEST(Widget, ShowsThePictureOfTheControl) {
  PlotaraWidget w;
  DrawChart(w);
  const PictureView pic = w.control().Picture1();
  ASSERT_GT(pic.Width, 100);
  EXPECT_EQ(DifferingPixels(w), 0);
  // A chart, not a blank picture: more than a few colours.
  const QImage shown = w.grab().toImage();
  QSet<QRgb> colours;
  for (int y = 0; y < pic.Height; y += 3)
    for (int x = 0; x < pic.Width; x += 3) colours.insert(shown.pixel(x, y));
  EXPECT_GT(colours.size(), 3);
}

TEST(Widget, ResizingTheWidgetResizesTheControl) {
  PlotaraWidget w;
  DrawChart(w);
  const QSize sizes[] = {{500, 400}, {720, 300}, {300, 600}};
  for (QSize s : sizes) {
    w.resize(s);
    QApplication::processEvents();
    const PictureView pic = w.control().Picture1();
    const ScrollBarElement& v = w.control().VScroll1();
    const ScrollBarElement& h = w.control().HScroll1();
    EXPECT_EQ(pic.Width, s.width() - qRound(v.Width / 15)) << s.width();
    EXPECT_EQ(pic.Height, s.height() - qRound(h.Height / 15)) << s.height();
    EXPECT_EQ(DifferingPixels(w), 0) << "redrawn at the new size";
  }
}

TEST(Widget, ChildWidgetsMirrorTheControlsElements) {
  PlotaraWidget w;
  DrawChart(w);
  struct Row {
    const char* name;
    QWidget* widget;
    const ChildElement& element;
  };
  const Row rows[] = {{"HScroll1", w.horizontalScrollBar(), w.control().HScroll1()},
                      {"VScroll1", w.verticalScrollBar(), w.control().VScroll1()},
                      {"Label1", w.readoutLabel(), w.control().Label1()}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(r.widget->objectName(), r.name);
    EXPECT_EQ(r.widget->geometry(), QRect(qRound(r.element.Left / 15), qRound(r.element.Top / 15),
                                          qRound(r.element.Width / 15), qRound(r.element.Height / 15)));
    EXPECT_EQ(r.widget->isVisible(), r.element.Visible);
  }
  for (auto [bar, e] : {std::pair{w.horizontalScrollBar(), &w.control().HScroll1()},
                        std::pair{w.verticalScrollBar(), &w.control().VScroll1()}}) {
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), e->Max);
    EXPECT_EQ(bar->value(), e->Value);
    EXPECT_EQ(bar->pageStep(), e->LargeChange);
    EXPECT_EQ(bar->singleStep(), e->SmallChange);
  }
  EXPECT_EQ(w.readoutLabel()->text().toStdString(), w.control().Label1().Caption);
}

TEST(Widget, EventsArriveAsSignals) {
  PlotaraWidget w;
  QSignalSpy scale(&w, &PlotaraWidget::graphScaleChanged);
  QSignalSpy errors(&w, &PlotaraWidget::errorMsg);
  w.invoke("SetSelectedData", {1});  // there is no graph yet
  ASSERT_EQ(errors.count(), 1);
  EXPECT_EQ(errors[0][0].toString(), "Error 9 has occured in Plotara.ocx, SetSelectedData");
  EXPECT_EQ(errors[0][1].toString(), "Subscript out of range");
  DrawChart(w);
  EXPECT_GE(scale.count(), 1) << "a new graph resets its axes";
  QSignalSpy front(&w, &PlotaraWidget::newGraphInFront);
  w.invoke("NewGraph", {"Second"});
  w.invoke("Refresh");
  w.invoke("SetSelectedGraph", {0});  // the first graph comes to the front again
  EXPECT_EQ(front.count(), 1);
}

TEST(Widget, ByNameInterfaceTakesQtTypes) {
  PlotaraWidget w;
  DrawChart(w);
  QSignalSpy failures(&w, &PlotaraWidget::automationError);
  EXPECT_EQ(w.property("Version").toString(), "1.02");
  EXPECT_TRUE(w.setProperty("AxisColor", 0x0000FF));
  EXPECT_EQ(w.property("axiscolor").toInt(), 0x0000FF);
  EXPECT_EQ(w.invoke("GetSelectedAxisIndex", {0}).toInt(), w.control().GetSelectedAxisIndex(0));
  QVariantList names;
  w.invoke("GetGraphNames", names);
  ASSERT_EQ(names.size(), 2);
  EXPECT_TRUE(names[0].toStringList().contains("Test")) << names[0].toStringList().join(",").toStdString();
  EXPECT_EQ(names[1].toInt(), 1);
  EXPECT_EQ(failures.count(), 0);

  struct Row {
    std::function<void()> call;
    int number;
  };
  const Row rows[] = {{[&] { w.invoke("NoSuchMethod"); }, 438},
                      {[&] { w.setProperty("Version", "2"); }, 383},
                      {[&] {
                         w.invoke("NewGraph", {"x", "not a number"});
                       },
                       13},
                      {[&] { w.setProperty("AxisColor", 1e12); }, 6}};
  for (const Row& r : rows) {
    failures.clear();
    r.call();
    ASSERT_EQ(failures.count(), 1) << r.number;
    EXPECT_EQ(failures[0][0].toInt(), r.number);
  }
}

TEST(HiDpi, ControlDrawsAtTheScreensResolution) {
  PlotaraWidget w;
  if (w.devicePixelRatioF() != 2) GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2 (its own CTest entry)";
  EXPECT_EQ(w.dpi(), 192);
  DrawChart(w, {400, 300});
  const PictureView pic = w.control().Picture1();
  EXPECT_EQ(pic.Width, 2 * (400 - qRound(w.control().VScroll1().Width / 15)));
  EXPECT_EQ(pic.Height, 2 * (300 - qRound(w.control().HScroll1().Height / 15)));
  // The window shows every device pixel of the picture: a grab at ratio 2 equals the picture.
  const QImage shown = w.grab().toImage();
  ASSERT_EQ(shown.devicePixelRatio(), 2);
  EXPECT_EQ(DifferingPixels(shown, pic), 0);

  // The mouse still speaks in twips of logical pixels: a rubber band from a quarter to three quarters of
  // the plot area zooms the X axis to the middle half of its range.
  const GraphRecord& g = Internals(w.control()).State.Current();
  const AxisRecord& ax = g.Axes[g.CurrentXAxis];
  const double full1 = ax.AxisValue1, full2 = ax.AxisValue2;
  const QPoint plot(qRound((g.RectLeft + g.BorderLeft) / 15), qRound((g.RectTop + g.BorderTop) / 15));
  const int pw = qRound(ax.AxisLength / 15.0), ph = qRound(g.Axes[g.CurrentYAxis].AxisLength / 15.0);
  QTest::mousePress(&w, Qt::LeftButton, {}, plot + QPoint(pw / 4, ph / 4));
  QTest::mouseMove(&w, plot + QPoint(pw / 2, ph / 2));
  QTest::mouseMove(&w, plot + QPoint(3 * pw / 4, 3 * ph / 4));
  QTest::mouseRelease(&w, Qt::LeftButton, {}, plot + QPoint(3 * pw / 4, 3 * ph / 4));
  QApplication::processEvents();
  EXPECT_NEAR(ax.AxisValue1, full1 + (full2 - full1) / 4, (full2 - full1) / 100);
  EXPECT_NEAR(ax.AxisValue2, full1 + 3 * (full2 - full1) / 4, (full2 - full1) / 100);
  EXPECT_TRUE(w.horizontalScrollBar()->isVisible());
}

}  // namespace
}  // namespace plotara::qt
