// Control: one control instance and everything it owns: the records, the way out to the host, the five
// drawing surfaces, the painters and what the picture shows, the mouse session, the host's services and
// the picker form. The layers
// below never see it: each routine takes the part it works on, most of them through View. The host sees
// only the facade (plotara/Plotara.h).
#pragma once

#include <functional>
#include <memory>

#include "interact/Interaction.h"
#include "interact/MouseSession.h"
#include "model/Notifier.h"
#include "model/Records.h"
#include "picker/PlColors.h"
#include "platform/Units.h"
#include "plotara/HostServices.h"
#include "plotara/PickerService.h"
#include "render/Painters.h"
#include "surface/Surface.h"

namespace plotara {

// Makes the drawing surfaces of a control; the default makes raster surfaces.
using SurfaceFactory = std::function<std::unique_ptr<Surface>(double dpi)>;

// Which navigation gestures beyond the mouse the control answers (WheelZoom, PinchZoom, TouchPan,
// KeyNavigation).
struct NavigationSwitches {
  bool Wheel = true;
  bool Pinch = true;
  bool Pan = true;
  bool Keys = true;
};

class Control {
 public:
  explicit Control(double dpi = kDefaultDpi, const SurfaceFactory& makeSurface = {});
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  double Dpi;  // the surfaces' resolution: twips per pixel = 1440 / Dpi
  ControlState State;
  Notifier Notify;
  std::unique_ptr<Surface> GraphImage;   // back buffer
  std::unique_ptr<Surface> Picture1;     // the visible surface
  std::unique_ptr<Surface> Picture2;     // the page without the front graph
  std::unique_ptr<Surface> ScratchPic1;  // scratch surfaces
  std::unique_ptr<Surface> ScratchPic2;
  Painters Tools{Notify};
  ShownFront Front;
  MouseSession Mouse;
  ClipboardService* Clipboard = nullptr;  // the host's, not owned; null: the host has none
  PickerService* Picker = nullptr;        // the host's, not owned
  std::shared_ptr<PlColors> Form;         // the gradient picker form, made on first use
  NavigationSwitches Navigation;

  // What drawing and the mouse work with: the parts above but the host's services and the form.
  Interaction View;
};

}  // namespace plotara
