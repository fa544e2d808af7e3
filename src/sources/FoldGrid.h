// The intervals of a view as arithmetic. The bounds of a view's pixel columns lie nearly evenly in X (in
// ln X on a logarithmic axis), so most rows find their interval as floor((X - A) * K) plus a constant, in a
// few operations instead of a search among every bound. The control's own mapping rounds through single
// precision, so that arithmetic agrees with the bounds only away from them: a row within Margin (in
// columns) of a whole number, or outside the bounds the grid covers, is placed by comparisons.
#pragma once

#include <cstddef>
#include <vector>

namespace plotara {

struct FoldGrid {
  bool Log = false;  // the arithmetic runs on ln X
  double A = 0, K = 0;
  // The bounds the grid covers: Bounds[First] <= X < Bounds[Last]; First == Last when it covers none. A
  // row in there at U = (X - A) * K whose distance to the nearest whole number exceeds Margin lies in
  // interval floor(U) + First.
  size_t First = 0, Last = 0;
  double Margin = 0;

  bool Covers() const { return Last > First; }
  // U of x, as an engine computes it: one subtraction and one product in double precision.
  double U(double x) const;
  // The interval of x among bounds (Bounds.front() <= x < Bounds.back()): the arithmetic's guess,
  // corrected by comparisons with the bounds next to it.
  size_t Interval(const std::vector<double>& bounds, double x) const;
};

// The grid that fits bounds best, linear or logarithmic; one that covers none when neither fits.
FoldGrid MakeGrid(const std::vector<double>& bounds);

}  // namespace plotara
