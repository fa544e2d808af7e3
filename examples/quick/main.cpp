// The Qt Quick example: main.qml, whose PlotaraItem comes from `import Plotara`.
// Usage: quick_sales [SCREENSHOT.png] (with a file name it writes the window there once shown, and quits).
#include <plotara/qt/PlotaraItem.h>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTimer>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  plotara::qt::RegisterQmlModule();  // import Plotara
  QQmlApplicationEngine engine;
  engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
  if (engine.rootObjects().isEmpty()) return 1;
  if (argc > 1) {
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().front());
    const QString shot = argv[1];
    QTimer::singleShot(500, &app,
                       [&app, window, shot] { app.exit(window->grabWindow().save(shot) ? 0 : 1); });
  }
  return app.exec();
}
