// PlotaraWidget: the control on a Qt form. It shows Picture1, lays the read-out label and the two scroll
// bars out where the control puts them, passes the mouse and the bars to the control, shows the pointer
// shape it asks for, copies to the system clipboard and shows the gradient picker as a modal dialog.
// Beyond the control's own mouse gestures it passes on the wheel (zoom about the pointer; Shift: X only,
// Ctrl: Y only), a touchpad's pinch and two-finger scroll, a touchscreen's pinch and, with the keyboard
// focus, the keys (arrows and Page Up/Down pan, + and - zoom, Home and Escape show everything, Ctrl+C
// copies); the control's WheelZoom, PinchZoom, TouchPan and KeyNavigation switch them off. With
// hoverValue on, a tooltip names the data point under the pointer.
//
//   auto* chart = new PlotaraWidget(form);
//   chart->invoke("NewGraph", {"Sales", 0, 10, 0, 100});
//   chart->control().AddDataPoint(1, 20);        // or the typed C++ interface
//   chart->invoke("Refresh");
//   connect(chart, &PlotaraWidget::viewChanged, form, [](int graph) { ... });
//
// A data set fed by a database (DataQuery) gets its rows on a thread of the widget's own: while a view
// waits for them the window keeps working and shows the last picture; when they arrive, the chart is
// drawn again. A host that wants each drawing to wait for its rows calls
// control().DeferDataQueries(false).
//
// Sizes are logical pixels; the control works in twips (15 a logical pixel). On a screen with a device
// pixel ratio above 1 the control draws at that many times 96 dots per inch, so the picture stays sharp.
#pragma once

#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>

#include "plotara/HostServices.h"
#include "plotara/Plotara.h"

class QLabel;
class QPrinter;
class QScrollBar;

namespace plotara::qt {

class PlColorsDialog;
namespace host {
class QueryRunner;
}

class PlotaraWidget : public QWidget {
  Q_OBJECT
  // A tooltip shows the data point nearest the pointer (its data set, x and y); off by default.
  Q_PROPERTY(bool hoverValue READ hoverValue WRITE setHoverValue)

 public:
  explicit PlotaraWidget(QWidget* parent = nullptr);
  ~PlotaraWidget() override;

  // The control itself, for the typed interface. The picture repaints itself; after a call that may
  // change the label or the scroll bars (a resize, a zoom, SetShowXYcoords), call sync().
  Plotara& control() { return *control_; }
  // The by-name interface with Qt types. A failure emits automationError and returns an invalid value.
  // The second form writes out-arguments back into args.
  QVariant invoke(const QString& name, const QVariantList& args = {});
  QVariant invoke(const QString& name, QVariantList& args);
  QVariant property(const QString& name);
  bool setProperty(const QString& name, const QVariant& value);

  // Mirrors the label, the scroll bars and the pointer shape from the control.
  void sync();

  // The real child widgets the control's elements are shown on.
  QScrollBar* horizontalScrollBar() const { return hbar_; }
  QScrollBar* verticalScrollBar() const { return vbar_; }
  QLabel* readoutLabel() const { return label_; }
  // The gradient picker dialog, made on first use (GetGradient, GetColor).
  PlColorsDialog* pickerDialog();
  // Gives the control this widget's event signals, picker dialog, clipboard and running of data queries
  // again, after something else (a host script's runner) set its own handlers and services on it.
  void reattach();
  // True while the view shown waits for rows from a database.
  bool waitingForData() const;

  // The resolution the control draws at: 96 times the device pixel ratio at creation.
  double dpi() const { return dpi_; }

  bool hoverValue() const { return hoverValue_; }
  void setHoverValue(bool on);

  // Prints the chart as it is now, fitted into the page's printable area with the proportions it has
  // here and laid out anew at that size, through QPainter as shapes and text: a printer, a PDF file and a
  // print preview alike get lines sharp at their resolution and text set as text. False when nothing
  // could be printed.
  bool print(QPrinter* printer);

  // The size the control was last given (its picture and the bars), or 640 x 480 before that.
  QSize sizeHint() const override;

  static QVariant toQVariant(const Variant& v);
  static Variant toVariant(const QVariant& v);

 signals:
  void newGraphInFront();
  void graphScaleChanged();
  void graphPositionChanged();
  void legendPositionChanged();
  void errorMsg(const QString& source, const QString& description);
  // The user changed the view of graph `graph`: a zoom, a pan, an unzoom, the wheel, a pinch, the keys.
  void viewChanged(int graph);
  // A by-name call or property access failed (number and description of the automation error).
  void automationError(int number, const QString& description);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void mirrorChildren();
  void barMoved(QScrollBar* bar, bool dragging, int value);

  class LazyPicker;
  enum class MouseStep { Down, Move, Up };
  void forwardMouse(MouseStep step, QMouseEvent* event);
  // at: logical pixels of the widget; global: of the screen.
  void showHoverValue(QPointF at, QPoint global);
  void showPointer();
  // Emits automationError: what a failed by-name access reports to.
  std::function<void(int, const QString&)> failed();
  double dpi_;
  std::unique_ptr<Plotara> control_;
  std::unique_ptr<host::QueryRunner> queries_;
  std::unique_ptr<LazyPicker> lazyPicker_;
  std::unique_ptr<ClipboardService> clipboard_;
  QScrollBar* hbar_;
  QScrollBar* vbar_;
  QLabel* label_;
  PlColorsDialog* picker_ = nullptr;  // a child, made on first use
  bool mirroring_ = false;            // the bars are being set from the control: not the user
  bool hoverValue_ = false;
};

}  // namespace plotara::qt
