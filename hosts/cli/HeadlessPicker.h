// The command-line host's gradient picker: no window; a script says beforehand what the next dialog
// "returns" (Pick Okay, ... or Pick Cancel), as if a user had chosen it.
#pragma once

#include <optional>

#include "plotara/PickerService.h"

namespace plotara {

class HeadlessPicker final : public PickerService {
 public:
  struct Choice {
    PickerButton Button = PickerButton::None;
    // Okay with values: the user set these in the picker before pressing it.
    std::optional<int32_t> Color1, Color2;
    std::optional<float> Shift, Angle;
    std::optional<int16_t> Style;
  };

  // What the next ShowModal does; without one the dialog is closed by other means.
  void Queue(const Choice& choice) { next_ = choice; }

  int32_t Color1() override { return color1_; }
  int32_t Color2() override { return color2_; }
  float Shift() override { return shift_; }
  float Angle() override { return angle_; }
  int16_t Style() override { return style_; }
  void SetStyle(int16_t style) override { style_ = style; }

  PickerButton ShowModal() override {
    const Choice c = next_.value_or(Choice{});
    next_.reset();
    if (c.Color1) color1_ = *c.Color1;
    if (c.Color2) color2_ = *c.Color2;
    if (c.Shift) shift_ = *c.Shift;
    if (c.Angle) angle_ = *c.Angle;
    if (c.Style) style_ = *c.Style;
    return c.Button;
  }

 private:
  std::optional<Choice> next_;
  // The picker's start state: the gradient painter's own defaults.
  int32_t color1_ = 0x00FFFFD0, color2_ = 0x00400000;
  float shift_ = 0, angle_ = 315;
  int16_t style_ = 1;
};

}  // namespace plotara
