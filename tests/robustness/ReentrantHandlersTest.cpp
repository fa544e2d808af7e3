// Handlers that call back into the control while it works: from every callback the host gets (the six
// events, the picture-changed notification, the clipboard, the picker), each method that changes the
// control is called at the callback's n-th occurrence in a session of building, drawing and dragging.
// Nothing may crash (the sanitizer builds run this too), no exception may reach the host, and the control
// must draw afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "plotara/PickerService.h"
#include "plotara/Plotara.h"

namespace plotara {
namespace {

enum Callback {
  kNewGraphInFront,
  kGraphScaleChanged,
  kGraphPositionChanged,
  kLegendPositionChanged,
  kErrorMsg,
  kViewChanged,
  kPictureChanged,
  kClipboard,
  kPicker,
  kCallbacks
};
const char* const kCallbackNames[] = {"NewGraphInFront",       "GraphScaleChanged", "GraphPositionChanged",
                                      "LegendPositionChanged", "ErrorMsg",          "ViewChanged",
                                      "PictureChanged",        "Clipboard",         "Picker"};

struct Session;
using Action = std::function<void(Session&)>;

// A control wired so that callback `which` runs `action` at its n-th occurrence (1-based; 0 never).
struct Session final : ClipboardService, PickerService {
  Plotara p{96};
  Callback which = kCallbacks;
  int n = 0;
  Action action;
  int counts[kCallbacks] = {};

  explicit Session(Callback w = kCallbacks, int at = 0, Action a = {})
      : which(w), n(at), action(std::move(a)) {
    p.ResizePicture(400, 300);
    EventHandlers& ev = p.Events();
    ev.NewGraphInFront = [this] { Hit(kNewGraphInFront); };
    ev.GraphScaleChanged = [this] { Hit(kGraphScaleChanged); };
    ev.GraphPositionChanged = [this] { Hit(kGraphPositionChanged); };
    ev.LegendPositionChanged = [this] { Hit(kLegendPositionChanged); };
    ev.ErrorMsg = [this](std::string&, std::string&) { Hit(kErrorMsg); };
    ev.ViewChanged = [this](int16_t) { Hit(kViewChanged); };
    p.OnPictureChanged([this](const PixelRect&) { Hit(kPictureChanged); });
    p.SetClipboard(this);
    p.SetPicker(this);
  }
  ~Session() override {
    p.SetClipboard(nullptr);
    p.SetPicker(nullptr);
  }

  void Hit(Callback c) {
    if (++counts[c] == n && c == which && action) {
      const Action run = action;  // the action may replace the handlers
      run(*this);
    }
  }

  // The clipboard and the picker, as a host offers them.
  bool Clear() override {
    Hit(kClipboard);
    return true;
  }
  bool PutPicture(const PictureView& picture) override {
    uint32_t sum = 0;  // the host reads every pixel it is given
    for (int y = 0; y < picture.Height; ++y)
      for (int x = 0; x < picture.Width; ++x) sum += picture.Pixels[y * picture.StridePixels + x];
    Hit(kClipboard);
    return sum != 1;
  }
  int32_t Color1() override { return 0xFF; }
  int32_t Color2() override { return 0xFF00; }
  float Shift() override { return 0; }
  float Angle() override { return 45; }
  int16_t Style() override { return 1; }
  void SetStyle(int16_t) override {}
  PickerButton ShowModal() override {
    Hit(kPicker);
    return PickerButton::Okay;
  }

  // Two graphs, an automatic scale, an axis that fails to draw, a drag of a graph, of a legend, a
  // zoom, a copy and the picker.
  void Run() {
    p.NewGraph("left", 0, 10, 0, 10);
    p.GraphPosition(0, 0, 50, 100);
    p.NewDataSet("points");
    for (int i = 1; i <= 5; ++i) p.AddDataPoint(i, i * i % 7);
    p.AxisTitleStyle("a title far off", "", -1, 1000000);  // beyond 16 bits when drawn: error 6
    p.NewDataSet("curve");
    p.AddMathFunc("LN(x - 5)", 0, 10);
    p.NewGraph("right");
    p.GraphPosition(50, 0, 50, 100);
    p.LegendTableStyle("", -1, 50, 20);
    p.NewDataSet("widening");
    for (int i = 1; i <= 4; ++i) p.AddDataPoint(i * 3, -i);
    p.Refresh();
    p.RefreshCurrentGraph();
    // A drag of the left graph by its border band: it comes to the front first.
    p.Picture1_MouseDown(1, 0, 300, 2000);
    p.Picture1_MouseMove(1, 0, 450, 2100);
    p.Picture1_MouseMove(1, 0, 600, 2200);
    p.Picture1_MouseUp(1, 0, 600, 2200);
    // The right graph's legend table, dragged.
    p.Picture1_MouseDown(1, 0, 4560, 960);
    p.Picture1_MouseMove(1, 0, 4700, 1200);
    p.Picture1_MouseMove(1, 0, 4900, 1500);
    p.Picture1_MouseUp(1, 0, 4900, 1500);
    // A rubber band zoom in the right graph's plot area.
    p.Picture1_MouseDown(1, 0, 4000, 1500);
    p.Picture1_MouseMove(1, 0, 5000, 3000);
    p.Picture1_MouseUp(1, 0, 5000, 3000);
    p.Wheel(4500, 2000, 120);
    p.RefreshGraphs(99, true);  // error 9
    p.CopyToClipboard();
    int32_t c1 = 0, c2 = 0;
    float angle = 0, shift = 0;
    int16_t style = 0;
    p.GetGradient(c1, c2, angle, shift, style);
    p.SetSelectedGraph(1);
    p.RefreshGraphs(0, true);
    p.Refresh();
  }
};

// What a handler may call: everything that adds, removes, redraws, resizes or moves.
std::vector<std::pair<std::string, Action>> Actions() {
  return {
      {"Reset", [](Session& s) { s.p.Reset(); }},
      {"NewGraph", [](Session& s) { s.p.NewGraph("more", 0, 5, 0, 5); }},
      {"NewXAxis", [](Session& s) { s.p.NewXAxis("x2", -1, 1); }},
      {"NewYAxis", [](Session& s) { s.p.NewYAxis("y2"); }},
      {"NewDataSet", [](Session& s) { s.p.NewDataSet("more"); }},
      {"AddDataPoint", [](Session& s) { s.p.AddDataPoint(1e4, -1e4); }},
      {"AddMathFunc", [](Session& s) { s.p.AddMathFunc("x * 2"); }},
      {"Refresh", [](Session& s) { s.p.Refresh(); }},
      {"RefreshCurrentGraph", [](Session& s) { s.p.RefreshCurrentGraph(); }},
      {"RefreshGraphs", [](Session& s) { s.p.RefreshGraphs(0, false); }},
      {"ResizePicture", [](Session& s) { s.p.ResizePicture(150, 100); }},
      {"SetSelectedGraph", [](Session& s) { s.p.SetSelectedGraph(0); }},
      {"SetSelectedAxis", [](Session& s) { s.p.SetSelectedAxis(1); }},
      {"AxisValue2", [](Session& s) { s.p.AxisValue2(1e3); }},
      {"AxisScaleStyle", [](Session& s) { s.p.AxisScaleStyle(0, 3, std::string(300, ','), 2, 3, 2); }},
      {"Texts",
       [](Session& s) {
         s.p.GraphTitleStyle(std::string(500, 'T') + "\r\nsecond line", "Font=Arial|30");
         s.p.AxisTitleStyle("axis\r\ntitle", "Font=Serif|20");
         s.p.DataLegend(std::string(200, 'L'));
       }},
      {"MouseUp", [](Session& s) { s.p.Picture1_MouseUp(1, 0, 100, 100); }},
      {"Wheel", [](Session& s) { s.p.Wheel(4500, 2000, -240); }},
      {"CopyToClipboard", [](Session& s) { s.p.CopyToClipboard(); }},
      {"GetColor",
       [](Session& s) {
         int32_t c = 0;
         s.p.GetColor(c);
       }},
      {"ReplaceServices",
       [](Session& s) {
         s.p.SetClipboard(nullptr);
         s.p.SetPicker(nullptr);
       }},
      {"ReplaceHandlers",
       [](Session& s) {
         s.p.Events() = EventHandlers{};
         s.p.OnPictureChanged({});
       }},
      {"ResetAndRebuild",
       [](Session& s) {
         s.p.Reset();
         s.p.NewGraph("anew", 0, 1, 0, 1);
         s.p.NewDataSet("one");
         s.p.AddDataPoint(0.5, 0.5);
         s.p.Refresh();
       }},
  };
}

// The occurrences tried for a callback that fires `count` times: the first few, then spread out.
std::vector<int> Occurrences(int count) {
  std::vector<int> at;
  for (int k = 1; k <= count; k = k < 6 ? k + 1 : k + std::max(1, count / 6)) at.push_back(k);
  return at;
}

// A pixel in the middle of the plot area of a 200 x 160 picture is red.
bool PlotAreaIsRed(Plotara& p) {
  const PictureView v = p.Picture1();
  return v.Width == 200 && v.Height == 160 && (v.Pixels[70 * v.StridePixels + 110] & 0xFFFFFF) == 0xFF0000;
}

// The control still draws a graph after the session.
bool DrawsAfterwards(Plotara& p) {
  p.Events() = EventHandlers{};
  p.OnPictureChanged({});
  p.Reset();
  p.ResizePicture(200, 160);
  p.NewGraph("check", 0, 1, 0, 1);
  p.PlotAreaColors(0x0000FF, 0x0000FF);
  p.Refresh();
  return PlotAreaIsRed(p);
}

// A handler that removes what the drawing works on stops the drawing without a report; one that only
// changes a setting lets it finish.
TEST(ReentrantHandlers, RemovingStopsTheDrawingChangingASettingDoesNot) {
  for (const bool reset : {true, false}) {
    SCOPED_TRACE(reset ? "Reset" : "AxisValue2");
    Plotara p{96};
    p.ResizePicture(200, 160);
    p.NewGraph("auto");
    p.PlotAreaColors(0x0000FF, 0x0000FF);
    p.NewDataSet("d");
    p.AddDataPoint(1, 1);
    p.AddDataPoint(2, 3);
    int reports = 0, scaled = 0;
    p.Events().ErrorMsg = [&](std::string&, std::string&) { ++reports; };
    p.Events().GraphScaleChanged = [&] {
      ++scaled;
      reset ? p.Reset() : p.AxisValue2(10);
    };
    p.Refresh();
    std::vector<std::string> names;
    int16_t graphs = -1;
    p.GetGraphNames(names, graphs);
    EXPECT_EQ(graphs, reset ? 0 : 1);
    EXPECT_EQ(scaled, reset ? 1 : 2) << "X and Y scaled";
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(PlotAreaIsRed(p), !reset);
  }
}

TEST(ReentrantHandlers, EveryCallbackFiresInTheSession) {
  Session dry;
  dry.Run();
  for (int c = 0; c < kCallbacks; ++c) EXPECT_GT(dry.counts[c], 0) << kCallbackNames[c];
  EXPECT_TRUE(DrawsAfterwards(dry.p));
}

TEST(ReentrantHandlers, AnyMethodFromAnyCallbackAtAnyPoint) {
  Session dry;
  dry.Run();
  int runs = 0;
  for (int c = 0; c < kCallbacks; ++c) {
    for (const auto& [name, action] : Actions()) {
      for (int at : Occurrences(dry.counts[c])) {
        SCOPED_TRACE(std::string(kCallbackNames[c]) + " #" + std::to_string(at) + " calls " + name);
        Session s(static_cast<Callback>(c), at, action);
        try {
          s.Run();
        } catch (...) {
          ADD_FAILURE() << "an exception reached the host";
        }
        EXPECT_TRUE(DrawsAfterwards(s.p));
        ++runs;
      }
    }
  }
  EXPECT_GT(runs, 500);
}

}  // namespace
}  // namespace plotara
