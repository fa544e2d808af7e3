// Navigation beyond the mouse gestures: what a host passes on from a wheel, a touchpad or the keyboard,
// and what the control finds under the pointer. Positions are twips of Picture1, as for the mouse.
#pragma once

#include <cstdint>
#include <string>

namespace plotara {

// The wheel: Delta in eighths of a degree, as toolkits report it; one notch of a common wheel is 120, a
// high-resolution wheel sends parts of it. A positive Delta (the wheel turned away from the user) zooms
// in. Each notch zooms by kWheelNotchFactor, so that four notches halve the view.
inline constexpr int32_t kWheelNotch = 120;
inline constexpr double kWheelNotchFactor = 1.189207115002721;  // the fourth root of 2

// The keys the control answers while it has the keyboard focus, as the desktop's virtual-key codes; the
// Shift argument of KeyDown is 1 Shift, 2 Ctrl, 4 Alt, added.
namespace key {
inline constexpr int16_t Escape = 27;
inline constexpr int16_t PageUp = 33;
inline constexpr int16_t PageDown = 34;
inline constexpr int16_t Home = 36;
inline constexpr int16_t Left = 37;
inline constexpr int16_t Up = 38;
inline constexpr int16_t Right = 39;
inline constexpr int16_t Down = 40;
inline constexpr int16_t C = 67;
inline constexpr int16_t Add = 107;       // + (also on the main keyboard)
inline constexpr int16_t Subtract = 109;  // - (also on the main keyboard)
}  // namespace key

// The data point nearest a position on the picture (NearestPoint).
struct PointHit {
  bool Found = false;
  int16_t Graph = -1;       // its graph
  int16_t DataSet = -1;     // its data set within the graph
  int32_t Point = -1;       // its place within the data set, from 0
  double X = 0, Y = 0;      // its values (as stored: single precision; on a time axis the instant)
  std::string DataSetName;  // the data set's legend
  float Distance = 0;       // from the position asked about, twips
};

}  // namespace plotara
