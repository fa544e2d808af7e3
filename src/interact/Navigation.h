// Navigation beyond the mouse gestures: the wheel, a pinch, a two-finger pan and the keys. Each changes
// the view of one graph as a rubber band zoom does (within the full range, never narrower than the span
// MaxZoomFactor allows, a logarithmic axis in log space), on a graph that allows zoom; then the graph is
// drawn again and the scroll bars and the read-out follow. That graph becomes the current one and the
// one the scroll bars pan. Positions are surface units (twips) of Picture1; the shift code is 1 Shift,
// 2 Ctrl, 4 Alt, added. Each returns true when it acted on a graph (or, for a key, knew the key).
#pragma once

#include "interact/Interaction.h"
#include "plotara/HostServices.h"

namespace plotara {

// The front-most included graph whose rectangle holds (x, y), when (x, y) lies in its plot area (as
// drawn last); otherwise -1.
int16_t PlotAreaAt(const ControlState& s, float x, float y);
// The same, when that graph allows zoom.
int16_t ZoomableGraphAt(const ControlState& s, float x, float y);

// Zooms the axes of a graph about (x, y), each through its own mapping: the X axes by fx, the Y axes by
// fy (above 1 zooms in, 1 leaves them alone). The value under (x, y) stays where it is unless a limit
// stops the view.
void ZoomAbout(Interaction& ui, int16_t graph, float x, float y, double fx, double fy);

// The wheel turned by delta (eighths of a degree, 120 a notch; positive zooms in) over (x, y): every
// axis, only the X axes with Shift, only the Y axes with Ctrl.
bool Wheel(Interaction& ui, float x, float y, int32_t delta, int16_t shift);
// A pinch over (x, y) by factor (above 1 spreads the fingers and zooms in).
bool Pinch(Interaction& ui, float x, float y, double factor);
// A two-finger scroll over (x, y): the content follows the fingers by (dx, dy).
bool Pan(Interaction& ui, float x, float y, float dx, float dy);
// A key pressed while the control has the focus (plotara/Navigation.h): the arrows pan the current graph
// by the small change of the scroll bars, Page Up and Page Down by the large change, + and - zoom by 2
// about the centre of its plot area, Home and Escape show its full range; Ctrl+C copies the picture to
// the clipboard.
bool KeyDown(Interaction& ui, ClipboardService* clipboard, int16_t keyCode, int16_t shift);

}  // namespace plotara
