// Control: everything one control instance owns: the records (ControlState), the way out to the host
// (Notifier), the child surfaces and elements, and the objects higher layers make. Routines take the
// part they work on; the host sees only the facade (plotara/Plotara.h).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/Notifier.h"
#include "model/Records.h"
#include "platform/ScopedFlag.h"
#include "platform/Units.h"
#include "plotara/ChildElements.h"
#include "plotara/HostServices.h"
#include "surface/Surface.h"

namespace plotara {

struct DrawingParts;
struct InteractionParts;
class PlColors;
class PickerService;

// Makes the drawing surfaces of a control; the default makes raster surfaces.
using SurfaceFactory = std::function<std::unique_ptr<Surface>(double dpi)>;

// An object a higher layer makes on first use and the control owns: the deleter comes from the layer
// that knows the type, so that this state needs no more than its name.
template <class T>
using OwnedLater = std::unique_ptr<T, void (*)(T*)>;

class Control : public ControlState, public Notifier {
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
  double Dpi;

  ClipboardService* Clipboard = nullptr;  // the host's, not owned; null: the host has none

  // The drawing view of this control and its painters (render/Drawing.h).
  OwnedLater<DrawingParts> DrawingStore{nullptr, nullptr};
  // The interaction view and the mouse session (interact/Interaction.h).
  OwnedLater<InteractionParts> InteractionStore{nullptr, nullptr};
  // The gradient picker form (picker/PlColors.h) and the host service that shows it (not owned).
  OwnedLater<PlColors> PlColorsStore{nullptr, nullptr};
  PickerService* Picker = nullptr;
};

}  // namespace plotara
