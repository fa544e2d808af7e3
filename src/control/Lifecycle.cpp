#include "control/Lifecycle.h"

#include "interact/ScrollBars.h"
#include "model/Layout.h"
#include "platform/Conversions.h"
#include "platform/ScopedFlag.h"
#include "render/Pipeline.h"

namespace plotara {

void UserControl_Resize(Control& c, float width, float height) {
  c.Notify.Guard("UserControl_Resize", [&] {
    const float w = width - c.State.VScroll1.Width;
    const float h = height - c.State.HScroll1.Height;
    // A size the surfaces refuse (error 7) leaves all three at their old size, not some moved.
    const float oldW = c.GraphImage->Width(), oldH = c.GraphImage->Height();
    ++c.State.Structure;
    try {
      c.GraphImage->Move(0, 0, w, h);
      c.Picture1->Move(0, 0, w, h);
      c.Picture2->Move(0, 0, c.Picture1->Width(), c.Picture1->Height());
    } catch (...) {
      c.GraphImage->Move(0, 0, oldW, oldH);
      c.Picture1->Move(0, 0, oldW, oldH);
      c.Picture2->Move(0, 0, c.Picture1->Width(), c.Picture1->Height());
      throw;
    }
    c.State.ClientWidth = width;
    c.State.ClientHeight = height;
    c.State.PageWidth = CLng(c.GraphImage->Width() - kPageMargin);
    c.State.PageHeight = CLng(c.GraphImage->Height() - kPageMargin);
    c.State.Label1.Top = height - c.State.Label1.Height - kLabelBottomGap;
    // Once the current graph has been drawn, a new size redraws the page.
    if (c.State.NumGraphs() >= 1 && !c.State.Current().NotYetDrawn) {
      {
        ScopedFlag updating(c.State.ScrollUpdating);
        ResizeScrollBars(c.State, c.Notify);
      }
      RefreshGraphs(c.View, -1, true);
    }
  });
}

}  // namespace plotara
