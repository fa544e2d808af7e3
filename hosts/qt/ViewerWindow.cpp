#include "ViewerWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QStatusBar>
#include <QToolBar>
#include <iostream>
#include <sstream>

#include "hosts/cli/ScriptFile.h"
#include "platform/TextEncoding.h"

namespace plotara::qt {

ViewerWindow::ViewerWindow(QString path, ScriptOptions options, QWidget* parent)
    : QMainWindow(parent), path_(std::move(path)), options_(std::move(options)) {
  QToolBar* tools = addToolBar(tr("Chart"));
  tools->setMovable(false);
  QAction* copy = tools->addAction(tr("Copy"), this, [this] { chart_->invoke("CopyToClipboard"); });
  copy->setShortcut(QKeySequence::Copy);
  QAction* reload = tools->addAction(tr("Reload"), this, &ViewerWindow::load);
  reload->setShortcut(QKeySequence::Refresh);
  QAction* quit = tools->addAction(tr("Quit"), this, &QWidget::close);
  quit->setShortcut(QKeySequence::Quit);
  // Editors often replace the file: watch it again after each change, and let the writes settle.
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { reloadTimer_.start(150); });
  reloadTimer_.setSingleShot(true);
  connect(&reloadTimer_, &QTimer::timeout, this, &ViewerWindow::load);
  load();
}

void ViewerWindow::load() {
  if (!watcher_.files().contains(path_) && QFileInfo::exists(path_)) watcher_.addPath(path_);
  // A new control each time: the script starts from the control's defaults, as on the command line.
  auto* chart = new PlotaraWidget(this);
  connect(chart, &PlotaraWidget::errorMsg, this, [this](const QString& source, const QString& text) {
    statusBar()->showMessage(source + ": " + text);
  });
  std::ostringstream out, err;
  status_ = kScriptFailed;
  std::string text;
  if (const std::string problem = ReadScript(path_.toStdString(), text); !problem.empty()) {
    err << PrintableText(problem) << "\n";
  } else {
    ScriptOptions opts = options_;
    opts.BaseDir = QFileInfo(path_).absolutePath().toStdString();
    opts.Dpi = chart->dpi();
    sizeRefused_ = false;
    if (const std::string tooLarge = SizePicture(chart->control(), opts.Width, opts.Height);
        !tooLarge.empty()) {
      err << tooLarge << "\n";
      sizeRefused_ = true;
    } else {
      ScriptRunner runner(chart->control(), opts, out, err);
      status_ = runner.Run(text, path_.toStdString());
    }
    chart->reattach();  // the runner's headless picker, clipboard and event printing went with it
  }
  std::cout << out.str() << std::flush;
  std::cerr << err.str() << std::flush;
  chart->sync();
  setCentralWidget(chart);  // deletes the previous chart
  chart_ = chart;
  const QString firstError = QString::fromStdString(err.str()).section('\n', 0, 0);
  statusBar()->showMessage(status_ == kScriptOk ? tr("%1 loaded").arg(QFileInfo(path_).fileName())
                                                : firstError);
  setWindowTitle(QFileInfo(path_).fileName() + QStringLiteral(" - plotara-view"));
  resize(sizeHint());  // the whole picture, however large the screen (adjustSize keeps to two thirds)
  emit loaded(status_);
}

}  // namespace plotara::qt
