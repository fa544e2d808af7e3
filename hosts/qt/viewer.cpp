// plotara-view SCRIPT|- [options]
// Runs a host script into a window, so that its chart can be dragged, zoomed, panned, copied, saved and
// printed. The script runs again whenever its file changes. --screenshot writes the window to a picture
// and quits. The options are read as `plotara run` reads its own (hosts/cli/CommandLine), before the
// window system is reached: --help, --version and a usage error need no display.
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "ViewerWindow.h"
#include "hosts/cli/CommandLine.h"

namespace {

void PrintUsage(std::ostream& out) {
  out << "usage: plotara-view SCRIPT [options]\n"
      << "Shows the chart a host script draws; the script runs again whenever its file changes.\n"
      << plotara::OptionsHelp(plotara::Program::View) << "  -h, --help            this help\n"
      << "  --version             the version\n"
      << "Qt's own options (-platform NAME, -display X, -style NAME, ...) pass to Qt.\n";
}

int Usage(const std::string& problem) {
  std::cerr << "plotara-view: " << problem << "\n";
  PrintUsage(std::cerr);
  return 2;
}

// Qt's options that take a value, which QApplication reads and removes.
bool QtOptionWithValue(const char* a) {
  for (const char* o : {"-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-display",
                        "-geometry", "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-style",
                        "-stylesheet", "-session", "-title", "-name"})
    if (std::strcmp(a, o) == 0) return true;
  return false;
}

// The arguments without Qt's own: those of one dash that QApplication takes.
std::vector<std::string> OwnArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (QtOptionWithValue(a)) {
      ++i;
    } else if (std::strcmp(a, "-reverse") != 0 && std::strcmp(a, "-widgetcount") != 0) {
      args.emplace_back(a);
    }
  }
  return args;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = OwnArguments(argc, argv);
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      PrintUsage(std::cout);
      return 0;
    }
    if (a == "--version") {
      std::cout << "plotara-view " << plotara::Plotara().Version() << "\n";
      return 0;
    }
  }
  plotara::CommandLine line;
  if (const std::string problem = plotara::ParseCommandLine(plotara::Program::View, args, line);
      !problem.empty())
    return Usage(problem);
  if (line.Script == "-") return Usage("a window watches a script file: give one, not standard input");
  if (!QFileInfo::exists(QString::fromStdString(line.Script))) {
    std::cerr << "plotara-view: cannot open script '" << line.Script << "'\n";
    return 1;
  }

  QApplication app(argc, argv);
  plotara::qt::ViewerWindow viewer(QString::fromStdString(line.Script), line.Options);
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
