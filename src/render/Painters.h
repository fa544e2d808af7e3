// The two helper objects drawing needs, each made on first use: the gradient painter of area fills and
// the expression evaluator of function curves. The control owns one of these.
#pragma once

#include <memory>

#include "expr/CExpression.h"
#include "gradient/clsGradient.h"
#include "platform/ErrorGuard.h"

namespace plotara {

class Painters {
 public:
  // The painter's warnings go to the reporter, as error reports of "clsGradient".
  explicit Painters(ErrorReporter& reporter) : reporter_(reporter) {}
  Painters(const Painters&) = delete;
  Painters& operator=(const Painters&) = delete;

  clsGradient& Gradient();
  CExpression& Evaluator();

 private:
  ErrorReporter& reporter_;
  std::unique_ptr<clsGradient> gradient_;
  std::unique_ptr<CExpression> evaluator_;
};

}  // namespace plotara
