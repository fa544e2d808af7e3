// The control's way out to its host: the events it raises and the error path every guarded routine
// reports to. Routines that only need the guard take it as an ErrorReporter.
#pragma once

#include <functional>
#include <string_view>
#include <utility>

#include "platform/ErrorGuard.h"
#include "plotara/Events.h"

namespace plotara {

class Notifier : public ErrorReporter {
 public:
  EventHandlers Handlers;
  // Events 1 to 4 and ViewChanged are not raised while this is set; ErrorMsg always is.
  bool SuppressRaisingEvents = false;

  // Raises ErrorMsg with "Error N has occured in Plotara.ocx, " + routine; error 94 is ignored.
  void ReportError(std::string_view routine, int number) noexcept override;
  // Runs a routine's body under the error guard; false when it failed (and was reported).
  template <class Body>
  bool Guard(std::string_view routine, Body&& body) noexcept {
    return Guarded(*this, routine, std::forward<Body>(body));
  }

  void RaiseNewGraphInFront() { Fire(Handlers.NewGraphInFront); }
  void RaiseGraphScaleChanged() { Fire(Handlers.GraphScaleChanged); }
  void RaiseGraphPositionChanged() { Fire(Handlers.GraphPositionChanged); }
  void RaiseLegendPositionChanged() { Fire(Handlers.LegendPositionChanged); }
  void RaiseViewChanged(int16_t graph) {
    Fire([&] {
      if (Handlers.ViewChanged) Handlers.ViewChanged(graph);
    });
  }

 private:
  void Fire(const std::function<void()>& handler);
};

}  // namespace plotara
