#include "model/Control.h"

namespace plotara {

namespace {
// Sizes of the child elements in twips: the classic desktop's scroll bar thickness and a read-out
// label wide enough for two coordinates.
constexpr float kScrollBarThickness = 255;
constexpr float kLabelWidth = 3600;
constexpr float kLabelHeight = 255;
}  // namespace

Control::Control(double dpi, const SurfaceFactory& makeSurface) : Dpi(dpi) {
  auto make = [&]() -> std::unique_ptr<Surface> { return makeSurface ? makeSurface(dpi) : MakeSurface(dpi); };
  GraphImage = make();
  Picture1 = make();
  Picture2 = make();
  ScratchPic1 = make();
  ScratchPic2 = make();
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

}  // namespace plotara
