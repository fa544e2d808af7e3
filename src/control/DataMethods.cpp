// The host's methods for data sets: points, functions and texts go to the last data set of the current
// graph.
#include "model/Control.h"
#include "model/DataSets.h"
#include "plotara/Plotara.h"

namespace plotara {

void Plotara::NewDataSet(const std::string& Legend, bool InLegendTable) {
  c_->Guard("NewDataSet", [&] { AddDataSet(*c_, *c_, Legend, InLegendTable); });
}

void Plotara::AddDataPoint(double X, double Y, double E) {
  c_->Guard("AddDataPoint", [&] { AddPoint(*c_, *c_, X, Y, E); });
}

void Plotara::AddMathFunc(const std::string& MathFunc, double Fromx, double Tox) {
  c_->Guard("AddMathFunc", [&] { SetMathFunc(*c_, MathFunc, Fromx, Tox); });
}

void Plotara::AddText(const std::string& Text, double TextX, double TextY, uint8_t TextOri,
                      const std::string& TextFont, int32_t TextColor, int16_t TextAngle, bool TextPercent) {
  c_->Guard("AddText", [&] {
    SetText(*c_, {Text, TextX, TextY, TextOri, TextFont, TextColor, TextAngle, TextPercent});
  });
}

}  // namespace plotara
