// The gradient picker form behind GetGradient and GetColor, driven through a scripted picker service.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plotara/Automation.h"
#include "plotara/PickerService.h"
#include "plotara/Plotara.h"
#include "support/Events.h"

namespace plotara {
namespace {

// A picker whose "user" presses the queued buttons in turn and whose values are set by the test.
class ScriptedPicker final : public PickerService {
 public:
  int32_t color1 = 0x123456, color2 = 0x00ABCDEF;
  float shift = 0.25f, angle = 30;
  int16_t style = -4;
  std::vector<PickerButton> buttons;
  std::vector<std::string> calls;

  int32_t Color1() override { return color1; }
  int32_t Color2() override { return color2; }
  float Shift() override { return shift; }
  float Angle() override { return angle; }
  int16_t Style() override { return style; }
  void SetStyle(int16_t s) override {
    style = s;
    calls.push_back("SetStyle " + std::to_string(s));
  }
  PickerButton ShowModal() override {
    calls.push_back("Show");
    if (buttons.empty()) return PickerButton::None;
    const PickerButton b = buttons.front();
    buttons.erase(buttons.begin());
    return b;
  }
};

struct Gradient {
  int32_t c1 = 7, c2 = 7;
  float angle = 7, shift = 7;
  int16_t style = 7;
  bool operator==(const Gradient&) const = default;
};

Gradient Pick(Plotara& p) {
  Gradient g;
  p.GetGradient(g.c1, g.c2, g.angle, g.shift, g.style);
  return g;
}

TEST(GradientPicker, ButtonsDecideWhatGetGradientReturns) {
  struct Row {
    const char* what;
    std::vector<PickerButton> buttons;  // one per call; the last call's result is checked
    Gradient expected;
  };
  const Row rows[] = {
      {"Cancel", {PickerButton::Cancel}, {-1, -1, 0, 0, 1}},
      // Angle and shift come from their own values although the picker offers shift first.
      {"Okay", {PickerButton::Okay}, {0x123456, 0x00ABCDEF, 30, 0.25f, -4}},
      {"closed after Okay keeps the choice",
       {PickerButton::Okay, PickerButton::None},
       {0x123456, 0x00ABCDEF, 30, 0.25f, -4}},
      {"closed after Cancel keeps the cancel", {PickerButton::Cancel, PickerButton::None}, {-1, -1, 0, 0, 1}},
      {"closed at once leaves the start values", {PickerButton::None}, {0, 0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Plotara p;
    ScriptedPicker picker;
    picker.buttons = row.buttons;
    p.SetPicker(&picker);
    Gradient g;
    for (size_t i = 0; i < row.buttons.size(); ++i) g = Pick(p);
    EXPECT_EQ(g, row.expected);
    EXPECT_EQ(picker.calls, std::vector<std::string>(row.buttons.size(), "Show"))
        << "GetGradient keeps the style";
  }
}

TEST(GradientPicker, GetColorAsksForStyleZeroBeforeShowing) {
  Plotara p;
  ScriptedPicker picker;
  picker.buttons = {PickerButton::Okay, PickerButton::Okay};
  p.SetPicker(&picker);
  int32_t colour = 7;
  p.GetColor(colour);
  EXPECT_EQ(colour, 0x123456);
  EXPECT_EQ(picker.calls, (std::vector<std::string>{"SetStyle 0", "Show"}));
  // The picker keeps style 0 for the next GetGradient, which does not touch it.
  EXPECT_EQ(Pick(p).style, 0);
  picker.buttons = {PickerButton::Cancel};
  p.GetColor(colour);
  EXPECT_EQ(colour, -1);
}

TEST(GradientPicker, WithoutAHostDialogTheMethodsReportErrorAndLeaveTheArguments) {
  Plotara p;
  test::EventLog log(p);
  EXPECT_EQ(Pick(p), Gradient{});
  int32_t colour = 7;
  p.GetColor(colour);
  EXPECT_EQ(colour, 7);
  EXPECT_EQ(
      log.Take(),
      (std::vector<std::string>{
          "Error 91 has occured in Plotara.ocx, GetGradient / Object variable or With block variable not set",
          "Error 91 has occured in Plotara.ocx, GetColor / Object variable or With block variable not set"}));
}

TEST(GradientPicker, TheFormOutlivesAChangeOfDialog) {
  // A new host dialog gets a new form; the old one is no longer asked.
  Plotara p;
  ScriptedPicker first, second;
  first.buttons = {PickerButton::Okay};
  second.buttons = {PickerButton::Cancel};
  p.SetPicker(&first);
  Pick(p);
  p.SetPicker(&second);
  EXPECT_EQ(Pick(p), (Gradient{-1, -1, 0, 0, 1}));
  EXPECT_EQ(first.calls.size(), 1u);
}

TEST(GradientPicker, ReachableByNameWithOutArguments) {
  Plotara p;
  ScriptedPicker picker;
  picker.buttons = {PickerButton::Okay, PickerButton::Cancel};
  p.SetPicker(&picker);
  std::vector<Variant> args(5, Variant::Missing());
  std::vector<NamedArg> named;
  Invoke(p, "getgradient", args, named);
  EXPECT_EQ(args, (std::vector<Variant>{Variant(int32_t{0x123456}), Variant(int32_t{0x00ABCDEF}),
                                        Variant(30.0f), Variant(0.25f), Variant(int16_t{-4})}));
  std::vector<Variant> one{Variant::Missing()};
  Invoke(p, "GetColor", one, named);
  EXPECT_EQ(one[0], Variant(int32_t{-1}));
}

TEST(GradientPickerForm, ResizeKeepsTheMinimumAndLaysOutThePicker) {
  struct Row {
    float width, height, left, top;
    PickerFormLayout expected;
  };
  const Row rows[] = {
      {2000, 2000, 120, 120, {3000, 3000, 120, 120, 2760, 1800, 2040, 2040}},
      {5000, 2500, 120, 120, {5000, 3000, 120, 120, 4760, 1800, 2040, 2040}},
      {2999, 4000, 300, 60, {3000, 4000, 300, 60, 2400, 2800, 2980, 2980}},
      {6000, 7000, 0, 0, {6000, 7000, 0, 0, 6000, 5800, 5920, 5920}},
  };
  for (const Row& row : rows) {
    PickerFormLayout form;
    form.FormWidth = row.width;
    form.FormHeight = row.height;
    form.PickerLeft = row.left;
    form.PickerTop = row.top;
    LayOutPickerForm(form);
    const PickerFormLayout& e = row.expected;
    SCOPED_TRACE(testing::Message() << row.width << " x " << row.height);
    EXPECT_EQ(form.FormWidth, e.FormWidth);
    EXPECT_EQ(form.FormHeight, e.FormHeight);
    EXPECT_EQ(form.PickerLeft, e.PickerLeft);
    EXPECT_EQ(form.PickerTop, e.PickerTop);
    EXPECT_EQ(form.PickerWidth, e.PickerWidth);
    EXPECT_EQ(form.PickerHeight, e.PickerHeight);
    EXPECT_EQ(form.Command1Top, e.Command1Top);
    EXPECT_EQ(form.Command2Top, e.Command2Top);
  }
}

TEST(GradientPreview, PaintsWithTheControlsPainter) {
  constexpr int w = 40, h = 20, stride = 48;
  const uint32_t red = 0x00FF0000, blue = 0x000000FF;  // pixels 0x00RRGGBB
  struct Row {
    const char* what;
    int16_t style;
    float angle;
    uint32_t left, right;  // pixels at the middle of the left and right edges
  };
  const Row rows[] = {
      {"style 0 is Color1 alone", 0, 0, red, red},
      {"a sweep at 0 degrees runs from Color1 on the left to Color2 on the right", 1, 0, red, blue},
      {"at 180 degrees it runs the other way", 1, 180, blue, red},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<uint32_t> pixels(stride * h, 0xDEADBEEF);
    PaintGradientPreview(pixels.data(), w, h, stride, 0x0000FF /* red */, 0xFF0000 /* blue */, row.angle, 0,
                         row.style);
    auto near = [](uint32_t a, uint32_t b) {
      for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 16) return false;
      return (a >> 24) == (b >> 24);
    };
    EXPECT_PRED2(near, pixels[h / 2 * stride], row.left);
    EXPECT_PRED2(near, pixels[h / 2 * stride + w - 1], row.right);
    EXPECT_EQ(pixels[h / 2 * stride + w], 0xDEADBEEF) << "beyond the width stays untouched";
  }
}

}  // namespace
}  // namespace plotara
