// The gradient picker methods: the form is made on first use and shown modally through the host.
#include "control/Control.h"
#include "picker/PlColors.h"
#include "plotara/Plotara.h"

namespace plotara {

void Plotara::SetPicker(PickerService* picker) {
  c_->Picker = picker;
}

void Plotara::GetGradient(int32_t& PlColor1, int32_t& PlColor2, float& gAngle, float& gShift,
                          int16_t& gStyle) {
  c_->Notify.Guard("GetGradient", [&] {
    const std::shared_ptr<PlColors> shown = PlColorsForm(c_->Form, c_->Picker);
    PlColors& form = *shown;
    c_->Notify.CallHost([&] { form.Show(); });
    PlColor1 = form.PlColor1;
    PlColor2 = form.PlColor2;
    gAngle = form.gAngle;
    gShift = form.gShift;
    gStyle = form.gStyle;
  });
}

void Plotara::GetColor(int32_t& PlColor1) {
  c_->Notify.Guard("GetColor", [&] {
    const std::shared_ptr<PlColors> shown = PlColorsForm(c_->Form, c_->Picker);
    PlColors& form = *shown;
    form.SetGradientStyle(0);
    c_->Notify.CallHost([&] { form.Show(); });
    PlColor1 = form.PlColor1;
  });
}

}  // namespace plotara
