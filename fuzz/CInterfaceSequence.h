// Call sequences for the C interface (plotara/plotara_c.h), shared by capi_fuzz and the test that replays
// its kept inputs. Everything goes through the C calls as a C host makes them: hostile counts, NULLs,
// type codes outside the enum, lists whose count does not match, texts and lists the control handed out
// passed straight back in, and event handlers that call back into the control (draw, reset, add graphs,
// change their own handler, destroy it) while the call that raised the event runs.
//
// Decoding: the first byte chooses the control's options (bit 0 anti-aliased, bit 1 vector, bits 2-3
// the resolution); then one operation at a time, a byte picking it and its payload following (see
// CInterfaceSequence::Step). A handler reads its action from the same bytes when it is called, so a
// sequence replays the same way. Running out of bytes ends it.
//
// The contract is checked as well as memory: a call on a destroyed control (from a handler) must fail
// with 91, a handler must not run after its control was destroyed, a list handed out must end in NULL
// after its count, and every status must come with a readable last error. A breach aborts.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/CallSequence.h"
#include "plotara/plotara_c.h"

namespace plotara::fuzz {

namespace capi {

// Members whose calls change what a drawing works on: a handler picks among them most of the time.
inline const char* const kStateChanging[] = {"Refresh",           "Reset",
                                             "NewGraph",          "NewXAxis",
                                             "NewYAxis",          "NewDataSet",
                                             "AddDataPoint",      "DeleteGraph",
                                             "DeleteDataSet",     "RefreshCurrentGraph",
                                             "SetSelectedGraph",  "AddText",
                                             "ClearData",         "NewMathFunc",
                                             "SetSelectedAxis",   "DeleteAxis",
                                             "BringGraphToFront", "Unzoom"};

inline void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "capi contract broken: %s\n", what);
    std::abort();
  }
}

class CInterfaceSequence {
 public:
  CInterfaceSequence(const uint8_t* data, size_t size) : r_(data, size) {}
  ~CInterfaceSequence() { plotara_destroy(c_); }

  void Run() {
    Create(r_.Byte());
    for (int op = 0; op < 64 && !r_.Empty() && c_; ++op) Outermost();
  }

 private:
  void Create(uint8_t mode) {
    static const double dpis[] = {96, 24, 192, 2400};
    plotara_options o = plotara_default_options();
    o.antialias = mode & 1;
    o.vector = (mode >> 1) & 1;
    o.dpi = dpis[(mode >> 2) & 3];
    Check(plotara_create_with_options(&o, &c_) == PLOTARA_OK && c_, "create");
    plotara_resize(c_, 160, 120);
    // Every event handled from the start: the handlers decide from the input what they do.
    for (int e = PLOTARA_NEW_GRAPH_IN_FRONT; e <= PLOTARA_VIEW_CHANGED; ++e)
      plotara_set_event_handler(c_, e, &CInterfaceSequence::Handler, this);
  }

  // One call from the host; what it handed out may go into the next call, and a destruction asked for
  // by a handler has happened when it returns.
  void Outermost() {
    previous_ = std::move(current_);
    current_.clear();
    previousLists_ = std::move(currentLists_);
    currentLists_.clear();
    Step(0);
    if (destroyedInHandler_) {
      c_ = nullptr;
      destroyedInHandler_ = false;
      previous_.clear();
      current_.clear();
      previousLists_.clear();
      currentLists_.clear();
      if (!r_.Empty()) Create(r_.Byte());
    }
  }

  static void Handler(void* user, plotara_event event, const char* source, const char* description) {
    auto* self = static_cast<CInterfaceSequence*>(user);
    Check(!self->destroyedInHandler_, "a handler ran after its control was destroyed");
    Check(event >= PLOTARA_NEW_GRAPH_IN_FRONT && event <= PLOTARA_VIEW_CHANGED, "event number");
    if (source) self->Keep(source);
    if (description) self->Keep(description);
    if (self->depth_ >= 3 || ++self->handled_ > 48) return;
    ++self->depth_;
    self->React();
    --self->depth_;
  }

  // What a handler does: nothing, a state-changing call, any step, or the end of its control.
  void React() {
    const uint8_t b = r_.Byte();
    switch (b % 8) {
      case 0:
      case 1:
        break;
      case 2:
      case 3: {
        plotara_value args[2] = {Value(), Value()};
        Status(plotara_invoke(c_, kStateChanging[r_.Byte() % std::size(kStateChanging)], b >> 6 & 2, args,
                              nullptr, nullptr));
        break;
      }
      case 4:
        Status(plotara_invoke(c_, "Refresh", 0, nullptr, nullptr, nullptr));
        break;
      case 5:
        plotara_destroy(c_);
        destroyedInHandler_ = true;
        // Every further call on it fails with 91 and runs no handler.
        Check(plotara_invoke(c_, "Refresh", 0, nullptr, nullptr, nullptr) == 91, "a call after destroy");
        break;
      default:
        Step(depth_);
        break;
    }
  }

  void Status(int status) {
    Check(plotara_last_error() != nullptr, "last error");
    if (status != PLOTARA_OK) (void)std::strlen(plotara_last_error());
  }

  void Keep(const char* text) { current_.push_back(text); }

  // A value a C host might pass: of every type, in range or not, NULL texts, texts handed out by the
  // last call, lists whose count is wrong.
  plotara_value Value() {
    const uint8_t kind = r_.Byte();
    plotara_value v = plotara_missing();
    switch (kind % 14) {
      case 0:
        return plotara_double(calls::Hostile(r_.Byte()));
      case 1:
        return plotara_double(r_.Raw<double>());
      case 2:
        return plotara_long(r_.Raw<int32_t>());
      case 3:
        return plotara_long(static_cast<int8_t>(r_.Byte()));
      case 4:
        return plotara_boolean(r_.Byte());
      case 5:
        text_.push_back(r_.Text(r_.Byte() % 32));
        return plotara_text(text_.back().c_str());
      case 6:
        return plotara_text(nullptr);
      case 7:  // a text the control handed out in the last call (or in this one)
        if (!previous_.empty()) return plotara_text(previous_[r_.Byte() % previous_.size()]);
        return plotara_text(current_.empty() ? "" : current_[r_.Byte() % current_.size()]);
      case 8: {  // a list, its count right or not
        auto& list = lists_.emplace_back();
        const int n = r_.Byte() % 4;
        for (int i = 0; i < n; ++i) list.push_back(i % 2 ? "a\nb" : "");
        list.push_back(nullptr);
        static const int32_t counts[] = {
            0, 1, 2, 3, -1, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()};
        const uint8_t k = r_.Byte();
        return plotara_texts(list.data(), k & 1 ? n : counts[(k >> 1) % std::size(counts)]);
      }
      case 9:  // a list the control handed out
        if (!previousLists_.empty()) return previousLists_[r_.Byte() % previousLists_.size()];
        return plotara_texts(nullptr, r_.Byte() % 3);
      case 10:  // a type code outside the enum
        v.type = static_cast<int32_t>(r_.Raw<int16_t>());
        v.integer = r_.Raw<int32_t>();
        return v;
      case 11:
        v.type = PLOTARA_EMPTY;
        return v;
      case 12:
        return plotara_double(static_cast<double>(static_cast<int8_t>(r_.Byte())));
      default:
        return v;
    }
  }

  // A member: one of the table, or a name that is none.
  const char* Member() {
    const uint8_t b = r_.Byte();
    if (b == 0xff) return nullptr;
    if (b == 0xfe) {
      text_.push_back(r_.Text(r_.Byte() % 16));
      return text_.back().c_str();
    }
    const int count = plotara_member_count();
    return plotara_member_name((b * 256 + r_.Byte()) % count);
  }

  // Records what a call handed out through a value, and checks a list's shape.
  void Received(const plotara_value& v) {
    if (v.type == PLOTARA_TEXT && v.text) {
      (void)std::strlen(v.text);
      Keep(v.text);
    } else if (v.type == PLOTARA_TEXTS) {
      Check(v.integer >= 0 && v.texts, "a list handed out");
      for (int32_t i = 0; i < v.integer; ++i) Keep(v.texts[i]);
      Check(v.texts[v.integer] == nullptr, "a list handed out ends in NULL");
      currentLists_.push_back(v);
    }
  }

  void Step(int depth) {
    if (!c_ || destroyedInHandler_) return;
    const uint8_t code = r_.Byte();
    switch (code % 16) {
      case 0:
      case 1:
      case 2: {  // a call by name
        const char* member = Member();
        int n = r_.Byte() % 10 - 1;  // -1 to 8
        std::vector<plotara_value> args;
        for (int i = 0; i < std::max(n, 0); ++i) args.push_back(Value());
        // The parameter each argument goes to, by place or (when named) by name.
        std::vector<const char*> names;
        std::vector<int> slots;
        for (int i = 0; i < std::max(n, 0); ++i) {
          plotara_param p{};
          const int index = code & 0x40 ? r_.Byte() % 5 - 1 : -1;
          const bool named = index >= 0 && plotara_member_param(member, index, &p) == PLOTARA_OK;
          names.push_back(named ? p.name : nullptr);
          slots.push_back(named ? index : i);
        }
        plotara_value result{};
        const bool nullArgs = (code & 0x20) != 0 && n > 0;
        const std::vector<plotara_value> passed = args;
        const int status =
            plotara_invoke(c_, member, n, nullArgs ? nullptr : args.data(),
                           code & 0x40 ? names.data() : nullptr, code & 0x80 ? nullptr : &result);
        Status(status);
        if (destroyedInHandler_ || status != PLOTARA_OK) return;
        // What the method wrote back (a call the control ignored, its failure reported to the ErrorMsg
        // handler, leaves the arguments as they were).
        for (size_t i = 0; i < args.size(); ++i) {
          plotara_param p{};
          const bool written = std::memcmp(&args[i], &passed[i], sizeof(plotara_value)) != 0;
          if (written && plotara_member_param(member, slots[i], &p) == PLOTARA_OK && p.out) Received(args[i]);
        }
        if (!(code & 0x80)) Received(result);
        break;
      }
      case 3: {
        plotara_value result{};
        const char* member = Member();
        const int status = plotara_get(c_, member, code & 0x80 ? nullptr : &result);
        Status(status);
        if (status == PLOTARA_OK && !destroyedInHandler_) Received(result);
        break;
      }
      case 4:
      case 5: {
        const char* member = Member();
        Status(plotara_put(c_, member, Value()));
        break;
      }
      case 6:
        Status(plotara_invoke(c_, code & 0x80 ? "RefreshCurrentGraph" : "Refresh", 0, nullptr, nullptr,
                              nullptr));
        break;
      case 7: {  // points, some missing, some beyond Single
        double x[8], y[8], e[8];
        const size_t n = r_.Byte() % 9;
        for (size_t i = 0; i < n; ++i) {
          x[i] = calls::Hostile(r_.Byte());
          y[i] = r_.Byte() & 1 ? calls::Hostile(r_.Byte()) : static_cast<double>(i);
          e[i] = calls::Hostile(r_.Byte());
        }
        Status(plotara_add_points(c_, code & 0x20 ? nullptr : x, y, code & 0x40 ? e : nullptr, n));
        break;
      }
      case 8: {
        static const int sizes[] = {
            0, -1, 1, 2, 160, 640, 100001, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
        const int w = sizes[r_.Byte() % std::size(sizes)];
        const int h = sizes[r_.Byte() % std::size(sizes)];
        Status(plotara_resize(c_, w, h));
        break;
      }
      case 9: {  // handlers: set, removed, on an event that does not exist
        const int event = static_cast<int8_t>(r_.Byte()) % 8;
        Status(
            plotara_set_event_handler(c_, event, code & 0x80 ? nullptr : &CInterfaceSequence::Handler, this));
        break;
      }
      case 10: {
        int taken = -1;
        // Read in a fixed order: the order of evaluating arguments is the compiler's.
        const uint8_t pick = r_.Byte();
        const double x = (pick & 1 ? calls::Hostile(r_.Byte()) : 0.0) + pick % 160;
        const double y = r_.Byte() % 120;
        const double a = calls::Hostile(r_.Byte());
        const int16_t b = r_.Raw<int16_t>();
        const uint8_t shift = r_.Byte();
        int* t = code & 0x80 ? nullptr : &taken;
        switch ((code >> 4) & 3) {
          case 0:
            Status(plotara_wheel(c_, x, y, b, shift, t));
            break;
          case 1:
            Status(plotara_pinch(c_, x, y, a, t));
            break;
          case 2:
            Status(plotara_pan(c_, x, y, a, static_cast<int8_t>(b), t));
            break;
          default:
            Status(plotara_key(c_, b % 256 * (shift & 0x80 ? 100000 : 1), shift, t));
            break;
        }
        break;
      }
      case 11: {
        plotara_point p{};
        const double x = r_.Byte() % 160;
        const double y = r_.Byte() % 120;
        const double distance = calls::Hostile(r_.Byte());
        const int status = plotara_nearest_point(c_, x, y, distance, code & 0x80 ? nullptr : &p);
        Status(status);
        if (status == PLOTARA_OK && p.found && !destroyedInHandler_) Received(plotara_text(p.name));
        break;
      }
      case 12: {
        const uint32_t* pixels = nullptr;
        int w = 0, h = 0, stride = 0;
        const int status = plotara_picture(c_, &pixels, &w, &h, &stride);
        Status(status);
        if (status == PLOTARA_OK && pixels && w > 0 && h > 0)
          (void)pixels[static_cast<size_t>(h - 1) * (stride / 4) + (w - 1)];
        break;
      }
      case 13: {  // the picture as a file, in memory: rarely, it is slow
        if (++encodes_ > 2 || depth > 0) break;
        static const char* const formats[] = {"png", "svg", "pdf", "SVG", "gif", ""};
        const void* bytes = nullptr;
        size_t size = 0;
        const int status = plotara_encode(c_, formats[r_.Byte() % std::size(formats)], &bytes, &size);
        Status(status);
        if (status == PLOTARA_OK && size > 0) (void)static_cast<const char*>(bytes)[size - 1];
        break;
      }
      case 14: {  // what the library says about its members, asked with any name and index
        const char* member = Member();
        plotara_member info{};
        plotara_param param{};
        plotara_reference ref{};
        plotara_member_info(member, code & 0x80 ? nullptr : &info);
        plotara_member_param(member, static_cast<int8_t>(r_.Byte()), code & 0x40 ? nullptr : &param);
        plotara_member_reference(member, code & 0x20 ? nullptr : &ref);
        (void)plotara_member_name(static_cast<int8_t>(r_.Byte()) * 1000);
        break;
      }
      default:  // the host destroys the control between calls and makes another
        if (depth > 0) break;
        plotara_destroy(c_);
        c_ = nullptr;
        previous_.clear();
        current_.clear();
        previousLists_.clear();
        currentLists_.clear();
        Create(r_.Byte());
        break;
    }
  }

  calls::Reader r_;
  plotara_control* c_ = nullptr;
  std::vector<const char*> previous_, current_;
  std::vector<plotara_value> previousLists_, currentLists_;
  std::deque<std::string> text_;
  std::deque<std::vector<const char*>> lists_;
  int depth_ = 0, handled_ = 0, encodes_ = 0;
  bool destroyedInHandler_ = false;
};

}  // namespace capi

// Runs one decoded C-interface sequence; false when the input is too long to take.
inline bool RunCInterfaceSequence(const uint8_t* data, size_t size) {
  if (size > 4096) return false;
  capi::CInterfaceSequence(data, size).Run();
  return true;
}

}  // namespace plotara::fuzz
