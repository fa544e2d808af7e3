#include "picker/PlColors.h"

#include "platform/RuntimeError.h"

namespace plotara {

void PlColors::Show() {
  switch (picker_.ShowModal()) {
    case PickerButton::Okay:
      Command1_Click();
      break;
    case PickerButton::Cancel:
      Command2_Click();
      break;
    case PickerButton::None:
      break;
  }
}

void PlColors::Command1_Click() {
  PlColor1 = picker_.Color1();
  PlColor2 = picker_.Color2();
  gShift = picker_.Shift();
  gAngle = picker_.Angle();
  gStyle = picker_.Style();
}

void PlColors::Command2_Click() {
  PlColor1 = -1;
  PlColor2 = -1;
  gShift = 0;
  gAngle = 0;
  gStyle = 1;
}

std::shared_ptr<PlColors> PlColorsForm(std::shared_ptr<PlColors>& form, PickerService* picker) {
  if (!picker) Raise(91);
  if (!form || &form->Picker() != picker) form = std::make_shared<PlColors>(*picker);
  return form;
}

void LayOutPickerForm(PickerFormLayout& form) {
  if (form.FormWidth < 3000) form.FormWidth = 3000;
  if (form.FormHeight < 3000) form.FormHeight = 3000;
  form.PickerWidth = form.FormWidth - 2 * form.PickerLeft;
  form.PickerHeight = form.FormHeight - 1200;
  form.Command1Top = form.PickerTop + form.PickerHeight + 120;
  form.Command2Top = form.Command1Top;
}

}  // namespace plotara
