// How a property's host value becomes its stored value and back. Each conversion has
//   Set(records, record, field, value)   stores the host value (raising 6 when it does not fit)
//   Get<Host>(records, field)            reads it back as the host type
// Millimetres become surface units with the control's UnitsPerMmX/UnitsPerMmY, percentages fractions.
#pragma once

#include <string>
#include <type_traits>

#include "model/Records.h"
#include "model/TimeOrigin.h"
#include "platform/Conversions.h"
#include "plotara/Variant.h"
#include "scale/TimeZone.h"

namespace plotara::conv {

// A value into a numeric type of the interface, raising 6 when it does not fit.
template <class To, class From>
To Narrow(From v) {
  if constexpr (std::is_same_v<To, From>) {
    return v;
  } else if constexpr (std::is_same_v<To, bool>) {
    return v != 0;
  } else if constexpr (std::is_same_v<To, uint8_t>) {
    return CByte(static_cast<double>(v));
  } else if constexpr (std::is_same_v<To, int16_t>) {
    return CInt(static_cast<double>(v));
  } else if constexpr (std::is_same_v<To, int32_t>) {
    return CLng(static_cast<double>(v));
  } else if constexpr (std::is_same_v<To, float>) {
    return CSng(static_cast<double>(v));
  } else {
    return static_cast<To>(v);
  }
}

// Stored as given (widened or narrowed with the overflow check).
struct Plain {
  template <class R, class F, class H>
  static void Set(const ControlState&, R&, F& field, const H& v) {
    field = Narrow<F>(v);
  }
  template <class H, class F>
  static H Get(const ControlState&, const F& field) {
    return Narrow<H>(field);
  }
};

// Booleans exposed as Long: nonzero stores true; reads back -1 or 0.
struct ToBool {
  template <class R, class H>
  static void Set(const ControlState&, R&, bool& field, const H& v) {
    field = v != 0;
  }
  template <class H>
  static H Get(const ControlState&, const bool& field) {
    return field ? -1 : 0;
  }
};

// An integer field exposed as a wider integer: narrowed to the field, 6 when it does not fit.
using ToByte = Plain;

// A Single rounded to a 16-bit integer (half to even).
struct Int {
  template <class R>
  static void Set(const ControlState&, R&, int16_t& field, float v) {
    field = CInt(v);
  }
  template <class H>
  static H Get(const ControlState&, const int16_t& field) {
    return static_cast<H>(field);
  }
};

// A Single held as a Double.
struct Dbl {
  template <class R>
  static void Set(const ControlState&, R&, double& field, float v) {
    field = v;
  }
  template <class H>
  static H Get(const ControlState&, const double& field) {
    return CSng(field);
  }
};

// Millimetres stored as horizontal surface units.
struct MmX {
  template <class R>
  static void Set(const ControlState& s, R&, float& field, float v) {
    field = CSng(static_cast<double>(v) * s.UnitsPerMmX);
  }
  template <class H>
  static H Get(const ControlState& s, const float& field) {
    return field / s.UnitsPerMmX;
  }
};

// Millimetres stored as vertical surface units.
struct MmY {
  template <class R>
  static void Set(const ControlState& s, R&, float& field, float v) {
    field = CSng(static_cast<double>(v) * s.UnitsPerMmY);
  }
  template <class H>
  static H Get(const ControlState& s, const float& field) {
    return field / s.UnitsPerMmY;
  }
};

// Millimetres stored as a whole number of surface units.
struct MmXInt {
  template <class R>
  static void Set(const ControlState& s, R&, int16_t& field, float v) {
    field = CInt(v * s.UnitsPerMmX);
  }
  template <class H>
  static H Get(const ControlState& s, const int16_t& field) {
    return field / s.UnitsPerMmX;
  }
};

// A full size in millimetres stored as half the size in whole surface units.
struct MmXHalf {
  template <class R>
  static void Set(const ControlState& s, R&, int16_t& field, float v) {
    field = CInt(v * s.UnitsPerMmX / 2);
  }
  template <class H>
  static H Get(const ControlState& s, const int16_t& field) {
    return field / s.UnitsPerMmX * 2;
  }
};

// A percentage of the page stored as a fraction; placing a graph ends its whole-page layout.
struct Pct {
  template <class R>
  static void Set(const ControlState&, R& graph, float& field, float v) {
    field = v / 100;
    graph.GraphWholePage = false;
  }
  template <class H>
  static H Get(const ControlState&, const float& field) {
    return field * 100;
  }
};

// Switches the selected axis between a time axis and a plain one, moving the origin its values are
// counted from (model/TimeOrigin.h).
struct TimeSwitch {
  static void Set(ControlState& s, AxisRecord&, bool&, bool v) {
    GraphRecord& g = s.Current();
    SetAxisTime(g, g.SelectedAxis, v);
  }
  template <class H>
  static H Get(const ControlState&, const bool& field) {
    return field;
  }
};

// The name of a time zone of the zone database, or "UTC"; another name raises 380.
struct ZoneName {
  static void Set(const ControlState&, AxisRecord&, std::string& field, const std::string& v) {
    if (!IsKnownTimeZone(v)) Raise(err::InvalidPropertyValue);
    field = v.empty() ? "UTC" : v;
  }
  template <class H>
  static H Get(const ControlState&, const std::string& field) {
    return field;
  }
};

// Any value stored as its text.
struct Text {
  template <class R>
  static void Set(const ControlState&, R&, std::string& field, const Variant& v) {
    field = v.ToString();
  }
  template <class H>
  static H Get(const ControlState&, const std::string& field) {
    return Variant(field);
  }
};

}  // namespace plotara::conv
