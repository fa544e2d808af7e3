// What a Qt host of the control needs beyond its kind of item: the by-name interface with Qt types, the
// input events of Qt turned into the control's entry points, the data queries' thread, the hover text,
// and printing. Inline, so that each Qt host's library carries them and a program may load more than one.
#pragma once

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QNativeGestureEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <QThreadPool>
#include <QVariant>
#include <QWheelEvent>
#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>

#include "QtPagePainter.h"
#include "plotara/Automation.h"
#include "plotara/ChildElements.h"
#include "plotara/HostServices.h"
#include "plotara/Plotara.h"

namespace plotara::qt::host {

// ---------------------------------------------------------------- the by-name interface

inline QVariant ToQVariant(const Variant& v) {
  switch (v.Type()) {
    case VarType::Boolean:
      return v.ToBoolean();
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return v.ToLong();
    case VarType::Single:
      return v.ToSingle();
    case VarType::Double:
      return v.ToDouble();
    case VarType::String:
      return QString::fromStdString(v.ToString());
    case VarType::StringArray: {
      QStringList list;
      for (const std::string& s : v.ToStringArray()) list << QString::fromStdString(s);
      return list;
    }
    default:
      return {};
  }
}

inline Variant ToVariant(const QVariant& v) {
  if (!v.isValid()) return Variant::Missing();  // an argument left out
  switch (v.typeId()) {
    case QMetaType::Bool:
      return Variant(v.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
      const qlonglong n = v.toLongLong();
      if (n >= INT16_MIN && n <= INT16_MAX) return Variant(static_cast<int16_t>(n));
      if (n >= INT32_MIN && n <= INT32_MAX) return Variant(static_cast<int32_t>(n));
      return Variant(static_cast<double>(n));
    }
    case QMetaType::Float:
      return Variant(v.toFloat());
    case QMetaType::Double:
      return Variant(v.toDouble());
    case QMetaType::QStringList: {
      std::vector<std::string> list;
      for (const QString& s : v.toStringList()) list.push_back(s.toStdString());
      return Variant(std::move(list));
    }
    default:
      return Variant(v.toString().toStdString());
  }
}

// Calls a member by name; the arguments it writes back replace args. Throws AutomationError.
inline QVariant Invoke(Plotara& control, const QString& name, QVariantList& args) {
  std::vector<Variant> positional;
  for (const QVariant& a : args) positional.push_back(ToVariant(a));
  // Room for out-arguments the caller left out.
  if (const MemberInfo* m = Members().Find(name.toStdString()); m && m->Kind == MemberKind::Method)
    while (positional.size() < m->Params.size() && m->Params[positional.size()].Out)
      positional.push_back(Variant::Missing());
  std::vector<NamedArg> named;
  const QVariant result = ToQVariant(plotara::Invoke(control, name.toStdString(), positional, named));
  args.clear();
  for (const Variant& v : positional) args << ToQVariant(v);
  return result;
}

// ---------------------------------------------------------------- services and the pointer

// CopyToClipboard puts the picture on the system clipboard as an image.
class SystemClipboard final : public ClipboardService {
 public:
  bool Clear() override {
    QGuiApplication::clipboard()->clear();
    return true;
  }
  bool PutPicture(const PictureView& pic) override {
    if (!pic.Pixels || pic.Width <= 0 || pic.Height <= 0) return false;
    // A copy: the clipboard keeps the image after the control draws again.
    const QImage image(reinterpret_cast<const uchar*>(pic.Pixels), pic.Width, pic.Height,
                       static_cast<qsizetype>(pic.StridePixels) * 4, QImage::Format_RGB32);
    QGuiApplication::clipboard()->setImage(image.copy());
    return true;
  }
};

// The cursor for the pointer shape the control asks for (plotara::pointer); none for the default one.
inline std::optional<Qt::CursorShape> CursorOf(int16_t pointerShape) {
  switch (pointerShape) {
    case pointer::CrossHair:
      return Qt::CrossCursor;
    case pointer::FourArrows:
      return Qt::SizeAllCursor;
    case pointer::NorthSouth:
      return Qt::SizeVerCursor;
    case pointer::WestEast:
      return Qt::SizeHorCursor;
    case pointer::UpArrow:
      return Qt::UpArrowCursor;
    default:
      return std::nullopt;
  }
}

// The control's events as the host's signals of the same names in lower camel case.
template <class Host>
void EmitEvents(Plotara& control, Host* to) {
  EventHandlers& ev = control.Events();
  ev.NewGraphInFront = [to] { emit to->newGraphInFront(); };
  ev.GraphScaleChanged = [to] { emit to->graphScaleChanged(); };
  ev.GraphPositionChanged = [to] { emit to->graphPositionChanged(); };
  ev.LegendPositionChanged = [to] { emit to->legendPositionChanged(); };
  ev.ErrorMsg = [to](std::string& source, std::string& description) {
    emit to->errorMsg(QString::fromStdString(source), QString::fromStdString(description));
  };
  ev.ViewChanged = [to](int16_t graph) { emit to->viewChanged(graph); };
}

// Runs a by-name access; an AutomationError goes to failed(number, description) and gives fallback.
template <class Access, class Failed>
auto Guarded(Access access, Failed failed, std::invoke_result_t<Access> fallback = {}) {
  try {
    return access();
  } catch (const AutomationError& e) {
    failed(e.Number(), QString::fromStdString(e.Description()));
    return fallback;
  }
}

// ---------------------------------------------------------------- input

// Twips of a position in logical pixels.
inline float Twips(qreal logicalPixels) {
  return static_cast<float>(logicalPixels * kTwipsPerLogicalPixel);
}

// The control's shift code: Shift 1, Ctrl 2, Alt 4.
inline int16_t ShiftOf(Qt::KeyboardModifiers m) {
  return static_cast<int16_t>((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                              (m & Qt::AltModifier ? 4 : 0));
}

// The control's button code: left 1, right 2, middle 4.
inline int16_t ButtonsOf(Qt::MouseButtons b) {
  return static_cast<int16_t>((b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                              (b & Qt::MiddleButton ? 4 : 0));
}

// The key code the control answers for a key event (plotara::key), or -1.
inline int16_t KeyCodeOf(const QKeyEvent& e) {
  switch (e.key()) {
    case Qt::Key_Left:
      return key::Left;
    case Qt::Key_Right:
      return key::Right;
    case Qt::Key_Up:
      return key::Up;
    case Qt::Key_Down:
      return key::Down;
    case Qt::Key_PageUp:
      return key::PageUp;
    case Qt::Key_PageDown:
      return key::PageDown;
    case Qt::Key_Home:
      return key::Home;
    case Qt::Key_Escape:
      return key::Escape;
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // + without Shift on many keyboards
      return key::Add;
    case Qt::Key_Minus:
      return key::Subtract;
    case Qt::Key_C:
      return key::C;
    default:
      return -1;
  }
}

// A key pressed with the focus: true when the control took it.
inline bool Key(Plotara& control, const QKeyEvent& e) {
  const int16_t code = KeyCodeOf(e);
  return code >= 0 && control.KeyDown(code, ShiftOf(e.modifiers()));
}

// The wheel: pixel deltas come from a touchpad's two-finger scroll and pan, angle deltas from a wheel
// and zoom (the vertical one, or the horizontal one of a tilted wheel or of Alt). True when taken.
inline bool Wheel(Plotara& control, const QWheelEvent& e) {
  const QPointF at = e.position();
  const float x = Twips(at.x()), y = Twips(at.y());
  if (!e.pixelDelta().isNull())
    return control.Pan(x, y, Twips(e.pixelDelta().x()), Twips(e.pixelDelta().y()));
  const QPoint angle = e.angleDelta();
  const int delta = angle.y() != 0 ? angle.y() : angle.x();
  return delta != 0 && control.Wheel(x, y, delta, ShiftOf(e.modifiers()));
}

// A touchpad's gesture: a pinch zooms, a pan pans. True when taken.
inline bool Gesture(Plotara& control, const QNativeGestureEvent& e) {
  const QPointF at = e.position();
  switch (e.gestureType()) {
    case Qt::ZoomNativeGesture:
      return control.Pinch(Twips(at.x()), Twips(at.y()), 1 + e.value());
    case Qt::PanNativeGesture:
      return control.Pan(Twips(at.x()), Twips(at.y()), Twips(e.delta().x()), Twips(e.delta().y()));
    default:
      return false;
  }
}

// ---------------------------------------------------------------- data queries

// Runs the questions a control noted for its data sources (DeferDataQueries) on a thread of its own, so
// that a slow database never stops the host's event loop; the host keeps showing the last picture. When
// the questions of the newest view have been answered, `answered` runs on the host's thread (the thread
// of `host`), to draw. Questions of an older view that have not started yet are dropped: their rows would
// be stale. One thread: a source answers one question at a time, the newer after the older.
class QueryRunner {
 public:
  QueryRunner(Plotara& control, QObject* host, std::function<void()> answered)
      : control_(control), host_(host), answered_(std::move(answered)) {
    pool_.setMaxThreadCount(1);
    control_.DeferDataQueries(true);
  }
  // A query under way is waited for: its answer goes to the source's cache, which outlives nothing here.
  ~QueryRunner() {
    pool_.clear();
    pool_.waitForDone();
  }
  QueryRunner(const QueryRunner&) = delete;
  QueryRunner& operator=(const QueryRunner&) = delete;

  // Takes the questions the last drawing noted, if any, and starts them.
  void Start() {
    std::vector<std::function<void()>> questions = control_.TakeDataQueries();
    if (questions.empty()) return;
    const uint64_t view = ++newest_;
    pool_.clear();
    pool_.start([this, view, questions = std::move(questions)] {
      for (const std::function<void()>& ask : questions) ask();  // failures are held for the drawing
      // Posted to the host: dropped with it, should it go first.
      QMetaObject::invokeMethod(
          host_, [this, view] { Answered(view); }, Qt::QueuedConnection);
    });
  }
  // True while the questions of the newest view wait for their answers.
  bool Busy() const { return answeredView_ != newest_; }

 private:
  void Answered(uint64_t view) {
    if (view != newest_) return;  // a newer view's questions are under way
    answeredView_ = view;
    answered_();
  }

  Plotara& control_;
  QObject* host_;
  std::function<void()> answered_;
  QThreadPool pool_;
  uint64_t newest_ = 0;        // counts the views whose questions were started
  uint64_t answeredView_ = 0;  // the last of them that was answered
};

// ---------------------------------------------------------------- the hover value

// How near the pointer a point must be to be shown, in logical pixels.
inline constexpr qreal kHoverDistance = 8;

// The data point nearest a position (logical pixels) within kHoverDistance, as a tooltip shows it:
// its data set's legend, then x and y; "" when there is none.
inline QString HoverText(const Plotara& control, QPointF at) {
  const PointHit hit = control.NearestPoint(Twips(at.x()), Twips(at.y()), Twips(kHoverDistance));
  if (!hit.Found) return {};
  // Points are held in single precision: seven digits say all there is.
  return QStringLiteral("%1\nx: %2\ny: %3")
      .arg(QString::fromStdString(hit.DataSetName), QString::number(hit.X, 'g', 7),
           QString::number(hit.Y, 'g', 7));
}

// ---------------------------------------------------------------- printing

// Paints the chart onto the painter's device, fitted into `target` (the painter's units, dpi of them an
// inch) with the proportions it has on the screen (pictureWidth x pictureHeight logical pixels) and laid
// out anew at that size: shapes and text through the painter, so that a printer or a print preview gets
// text as text and lines as sharp as it prints them. Throws AutomationError.
inline void PaintChart(Plotara& control, QPainter& painter, const QRectF& target, double dpi,
                       qreal pictureWidth, qreal pictureHeight) {
  const qreal fit = std::min(target.width() / pictureWidth, target.height() / pictureHeight);
  constexpr double kTwipsPerInch = 1440;
  const double twipsPerUnit = kTwipsPerInch / dpi;
  PageLayout layout;
  layout.Dpi = dpi;
  layout.Width = pictureWidth * fit * twipsPerUnit;
  layout.Height = pictureHeight * fit * twipsPerUnit;
  painter.save();
  painter.translate(target.topLeft());
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  QtPagePainter page(painter);
  control.PaintPage(page, layout);
  painter.restore();
}

// Prints the chart on one page, fitted into its printable area (see PaintChart). False when nothing could
// be printed.
inline bool Print(Plotara& control, QPrinter& printer, qreal pictureWidth, qreal pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  try {
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    PaintChart(control, painter, QRectF(0, 0, area.width(), area.height()), printer.resolution(),
               pictureWidth, pictureHeight);
  } catch (const AutomationError&) {
    painter.end();
    return false;
  }
  return painter.end();
}

}  // namespace plotara::qt::host
