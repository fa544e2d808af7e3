// The viewer's window: runs a host script into a PlotaraWidget so that its chart can be dragged, zoomed,
// panned and copied, and runs it again, on a new control, whenever the script's file changes.
#pragma once

#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QTimer>

#include "PlotaraWidget.h"
#include "hosts/cli/Script.h"

namespace plotara::qt {

class ViewerWindow : public QMainWindow {
  Q_OBJECT
 public:
  ViewerWindow(QString path, ScriptOptions options, QWidget* parent = nullptr);

  // Runs the script again on a new chart; its output goes to standard output and error.
  void load();
  PlotaraWidget* chart() const { return chart_; }
  int lastStatus() const { return status_; }
  // The last run asked for a picture larger than the control makes: nothing ran.
  bool sizeRefused() const { return sizeRefused_; }

 signals:
  void loaded(int status);

 private:
  QString path_;
  ScriptOptions options_;
  QFileSystemWatcher watcher_;
  QTimer reloadTimer_;
  PlotaraWidget* chart_ = nullptr;
  int status_ = kScriptOk;
  bool sizeRefused_ = false;
};

}  // namespace plotara::qt
