#include "model/Control.h"

#include "model/Lookup.h"
#include "platform/RuntimeError.h"
#include "surface/CairoSurface.h"

namespace plotara {

namespace {
// Sizes of the child elements in twips: the classic desktop's scroll bar thickness and a read-out
// label wide enough for two coordinates.
constexpr float kScrollBarThickness = 255;
constexpr float kLabelWidth = 3600;
constexpr float kLabelHeight = 255;
}  // namespace

Control::Control(double dpi, const SurfaceFactory& makeSurface) : Dpi(dpi) {
  auto make = [&]() -> std::unique_ptr<Surface> {
    return makeSurface ? makeSurface(dpi) : std::make_unique<CairoSurface>(dpi);
  };
  GraphImage = make();
  Picture1 = make();
  Picture2 = make();
  ScratchPic1 = make();
  ScratchPic2 = make();
  GraphImage->BackBuffer = true;
  Picture2->BackBuffer = true;
  HScroll1.Height = kScrollBarThickness;
  HScroll1.Visible = false;
  VScroll1.Width = kScrollBarThickness;
  VScroll1.Visible = false;
  Label1.Width = kLabelWidth;
  Label1.Height = kLabelHeight;
  // One millimetre, measured on the back buffer in its own unit.
  UnitsPerMmX = GraphImage->ScaleX(1, ScaleUnit::Millimetres, ScaleUnit::Twips);
  UnitsPerMmY = GraphImage->ScaleY(1, ScaleUnit::Millimetres, ScaleUnit::Twips);
  ResetControl(*this);
}

Control::~Control() = default;

void Control::ReportError(std::string_view routine, int number) noexcept {
  if (number == err::InvalidUseOfNull) return;
  try {
    std::string source = "Error " + std::to_string(number) + " has occured in Plotara.ocx, ";
    source += routine;
    std::string description(ErrorText(number));
    if (Events.ErrorMsg) Events.ErrorMsg(source, description);
  } catch (...) {
    // Nothing may escape the error path, not even a failing handler.
  }
}

void Control::Fire(const std::function<void()>& handler) {
  if (SuppressRaisingEvents || !handler) return;
  try {
    handler();
  } catch (...) {
  }
}

GraphRecord& Control::Graph(int index) {
  return At(Graphs, index);
}

void ResetControl(Control& c) {
  c.CurrentGraph = 0;
  c.Graphs.clear();
  c.GraphNames.clear();
  c.GraphOrder.clear();
  c.MaxZoomFactor = 1000000;
  c.PageFill = kDefaultPageFill;
  c.ScrollBarsVisible = false;
}

}  // namespace plotara
