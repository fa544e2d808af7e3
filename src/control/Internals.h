// The state behind a Plotara, for the tests and benchmarks that look past the public facade. Hosts use
// the facade alone.
#pragma once

#include "control/Control.h"
#include "plotara/Plotara.h"

namespace plotara {

struct PlotaraAccess {
  static Control& Of(Plotara& p) { return *p.c_; }
  static const Control& Of(const Plotara& p) { return *p.c_; }
};

inline Control& Internals(Plotara& p) {
  return PlotaraAccess::Of(p);
}
inline const Control& Internals(const Plotara& p) {
  return PlotaraAccess::Of(p);
}

}  // namespace plotara
