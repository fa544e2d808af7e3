#include "control/Plotara.h"

namespace plotara {

Plotara::Plotara(double dpi, const SurfaceFactory& makeSurface)
    : c_(std::make_unique<Control>(dpi, makeSurface)) {}

Plotara::~Plotara() = default;

void Plotara::Resize(float width, float height) { UserControl_Resize(*c_, width, height); }

void Plotara::Reset() {
  c_->Guard("Reset", [&] { ResetControl(*c_); });
}

bool Plotara::SuppressRaisingEvents() const { return c_->SuppressRaisingEvents; }
void Plotara::SuppressRaisingEvents(bool value) { c_->SuppressRaisingEvents = value; }
int16_t Plotara::GraphIndex() const { return c_->CurrentGraph; }
std::string Plotara::Version() const { return "1.02"; }

EventHandlers& Plotara::Events() { return c_->Events; }

const Surface& Plotara::Picture1() const { return *c_->Picture1; }
const LabelElement& Plotara::Label1() const { return c_->Label1; }
const ScrollBarElement& Plotara::HScroll1() const { return c_->HScroll1; }
const ScrollBarElement& Plotara::VScroll1() const { return c_->VScroll1; }

}  // namespace plotara
