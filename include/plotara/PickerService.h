// The gradient picker: what the control's GetGradient and GetColor need from the host that shows the
// dialog, and the two pieces of the dialog a host reuses (its layout and its preview painter).
//
// The dialog ("plGradient Picker") holds a picker control and two buttons, "Okay" and "Cancel". A host
// makes it on first use, shows it modally for each call and only hides it afterwards, so the picker keeps
// its last state between calls.
#pragma once

#include <cstdint>

namespace plotara {

enum class PickerButton { None, Okay, Cancel };  // None: the dialog was closed another way

class PickerService {
 public:
  virtual ~PickerService() = default;

  // The user's current choice in the picker control, in the order the dialog reads it.
  virtual int32_t Color1() = 0;  // colours 0x00BBGGRR
  virtual int32_t Color2() = 0;
  virtual float Shift() = 0;    // -1 .. 1
  virtual float Angle() = 0;    // degrees
  virtual int16_t Style() = 0;  // 1 to 6 (negative: reflected ramp); 0 when only a colour is wanted
  // Shows the given style in the picker.
  virtual void SetStyle(int16_t style) = 0;

  // Shows the dialog modally until it closes and hides it again; returns the button that closed it.
  virtual PickerButton ShowModal() = 0;
};

// The dialog's geometry, in twips. LayOutPickerForm keeps the dialog at least 3000 x 3000, stretches
// the picker to equal margins left and right and to 1200 less than the dialog's height, and puts both
// buttons 120 below it. PickerLeft and PickerTop are read, not changed.
struct PickerFormLayout {
  float FormWidth = 0, FormHeight = 0;
  float PickerLeft = 120, PickerTop = 120, PickerWidth = 0, PickerHeight = 0;
  float Command1Top = 0, Command2Top = 0;
};
void LayOutPickerForm(PickerFormLayout& form);

// Paints a gradient with the control's own painter into width x height pixels 0x00RRGGBB, stride
// pixels apart. Style 0 shows Color1 alone. Does nothing for an empty area.
void PaintGradientPreview(uint32_t* pixels, int width, int height, int stridePixels, int32_t color1,
                          int32_t color2, float angle, float shift, int16_t style);

}  // namespace plotara
