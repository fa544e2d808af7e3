// What a host works in: the C++ type a host value of each automation type travels in, the conversion
// from a Variant, and the pixel windows are laid out in.
#pragma once

#include <cstdint>
#include <string>

#include "plotara/Variant.h"

namespace plotara {

// Twips (1/1440 inch) in a pixel at 96 dpi: the logical pixel that windows, dialogs and host scripts
// count in, whatever the resolution the control draws at.
inline constexpr double kTwipsPerLogicalPixel = 15;

template <VarType T>
struct HostTypeOf;
template <>
struct HostTypeOf<VarType::Boolean> {
  using type = bool;
};
template <>
struct HostTypeOf<VarType::Byte> {
  using type = uint8_t;
};
template <>
struct HostTypeOf<VarType::Integer> {
  using type = int16_t;
};
template <>
struct HostTypeOf<VarType::Long> {
  using type = int32_t;
};
template <>
struct HostTypeOf<VarType::Single> {
  using type = float;
};
template <>
struct HostTypeOf<VarType::Double> {
  using type = double;
};
template <>
struct HostTypeOf<VarType::String> {
  using type = std::string;
};
template <>
struct HostTypeOf<VarType::Variant> {
  using type = Variant;
};

template <VarType T>
using HostType = typename HostTypeOf<T>::type;

// What a typed setter takes: an integer property any integer, which the setter checks against the
// property's type (error 6 when it does not fit, as the by-name path raises), so that no value is
// narrowed in silence; any other property its host type.
template <VarType T>
struct SetterTypeOf {
  using type = HostType<T>;
};
template <>
struct SetterTypeOf<VarType::Byte> {
  using type = int64_t;
};
template <>
struct SetterTypeOf<VarType::Integer> {
  using type = int64_t;
};
template <>
struct SetterTypeOf<VarType::Long> {
  using type = int64_t;
};

template <VarType T>
using SetterType = typename SetterTypeOf<T>::type;

template <VarType T>
HostType<T> FromVariant(const Variant& v) {
  if constexpr (T == VarType::Boolean)
    return v.ToBoolean();
  else if constexpr (T == VarType::Byte)
    return v.ToByte();
  else if constexpr (T == VarType::Integer)
    return v.ToInteger();
  else if constexpr (T == VarType::Long)
    return v.ToLong();
  else if constexpr (T == VarType::Single)
    return v.ToSingle();
  else if constexpr (T == VarType::Double)
    return v.ToDouble();
  else if constexpr (T == VarType::String)
    return v.ToString();
  else
    return v;
}

}  // namespace plotara
