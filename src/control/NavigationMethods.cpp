// The host's side of navigation beyond the mouse: the wheel, a pinch, a two-finger pan and the keys,
// each under its switch and watched for the views it changes; and the data point nearest the pointer.
#include "control/Control.h"
#include "interact/Navigation.h"
#include "interact/NearestPoint.h"
#include "interact/ViewLimits.h"
#include "plotara/Plotara.h"

namespace plotara {

namespace {

// Runs a gesture the host has not switched off and tells it of the views it changed; true when the
// control took the gesture.
template <class Gesture>
bool Navigate(Control& c, bool allowed, Gesture&& gesture) {
  bool took = false;
  if (allowed) WatchingViews(c.State, c.Notify, [&] { took = gesture(); });
  return took;
}

}  // namespace

bool Plotara::Wheel(float X, float Y, int32_t Delta, int16_t Shift) {
  return Navigate(*c_, c_->Navigation.Wheel, [&] { return plotara::Wheel(c_->View, X, Y, Delta, Shift); });
}

bool Plotara::Pinch(float X, float Y, double Factor) {
  return Navigate(*c_, c_->Navigation.Pinch, [&] { return plotara::Pinch(c_->View, X, Y, Factor); });
}

bool Plotara::Pan(float X, float Y, float DX, float DY) {
  return Navigate(*c_, c_->Navigation.Pan, [&] { return plotara::Pan(c_->View, X, Y, DX, DY); });
}

bool Plotara::KeyDown(int16_t KeyCode, int16_t Shift) {
  return Navigate(*c_, c_->Navigation.Keys,
                  [&] { return plotara::KeyDown(c_->View, c_->Clipboard, KeyCode, Shift); });
}

PointHit Plotara::NearestPoint(float X, float Y, float MaxDistance) const {
  const int16_t graph = PlotAreaAt(c_->State, X, Y);
  if (graph < 0) return {};
  return plotara::NearestPoint(c_->State, c_->Notify, graph, X, Y, MaxDistance);
}

bool Plotara::WheelZoom() const {
  return c_->Navigation.Wheel;
}
void Plotara::WheelZoom(bool value) {
  c_->Navigation.Wheel = value;
}
bool Plotara::PinchZoom() const {
  return c_->Navigation.Pinch;
}
void Plotara::PinchZoom(bool value) {
  c_->Navigation.Pinch = value;
}
bool Plotara::TouchPan() const {
  return c_->Navigation.Pan;
}
void Plotara::TouchPan(bool value) {
  c_->Navigation.Pan = value;
}
bool Plotara::KeyNavigation() const {
  return c_->Navigation.Keys;
}
void Plotara::KeyNavigation(bool value) {
  c_->Navigation.Keys = value;
}

}  // namespace plotara
