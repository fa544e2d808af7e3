// The two helper objects drawing needs, made on first use and owned by the control: the gradient
// painter of area fills and the expression evaluator of function curves.
#pragma once

#include "expr/CExpression.h"
#include "gradient/clsGradient.h"
#include "model/Control.h"

namespace plotara {

clsGradient& GradientPainter(Control& c);
CExpression& Evaluator(Control& c);

}  // namespace plotara
