#include "render/Painters.h"

namespace plotara {

clsGradient& GradientPainter(Control& c) {
  if (!c.GradientPainterStore) {
    c.GradientPainterStore = OwnedLater<clsGradient>(new clsGradient, [](clsGradient* p) { delete p; });
    // The painter cannot tell anyone why it failed; the host hears of it through ErrorMsg.
    clsGradient* painter = c.GradientPainterStore.get();
    painter->SetWarningHandler(
        [&c, painter](const std::string&) { c.ReportError("clsGradient", painter->LastErrorNumber()); });
  }
  return *c.GradientPainterStore;
}

CExpression& Evaluator(Control& c) {
  if (!c.EvaluatorStore)
    c.EvaluatorStore = OwnedLater<CExpression>(new CExpression, [](CExpression* p) { delete p; });
  return *c.EvaluatorStore;
}

}  // namespace plotara
