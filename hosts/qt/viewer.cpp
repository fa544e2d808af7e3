// plotara-view SCRIPT [--size WxH] [--screenshot OUT.png]
// Runs a host script into a window, so that its chart can be dragged, zoomed, panned and copied. The
// script runs again whenever its file changes. --screenshot writes the window to a picture and quits.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <iostream>
#include <regex>

#include "ViewerWindow.h"

namespace {

int Usage(const std::string& problem) {
  if (!problem.empty()) std::cerr << "plotara-view: " << problem << "\n";
  std::cerr << "usage: plotara-view SCRIPT [--size WxH] [--screenshot OUT.png]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString script, screenshot;
  plotara::ScriptOptions options;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    if (a == "--size" || a == "--screenshot") {
      if (i + 1 >= args.size()) return Usage(a.toStdString() + " needs a value");
      const QString v = args[++i];
      if (a == "--screenshot") {
        screenshot = v;
        continue;
      }
      std::smatch m;
      const std::string text = v.toStdString();
      if (!std::regex_match(text, m, std::regex("([0-9]{1,5})x([0-9]{1,5})")))
        return Usage("bad size '" + text + "' (expected WIDTHxHEIGHT in pixels)");
      options.Width = std::stoi(m[1]);
      options.Height = std::stoi(m[2]);
      if (options.Width < 1 || options.Height < 1 || options.Width > 20000 || options.Height > 20000)
        return Usage("a size is between 1 and 20000 pixels");
      options.SizeGiven = true;
    } else if (a.startsWith("--") || !script.isEmpty()) {
      return Usage("unexpected argument '" + a.toStdString() + "'");
    } else {
      script = a;
    }
  }
  if (script.isEmpty()) return Usage("");
  if (!QFileInfo::exists(script)) {
    std::cerr << "plotara-view: cannot open script '" << script.toStdString() << "'\n";
    return 1;
  }
  plotara::qt::ViewerWindow viewer(script, options);
  if (viewer.sizeRefused()) return 1;  // what --size asks for can never be shown; the reason is printed
  viewer.show();
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(300, &viewer, [&] {
      const bool saved = viewer.grab().save(screenshot);
      if (!saved) std::cerr << "plotara-view: cannot write '" << screenshot.toStdString() << "'\n";
      app.exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}
