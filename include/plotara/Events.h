// The five events of the control, as callbacks a host sets.
#pragma once

#include <functional>
#include <string>

namespace plotara {

// Handlers run synchronously inside the operation that raises them; an exception thrown by a handler is
// swallowed. NewGraphInFront, GraphScaleChanged, GraphPositionChanged and LegendPositionChanged are not
// raised while SuppressRaisingEvents is set; ErrorMsg always is, and receives its two texts by reference
// ("Error 9 has occured in Plotara.ocx, SetSelectedData", "Subscript out of range").
struct EventHandlers {
  std::function<void()> NewGraphInFront;
  std::function<void()> GraphScaleChanged;
  std::function<void()> GraphPositionChanged;
  std::function<void()> LegendPositionChanged;
  std::function<void(std::string& Source, std::string& Description)> ErrorMsg;
};

}  // namespace plotara
