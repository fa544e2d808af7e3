// PlotaraItem: the control as a Qt Quick item. A program that calls plotara::qt::RegisterQmlModule()
// before it loads QML has the QML module Plotara:
//
//   import QtQuick
//   import Plotara
//   PlotaraItem {
//       anchors.fill: parent
//       hoverValue: true
//       Component.onCompleted: { invoke("NewGraph", ["Sales", 0, 10, 0, 100]); invoke("Refresh") }
//       onViewChanged: (graph) => console.log(get("AxisViewValue1"))
//   }
//
// The same by-name interface as PlotaraWidget (invoke; get and set, as property and setProperty are
// QObject's in QML), the control's events as signals, the mouse gestures, the wheel, a touchpad's pinch
// and two-finger scroll, two fingers on a touchscreen and, with the focus, the keys. The item shows the
// picture alone: no scroll bars or read-out (readout holds its text). hoverText names the data point
// nearest the pointer while hoverValue is on, for a tooltip of the QML's own. A data set fed by a
// database gets its rows on a thread of the item's own, as in PlotaraWidget.
#pragma once

#include <QQuickPaintedItem>
#include <QVariant>
#include <functional>
#include <memory>

#include "plotara/Plotara.h"

class QPrinter;

namespace plotara::qt {

namespace host {
class QueryRunner;
}

// Makes `import Plotara` give PlotaraItem (version 1.0) to every QML engine of the program.
void RegisterQmlModule();

class PlotaraItem : public QQuickPaintedItem {
  Q_OBJECT
  Q_PROPERTY(bool hoverValue READ hoverValue WRITE setHoverValue NOTIFY hoverValueChanged)
  Q_PROPERTY(QString hoverText READ hoverText NOTIFY hoverTextChanged)
  Q_PROPERTY(QString readout READ readout NOTIFY readoutChanged)

 public:
  explicit PlotaraItem(QQuickItem* parent = nullptr);
  ~PlotaraItem() override;

  // The control itself, with every member as a C++ function.
  Plotara& control() { return *control_; }

  // A member by name with QML's values; a failure emits automationError and gives undefined.
  Q_INVOKABLE QVariant invoke(const QString& name, const QVariantList& args = {});
  Q_INVOKABLE QVariant get(const QString& name);
  Q_INVOKABLE bool set(const QString& name, const QVariant& value);

  bool hoverValue() const { return hoverValue_; }
  void setHoverValue(bool on);
  QString hoverText() const { return hoverText_; }
  QString readout() const { return readout_; }

  void paint(QPainter* painter) override;
  // Prints the chart as PlotaraWidget::print does. False when nothing could be printed.
  bool print(QPrinter* printer);

 signals:
  void newGraphInFront();
  void graphScaleChanged();
  void graphPositionChanged();
  void legendPositionChanged();
  void errorMsg(const QString& source, const QString& description);
  // The user changed the view of graph `graph`: a zoom, a pan, an unzoom, the wheel, a pinch, the keys.
  void viewChanged(int graph);
  void automationError(int number, const QString& description);
  void hoverValueChanged();
  void hoverTextChanged();
  void readoutChanged();

 protected:
  void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hoverMoveEvent(QHoverEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void touchEvent(QTouchEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void pointerAt(QPointF at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  void sync();
  // Emits automationError: what a failed by-name access reports to.
  std::function<void(int, const QString&)> failed();
  double dpi_;
  std::unique_ptr<Plotara> control_;
  std::unique_ptr<host::QueryRunner> queries_;
  std::unique_ptr<ClipboardService> clipboard_;
  bool hoverValue_ = false;
  QString hoverText_, readout_;
  QPointF touchCentre_;  // two fingers on a touchscreen: where they were last, and how far apart
  qreal touchSpan_ = 0;
};

}  // namespace plotara::qt
