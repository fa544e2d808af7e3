#include "control/Control.h"

#include <algorithm>

#include "model/Layout.h"

namespace plotara {

namespace {
// Sizes of the child elements in twips: the classic desktop's scroll bar thickness and a read-out
// label wide enough for two coordinates.
constexpr float kScrollBarThickness = 255;
constexpr float kLabelWidth = 3600;
constexpr float kLabelHeight = 255;

std::unique_ptr<Surface> Make(double dpi, const SurfaceFactory& makeSurface) {
  return makeSurface ? makeSurface(dpi) : MakeSurface(dpi);
}
}  // namespace

Control::Control(double dpi, const SurfaceFactory& makeSurface)
    : Dpi(dpi),
      GraphImage(Make(dpi, makeSurface)),
      Picture1(Make(dpi, makeSurface)),
      Picture2(Make(dpi, makeSurface)),
      ScratchPic1(Make(dpi, makeSurface)),
      ScratchPic2(Make(dpi, makeSurface)),
      View{{State, Notify, *GraphImage, *Picture1, *Picture2, *ScratchPic1, *ScratchPic2, Tools, Front},
           Mouse} {
  State.HScroll1.Height = kScrollBarThickness;
  State.HScroll1.Visible = false;
  State.VScroll1.Width = kScrollBarThickness;
  State.VScroll1.Visible = false;
  State.Label1.Width = kLabelWidth;
  State.Label1.Height = kLabelHeight;
  // One millimetre, measured on the back buffer in its own unit.
  State.UnitsPerMmX = GraphImage->ScaleX(1, ScaleUnit::Millimetres, ScaleUnit::Twips);
  State.UnitsPerMmY = GraphImage->ScaleY(1, ScaleUnit::Millimetres, ScaleUnit::Twips);
  // The scratch surfaces hold an area with a margin of a millimetre and kScratchMargin around it; the
  // largest page's area must fit.
  for (Surface* s : {ScratchPic1.get(), ScratchPic2.get()})
    s->CapMargin = std::max(State.UnitsPerMmX, State.UnitsPerMmY) + kScratchMargin;
  Notify.Watch(State.Structure);
  ResetControl(State);
}

}  // namespace plotara
