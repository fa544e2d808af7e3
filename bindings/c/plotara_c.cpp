// The C interface: each entry point runs its body under one guard that turns every C++ exception into a
// status and a message, so nothing unwinds into a C caller. The guard also keeps a control to one thread
// at a time, keeps the texts it handed out alive through the next call, and carries out a destruction
// asked for by an event handler once the running call is over.
#include "plotara/plotara_c.h"

#include <atomic>
#include <cstdio>
#include <deque>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "platform/AsciiCase.h"
#include "plotara/Automation.h"
#include "plotara/Plotara.h"

namespace {

// What the calls of a control handed out: texts, and the argv-like arrays of lists that point into them
// (deques, so that earlier entries stay where they are).
struct HandedOut {
  std::deque<std::string> texts;
  std::deque<std::vector<const char*>> lists;
  void Clear() {
    texts.clear();
    lists.clear();
  }
};

}  // namespace

struct plotara_control {
  explicit plotara_control(double dpi) : control(dpi), dpi(dpi) {}

  plotara::Plotara control;
  double dpi;
  // The thread of the call in progress (none between calls); a handler's calls come from that thread.
  std::atomic<std::thread::id> owner{};
  // Handed out by the current outermost call, and by the one before it: a caller may pass a result
  // straight into the next call, which reads it before it ends.
  HandedOut current, previous;
  // plotara_destroy was called from a handler: the outermost call deletes the control when it ends.
  bool destroyed = false;
  struct Handler {
    plotara_event_handler fn = nullptr;
    void* user = nullptr;
  } handlers[5];
  // An ErrorMsg raised while the host has no handler for it: it becomes the status of the call.
  int pendingError = 0;
  std::string pendingMessage;
};

namespace {

thread_local std::string lastError;

int Fail(int number, std::string message) {
  lastError = std::move(message);
  return number;
}

// Runs body (which returns a status) with every exception turned into a status and message.
template <class Body>
int Guard(Body body) noexcept {
  try {
    return body();
  } catch (const plotara::AutomationError& e) {
    return Fail(e.Number(), e.Description());
  } catch (const std::bad_alloc&) {
    return Fail(7, "Out of memory");
  } catch (const std::exception& e) {
    return Fail(5, e.what());
  } catch (...) {
    return Fail(51, "Internal error");
  }
}

constexpr const char* kNullControl = "Object variable not set (the control is NULL)";
constexpr const char* kDestroyed = "Object variable not set (the control was destroyed)";

// The same for a call on a control: one thread at a time (the calls of its handlers come from the
// thread of the running call), an ErrorMsg nobody handles becomes the status, and the outermost call
// ends a destruction that a handler asked for.
template <class Body>
int GuardCall(plotara_control* c, Body body) noexcept {
  if (!c) return Fail(91, kNullControl);
  const std::thread::id self = std::this_thread::get_id();
  std::thread::id running{};
  const bool outermost = c->owner.compare_exchange_strong(running, self);
  if (!outermost && running != self)
    return Fail(5, "Invalid procedure call or argument (the control is in use by a call on another thread)");
  if (c->destroyed) return Fail(91, kDestroyed);  // only a handler of the running call gets here
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

const char* HandOut(plotara_control* c, std::string text) {
  return c->current.texts.emplace_back(std::move(text)).c_str();
}

void Raise(plotara_control* c, plotara_event event, const char* source = nullptr,
           const char* description = nullptr) {
  const auto& h = c->handlers[event];
  if (h.fn && !c->destroyed) h.fn(h.user, event, source, description);
}

void WireEvents(plotara_control* c) {
  plotara::EventHandlers& ev = c->control.Events();
  ev.NewGraphInFront = [c] { Raise(c, PLOTARA_NEW_GRAPH_IN_FRONT); };
  ev.GraphScaleChanged = [c] { Raise(c, PLOTARA_GRAPH_SCALE_CHANGED); };
  ev.GraphPositionChanged = [c] { Raise(c, PLOTARA_GRAPH_POSITION_CHANGED); };
  ev.LegendPositionChanged = [c] { Raise(c, PLOTARA_LEGEND_POSITION_CHANGED); };
  ev.ErrorMsg = [c](std::string& source, std::string& description) {
    if (c->handlers[PLOTARA_ERROR_MSG].fn) {
      Raise(c, PLOTARA_ERROR_MSG, HandOut(c, source), HandOut(c, description));
    } else if (c->pendingError == 0) {
      // "Error 9 has occured in Plotara.ocx, SetSelectedData": the number is the status.
      int number = 0;
      if (std::sscanf(source.c_str(), "Error %d", &number) != 1 || number == 0) number = 5;
      c->pendingError = number;
      c->pendingMessage = source + ": " + description;
    }
  };
}

// A list as the caller passed it: the count must match the texts up to the NULL after them.
plotara::Variant ListOf(const plotara_value& v) {
  const int32_t count = v.integer;
  if (count < 0 || (count > 0 && !v.texts))
    throw plotara::AutomationError(5, "Invalid procedure call or argument (a list's count or texts)");
  std::vector<std::string> list;
  for (int32_t i = 0; i < count; ++i) {
    if (!v.texts[i])
      throw plotara::AutomationError(5, "Invalid procedure call or argument (a list of " + std::to_string(i) +
                                            " texts given a count of " + std::to_string(count) + ")");
    list.emplace_back(v.texts[i]);
  }
  if (count > 0 && v.texts[count])
    throw plotara::AutomationError(5,
                                   "Invalid procedure call or argument (a list has more texts than its count "
                                   "of " +
                                       std::to_string(count) + ", or no NULL after them)");
  return plotara::Variant(std::move(list));
}

plotara::Variant ToVariant(const plotara_value& v) {
  switch (v.type) {
    case PLOTARA_EMPTY:
      return {};
    case PLOTARA_MISSING:
      return plotara::Variant::Missing();
    case PLOTARA_BOOLEAN:
      return plotara::Variant(v.integer != 0);
    case PLOTARA_LONG:
      return plotara::Variant(v.integer);
    case PLOTARA_DOUBLE:
      return plotara::Variant(v.number);
    case PLOTARA_TEXT:
      return plotara::Variant(std::string(v.text ? v.text : ""));
    case PLOTARA_TEXTS:
      return ListOf(v);
    default:
      throw plotara::AutomationError(13, "Type mismatch (type code " + std::to_string(v.type) + ")");
  }
}

plotara_value FromVariant(plotara_control* c, const plotara::Variant& v) {
  using plotara::VarType;
  plotara_value out{PLOTARA_EMPTY, 0, 0.0, {nullptr}};
  switch (v.Type()) {
    case VarType::Boolean:
      out.type = PLOTARA_BOOLEAN;
      out.integer = v.ToBoolean() ? 1 : 0;
      break;
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      out.type = PLOTARA_LONG;
      out.integer = v.ToLong();
      break;
    case VarType::Single:
    case VarType::Double:
      out.type = PLOTARA_DOUBLE;
      out.number = v.ToDouble();
      break;
    case VarType::String:
      out.type = PLOTARA_TEXT;
      out.text = HandOut(c, v.ToString());
      break;
    case VarType::StringArray: {
      std::vector<const char*>& list = c->current.lists.emplace_back();
      for (const std::string& s : v.ToStringArray()) list.push_back(HandOut(c, s));
      list.push_back(nullptr);
      out.type = PLOTARA_TEXTS;
      out.integer = static_cast<int32_t>(list.size() - 1);
      out.texts = list.data();
      break;
    }
    default:
      break;
  }
  return out;
}

plotara_type ResultType(plotara::VarType t) {
  using plotara::VarType;
  switch (t) {
    case VarType::Boolean:
      return PLOTARA_BOOLEAN;
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return PLOTARA_LONG;
    case VarType::Single:
    case VarType::Double:
      return PLOTARA_DOUBLE;
    case VarType::String:
    case VarType::Variant:
      return PLOTARA_TEXT;
    case VarType::StringArray:
      return PLOTARA_TEXTS;
    default:
      return PLOTARA_EMPTY;
  }
}

}  // namespace

extern "C" {

const char* plotara_last_error(void) {
  return lastError.c_str();
}

const char* plotara_version(void) {
  return PLOTARA_C_VERSION;
}

int plotara_create(double dpi, plotara_control** control) {
  if (!control) return Fail(5, "Invalid procedure call or argument (no place for the control)");
  *control = nullptr;
  if (!(dpi >= 24 && dpi <= 2400))
    return Fail(5, "Invalid procedure call or argument (dpi must be 24 to 2400)");
  return Guard([&] {
    auto* c = new plotara_control(dpi);
    WireEvents(c);
    *control = c;
    return PLOTARA_OK;
  });
}

void plotara_destroy(plotara_control* c) {
  if (!c) return;
  if (c->owner.load() == std::this_thread::get_id()) {
    c->destroyed = true;  // from a handler: the running call finishes and then deletes it
    return;
  }
  delete c;
}

int plotara_resize(plotara_control* c, int width, int height) {
  return GuardCall(c, [&] {
    if (width < 1 || height < 1 || width > 100000 || height > 100000)
      return Fail(5, "Invalid procedure call or argument (width and height must be 1 to 100000 pixels)");
    // The client area holds the picture and the scroll bars beside it.
    const double twipsPerPixel = 1440.0 / c->dpi;
    c->control.Resize(static_cast<float>(width * twipsPerPixel) + c->control.VScroll1().Width,
                      static_cast<float>(height * twipsPerPixel) + c->control.HScroll1().Height);
    return PLOTARA_OK;
  });
}

int plotara_invoke(plotara_control* c, const char* member, int nargs, plotara_value* args,
                   const char* const* names, plotara_value* result) {
  return GuardCall(c, [&] {
    if (!member) return Fail(5, "Invalid procedure call or argument (no member name)");
    if (nargs < 0 || (nargs > 0 && !args)) return Fail(5, "Invalid procedure call or argument (arguments)");
    // A count beyond the member's parameters fails before any argument is read.
    const plotara::MemberInfo* m = plotara::Members().Find(member);
    if (!m) throw plotara::AutomationError(438);
    if (static_cast<size_t>(nargs) > m->Params.size()) throw plotara::AutomationError(450);
    std::vector<plotara::Variant> positional;
    std::vector<plotara::NamedArg> named;
    std::vector<int> positionalSlot, namedSlot;
    for (int i = 0; i < nargs; ++i) {
      if (names && names[i]) {
        named.push_back({names[i], ToVariant(args[i])});
        namedSlot.push_back(i);
      } else {
        if (!named.empty())
          return Fail(5, "Invalid procedure call or argument (a positional argument follows a named one)");
        positional.push_back(ToVariant(args[i]));
        positionalSlot.push_back(i);
      }
    }
    const plotara::Variant r = plotara::Invoke(c->control, member, positional, named);
    // Write back what the method returned through its arguments.
    for (size_t k = 0; k < positional.size(); ++k)
      if (k < m->Params.size() && m->Params[k].Out) args[positionalSlot[k]] = FromVariant(c, positional[k]);
    for (size_t k = 0; k < named.size(); ++k)
      for (const plotara::ParamInfo& p : m->Params)
        if (p.Out && plotara::EqualsNoCase(p.Name, named[k].Name))
          args[namedSlot[k]] = FromVariant(c, named[k].Value);
    if (result) *result = FromVariant(c, r);
    return PLOTARA_OK;
  });
}

int plotara_get(plotara_control* c, const char* property, plotara_value* result) {
  return GuardCall(c, [&] {
    if (!property || !result) return Fail(5, "Invalid procedure call or argument");
    *result = FromVariant(c, plotara::Get(c->control, property));
    return PLOTARA_OK;
  });
}

int plotara_put(plotara_control* c, const char* property, plotara_value value) {
  return GuardCall(c, [&] {
    if (!property) return Fail(5, "Invalid procedure call or argument");
    plotara::Put(c->control, property, ToVariant(value));
    return PLOTARA_OK;
  });
}

int plotara_add_points(plotara_control* c, const double* x, const double* y, const double* e, size_t n) {
  return GuardCall(c, [&] {
    if (n > 0 && (!x || !y)) return Fail(5, "Invalid procedure call or argument (no x or y)");
    for (size_t i = 0; i < n; ++i) {
      c->control.AddDataPoint(x[i], y[i], e ? e[i] : 0.0);
      if (c->pendingError != 0) break;  // the method failed (no data set, ...): the status says so
    }
    return PLOTARA_OK;
  });
}

int plotara_member_count(void) {
  return static_cast<int>(plotara::Members().All().size());
}

const char* plotara_member_name(int index) {
  const auto& all = plotara::Members().All();
  if (index < 0 || static_cast<size_t>(index) >= all.size()) return nullptr;
  return all[static_cast<size_t>(index)].Name.c_str();
}

int plotara_member_info(const char* member, plotara_member* info) {
  return Guard([&] {
    if (!member || !info) return Fail(5, "Invalid procedure call or argument");
    const plotara::MemberInfo* m = plotara::Members().Find(member);
    if (!m) throw plotara::AutomationError(438);
    info->kind = m->Kind == plotara::MemberKind::Method ? 1 : 2;
    info->writable = m->Kind == plotara::MemberKind::Property && m->Put ? 1 : 0;
    info->params = static_cast<int>(m->Params.size());
    info->out_mask = 0;
    for (size_t i = 0; i < m->Params.size() && i < 32; ++i)
      if (m->Params[i].Out) info->out_mask |= 1u << i;
    info->result = ResultType(m->Type);
    return PLOTARA_OK;
  });
}

int plotara_set_event_handler(plotara_control* c, plotara_event event, plotara_event_handler handler,
                              void* user) {
  const int index = static_cast<int>(event);
  return GuardCall(c, [&] {
    if (index < PLOTARA_NEW_GRAPH_IN_FRONT || index > PLOTARA_ERROR_MSG)
      return Fail(5, "Invalid procedure call or argument (event)");
    c->handlers[index] = {handler, user};
    return PLOTARA_OK;
  });
}

// Reading the picture is a call like any other: one thread at a time. Controls are only ever made by
// plotara_create, never const, so the guard may keep its bookkeeping in them.
int plotara_picture(const plotara_control* control, const uint32_t** pixels, int* width, int* height,
                    int* stride) {
  auto* c = const_cast<plotara_control*>(control);
  return GuardCall(c, [&] {
    const plotara::PictureView v = c->control.Picture1();
    if (pixels) *pixels = v.Pixels;
    if (width) *width = v.Width;
    if (height) *height = v.Height;
    if (stride) *stride = v.StridePixels * 4;
    return PLOTARA_OK;
  });
}

int plotara_save(const plotara_control* control, const char* path) {
  auto* c = const_cast<plotara_control*>(control);
  return GuardCall(c, [&] {
    if (!path) return Fail(5, "Invalid procedure call or argument (no path)");
    try {
      c->control.SavePicture(path);
    } catch (const plotara::AutomationError& e) {
      return Fail(e.Number(), e.Description() + " ('" + path + "')");
    }
    return PLOTARA_OK;
  });
}

}  // extern "C"
