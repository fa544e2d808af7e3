// Helpers for the Qt host's tests: a chart on a shown widget, and a way to act inside a modal dialog.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

#include "PlotaraWidget.h"

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

}  // namespace plotara::qt::test
