// plotara-view SCRIPT [--size WxH] [--screenshot OUT.png]
// Runs a host script into a window, so that its chart can be dragged, zoomed, panned and copied. The
// script runs again whenever its file changes. --screenshot writes the window to a picture and quits.
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>

#include "PlotaraWidget.h"
#include "hosts/cli/Script.h"

namespace {

using plotara::qt::PlotaraWidget;

class Viewer : public QMainWindow {
 public:
  Viewer(QString path, plotara::ScriptOptions options) : path_(std::move(path)), options_(std::move(options)) {
    QToolBar* tools = addToolBar(tr("Chart"));
    tools->setMovable(false);
    QAction* copy = tools->addAction(tr("Copy"), this, [this] { chart_->invoke("CopyToClipboard"); });
    copy->setShortcut(QKeySequence::Copy);
    QAction* reload = tools->addAction(tr("Reload"), this, &Viewer::load);
    reload->setShortcut(QKeySequence::Refresh);
    QAction* quit = tools->addAction(tr("Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    // Editors often replace the file: watch it again after each change, and let the writes settle.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { reloadTimer_.start(150); });
    reloadTimer_.setSingleShot(true);
    connect(&reloadTimer_, &QTimer::timeout, this, &Viewer::load);
    load();
  }

  void load() {
    if (!watcher_.files().contains(path_) && QFileInfo::exists(path_)) watcher_.addPath(path_);
    // A new control each time: the script starts from the control's defaults, as on the command line.
    auto* chart = new PlotaraWidget(this);
    connect(chart, &PlotaraWidget::errorMsg, this,
            [this](const QString& source, const QString& text) { statusBar()->showMessage(source + ": " + text); });
    std::ifstream in(path_.toStdString(), std::ios::binary);
    std::ostringstream out, err;
    int status = plotara::kScriptFailed;
    if (!in) {
      err << "cannot open script '" << path_.toStdString() << "'\n";
    } else {
      std::stringstream text;
      text << in.rdbuf();
      plotara::ScriptOptions opts = options_;
      opts.BaseDir = QFileInfo(path_).absolutePath().toStdString();
      opts.Dpi = chart->dpi();
      plotara::ScriptRunner::SizeControl(chart->control(), opts.Width, opts.Height);
      {
        plotara::ScriptRunner runner(chart->control(), opts, out, err);
        status = runner.Run(text.str(), path_.toStdString());
      }
      chart->restorePicker();  // the script's headless picker is gone: the real dialog again
    }
    std::cout << out.str() << std::flush;
    std::cerr << err.str() << std::flush;
    chart->sync();
    setCentralWidget(chart);  // deletes the previous chart
    chart_ = chart;
    const QString firstError = QString::fromStdString(err.str()).section('\n', 0, 0);
    statusBar()->showMessage(status == plotara::kScriptOk ? tr("%1 loaded").arg(QFileInfo(path_).fileName())
                                                          : firstError);
    setWindowTitle(QFileInfo(path_).fileName() + QStringLiteral(" - plotara-view"));
    resize(sizeHint());  // the whole picture, however large the screen (adjustSize keeps to two thirds)
  }

  PlotaraWidget* chart() const { return chart_; }

 private:
  QString path_;
  plotara::ScriptOptions options_;
  QFileSystemWatcher watcher_;
  QTimer reloadTimer_;
  PlotaraWidget* chart_ = nullptr;
};

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
  Viewer viewer(script, options);
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
