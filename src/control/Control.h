// Control: everything one control instance owns and that its routines share. The model records
// (ControlState), the child surfaces and elements, the event handlers, and the single error path.
// Internal routines of every subsystem take a Control&; the host sees only Plotara (control/Plotara.h).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/Records.h"
#include "platform/ErrorGuard.h"
#include "render/Surface.h"

namespace plotara {

class clsGradient;
class CExpression;

// Child elements that a host mirrors onto real widgets: plain state in twips.
struct ChildElement {
  float Left = 0, Top = 0, Width = 0, Height = 0;
  bool Visible = true;
};

struct LabelElement : ChildElement {
  std::string Caption;
};

struct ScrollBarElement : ChildElement {
  int32_t Value = 0;
  int32_t Max = 1000;
  int32_t LargeChange = 1;
  int32_t SmallChange = 1;
};

// The five events, as callbacks. ErrorMsg receives its two strings by reference. Handlers run
// synchronously inside the operation that raises them; an exception thrown by a handler is swallowed.
struct EventHandlers {
  std::function<void()> NewGraphInFront;
  std::function<void()> GraphScaleChanged;
  std::function<void()> GraphPositionChanged;
  std::function<void()> LegendPositionChanged;
  std::function<void(std::string& Source, std::string& Description)> ErrorMsg;
};

// Makes the drawing surfaces of a control; the default makes cairo surfaces.
using SurfaceFactory = std::function<std::unique_ptr<Surface>(double dpi)>;

class Control : public ControlState, public ErrorReporter {
 public:
  explicit Control(double dpi = 96.0, const SurfaceFactory& makeSurface = {});
  ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // ---- Child elements.
  std::unique_ptr<Surface> GraphImage;   // back buffer
  std::unique_ptr<Surface> Picture1;     // the visible surface
  std::unique_ptr<Surface> Picture2;     // the page without the front graph
  std::unique_ptr<Surface> ScratchPic1;  // scratch surfaces
  std::unique_ptr<Surface> ScratchPic2;
  LabelElement Label1;                   // coordinate read-out
  ScrollBarElement HScroll1, VScroll1;
  float ClientWidth = 0, ClientHeight = 0;  // the control's client area, twips
  double Dpi;

  EventHandlers Events;

  // The gradient painter and the expression evaluator of function curves, made on first use.
  clsGradient& GradientPainter();
  CExpression& Evaluator();

  // Space already taken by axes on each side of the plot area of the graph being drawn, surface units.
  // The first axis of each kind resets its two sides.
  struct {
    int16_t Below = 0, Above = 0, Left = 0, Right = 0;
  } AxisSpace;

  // ---- The error path.
  // Raises ErrorMsg with "Error N has occured in Plotara.ocx, " + routine; error 94 is ignored.
  void ReportError(std::string_view routine, int number) noexcept override;
  // Runs a routine's body under the error guard; false when it failed (and was reported).
  template <class Body>
  bool Guard(std::string_view routine, Body&& body) noexcept {
    return Guarded(*this, routine, std::forward<Body>(body));
  }

  // ---- Events 1 to 4; none is raised while SuppressRaisingEvents is set.
  void RaiseNewGraphInFront() { Fire(Events.NewGraphInFront); }
  void RaiseGraphScaleChanged() { Fire(Events.GraphScaleChanged); }
  void RaiseGraphPositionChanged() { Fire(Events.GraphPositionChanged); }
  void RaiseLegendPositionChanged() { Fire(Events.LegendPositionChanged); }

  // ---- Checked access to the records: error 9 for an index that does not exist.
  GraphRecord& Graph(int index);
  GraphRecord& Current() { return Graph(CurrentGraph); }

 private:
  void Fire(const std::function<void()>& handler);

  std::unique_ptr<clsGradient> gradientPainter_;
  std::unique_ptr<CExpression> evaluator_;
};

// Sets a re-entry flag for a scope and clears it on the way out, also when a failure ends the scope:
// a flag left set would silence drawing or the mouse for good.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
};

// Lays out the child elements for a client area of width x height twips (and redraws once the current
// graph has been drawn).
void UserControl_Resize(Control& c, float width, float height);

// Forgets all graphs and restores the control state; draws nothing.
void ResetControl(Control& c);

}  // namespace plotara
