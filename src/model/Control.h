// Control: everything one control instance owns and its routines share: the model records
// (ControlState), the child surfaces and elements, the event handlers and the single error path. The
// routines of every layer take a Control&; each layer adds its own behaviour on top of this state, and
// the host sees only the facade (plotara/Plotara.h).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/Records.h"
#include "platform/ErrorGuard.h"
#include "platform/Units.h"
#include "plotara/ChildElements.h"
#include "plotara/Events.h"
#include "plotara/HostServices.h"
#include "surface/Surface.h"

namespace plotara {

class clsGradient;
class CExpression;
class PlColors;
class PickerService;

// Makes the drawing surfaces of a control; the default makes cairo raster surfaces.
using SurfaceFactory = std::function<std::unique_ptr<Surface>(double dpi)>;

// An object a higher layer makes on first use and the control owns: the deleter comes from the layer
// that knows the type, so that this state needs no more than its name.
template <class T>
using OwnedLater = std::unique_ptr<T, void (*)(T*)>;

class Control : public ControlState, public ErrorReporter {
 public:
  explicit Control(double dpi = kDefaultDpi, const SurfaceFactory& makeSurface = {});
  ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // ---- Child elements.
  std::unique_ptr<Surface> GraphImage;   // back buffer
  std::unique_ptr<Surface> Picture1;     // the visible surface
  std::unique_ptr<Surface> Picture2;     // the page without the front graph
  std::unique_ptr<Surface> ScratchPic1;  // scratch surfaces
  std::unique_ptr<Surface> ScratchPic2;
  LabelElement Label1;  // coordinate read-out
  ScrollBarElement HScroll1, VScroll1;
  float ClientWidth = 0, ClientHeight = 0;  // the control's client area, twips
  double Dpi;

  EventHandlers Events;
  ClipboardService* Clipboard = nullptr;  // the host's, not owned; null: the host has none

  // The gradient painter and the expression evaluator of function curves (render/Painters.h).
  OwnedLater<clsGradient> GradientPainterStore{nullptr, nullptr};
  OwnedLater<CExpression> EvaluatorStore{nullptr, nullptr};
  // The gradient picker form (picker/PlColors.h) and the host service that shows it (not owned).
  OwnedLater<PlColors> PlColorsStore{nullptr, nullptr};
  PickerService* Picker = nullptr;

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
};

// Sets a re-entry flag for a scope and puts back the value it found on the way out, also when a failure
// ends the scope: a flag left set would silence drawing or the mouse for good, and a nested scope must
// not clear the flag of the scope around it.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = saved_; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

// Forgets all graphs and restores the control state; draws nothing.
void ResetControl(Control& c);

}  // namespace plotara
