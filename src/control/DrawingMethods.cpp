// The host's drawing methods. Setters never redraw; these do.
#include "control/Control.h"
#include "plotara/Plotara.h"
#include "render/Pipeline.h"

namespace plotara {

void Plotara::Refresh() {
  c_->Notify.Guard("Refresh", [&] { plotara::RefreshGraphs(c_->View, -1, true); });
}

void Plotara::RefreshCurrentGraph() {
  c_->Notify.Guard("RefreshCurrentGraph",
                   [&] { plotara::RefreshGraphs(c_->View, c_->State.CurrentGraph, true); });
}

void Plotara::RefreshGraphs(int16_t WhichIndex, bool LegndOnPic1) {
  plotara::RefreshGraphs(c_->View, WhichIndex, LegndOnPic1);
}

}  // namespace plotara
