// Helpers for the Qt host's tests: a chart on a shown widget, and a way to act inside a modal dialog.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "control/Internals.h"
#include "plotara/qt/PlotaraWidget.h"

namespace plotara::qt::test {

// Once a modal dialog of type D is shown, runs act on it from inside its event loop. Should none come,
// or act leave it open, the dialog is rejected after a while so that the test fails instead of hanging.
template <class D>
void WhenModal(std::function<void(D*)> act) {
  auto* poll = new QTimer;
  auto started = std::make_shared<QElapsedTimer>();
  started->start();
  QObject::connect(poll, &QTimer::timeout, [poll, act, started] {
    auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
    if (d && d->isVisible() && QTest::qWaitForWindowExposed(d, 2000)) {
      poll->stop();
      poll->deleteLater();
      act(d);
      QTimer::singleShot(3000, d, [d] {
        if (d->isVisible()) d->reject();
      });
    } else if (started->elapsed() > 5000) {
      poll->stop();
      poll->deleteLater();
      ADD_FAILURE() << "no modal dialog was shown";
    }
  });
  poll->start(10);
}

// A widget with a drawn chart, shown and exposed: one graph of ten points from 0 to 10 by 0 to 100.
inline void DrawChart(PlotaraWidget& w, QSize size = {600, 450}) {
  w.resize(size);
  w.show();
  (void)QTest::qWaitForWindowExposed(&w, 5000);
  w.invoke("NewGraph", {"Test", 0, 10, 0, 100});
  w.invoke("NewDataSet", {"points"});
  for (int i = 0; i <= 10; ++i) w.invoke("AddDataPoint", {i, i * i});
  w.invoke("Refresh");
  QApplication::processEvents();
}

// The pixels of image (RGB, at least the picture's size) that differ from the control's picture.
inline int DifferingPixels(const QImage& image, const PictureView& pic) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  for (int y = 0; y < pic.Height; ++y)
    for (int x = 0; x < pic.Width; ++x)
      differing += (rgb.pixel(x, y) & 0xFFFFFF) != (pic.Pixels[y * pic.StridePixels + x] & 0xFFFFFF);
  return differing;
}

// What the window shows on the X server against the control's picture, in device pixels: read back from
// the server, so that a rectangle left unrepainted shows.
inline int DifferingPixels(PlotaraWidget& w) {
  QApplication::processEvents();
  return DifferingPixels(w.screen()->grabWindow(w.winId()).toImage(), w.control().Picture1());
}

// Where the current graph and its plot area lie in the widget, logical pixels.
struct Geometry {
  QRect graph, plot;
  QPoint AtPlot(double fx, double fy) const {
    return {plot.left() + qRound(fx * plot.width()), plot.top() + qRound(fy * plot.height())};
  }
  QPoint InBorderBand() const { return {(graph.left() + plot.left()) / 2, plot.center().y()}; }
};

inline Geometry GeometryOf(PlotaraWidget& w) {
  Control& c = Internals(w.control());
  const GraphRecord& g = c.State.Current();
  const double left = g.RectLeft + g.BorderLeft, top = g.RectTop + g.BorderTop;
  auto px = [](double twips) { return qRound(twips / 15); };
  return {
      QRect(px(g.RectLeft), px(g.RectTop), px(g.RectWidth), px(g.RectHeight)),
      QRect(px(left), px(top), px(g.Axes[g.CurrentXAxis].AxisLength), px(g.Axes[g.CurrentYAxis].AxisLength))};
}

struct View {
  double x1, x2, y1, y2;
};
inline View ViewOf(PlotaraWidget& w) {
  const GraphRecord& g = Internals(w.control()).State.Current();
  const AxisRecord &x = g.Axes[g.CurrentXAxis], &y = g.Axes[g.CurrentYAxis];
  return {x.AxisValue1, x.AxisValue2, y.AxisValue1, y.AxisValue2};
}

// Moves the pointer to p with no button held, and waits until the widget has seen it there. QTest moves
// the X server's real pointer: the motion comes back as an event in its own time, and not at all when
// the pointer is already there, so a step beside p comes first.
inline void Hover(QWidget* w, QPoint p) {
  struct Seen : QObject {
    QPoint at{-1, -1};
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::MouseMove) at = static_cast<QMouseEvent*>(e)->position().toPoint();
      return false;
    }
  } seen;
  w->installEventFilter(&seen);
  QTest::mouseMove(w, p + QPoint(1, 1));
  QTest::mouseMove(w, p);
  EXPECT_TRUE(QTest::qWaitFor([&] { return seen.at == p; }, 3000)) << "no move to " << p.x() << ", " << p.y();
  w->removeEventFilter(&seen);
}

}  // namespace plotara::qt::test
