// The control shell: creation, sizing, reset, its own properties, events and child elements.
#include "plotara/Plotara.h"

#include "control/Control.h"
#include "control/Lifecycle.h"
#include "platform/AutomationError.h"
#include "platform/Units.h"

namespace plotara {

Plotara::Plotara(double dpi) : c_(std::make_unique<Control>(dpi)) {}

namespace {
// Surfaces that record shapes, for documents and for the smoothed picture; none for the plain raster.
SurfaceFactory SurfacesFor(const PlotaraOptions& options) {
  if (!options.Vector && !options.Antialias) return {};
  const SurfaceKind kind = options.Vector ? SurfaceKind::Document : SurfaceKind::Smooth;
  return [kind](double dpi) { return MakeSurface(dpi, kind); };
}
}  // namespace

Plotara::Plotara(const PlotaraOptions& options)
    : c_(std::make_unique<Control>(options.Dpi, SurfacesFor(options))) {
  c_->Picture1->PngLevel = options.PngCompression;
  c_->Picture1->SvgText = options.SvgText;
}

Plotara::~Plotara() = default;

void Plotara::Resize(float width, float height) {
  UserControl_Resize(*c_, width, height);
}

void Plotara::ResizePicture(double width, double height) {
  const double twips = TwipsPerPixel();
  UserControl_Resize(*c_, static_cast<float>(width * twips) + c_->State.VScroll1.Width,
                     static_cast<float>(height * twips) + c_->State.HScroll1.Height);
}

void Plotara::Reset() {
  c_->Notify.Guard("Reset", [&] {
    ResetControl(c_->State);
    c_->Mouse = MouseSession{};  // the graph a press found is gone: the next move or release does nothing
  });
}

bool Plotara::SuppressRaisingEvents() const {
  return c_->Notify.SuppressRaisingEvents;
}
void Plotara::SuppressRaisingEvents(bool value) {
  c_->Notify.SuppressRaisingEvents = value;
}
bool Plotara::ReadableLabels() const {
  return c_->State.ReadableLabels;
}
void Plotara::ReadableLabels(bool value) {
  c_->State.ReadableLabels = value;
}
int16_t Plotara::GraphIndex() const {
  return c_->State.CurrentGraph;
}
std::string Plotara::Version() const {
  return "1.02";
}

EventHandlers& Plotara::Events() {
  return c_->Notify.Handlers;
}

PictureView Plotara::Picture1() const {
  return c_->Picture1->Image();
}
double Plotara::TwipsPerPixel() const {
  return plotara::TwipsPerPixel(c_->Dpi);
}
const LabelElement& Plotara::Label1() const {
  return c_->State.Label1;
}
const ScrollBarElement& Plotara::HScroll1() const {
  return c_->State.HScroll1;
}
const ScrollBarElement& Plotara::VScroll1() const {
  return c_->State.VScroll1;
}

void Plotara::SavePicture(const std::string& path) const {
  AsAutomation([&] { c_->Picture1->SavePicture(path); });
}

}  // namespace plotara
