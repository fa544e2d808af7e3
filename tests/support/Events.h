// Records the events of a control as short texts, for tests.
#pragma once

#include <string>
#include <vector>

#include "plotara/Plotara.h"

namespace plotara::test {

struct EventLog {
  std::vector<std::string> events;

  explicit EventLog(Plotara& p) {
    EventHandlers& ev = p.Events();
    ev.NewGraphInFront = [this] { events.push_back("NewGraphInFront"); };
    ev.GraphScaleChanged = [this] { events.push_back("GraphScaleChanged"); };
    ev.GraphPositionChanged = [this] { events.push_back("GraphPositionChanged"); };
    ev.LegendPositionChanged = [this] { events.push_back("LegendPositionChanged"); };
    ev.ErrorMsg = [this](std::string& source, std::string& description) {
      events.push_back(source + " / " + description);
    };
  }

  size_t Count(const std::string& e) const {
    size_t n = 0;
    for (const auto& x : events) n += x == e;
    return n;
  }
  std::vector<std::string> Take() { return std::exchange(events, {}); }
};

}  // namespace plotara::test
