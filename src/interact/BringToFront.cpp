#include "interact/BringToFront.h"

#include <algorithm>

#include "interact/ScrollBars.h"
#include "render/Pipeline.h"

namespace plotara {

void BringGraphToFront(Drawing& d, int16_t g) {
  ControlState& state = d.State;
  d.Notify.Guard("BringGraphToFront", [&] {
    std::vector<int16_t>& order = state.GraphOrder;
    if (g < 0 || g >= state.NumGraphs() || order.empty() || order.back() == g) return;
    auto it = std::find(order.begin(), order.end(), g);
    if (it == order.end()) return;
    RefreshGraphs(d, order.back(), false);  // the old front graph's legend goes into the buffer
    ++state.Structure;
    order.erase(it);
    order.push_back(g);
    RefreshGraphs(d, -1, true);
    SetScrollBars(state, d.Notify);
    d.Notify.RaiseNewGraphInFront();
  });
}

}  // namespace plotara
