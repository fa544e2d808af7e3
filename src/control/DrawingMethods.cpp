// The host's drawing methods. Setters never redraw; these do.
#include "plotara/Plotara.h"
#include "render/Pipeline.h"

namespace plotara {

void Plotara::Refresh() {
  c_->Guard("Refresh", [&] { plotara::RefreshGraphs(DrawingOf(*c_), -1, true); });
}

void Plotara::RefreshCurrentGraph() {
  c_->Guard("RefreshCurrentGraph", [&] { plotara::RefreshGraphs(DrawingOf(*c_), c_->CurrentGraph, true); });
}

void Plotara::RefreshGraphs(int16_t WhichIndex, bool LegndOnPic1) {
  plotara::RefreshGraphs(DrawingOf(*c_), WhichIndex, LegndOnPic1);
}

}  // namespace plotara
