#include "plotara/qt/PlotaraWidget.h"

#include <QGestureEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPinchGesture>
#include <QResizeEvent>
#include <QScrollBar>
#include <QToolTip>
#include <cmath>

#include "QtHost.h"
#include "plotara/Automation.h"
#include "plotara/PickerService.h"
#include "plotara/qt/PlColorsDialog.h"

namespace plotara::qt {

namespace {

int Px(float twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerLogicalPixel));
}

QRect PxRect(const ChildElement& e) {
  return QRect(Px(e.Left), Px(e.Top), Px(e.Width), Px(e.Height));
}

}  // namespace

// The control's picker service: makes the widget's dialog only when it is first needed.
class PlotaraWidget::LazyPicker final : public PickerService {
 public:
  explicit LazyPicker(PlotaraWidget& w) : w_(w) {}
  int32_t Color1() override { return w_.pickerDialog()->Color1(); }
  int32_t Color2() override { return w_.pickerDialog()->Color2(); }
  float Shift() override { return w_.pickerDialog()->Shift(); }
  float Angle() override { return w_.pickerDialog()->Angle(); }
  int16_t Style() override { return w_.pickerDialog()->Style(); }
  void SetStyle(int16_t style) override { w_.pickerDialog()->SetStyle(style); }
  PickerButton ShowModal() override { return w_.pickerDialog()->ShowModal(); }

 private:
  PlotaraWidget& w_;
};

PlotaraWidget::PlotaraWidget(QWidget* parent)
    : QWidget(parent),
      dpi_(96.0 * devicePixelRatioF()),
      control_(std::make_unique<Plotara>(dpi_)),
      queries_(std::make_unique<host::QueryRunner>(*control_, this,
                                                   [this] {
                                                     control_->Refresh();
                                                     sync();
                                                   })),
      lazyPicker_(std::make_unique<LazyPicker>(*this)),
      clipboard_(std::make_unique<host::SystemClipboard>()) {
  setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers every pixel it has
  setMouseTracking(true);                 // the read-out and the pointer shape follow a free mouse
  setFocusPolicy(Qt::StrongFocus);        // the keys navigate once a click or Tab gives the focus
  grabGesture(Qt::PinchGesture);          // a touchscreen's pinch
  hbar_ = new QScrollBar(Qt::Horizontal, this);
  vbar_ = new QScrollBar(Qt::Vertical, this);
  label_ = new QLabel(this);
  hbar_->setObjectName(QStringLiteral("HScroll1"));
  vbar_->setObjectName(QStringLiteral("VScroll1"));
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setAutoFillBackground(true);
  for (QScrollBar* bar : {hbar_, vbar_}) {
    // Dragging the thumb is a Scroll; a value that settles (released thumb, arrows, page clicks) a Change.
    connect(bar, &QScrollBar::sliderMoved, this, [this, bar](int v) { barMoved(bar, true, v); });
    connect(bar, &QScrollBar::valueChanged, this, [this, bar](int v) {
      if (!bar->isSliderDown()) barMoved(bar, false, v);
    });
    connect(bar, &QScrollBar::sliderReleased, this, [this, bar] { barMoved(bar, false, bar->value()); });
  }

  reattach();
  // Only the pixels the control changed are shown again, in logical pixels rounded outwards.
  control_->OnPictureChanged([this](const PixelRect& r) {
    const qreal ratio = dpi_ / 96.0;
    const QRectF changed(r.Left / ratio, r.Top / ratio, r.Width / ratio, r.Height / ratio);
    update(changed.toAlignedRect());
  });
  mirrorChildren();
}

PlotaraWidget::~PlotaraWidget() {
  // The child widgets outlive the control by a moment; nothing of theirs may reach it any more.
  hbar_->disconnect(this);
  vbar_->disconnect(this);
  control_->SetPicker(nullptr);
  control_->SetClipboard(nullptr);
  control_->OnPictureChanged({});
}

PlColorsDialog* PlotaraWidget::pickerDialog() {
  if (!picker_) picker_ = new PlColorsDialog(this);
  return picker_;
}

void PlotaraWidget::reattach() {
  host::EmitEvents(*control_, this);
  control_->SetPicker(lazyPicker_.get());
  control_->SetClipboard(clipboard_.get());
  control_->DeferDataQueries(true);
}

bool PlotaraWidget::waitingForData() const {
  return queries_->Busy();
}

// ---------------------------------------------------------------- by name

QVariant PlotaraWidget::toQVariant(const Variant& v) {
  return host::ToQVariant(v);
}

Variant PlotaraWidget::toVariant(const QVariant& v) {
  return host::ToVariant(v);
}

QVariant PlotaraWidget::invoke(const QString& name, const QVariantList& args) {
  QVariantList copy = args;
  return invoke(name, copy);
}

QVariant PlotaraWidget::invoke(const QString& name, QVariantList& args) {
  const QVariant result = host::Guarded([&] { return host::Invoke(*control_, name, args); }, failed());
  sync();
  return result;
}

QVariant PlotaraWidget::property(const QString& name) {
  return host::Guarded([&] { return host::ToQVariant(Get(*control_, name.toStdString())); }, failed());
}

bool PlotaraWidget::setProperty(const QString& name, const QVariant& value) {
  return host::Guarded(
      [&] {
        Put(*control_, name.toStdString(), host::ToVariant(value));
        return true;
      },
      failed(), false);
}

std::function<void(int, const QString&)> PlotaraWidget::failed() {
  return [this](int number, const QString& description) { emit automationError(number, description); };
}

// ---------------------------------------------------------------- showing

QSize PlotaraWidget::sizeHint() const {
  const PictureView pic = control_->Picture1();
  if (pic.Width <= 0 || pic.Height <= 0) return {640, 480};
  const qreal ratio = dpi_ / 96.0;
  return {static_cast<int>(std::lround(pic.Width / ratio)) + Px(control_->VScroll1().Width),
          static_cast<int>(std::lround(pic.Height / ratio)) + Px(control_->HScroll1().Height)};
}

void PlotaraWidget::sync() {
  mirrorChildren();
  showPointer();
  queries_->Start();  // the rows the drawing asked for, if it asked
}

void PlotaraWidget::mirrorChildren() {
  mirroring_ = true;
  auto mirrorBar = [](QScrollBar* bar, const ScrollBarElement& e) {
    bar->setGeometry(PxRect(e));
    bar->setRange(0, e.Max);
    bar->setPageStep(e.LargeChange);
    bar->setSingleStep(e.SmallChange);
    if (!bar->isSliderDown()) bar->setValue(e.Value);  // never pull the thumb from under the user
    bar->setVisible(e.Visible);
  };
  mirrorBar(hbar_, control_->HScroll1());
  mirrorBar(vbar_, control_->VScroll1());
  const LabelElement& l = control_->Label1();
  label_->setGeometry(PxRect(l));
  label_->setText(QString::fromStdString(l.Caption));
  label_->setVisible(l.Visible);
  mirroring_ = false;
}

void PlotaraWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const PictureView pic = control_->Picture1();
  const qreal ratio = dpi_ / 96.0;
  QRect covered;
  if (pic.Pixels && pic.Width > 0 && pic.Height > 0) {
    // The control's own pixels, wrapped, not copied: 0x00RRGGBB is Qt's RGB32.
    QImage image(reinterpret_cast<const uchar*>(pic.Pixels), pic.Width, pic.Height,
                 static_cast<qsizetype>(pic.StridePixels) * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    // The painter is clipped to the changed rectangle: only that part is copied to the screen.
    painter.drawImage(QPointF(0, 0), image);
    covered = QRect(0, 0, static_cast<int>(std::ceil(pic.Width / ratio)),
                    static_cast<int>(std::ceil(pic.Height / ratio)));
  }
  // What the picture does not cover (the corner between the bars, before the first drawing).
  const QRegion rest = QRegion(event->rect()) - QRegion(covered);
  for (const QRect& r : rest) painter.fillRect(r, palette().color(QPalette::Window));
}

void PlotaraWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  control_->Resize(static_cast<float>(width() * kTwipsPerLogicalPixel),
                   static_cast<float>(height() * kTwipsPerLogicalPixel));
  sync();
  update();  // a new picture, and the strips beside it
}

void PlotaraWidget::barMoved(QScrollBar* bar, bool dragging, int value) {
  if (mirroring_) return;
  const int32_t v = value;
  if (bar == hbar_)
    dragging ? control_->HScroll1_Scroll(v) : control_->HScroll1_Change(v);
  else
    dragging ? control_->VScroll1_Scroll(v) : control_->VScroll1_Change(v);
  sync();
}

// ---------------------------------------------------------------- mouse

void PlotaraWidget::forwardMouse(MouseStep step, QMouseEvent* event) {
  // While moving, the buttons held; else the one pressed or released.
  const int16_t button =
      host::ButtonsOf(step == MouseStep::Move ? event->buttons() : Qt::MouseButtons(event->button()));
  const int16_t shift = host::ShiftOf(event->modifiers());
  const QPointF p = event->position();
  const float x = host::Twips(p.x()), y = host::Twips(p.y());
  switch (step) {
    case MouseStep::Down:
      control_->Picture1_MouseDown(button, shift, x, y);
      break;
    case MouseStep::Move:
      control_->Picture1_MouseMove(button, shift, x, y);
      if (hoverValue_ && button == 0) showHoverValue(event->position(), event->globalPosition().toPoint());
      break;
    case MouseStep::Up:
      control_->Picture1_MouseUp(button, shift, x, y);
      break;
  }
  sync();
  event->accept();
}

void PlotaraWidget::mousePressEvent(QMouseEvent* event) {
  forwardMouse(MouseStep::Down, event);
}
void PlotaraWidget::mouseMoveEvent(QMouseEvent* event) {
  forwardMouse(MouseStep::Move, event);
}
void PlotaraWidget::mouseReleaseEvent(QMouseEvent* event) {
  forwardMouse(MouseStep::Up, event);
}

void PlotaraWidget::wheelEvent(QWheelEvent* event) {
  if (host::Wheel(*control_, *event)) {
    sync();
    event->accept();
  } else {
    event->ignore();  // a scroll area around the chart scrolls instead
  }
}

void PlotaraWidget::keyPressEvent(QKeyEvent* event) {
  if (host::Key(*control_, *event)) {
    sync();
    event->accept();
  } else {
    QWidget::keyPressEvent(event);
  }
}

bool PlotaraWidget::event(QEvent* event) {
  if (event->type() == QEvent::NativeGesture) {
    if (!host::Gesture(*control_, *static_cast<QNativeGestureEvent*>(event))) return QWidget::event(event);
    sync();
    return true;
  }
  if (event->type() == QEvent::Gesture) {
    auto* gestures = static_cast<QGestureEvent*>(event);
    if (auto* pinch = static_cast<QPinchGesture*>(gestures->gesture(Qt::PinchGesture))) {
      const QPointF at = mapFromGlobal(pinch->centerPoint());
      control_->Pinch(host::Twips(at.x()), host::Twips(at.y()), pinch->scaleFactor());
      sync();
      gestures->accept(pinch);
      return true;
    }
  }
  return QWidget::event(event);
}

void PlotaraWidget::setHoverValue(bool on) {
  hoverValue_ = on;
  if (!on) QToolTip::hideText();
}

void PlotaraWidget::showHoverValue(QPointF at, QPoint global) {
  const QString text = host::HoverText(*control_, at);
  if (text.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(global, text, this);
  }
}

bool PlotaraWidget::print(QPrinter* printer) {
  const PictureView pic = control_->Picture1();
  const qreal ratio = dpi_ / 96.0;
  const bool printed = printer && host::Print(*control_, *printer, pic.Width / ratio, pic.Height / ratio);
  sync();
  return printed;
}

void PlotaraWidget::showPointer() {
  if (const std::optional<Qt::CursorShape> shape = host::CursorOf(control_->MousePointer())) {
    setCursor(*shape);
  } else {
    unsetCursor();  // the default pointer: the form's own
  }
}

}  // namespace plotara::qt
