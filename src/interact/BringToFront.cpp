#include "interact/BringToFront.h"

#include <algorithm>

namespace plotara {

void BringGraphToFront(Control& c, int16_t g) {
  c.Guard("BringGraphToFront", [&] {
    if (g < 0 || g >= c.NumGraphs || c.GraphOrder.empty() || c.GraphOrder.back() == g) return;
    auto it = std::find(c.GraphOrder.begin(), c.GraphOrder.end(), g);
    if (it == c.GraphOrder.end()) return;
    c.GraphOrder.erase(it);
    c.GraphOrder.push_back(g);
    c.CurrentGraph = g;
    c.RaiseNewGraphInFront();
  });
}

}  // namespace plotara
