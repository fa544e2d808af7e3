#include "plotara/qt/PlotaraItem.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QQmlEngine>
#include <QScreen>
#include <QTouchEvent>
#include <cmath>

#include "QtHost.h"
#include "plotara/Automation.h"

namespace plotara::qt {

namespace {

double ScreenRatio() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->devicePixelRatio() : 1.0;
}

}  // namespace

void RegisterQmlModule() {
  qmlRegisterType<PlotaraItem>("Plotara", 1, 0, "PlotaraItem");
}

PlotaraItem::PlotaraItem(QQuickItem* parent)
    : QQuickPaintedItem(parent),
      dpi_(96.0 * ScreenRatio()),
      control_(std::make_unique<Plotara>(dpi_)),
      queries_(std::make_unique<host::QueryRunner>(*control_, this,
                                                   [this] {
                                                     control_->Refresh();
                                                     sync();
                                                   })),
      clipboard_(std::make_unique<host::SystemClipboard>()) {
  setOpaquePainting(true);  // the picture covers the item
  setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton);
  setAcceptHoverEvents(true);  // the read-out, the pointer shape and the hover value follow a free pointer
  setAcceptTouchEvents(true);
  setActiveFocusOnTab(true);
  host::EmitEvents(*control_, this);
  control_->SetClipboard(clipboard_.get());
  control_->OnPictureChanged([this](const PixelRect& r) {
    const qreal ratio = dpi_ / 96.0;
    update(QRectF(r.Left / ratio, r.Top / ratio, r.Width / ratio, r.Height / ratio).toAlignedRect());
  });
}

PlotaraItem::~PlotaraItem() {
  control_->SetClipboard(nullptr);
  control_->OnPictureChanged({});
}

QVariant PlotaraItem::invoke(const QString& name, const QVariantList& args) {
  QVariantList inOut = args;
  const QVariant result = host::Guarded([&] { return host::Invoke(*control_, name, inOut); }, failed());
  sync();
  return result;
}

QVariant PlotaraItem::get(const QString& name) {
  return host::Guarded([&] { return host::ToQVariant(Get(*control_, name.toStdString())); }, failed());
}

bool PlotaraItem::set(const QString& name, const QVariant& value) {
  const bool done = host::Guarded(
      [&] {
        Put(*control_, name.toStdString(), host::ToVariant(value));
        return true;
      },
      failed(), false);
  sync();
  return done;
}

std::function<void(int, const QString&)> PlotaraItem::failed() {
  return [this](int number, const QString& description) { emit automationError(number, description); };
}

void PlotaraItem::setHoverValue(bool on) {
  if (on == hoverValue_) return;
  hoverValue_ = on;
  emit hoverValueChanged();
  if (!on && !hoverText_.isEmpty()) {
    hoverText_.clear();
    emit hoverTextChanged();
  }
}

// ---------------------------------------------------------------- showing

void PlotaraItem::paint(QPainter* painter) {
  const PictureView pic = control_->Picture1();
  if (!pic.Pixels || pic.Width <= 0 || pic.Height <= 0) {
    painter->fillRect(boundingRect(), Qt::white);
    return;
  }
  // The control's own pixels, wrapped, not copied: 0x00RRGGBB is Qt's RGB32.
  QImage image(reinterpret_cast<const uchar*>(pic.Pixels), pic.Width, pic.Height,
               static_cast<qsizetype>(pic.StridePixels) * 4, QImage::Format_RGB32);
  image.setDevicePixelRatio(dpi_ / 96.0);
  painter->drawImage(QPointF(0, 0), image);
}

bool PlotaraItem::print(QPrinter* printer) {
  return printer && host::Print(*control_, *printer, width(), height());
}

void PlotaraItem::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
  QQuickPaintedItem::geometryChange(newGeometry, oldGeometry);
  if (newGeometry.size() == oldGeometry.size() || newGeometry.isEmpty()) return;
  // The picture fills the item: there are no scroll bars or read-out beside it.
  const qreal ratio = dpi_ / 96.0;
  control_->ResizePicture(std::lround(newGeometry.width() * ratio),
                          std::lround(newGeometry.height() * ratio));
  sync();
  update();
}

// What follows the control after a call or a gesture: the read-out, the pointer shape and the rows a
// drawing asked for.
void PlotaraItem::sync() {
  const LabelElement& label = control_->Label1();
  const QString text = label.Visible ? QString::fromStdString(label.Caption) : QString();
  if (text != readout_) {
    readout_ = text;
    emit readoutChanged();
  }
  if (const std::optional<Qt::CursorShape> shape = host::CursorOf(control_->MousePointer())) {
    setCursor(QCursor(*shape));
  } else {
    unsetCursor();
  }
  queries_->Start();  // the rows the drawing asked for, if it asked
}

// ---------------------------------------------------------------- input

void PlotaraItem::mousePressEvent(QMouseEvent* event) {
  forceActiveFocus(Qt::MouseFocusReason);  // the keys navigate after a click
  const QPointF p = event->position();
  control_->Picture1_MouseDown(host::ButtonsOf(event->button()), host::ShiftOf(event->modifiers()),
                               host::Twips(p.x()), host::Twips(p.y()));
  sync();
}

void PlotaraItem::mouseMoveEvent(QMouseEvent* event) {
  pointerAt(event->position(), event->buttons(), event->modifiers());
}

void PlotaraItem::hoverMoveEvent(QHoverEvent* event) {
  pointerAt(event->position(), Qt::NoButton, event->modifiers());
}

void PlotaraItem::pointerAt(QPointF at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  control_->Picture1_MouseMove(host::ButtonsOf(buttons), host::ShiftOf(modifiers), host::Twips(at.x()),
                               host::Twips(at.y()));
  if (hoverValue_ && buttons == Qt::NoButton) {
    const QString text = host::HoverText(*control_, at);
    if (text != hoverText_) {
      hoverText_ = text;
      emit hoverTextChanged();
    }
  }
  sync();
}

void PlotaraItem::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  control_->Picture1_MouseUp(host::ButtonsOf(event->button()), host::ShiftOf(event->modifiers()),
                             host::Twips(p.x()), host::Twips(p.y()));
  sync();
}

void PlotaraItem::wheelEvent(QWheelEvent* event) {
  if (!host::Wheel(*control_, *event)) {
    event->ignore();  // a Flickable around the chart scrolls instead
    return;
  }
  sync();
}

void PlotaraItem::keyPressEvent(QKeyEvent* event) {
  if (!host::Key(*control_, *event)) {
    event->ignore();
    return;
  }
  sync();
}

// Two fingers on a touchscreen pinch and pan at once; one finger comes as the mouse.
void PlotaraItem::touchEvent(QTouchEvent* event) {
  if (event->pointCount() != 2) {
    touchSpan_ = 0;
    event->ignore();
    return;
  }
  const QPointF a = event->point(0).position(), b = event->point(1).position();
  const QPointF centre = (a + b) / 2;
  const qreal span = std::hypot(a.x() - b.x(), a.y() - b.y());
  if (touchSpan_ > 0 && span > 0 && event->type() == QEvent::TouchUpdate) {
    control_->Pinch(host::Twips(centre.x()), host::Twips(centre.y()), span / touchSpan_);
    const QPointF moved = centre - touchCentre_;
    if (!moved.isNull())
      control_->Pan(host::Twips(centre.x()), host::Twips(centre.y()), host::Twips(moved.x()),
                    host::Twips(moved.y()));
    sync();
  }
  touchCentre_ = centre;
  touchSpan_ = event->type() == QEvent::TouchEnd ? 0 : span;
  event->accept();
}

bool PlotaraItem::event(QEvent* event) {
  if (event->type() == QEvent::NativeGesture &&
      host::Gesture(*control_, *static_cast<QNativeGestureEvent*>(event))) {
    sync();
    return true;
  }
  return QQuickPaintedItem::event(event);
}

}  // namespace plotara::qt
