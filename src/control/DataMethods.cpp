// The host's methods for data sets: points, functions and texts go to the last data set of the current
// graph.
#include "control/Control.h"
#include "model/DataSets.h"
#include "platform/RuntimeError.h"
#include "plotara/Plotara.h"

namespace plotara {

void Plotara::NewDataSet(const std::string& Legend, bool InLegendTable) {
  c_->Notify.Guard("NewDataSet", [&] { AddDataSet(c_->State, c_->Notify, Legend, InLegendTable); });
}

void Plotara::AddDataPoint(double X, double Y, double E) {
  c_->Notify.Guard("AddDataPoint", [&] { AddPoint(c_->State, c_->Notify, X, Y, E); });
}

void Plotara::AddDataPoints(std::span<const double> X, std::span<const double> Y, std::span<const double> E,
                            bool SkipMissing) {
  c_->Notify.Guard("AddDataPoints", [&] {
    if (Y.size() != X.size() || (!E.empty() && E.size() != X.size())) Raise(err::InvalidProcedureCall);
    AddPoints(c_->State, c_->Notify, {X.data(), Y.data(), E.empty() ? nullptr : E.data(), X.size()},
              SkipMissing);
  });
}

void Plotara::AddMathFunc(const std::string& MathFunc, double Fromx, double Tox) {
  c_->Notify.Guard("AddMathFunc", [&] { SetMathFunc(c_->State, MathFunc, Fromx, Tox); });
}

void Plotara::AddText(const std::string& Text, double TextX, double TextY, uint8_t TextOri,
                      const std::string& TextFont, int32_t TextColor, int16_t TextAngle, bool TextPercent) {
  c_->Notify.Guard("AddText", [&] {
    SetText(c_->State, {Text, TextX, TextY, TextOri, TextFont, TextColor, TextAngle, TextPercent});
  });
}

}  // namespace plotara
