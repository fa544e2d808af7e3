#include "plotara/qt/PlColorsDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <cmath>
#include <cstdlib>

#include "plotara/HostTypes.h"

namespace plotara::qt {

namespace {

QColor ToQColor(int32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
int32_t FromQColor(const QColor& q) {
  return q.red() | (q.green() << 8) | (q.blue() << 16);
}

void PaintSwatch(QPushButton* b, int32_t c) {
  QPixmap p(28, 14);
  p.fill(ToQColor(c));
  b->setIcon(QIcon(p));
  b->setIconSize(p.size());
  b->setToolTip(QColor(ToQColor(c)).name());
}

}  // namespace

// ---------------------------------------------------------------- preview

void GradientPreview::setGradient(int32_t color1, int32_t color2, float angle, float shift, int16_t style) {
  color1_ = color1;
  color2_ = color2;
  angle_ = angle;
  shift_ = shift;
  style_ = style;
  render();
}

void GradientPreview::render() {
  const qreal ratio = devicePixelRatioF();
  const QSize size = (QSizeF(this->size()) * ratio).toSize();
  if (size.isEmpty()) return;
  image_ = QImage(size, QImage::Format_RGB32);
  PaintGradientPreview(reinterpret_cast<uint32_t*>(image_.bits()), size.width(), size.height(),
                       static_cast<int>(image_.bytesPerLine() / 4), color1_, color2_, angle_, shift_, style_);
  image_.setDevicePixelRatio(ratio);
  QWidget::update();
}

void GradientPreview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, image_);
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---------------------------------------------------------------- picker

GradientPicker::GradientPicker(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  swatch1_ = new QPushButton(tr("First"), this);
  swatch2_ = new QPushButton(tr("Second"), this);
  angleBox_ = new QDoubleSpinBox(this);
  angleBox_->setRange(0, 360);
  angleBox_->setWrapping(true);
  angleBox_->setDecimals(1);
  angleBox_->setSingleStep(15);
  angleBox_->setSuffix(QStringLiteral("\u00b0"));
  shiftBox_ = new QDoubleSpinBox(this);
  shiftBox_->setRange(-1, 1);
  shiftBox_->setDecimals(2);
  shiftBox_->setSingleStep(0.1);
  styleBox_ = new QComboBox(this);
  const char* names[] = {QT_TR_NOOP("Single colour"), QT_TR_NOOP("Linear"),
                         QT_TR_NOOP("Rectangles"),    QT_TR_NOOP("Diamonds"),
                         QT_TR_NOOP("Centre fan"),    QT_TR_NOOP("Corner rectangles"),
                         QT_TR_NOOP("Corner fan")};
  for (int i = 0; i <= 6; ++i) styleBox_->addItem(tr(names[i]), i);
  reflected_ = new QCheckBox(tr("Reflected"), this);
  preview_ = new GradientPreview(this);
  preview_->setMinimumSize(40, 24);

  grid->addWidget(swatch1_, 0, 0);
  grid->addWidget(swatch2_, 0, 1);
  grid->addWidget(new QLabel(tr("Angle"), this), 1, 0);
  grid->addWidget(angleBox_, 1, 1);
  grid->addWidget(new QLabel(tr("Shift"), this), 2, 0);
  grid->addWidget(shiftBox_, 2, 1);
  grid->addWidget(styleBox_, 3, 0);
  grid->addWidget(reflected_, 3, 1);
  grid->addWidget(preview_, 4, 0, 1, 2);
  grid->setRowStretch(4, 1);

  connect(swatch1_, &QPushButton::clicked, this, [this] { pickColour(1); });
  connect(swatch2_, &QPushButton::clicked, this, [this] { pickColour(2); });
  connect(angleBox_, &QDoubleSpinBox::valueChanged, this, &GradientPicker::refresh);
  connect(shiftBox_, &QDoubleSpinBox::valueChanged, this, &GradientPicker::refresh);
  connect(styleBox_, &QComboBox::currentIndexChanged, this, &GradientPicker::refresh);
  connect(reflected_, &QCheckBox::toggled, this, &GradientPicker::refresh);
  setStyle(1);
  setAngle(315);
  refresh();
}

float GradientPicker::shift() const {
  return static_cast<float>(shiftBox_->value());
}
float GradientPicker::angle() const {
  return static_cast<float>(angleBox_->value());
}
int16_t GradientPicker::style() const {
  const int s = styleBox_->currentIndex();
  return static_cast<int16_t>(reflected_->isChecked() && s != 0 ? -s : s);
}

void GradientPicker::setColor1(int32_t c) {
  color1_ = c;
  refresh();
}
void GradientPicker::setColor2(int32_t c) {
  color2_ = c;
  refresh();
}
void GradientPicker::setShift(float s) {
  shiftBox_->setValue(s);
}
void GradientPicker::setAngle(float a) {
  // The painter reduces angles into 0 .. 360; so does the box.
  const double reduced = a - 360.0 * std::floor(a / 360.0);
  angleBox_->setValue(std::isfinite(reduced) ? reduced : 0);
}
void GradientPicker::setStyle(int16_t s) {
  const int geometry = std::abs(s) <= 6 ? std::abs(s) : 1;
  const QSignalBlocker block(reflected_);
  reflected_->setChecked(s < 0 && geometry != 0);
  styleBox_->setCurrentIndex(geometry);
  refresh();
}

void GradientPicker::pickColour(int which) {
  const QColor chosen = QColorDialog::getColor(ToQColor(which == 1 ? color1_ : color2_), this,
                                               which == 1 ? tr("First colour") : tr("Second colour"));
  if (!chosen.isValid()) return;
  if (which == 1)
    setColor1(FromQColor(chosen));
  else
    setColor2(FromQColor(chosen));
}

void GradientPicker::refresh() {
  PaintSwatch(swatch1_, color1_);
  PaintSwatch(swatch2_, color2_);
  const bool single = styleBox_->currentIndex() == 0;
  swatch2_->setEnabled(!single);
  angleBox_->setEnabled(!single);
  shiftBox_->setEnabled(!single);
  reflected_->setEnabled(!single);
  preview_->setGradient(color1_, color2_, angle(), shift(), style());
  emit changed();
}

// ---------------------------------------------------------------- dialog

PlColorsDialog::PlColorsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PlColors"));
  setWindowTitle(QStringLiteral("plGradient Picker"));
  setModal(true);
  picker_ = new GradientPicker(this);
  picker_->setObjectName(QStringLiteral("PlGradient1"));
  picker_->move(8, 8);  // 120 twips from the left and the top
  command1_ = new QPushButton(tr("Okay"), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command1_->setDefault(true);
  command2_ = new QPushButton(tr("Cancel"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  connect(command1_, &QPushButton::clicked, this, [this] {
    pressed_ = PickerButton::Okay;
    accept();
  });
  connect(command2_, &QPushButton::clicked, this, [this] {
    pressed_ = PickerButton::Cancel;
    reject();
  });
  resize(360, 330);
}

PickerButton PlColorsDialog::ShowModal() {
  pressed_ = PickerButton::None;
  exec();  // QDialog hides itself when done; the object stays for the next call
  return pressed_;
}

void PlColorsDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  PickerFormLayout form;
  form.FormWidth = static_cast<float>(width() * kTwipsPerLogicalPixel);
  form.FormHeight = static_cast<float>(height() * kTwipsPerLogicalPixel);
  form.PickerLeft = static_cast<float>(picker_->x() * kTwipsPerLogicalPixel);
  form.PickerTop = static_cast<float>(picker_->y() * kTwipsPerLogicalPixel);
  LayOutPickerForm(form);
  auto px = [](float twips) { return static_cast<int>(std::lround(twips / kTwipsPerLogicalPixel)); };
  picker_->resize(px(form.PickerWidth), px(form.PickerHeight));
  const QSize button(81, 25);  // 1215 x 375 twips
  command1_->setGeometry(QRect(QPoint(picker_->x(), px(form.Command1Top)), button));
  command2_->setGeometry(
      QRect(QPoint(picker_->x() + picker_->width() - button.width(), px(form.Command2Top)), button));
  const QSize wanted(px(form.FormWidth), px(form.FormHeight));
  if (wanted != size()) resize(wanted);  // too small: the form snaps back to its minimum
}

}  // namespace plotara::qt
