// The state behind a Plotara, for the host layers and tests that need more than the public facade.
// Including this header is a deliberate step past the public interface.
#pragma once

#include "model/Control.h"
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
