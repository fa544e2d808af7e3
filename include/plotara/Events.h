// The events of the control, as callbacks a host sets.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace plotara {

// Handlers run synchronously inside the operation that raises them; an exception thrown by a handler is
// swallowed. A handler may call any method of the control. When it adds or removes graphs, axes, data
// sets or points, resets the control or resizes it, the operation that raised the event stops there,
// with nothing reported: what it had drawn stays, and the next refresh draws the page as it now is. A
// handler that only changes settings lets the operation finish with them. The same holds for the
// picture-changed notification and the host's clipboard and picker services.
//
// NewGraphInFront, GraphScaleChanged, GraphPositionChanged and LegendPositionChanged are not raised
// while SuppressRaisingEvents is set; ErrorMsg always is, and receives its two texts by reference
// ("Error 9 has occured in Plotara.ocx, SetSelectedData", "Subscript out of range").
//
// ViewChanged follows any change of the limits in use of a graph's axes that the user made (a rubber
// band, Shift+click, an unzoom, the scroll bars, the wheel, a pinch, a pan, the keys), once per gesture
// and graph, after the graph is drawn again; it names the graph. It is not raised while
// SuppressRaisingEvents is set.
struct EventHandlers {
  std::function<void()> NewGraphInFront;
  std::function<void()> GraphScaleChanged;
  std::function<void()> GraphPositionChanged;
  std::function<void()> LegendPositionChanged;
  std::function<void(std::string& Source, std::string& Description)> ErrorMsg;
  std::function<void(int16_t Graph)> ViewChanged;
};

}  // namespace plotara
