#include "interact/BringToFront.h"

#include <algorithm>

#include "interact/ScrollBars.h"
#include "render/Pipeline.h"

namespace plotara {

void BringGraphToFront(Control& c, int16_t g) {
  c.Guard("BringGraphToFront", [&] {
    if (g < 0 || g >= c.NumGraphs() || c.GraphOrder.empty() || c.GraphOrder.back() == g) return;
    auto it = std::find(c.GraphOrder.begin(), c.GraphOrder.end(), g);
    if (it == c.GraphOrder.end()) return;
    RefreshGraphs(DrawingOf(c), c.GraphOrder.back(),
                  false);  // the old front graph's legend goes into the buffer
    c.GraphOrder.erase(it);
    c.GraphOrder.push_back(g);
    RefreshGraphs(DrawingOf(c), -1, true);
    SetScrollBars(c);
    c.RaiseNewGraphInFront();
  });
}

}  // namespace plotara
