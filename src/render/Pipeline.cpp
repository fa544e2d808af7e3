#include "render/Pipeline.h"

#include "control/Plotara.h"

namespace plotara {

void RefreshGraphs(Control& c, int16_t WhichIndex, bool LegndOnPic1) {
  c.Guard("RefreshGraphs", [&] {
    if (c.ScrollUpdating) return;
    if (c.NumGraphs < 1) {
      Surface& p = *c.Picture1;
      p.SetClipRect(0, 0, static_cast<float>(c.PageWidth), static_cast<float>(c.PageHeight));
      p.FilledBox(0, 0, p.Width(), p.Height(), 0x00FFFFFF);
      p.Refresh();
      return;
    }
    (void)WhichIndex;
    (void)LegndOnPic1;
  });
}

void Plotara::Refresh() {
  c_->Guard("Refresh", [&] { plotara::RefreshGraphs(*c_, -1, true); });
}

void Plotara::RefreshCurrentGraph() {
  c_->Guard("RefreshCurrentGraph", [&] { plotara::RefreshGraphs(*c_, c_->CurrentGraph, true); });
}

void Plotara::RefreshGraphs(int16_t WhichIndex, bool LegndOnPic1) { plotara::RefreshGraphs(*c_, WhichIndex, LegndOnPic1); }

}  // namespace plotara
