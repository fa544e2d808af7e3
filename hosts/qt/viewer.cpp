// plotara-view SCRIPT|- [options]
// Runs a host script into a window, so that its chart can be dragged, zoomed, panned and copied. The
// script runs again whenever its file changes. --screenshot writes the window to a picture and quits.
// The options are read as `plotara run` reads its own (hosts/cli/CommandLine).
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <iostream>
#include <string>
#include <vector>

#include "ViewerWindow.h"
#include "hosts/cli/CommandLine.h"

namespace {

int Usage(const std::string& problem) {
  if (!problem.empty()) std::cerr << "plotara-view: " << problem << "\n";
  std::cerr << "usage: plotara-view SCRIPT [options]\n" << plotara::OptionsHelp(plotara::Program::View);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);  // takes Qt's own options (-platform, ...) out of the arguments
  std::vector<std::string> args;
  for (const QString& a : app.arguments().mid(1)) args.push_back(a.toStdString());
  plotara::CommandLine line;
  if (const std::string problem = plotara::ParseCommandLine(plotara::Program::View, args, line);
      !problem.empty())
    return Usage(problem);
  if (line.Script == "-") return Usage("a window watches a script file: give one, not standard input");
  const QString script = QString::fromStdString(line.Script);
  if (!QFileInfo::exists(script)) {
    std::cerr << "plotara-view: cannot open script '" << line.Script << "'\n";
    return 1;
  }
  plotara::qt::ViewerWindow viewer(script, line.Options);
  if (viewer.sizeRefused()) return 1;  // what --size asks for can never be shown; the reason is printed
  viewer.show();
  if (!line.Screenshot.empty()) {
    const QString screenshot = QString::fromStdString(line.Screenshot);
    QTimer::singleShot(300, &viewer, [&app, &viewer, &line, screenshot] {
      const bool saved = viewer.grab().save(screenshot);
      if (!saved) std::cerr << "plotara-view: cannot write '" << line.Screenshot << "'\n";
      app.exit(saved ? 0 : 1);
    });
  }
  return app.exec();
}
