// Operations on data sets: creating them with their automatic style, and filling the last data set of
// the current graph with points, a function or a text. The host's methods (control/DataMethods.cpp) run
// these under their own names; each does nothing without a graph or a data set to fill.
#pragma once

#include <memory>
#include <string>

#include "model/Notifier.h"
#include "model/Records.h"

namespace plotara {

// Gives data set k of graph g its initial style: the first gets fixed values, every later one the style
// of the one before with the next symbol; colours cycle through blue, red, green, yellow, magenta, cyan.
void AutoDataStyle(ControlState& s, ErrorReporter& r, int16_t g, int16_t k);

// Appends a data set bound to the current X and Y axes, selects it and gives it the next style.
void AddDataSet(ControlState& s, ErrorReporter& r, const std::string& legend, bool inLegendTable);

// Appends a point; the first point on an automatic axis sets its limits, later points widen them, and
// GraphScaleChanged is raised when a range grew. A value beyond single range (error 6) changes nothing.
void AddPoint(ControlState& s, Notifier& n, double x, double y, double e);

// The X, Y and (where E is not null) E values of Count points.
struct PointArrays {
  const double *X, *Y, *E;
  size_t Count;
};

// Appends the points as AddPoint does one by one, converted, stored and summarised a block at a time,
// and raises GraphScaleChanged once when a range grew. Stops at the first point that fails, keeping those
// before it. With skipMissing, a point whose X or Y is NaN or infinite is left out, and an E that is one
// counts as 0.
void AddPoints(ControlState& s, Notifier& n, const PointArrays& p, bool skipMissing);

// Feeds the last data set from a data source: it is drawn as a line through the source's rows, and
// automatic axes take in the source's extent as they would take in its rows. Error 5 for a data set
// that holds points.
void AttachFeed(ControlState& s, Notifier& n, std::shared_ptr<SourceFeed> feed);

// Gives the last data set a function curve over Fromx..Tox (both 0: the whole X range), drawn as a line.
void SetMathFunc(ControlState& s, const std::string& formula, double fromX, double toX);

// Gives the last data set a text annotation; a data set with only a text has no legend row.
struct TextAnnotation {
  std::string Text;
  double X = 0, Y = 0;
  uint8_t Ori = 0;
  std::string Font;
  int32_t Color = 0;
  int16_t Angle = 0;
  bool Percent = false;
};
void SetText(ControlState& s, const TextAnnotation& text);

}  // namespace plotara
