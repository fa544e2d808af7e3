// PlColors: the gradient picker form's logic, without a toolkit. The host service shows the form and
// holds the picker control; this keeps the form's variables and what its buttons do with them.
#pragma once

#include <cstdint>
#include <memory>

#include "plotara/PickerService.h"

namespace plotara {

class PlColors {
 public:
  // What the last button press left (or the start values when the form was closed another way).
  int32_t PlColor1 = 0;
  int32_t PlColor2 = 0;
  float gAngle = 0;
  float gShift = 0;
  int16_t gStyle = 0;

  explicit PlColors(PickerService& picker) : picker_(picker) {}

  // Passes the style to the picker control.
  void SetGradientStyle(int16_t style) { picker_.SetStyle(style); }
  // Shows the form modally and runs the handler of the button that closed it.
  void Show();
  // "Okay": reads the picker's five values in the order it offers them.
  void Command1_Click();
  // "Cancel": colours -1, no angle or shift, style 1.
  void Command2_Click();

  PickerService& Picker() const { return picker_; }

 private:
  PickerService& picker_;
};

// The control's one form in `form`, made on first use with the picker service; raises 91 when the host set
// none. A form made for another service is made anew; the caller's share keeps the one it shows alive
// while the host, called from the dialog, makes another.
std::shared_ptr<PlColors> PlColorsForm(std::shared_ptr<PlColors>& form, PickerService* picker);

}  // namespace plotara
