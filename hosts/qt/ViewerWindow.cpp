#include "ViewerWindow.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <iostream>
#include <sstream>

#include "hosts/cli/ScriptFile.h"
#include "platform/TextEncoding.h"

namespace plotara::qt {

ViewerWindow::ViewerWindow(QString path, ScriptOptions options, QWidget* parent)
    : QMainWindow(parent), path_(std::move(path)), options_(std::move(options)) {
  makeMenus();
  setAcceptDrops(true);
  // Editors often replace the file: watch it again after each change, and let the writes settle.
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { reloadTimer_.start(150); });
  reloadTimer_.setSingleShot(true);
  connect(&reloadTimer_, &QTimer::timeout, this, &ViewerWindow::load);
  load();
}

void ViewerWindow::makeMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&Open..."), QKeySequence::Open, this, &ViewerWindow::askToOpen);
  file->addAction(tr("&Save as..."), QKeySequence::SaveAs, this, &ViewerWindow::askToSave);
  file->addSeparator();
  file->addAction(tr("&Print..."), QKeySequence::Print, this, &ViewerWindow::printWithDialog);
  file->addAction(tr("Print pre&view..."), this, &ViewerWindow::printPreview);
  file->addSeparator();
  QToolBar* tools = addToolBar(tr("Chart"));
  tools->setMovable(false);
  QAction* copy = tools->addAction(tr("Copy"), this, [this] { chart_->invoke("CopyToClipboard"); });
  copy->setShortcut(QKeySequence::Copy);
  QAction* reload = tools->addAction(tr("Reload"), this, &ViewerWindow::load);
  reload->setShortcut(QKeySequence::Refresh);
  QAction* quit = tools->addAction(tr("Quit"), this, &QWidget::close);
  quit->setShortcut(QKeySequence::Quit);
  file->addAction(quit);
}

void ViewerWindow::open(const QString& path) {
  if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
  path_ = path;
  load();
}

bool ViewerWindow::saveAs(const QString& path) {
  try {
    chart_->control().SavePage(path.toStdString(), {});
  } catch (const AutomationError& e) {
    statusBar()->showMessage(tr("Cannot write %1: %2").arg(path, QString::fromStdString(e.Description())));
    return false;
  }
  statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(path).fileName()));
  return true;
}

void ViewerWindow::askToOpen() {
  const QString path = QFileDialog::getOpenFileName(
      this, tr("Open a script"), QFileInfo(path_).absolutePath(), tr("Scripts (*.plotara);;All files (*)"));
  if (!path.isEmpty()) open(path);
}

void ViewerWindow::askToSave() {
  const QString suggested =
      QFileInfo(path_).absolutePath() + '/' + QFileInfo(path_).completeBaseName() + ".png";
  const QString path = QFileDialog::getSaveFileName(this, tr("Save the chart"), suggested,
                                                    tr("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)"));
  if (!path.isEmpty()) saveAs(path);
}

void ViewerWindow::printWithDialog() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  statusBar()->showMessage(chart_->print(&printer) ? tr("Printed") : tr("Nothing could be printed"));
}

void ViewerWindow::printPreview() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, this);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { chart_->print(p); });
  preview.exec();
}

// A local file dragged over the window is taken; dropped, it is opened as the script.
void ViewerWindow::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.front().isLocalFile()) event->acceptProposedAction();
}

void ViewerWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  open(urls.front().toLocalFile());
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
      // A script's statements (Save, Print) see the rows each drawing asks for.
      chart->control().DeferDataQueries(false);
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
