// The Qt tutorial's program (docs/tutorials/qt.md): a window with a chart the user can drag and zoom,
// and a status line that follows the control's events. Usage: sales_window [SCREENSHOT.png] (with a file
// name it writes the window there once it is shown, and quits).
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "plotara/qt/PlotaraWidget.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Sales");

  // 1. The widget is a QWidget: put it in a layout like any other.
  auto* central = new QWidget(&window);
  auto* layout = new QVBoxLayout(central);
  auto* chart = new plotara::qt::PlotaraWidget(central);
  layout->addWidget(chart);
  window.setCentralWidget(central);

  // 2. The by-name interface takes Qt types; the typed one is chart->control().
  chart->invoke("NewGraph", {"Sales", 0, 13, 0, 100});
  chart->invoke("NewDataSet", {"2026"});
  for (int month = 1; month <= 12; ++month) chart->control().AddDataPoint(month, 38 + 3 * month + month % 4);
  chart->invoke("DataLine", {0xC00000, 2, 1});
  chart->invoke("Refresh");

  // 3. The control's events are signals; viewChanged follows every zoom and pan.
  QObject::connect(chart, &plotara::qt::PlotaraWidget::viewChanged, &window, [&](int /*graph*/) {
    window.statusBar()->showMessage(QString("X from %1 to %2")
                                        .arg(chart->property("AxisViewValue1").toDouble())
                                        .arg(chart->property("AxisViewValue2").toDouble()));
  });
  QObject::connect(chart, &plotara::qt::PlotaraWidget::errorMsg, &window,
                   [&](const QString& source, const QString& text) {
                     window.statusBar()->showMessage(source + ": " + text);
                   });
  chart->setHoverValue(true);  // a tooltip names the data point under the pointer
  window.statusBar()->showMessage("Drag a rectangle or turn the wheel to zoom; Home shows everything again");
  window.resize(720, 520);
  window.show();

  if (argc > 1) {
    const QString shot = argv[1];
    QTimer::singleShot(300, &window, [&app, &window, shot] { app.exit(window.grab().save(shot) ? 0 : 1); });
  }
  return app.exec();
}
