// The viewer's window: runs a host script into a PlotaraWidget so that its chart can be dragged, zoomed,
// panned, copied, saved and printed, and runs it again, on a new control, whenever the script's file
// changes. A script dropped onto the window is opened in its place.
#pragma once

#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QTimer>

#include "hosts/cli/Script.h"
#include "plotara/qt/PlotaraWidget.h"

namespace plotara::qt {

class ViewerWindow : public QMainWindow {
  Q_OBJECT
 public:
  ViewerWindow(QString path, ScriptOptions options, QWidget* parent = nullptr);

  // Runs the script again on a new chart; its output goes to standard output and error.
  void load();
  // Watches and runs another script from now on.
  void open(const QString& path);
  // Writes the chart as it is now: .png pixels, .svg and .pdf shapes and text. False, with the reason
  // in the status bar, when it could not be written.
  bool saveAs(const QString& path);
  PlotaraWidget* chart() const { return chart_; }
  QString path() const { return path_; }
  int lastStatus() const { return status_; }
  // The last run asked for a picture larger than the control makes: nothing ran.
  bool sizeRefused() const { return sizeRefused_; }

 signals:
  void loaded(int status);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void makeMenus();
  void askToOpen();
  void askToSave();
  void printWithDialog();
  void printPreview();
  QString path_;
  ScriptOptions options_;
  QFileSystemWatcher watcher_;
  QTimer reloadTimer_;
  PlotaraWidget* chart_ = nullptr;
  int status_ = kScriptOk;
  bool sizeRefused_ = false;
};

}  // namespace plotara::qt
