// The gradient picker dialog ("plGradient Picker") and the picker control it hosts.
//
// GradientPicker: a first and a second colour (a swatch each that opens a colour dialog), angle, shift
// and style, with a live preview painted by the control's own gradient painter. Style 0 picks a single
// colour; 1 to 6 are the painter's geometries and "Reflected" makes the style negative.
//
// PlColorsDialog: the picker and the buttons "Okay" and "Cancel", laid out by the form's own rule
// (at least 3000 x 3000 twips). It is the PickerService behind GetGradient and GetColor: shown modally,
// then hidden, never destroyed, so the picker keeps its last state.
#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>

#include "plotara/PickerService.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;

namespace plotara::qt {

class GradientPreview : public QWidget {
  Q_OBJECT
 public:
  explicit GradientPreview(QWidget* parent = nullptr) : QWidget(parent) {}
  void setGradient(int32_t color1, int32_t color2, float angle, float shift, int16_t style);
  // The picture last painted, in device pixels.
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override { render(); }

 private:
  void render();
  int32_t color1_ = 0, color2_ = 0;
  float angle_ = 0, shift_ = 0;
  int16_t style_ = 1;
  QImage image_;
};

class GradientPicker : public QWidget {
  Q_OBJECT
 public:
  explicit GradientPicker(QWidget* parent = nullptr);

  // Colours are 0x00BBGGRR, as the control takes them.
  int32_t color1() const { return color1_; }
  int32_t color2() const { return color2_; }
  float shift() const;
  float angle() const;
  int16_t style() const;
  void setColor1(int32_t c);
  void setColor2(int32_t c);
  void setShift(float s);
  void setAngle(float a);
  void setStyle(int16_t s);  // outside -6..6 shows the linear sweep, 1

  QPushButton* color2Swatch() const { return swatch2_; }
  QComboBox* styleBox() const { return styleBox_; }
  GradientPreview* preview() const { return preview_; }

 signals:
  void changed();

 private:
  void pickColour(int which);
  void refresh();
  int32_t color1_ = 0x00FFFFD0, color2_ = 0x00400000;  // the painter's own defaults
  QPushButton* swatch1_;
  QPushButton* swatch2_;
  QDoubleSpinBox* angleBox_;
  QDoubleSpinBox* shiftBox_;
  QComboBox* styleBox_;
  QCheckBox* reflected_;
  GradientPreview* preview_;
};

class PlColorsDialog : public QDialog, public PickerService {
  Q_OBJECT
 public:
  explicit PlColorsDialog(QWidget* parent = nullptr);

  GradientPicker* picker() const { return picker_; }
  QPushButton* okayButton() const { return command1_; }
  QPushButton* cancelButton() const { return command2_; }

  // PickerService.
  int32_t Color1() override { return picker_->color1(); }
  int32_t Color2() override { return picker_->color2(); }
  float Shift() override { return picker_->shift(); }
  float Angle() override { return picker_->angle(); }
  int16_t Style() override { return picker_->style(); }
  void SetStyle(int16_t style) override { picker_->setStyle(style); }
  PickerButton ShowModal() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  GradientPicker* picker_;
  QPushButton* command1_;
  QPushButton* command2_;
  PickerButton pressed_ = PickerButton::None;
};

}  // namespace plotara::qt
