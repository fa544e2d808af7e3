// Plotara: the charting control as a host sees it. A host creates it, sizes it, drives it through its
// properties and methods and receives its events. Methods never fail to the host: a failure inside one
// is reported through the ErrorMsg event and the method returns normally. Property accessors instead
// throw AutomationError (error 9 for a missing graph, axis or data set, 6 for a value that does not fit).
//
// The control has no thread and no timer of its own: it runs inside the host's calls, on the host's
// user-interface thread. Two controls share nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "control/Control.h"

namespace plotara {

class Plotara {
 public:
  // A control drawing at the given resolution (dots per inch; twips per pixel = 1440 / dpi).
  explicit Plotara(double dpi = 96.0, const SurfaceFactory& makeSurface = {});
  ~Plotara();
  Plotara(const Plotara&) = delete;
  Plotara& operator=(const Plotara&) = delete;

  // ---- Lifecycle.
  // The host's client area changed: width and height in twips.
  void Resize(float width, float height);
  // Forgets all graphs and restores the page fill; the picture stays until the next refresh.
  void Reset();

  // ---- Properties of the control itself.
  bool SuppressRaisingEvents() const;
  void SuppressRaisingEvents(bool value);
  int16_t GraphIndex() const;  // the current graph
  std::string Version() const;  // "1.02"

  // ---- Events.
  EventHandlers& Events();

  // ---- What a host shows and lays out.
  const Surface& Picture1() const;  // the visible picture
  const LabelElement& Label1() const;
  const ScrollBarElement& HScroll1() const;
  const ScrollBarElement& VScroll1() const;

  // ---- The internal state, for the host layers and tests.
  Control& Internals() { return *c_; }
  const Control& Internals() const { return *c_; }

 private:
  std::unique_ptr<Control> c_;
};

}  // namespace plotara
