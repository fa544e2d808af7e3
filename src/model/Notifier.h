// The control's way out to its host: the events it raises and the error path every guarded routine
// reports to. Routines that only need the guard take it as an ErrorReporter.
#pragma once

#include <cstdint>
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

  // The count of changes to the lists the records hold (ControlState::Structure). When a call back to
  // the host changes it in the middle of an operation, the operation is abandoned (OperationAbandoned).
  void Watch(const uint64_t& structure) { structure_ = &structure; }

  // Raises ErrorMsg with "Error N has occured in Plotara.ocx, " + routine; error 94 is ignored.
  void ReportError(std::string_view routine, int number) override;
  // The same with the description given in place of the number's standard text.
  void ReportFailure(std::string_view routine, int number, std::string_view description) override;
  // Runs a routine's body under the error guard; false when it failed (and was reported).
  template <class Body>
  bool Guard(std::string_view routine, Body&& body) {
    return Guarded(*this, routine, std::forward<Body>(body));
  }

  void RaiseNewGraphInFront() { Fire(Handlers.NewGraphInFront); }
  void RaiseGraphScaleChanged() { Fire(Handlers.GraphScaleChanged); }
  void RaiseGraphPositionChanged() { Fire(Handlers.GraphPositionChanged); }
  void RaiseLegendPositionChanged() { Fire(Handlers.LegendPositionChanged); }
  void RaiseViewChanged(int16_t graph) {
    Fire([graph, handler = Handlers.ViewChanged] {  // a copy: it may set another while it runs
      if (handler) handler(graph);
    });
  }

  // Calls the host (a handler, a service it offers): what the host throws is swallowed, and when it
  // changed the lists of the records while an operation runs, the operation is abandoned.
  template <class F>
  void CallHost(F&& f) {
    const uint64_t before = Structure();
    {
      HostCall call(*this);
      try {
        f();
      } catch (...) {
      }
    }
    if (Structure() != before && OpenGuards() > 0) throw OperationAbandoned{};
  }

 private:
  void Fire(const std::function<void()>& handler);
  uint64_t Structure() const { return structure_ ? *structure_ : 0; }

  const uint64_t* structure_ = nullptr;
};

}  // namespace plotara
