#include "scale/NumericHelpers.h"

#include "platform/ErrorGuard.h"
#include "platform/RuntimeError.h"

namespace plotara {

double Ln(double value) {
  if (!(value > 0)) Raise(err::InvalidProcedureCall);
  return std::log(value);
}

double Exp(double value) {
  const double r = std::exp(value);
  if (std::isinf(r) && !std::isinf(value)) Raise(err::Overflow);
  return r;
}

double xxLog(ErrorReporter& reporter, double value, bool logFlag) {
  double result = 0;
  Guarded(reporter, "xxLog", [&] { result = logFlag ? Ln(value) : value; });
  return result;
}

double xxExp(ErrorReporter& reporter, double value, bool logFlag) {
  double result = 0;
  Guarded(reporter, "xxExp", [&] { result = logFlag ? Exp(value) : value; });
  return result;
}

}  // namespace plotara
