#include "plotara/Variant.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/AsciiCase.h"
#include "platform/Conversions.h"
#include "platform/NumberScan.h"
#include "platform/RuntimeError.h"

namespace plotara {

std::string_view VarTypeName(VarType t) noexcept {
  switch (t) {
    case VarType::Empty:
      return "Empty";
    case VarType::Missing:
      return "Missing";
    case VarType::Boolean:
      return "Boolean";
    case VarType::Byte:
      return "Byte";
    case VarType::Integer:
      return "Integer";
    case VarType::Long:
      return "Long";
    case VarType::Single:
      return "Single";
    case VarType::Double:
      return "Double";
    case VarType::String:
      return "String";
    case VarType::StringArray:
      return "String()";
    case VarType::Variant:
      return "Variant";
  }
  return "?";
}

VarType Variant::Type() const noexcept {
  static constexpr VarType kByIndex[] = {
      VarType::Empty, VarType::Missing, VarType::Boolean, VarType::Byte,   VarType::Integer,
      VarType::Long,  VarType::Single,  VarType::Double,  VarType::String, VarType::StringArray};
  return kByIndex[v_.index()];
}

std::string NumberToText(double v) {
  if (v == 0) return "0";  // also for -0
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string NumberToText(float v) {
  if (v == 0) return "0";
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

bool TextToNumber(std::string_view text, double& out) {
  std::string_view s = Trim(text);
  if (s.empty()) return false;
  if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
    const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
    uint64_t value = 0;
    auto r = std::from_chars(s.data() + 2, s.data() + s.size(), value, base);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || value > 0xFFFFFFFFull) return false;
    out = static_cast<int32_t>(static_cast<uint32_t>(value));
    return true;
  }
  if (ScanDecimal(s).Length != s.size()) return false;
  std::string_view body = s;
  if (body.front() == '+') body.remove_prefix(1);  // from_chars takes a minus only
  double v = 0;
  auto r = std::from_chars(body.data(), body.data() + body.size(), v);
  if (r.ec == std::errc::result_out_of_range) Raise(err::Overflow);
  if (r.ec != std::errc() || r.ptr != body.data() + body.size()) return false;
  out = v;
  return true;
}

double Variant::ToDouble() const {
  switch (Type()) {
    case VarType::Empty:
      return 0.0;
    case VarType::Boolean:
      return std::get<bool>(v_) ? -1.0 : 0.0;
    case VarType::Byte:
      return std::get<uint8_t>(v_);
    case VarType::Integer:
      return std::get<int16_t>(v_);
    case VarType::Long:
      return std::get<int32_t>(v_);
    case VarType::Single:
      return std::get<float>(v_);
    case VarType::Double:
      return std::get<double>(v_);
    case VarType::String: {
      double v = 0;
      if (!TextToNumber(std::get<std::string>(v_), v)) Raise(err::TypeMismatch);
      return v;
    }
    case VarType::Missing:
      Raise(err::ArgumentNotOptional);
    default:
      Raise(err::TypeMismatch);
  }
}

float Variant::ToSingle() const {
  return CSng(ToDouble());
}
int16_t Variant::ToInteger() const {
  return CInt(ToDouble());
}
int32_t Variant::ToLong() const {
  return CLng(ToDouble());
}
uint8_t Variant::ToByte() const {
  return CByte(ToDouble());
}

bool Variant::ToBoolean() const {
  if (Type() == VarType::Boolean) return std::get<bool>(v_);
  if (Type() == VarType::String) {
    const std::string_view s = Trim(std::get<std::string>(v_));
    if (EqualsNoCase(s, "True")) return true;
    if (EqualsNoCase(s, "False")) return false;
  }
  return ToDouble() != 0.0;
}

std::string Variant::ToString() const {
  switch (Type()) {
    case VarType::Empty:
      return "";
    case VarType::Boolean:
      return std::get<bool>(v_) ? "True" : "False";
    case VarType::Byte:
      return std::to_string(std::get<uint8_t>(v_));
    case VarType::Integer:
      return std::to_string(std::get<int16_t>(v_));
    case VarType::Long:
      return std::to_string(std::get<int32_t>(v_));
    case VarType::Single:
      return NumberToText(std::get<float>(v_));
    case VarType::Double:
      return NumberToText(std::get<double>(v_));
    case VarType::String:
      return std::get<std::string>(v_);
    case VarType::Missing:
      Raise(err::ArgumentNotOptional);
    default:
      Raise(err::TypeMismatch);
  }
}

const std::vector<std::string>& Variant::ToStringArray() const {
  if (Type() != VarType::StringArray) Raise(err::TypeMismatch);
  return std::get<std::vector<std::string>>(v_);
}

Variant Variant::ConvertTo(VarType t) const {
  switch (t) {
    case VarType::Empty:
      return Variant();
    case VarType::Missing:
      return Missing();
    case VarType::Boolean:
      return Variant(ToBoolean());
    case VarType::Byte:
      return Variant(ToByte());
    case VarType::Integer:
      return Variant(ToInteger());
    case VarType::Long:
      return Variant(ToLong());
    case VarType::Single:
      return Variant(ToSingle());
    case VarType::Double:
      return Variant(ToDouble());
    case VarType::String:
      return Variant(ToString());
    case VarType::StringArray:
      // A host that passes nothing for an array receives a new one.
      return IsEmpty() ? Variant(std::vector<std::string>{}) : Variant(ToStringArray());
    case VarType::Variant:
      return *this;
  }
  return *this;
}

}  // namespace plotara
