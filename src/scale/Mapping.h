// Mapping between data values and page coordinates (surface units), and the lookup of the n-th X or Y
// axis of a graph.
//
// PosX/PosY map through the current graph's CurrentXAxis/CurrentYAxis, building the mapping for the one
// value; a loop over many values builds an AxisMapping of the axis it maps through once instead.
// GetXCoord/GetYCoord take the graph explicitly.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace plotara {

class ErrorReporter;
struct AxisRecord;
struct ControlState;
struct GraphRecord;

// The constants of one axis's value-to-page mapping, taken once so that a loop over many points maps
// each with a few arithmetic operations and no look-up. Map gives exactly what PosX/PosY give (they are
// built on it), for every value: inside, outside, unmappable.
class AxisMapping {
 public:
  AxisMapping() = default;
  // The mapping of axis a of graph g along x (vertical false) or y.
  AxisMapping(const GraphRecord& g, const AxisRecord& a, bool vertical) noexcept;

  float Map(double value) const noexcept {
    double r;
    if (log_) {
      if (!(value > 0 && positive_)) return unmappable_;
      r = (std::log(value) - lnLo_) / lnSpan_;
    } else {
      if (!spanned_) return unmappable_;
      r = (value - lo_) / span_;
    }
    float f = static_cast<float>(r);
    if (!std::isfinite(f)) return unmappable_;
    if (flip_) f = 1 - f;
    // The product is taken in single precision, as the position is a single.
    const double p = origin_ + static_cast<double>(length_ * f);
    return std::fabs(p) <= FLT_MAX ? static_cast<float>(p) : unmappable_;
  }

 private:
  double origin_ = 0, lo_ = 0, span_ = 0, lnLo_ = 0, lnSpan_ = 0;
  float length_ = 0, unmappable_ = 0;
  bool log_ = false, positive_ = false, spanned_ = false, flip_ = false;
};

// Page x of a data value on the current graph's current X axis. Never raises and never allocates; it is
// called once per data point. A value that cannot be mapped (not positive on a logarithmic axis, equal
// limits, NaN, or a position beyond single range) gets the fraction -1: one whole AxisLength left of the
// plot area, whether or not the axis is reversed. Every other value, inside or outside the limits, lands
// in proportion, mirrored on a reversed axis. Without a current graph or axis the failure is reported as
// "PosX" (error 9) and the result is 0.
float PosX(const ControlState& s, ErrorReporter& r, double value);

// Page y of a data value on the current graph's current Y axis; larger values lie higher unless the axis
// is reversed. The unmappable mark -1 becomes 2 on an unreversed axis (one AxisLength below the plot
// area) and stays -1 (above it) on a reversed one. Failures as for PosX, reported as "PosY".
float PosY(const ControlState& s, ErrorReporter& r, double value);

// Data value at page x on the given graph's current X axis: the inverse of PosX. An AxisLength of 0
// (error 11), a logarithmic axis with a limit that is not positive (error 5), an unknown graph or axis
// (error 9) are reported as "GetXCoord" and give 0.
double GetXCoord(const ControlState& s, ErrorReporter& r, int16_t graph, float x);
// The same through axis `axis` of the graph, current or not.
double GetXCoord(const ControlState& s, ErrorReporter& r, int16_t graph, int16_t axis, float x);

// Data value at page y on the given graph's current Y axis: the inverse of PosY. Failures as for
// GetXCoord, reported as "GetYCoord".
double GetYCoord(const ControlState& s, ErrorReporter& r, int16_t graph, float y);
double GetYCoord(const ControlState& s, ErrorReporter& r, int16_t graph, int16_t axis, float y);

// Index into the current graph's Axes of its level-th axis of the given kind (0 = X, 1 = Y), counting
// from 1. A level of 0 or less, or beyond the axes of that kind, gives 0. Without a current graph the
// failure is reported as "AxisLevelIndex" and the result is 0.
int16_t AxisLevelIndex(const ControlState& s, ErrorReporter& r, int16_t kind, int16_t level);

}  // namespace plotara
