// clsGradient: the gradient painter. It fills the whole client area of a surface with a two-colour
// gradient in one of six geometries, using nothing but one-pixel solid pens: it builds a ramp of colours
// and draws, for each colour, one line, one rectangle outline or one closed diamond.
//
//   |Style| 1 (and any value outside 2..6, 0 included)  linear sweep across the area at Angle
//           2  concentric rectangles            3  concentric diamonds on a Color1 background
//           4  paired fan from the centre       5  rectangles about a corner
//           6  fan from a corner
//   Style <= 0 reflects the ramp: Color1 -> Color2 halfway -> back towards Color1.
//   Shift in -1 .. 1 bends the ramp: positive stays near Color1 for longer, negative reaches Color2 sooner.
//
// Angle is in degrees, counter-clockwise from the positive x axis as seen on screen. The linear sweep
// runs in that direction (Color1 where it starts); styles 4 to 6 use it to pick a side or a corner.
//
// Failures: the library has no user interface, so where a desktop painter would show a warning box, Draw
// returns false, remembers the error (LastError, LastErrorNumber) and calls the warning handler, if its
// owner set one. The painter stays usable.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/SysColors.h"
#include "surface/Surface.h"

namespace plotara {

struct GradientPoint {
  double x = 0;
  double y = 0;
};

class clsGradient {
 public:
  using WarningHandler = std::function<void(const std::string& description)>;

  // ---- Properties. Getters return the stored value.
  int16_t Style() const { return style_; }
  void Style(int16_t value) { style_ = value; }
  // Stored as given; clamped into -1 .. 1 (and written back) whenever a ramp is built.
  float Shift() const { return shift_; }
  void Shift(float value) { shift_ = value; }
  // A system colour (0x800000nn, nn below 25) is replaced at once by its current colour.
  OleColor Color1() const { return color1_; }
  void Color1(OleColor value);
  OleColor Color2() const { return color2_; }
  void Color2(OleColor value);
  // Stored reduced into 0 .. 360 (-90 becomes 270, 450 becomes 90). An angle without a direction (NaN,
  // infinite) is stored as 0.
  float Angle() const { return angle_; }
  void Angle(float value);

  // ---- Painting.
  // Paints the whole client area of target. Returns true when a gradient was drawn; false for an area
  // less than 2 pixels wide or high, and after an error (see LastError). Throws only OperationAbandoned,
  // which the warning handler may throw.
  bool Draw(Surface& target);

  // The standard description and number of the error that ended the last Draw; empty and 0 when it
  // raised none.
  const std::string& LastError() const { return lastError_; }
  int LastErrorNumber() const { return lastErrorNumber_; }
  // Called with the description when Draw fails. An exception it throws is not passed on, but for
  // OperationAbandoned.
  void SetWarningHandler(WarningHandler handler) { warn_ = std::move(handler); }

  // ---- The building blocks of Draw.
  // The ramp for the current Style and Shift (see GradientRamp): clamps Shift into -1 .. 1 first (NaN
  // becomes 0) and writes it back. Returns the number of colours, at least 2.
  int GradientColours(OleColor colour1, OleColor colour2, int count, std::vector<OleColor>& colours);
  // Draws the selected style into the pixel rectangle (0, 0)-(width, height) of target with one-pixel
  // pens and restores target's pen afterwards. Returns the number of shapes drawn, or 0 when the
  // rectangle is empty. Raises run-time errors (6 for coordinates beyond 32 bits, 7 for memory).
  int32_t PaintGradient(Surface& target, int width, int height);

  // Turns point about centre by degrees; on a surface whose y axis points down a positive angle turns
  // counter-clockwise as seen on screen.
  static void RotatePoint(const GradientPoint& centre, GradientPoint& point, double degrees);
  static double MinOf(double a, double b) { return a < b ? a : b; }
  static double MaxOf(double a, double b) { return a > b ? a : b; }

 private:
  int32_t PaintLinear(Surface& s, int w, int h, std::vector<OleColor>& ramp);
  int32_t PaintRectangles(Surface& s, int w, int h, std::vector<OleColor>& ramp);
  int32_t PaintDiamonds(Surface& s, int w, int h, std::vector<OleColor>& ramp);
  int32_t PaintCentreFan(Surface& s, int w, int h, std::vector<OleColor>& ramp);
  int32_t PaintCornerRectangles(Surface& s, int w, int h, std::vector<OleColor>& ramp);
  int32_t PaintCornerFan(Surface& s, int w, int h, std::vector<OleColor>& ramp);
  void Fail(int number);

  int16_t style_ = 1;
  float shift_ = 0;
  OleColor color1_ = 0x00FFFFD0;  // pale cyan
  OleColor color2_ = 0x00400000;  // dark blue
  float angle_ = 315;
  std::string lastError_;
  int lastErrorNumber_ = 0;
  WarningHandler warn_;
};

}  // namespace plotara
