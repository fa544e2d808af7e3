// The state the C interface keeps beside each control, and the guard every entry point runs under: it
// turns every C++ exception into a status and a message (nothing unwinds into a C caller), keeps a
// control to one thread at a time, keeps the texts a call handed out alive through the next call, and
// carries out a destruction asked for by an event handler once the running call is over.
#pragma once

#include <atomic>
#include <deque>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "plotara/AutomationError.h"
#include "plotara/Plotara.h"
#include "plotara/plotara_c.h"

namespace plotara::c_interface {

// What the calls of a control handed out: texts and bytes, and the argv-like arrays of lists that point
// into them (deques, so that earlier entries stay where they are).
struct HandedOut {
  std::deque<std::string> texts;
  std::deque<std::vector<const char*>> lists;
  void Clear() {
    texts.clear();
    lists.clear();
  }
};

}  // namespace plotara::c_interface

struct plotara_control {
  explicit plotara_control(const plotara::PlotaraOptions& options) : control(options) {}

  plotara::Plotara control;
  // The thread of the call in progress (none between calls); a handler's calls come from that thread.
  std::atomic<std::thread::id> owner{};
  // Handed out by the current outermost call, and by the one before it: a caller may pass a result
  // straight into the next call, which reads it before it ends.
  plotara::c_interface::HandedOut current, previous;
  // plotara_destroy was called from a handler: the outermost call deletes the control when it ends.
  bool destroyed = false;
  struct Handler {
    plotara_event_handler fn = nullptr;
    void* user = nullptr;
  } handlers[PLOTARA_VIEW_CHANGED + 1];
  // An ErrorMsg raised while the host has no handler for it: it becomes the status of the call.
  int pendingError = 0;
  std::string pendingMessage;
};

namespace plotara::c_interface {

// Sets the calling thread's last error and returns its number.
int Fail(int number, std::string message);

// Runs body (which returns a status) with every exception turned into a status and message.
template <class Body>
int Guard(Body body) noexcept {
  try {
    return body();
  } catch (const AutomationError& e) {
    return Fail(e.Number(), e.Description());
  } catch (const std::bad_alloc&) {
    return Fail(7, "Out of memory");
  } catch (const std::exception& e) {
    return Fail(5, e.what());
  } catch (...) {
    return Fail(51, "Internal error");
  }
}

// The same for a call on a control: one thread at a time (the calls of its handlers come from the
// thread of the running call), an ErrorMsg nobody handles becomes the status, and the outermost call
// ends a destruction that a handler asked for.
template <class Body>
int GuardCall(plotara_control* c, Body body) noexcept {
  if (!c) return Fail(91, "Object variable not set (the control is NULL)");
  const std::thread::id self = std::this_thread::get_id();
  std::thread::id running{};
  const bool outermost = c->owner.compare_exchange_strong(running, self);
  if (!outermost && running != self)
    return Fail(5, "Invalid procedure call or argument (the control is in use by a call on another thread)");
  // Only a handler of the running call gets here after plotara_destroy.
  if (c->destroyed) return Fail(91, "Object variable not set (the control was destroyed)");
  if (outermost) {
    std::swap(c->previous, c->current);
    c->current.Clear();
    c->pendingError = 0;
  }
  int status = Guard(body);
  if (!outermost) return status;
  if (status == PLOTARA_OK && c->pendingError != 0) status = Fail(c->pendingError, c->pendingMessage);
  c->previous.Clear();
  if (c->destroyed) {
    delete c;
  } else {
    c->owner.store(std::thread::id{});
  }
  return status;
}

// Keeps text with the control's handed-out texts and returns it as C text.
const char* HandOut(plotara_control* c, std::string text);

// Calls the host's handler of the event, unless the control was destroyed.
void Raise(plotara_control* c, plotara_event event, const char* source = nullptr,
           const char* description = nullptr);

// Reports a failure of a method as the control reports its own: to the ErrorMsg handler when there is
// one, else as the status of the call. "Error 9 has occured in Plotara.ocx, SetSelectedData".
void ReportMethodError(plotara_control* c, const std::string& member, int number,
                       const std::string& description);

}  // namespace plotara::c_interface
