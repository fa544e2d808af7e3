#include "render/Painters.h"

namespace plotara {

clsGradient& Painters::Gradient() {
  if (!gradient_) {
    gradient_ = std::make_unique<clsGradient>();
    // The painter cannot tell anyone why it failed; the host hears of it through ErrorMsg.
    gradient_->SetWarningHandler(
        [this](const std::string&) { reporter_.ReportError("clsGradient", gradient_->LastErrorNumber()); });
  }
  return *gradient_;
}

CExpression& Painters::Evaluator() {
  if (!evaluator_) evaluator_ = std::make_unique<CExpression>();
  return *evaluator_;
}

}  // namespace plotara
