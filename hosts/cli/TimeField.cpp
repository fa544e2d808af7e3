#include "hosts/cli/TimeField.h"

#include "hosts/cli/ReadNumber.h"

// GCC 12 takes a local of the library's text parser for uninitialized (a false positive inside
// date.h, where every path sets it before use).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <date/date.h>
#pragma GCC diagnostic pop

#include <chrono>
#include <cstdint>
#include <limits>
#include <sstream>

namespace plotara {

namespace {

// Reads a text from the front.
struct Cursor {
  std::string_view Text;
  size_t At = 0;

  bool End() const { return At == Text.size(); }
  bool Take(char c) {
    if (At < Text.size() && Text[At] == c) {
      ++At;
      return true;
    }
    return false;
  }
  bool IsDigit() const { return At < Text.size() && Text[At] >= '0' && Text[At] <= '9'; }
  // Exactly n digits.
  bool Digits(int n, int& value) {
    value = 0;
    for (int k = 0; k < n; ++k) {
      if (!IsDigit()) return false;
      value = value * 10 + (Text[At++] - '0');
    }
    return true;
  }
};

// The whole seconds of a UTC (or local) calendar date and time of day.
int64_t WholeSeconds(const date::year_month_day& ymd, int h, int m, int s) {
  return static_cast<int64_t>(date::sys_days{ymd}.time_since_epoch().count()) * 86400 + h * 3600 + m * 60 + s;
}

// Whole seconds written as a local time of zone, as an instant.
int64_t FromLocal(int64_t localSeconds, const TimeZone& zone) {
  return zone.FirstInstantOf(localSeconds * 1000) / 1000;
}

}  // namespace

bool ReadIsoTime(std::string_view text, const TimeZone& zone, double& seconds) {
  Cursor c{text};
  // The extended form (2026-03-29T06:00:15) or the basic one (20260329T060015), not the two mixed.
  int y = 0, mo = 0, d = 0;
  if (!c.Digits(4, y)) return false;
  const bool basic = !c.Take('-');
  const auto mark = [&](char m) { return basic || c.Take(m); };
  if (!(c.Digits(2, mo) && mark('-') && c.Digits(2, d))) return false;
  const date::year_month_day ymd{date::year{y}, date::month(static_cast<unsigned>(mo)),
                                 date::day(static_cast<unsigned>(d))};
  if (!ymd.ok()) return false;
  int h = 0, mi = 0, s = 0;
  double fraction = 0;
  bool offsetGiven = false;
  int offsetMinutes = 0;
  if (!c.End()) {
    if (!(c.Take('T') || c.Take('t') || c.Take(' '))) return false;
    if (!(c.Digits(2, h) && mark(':') && c.Digits(2, mi))) return false;
    if (basic ? c.IsDigit() : c.Take(':')) {
      if (!c.Digits(2, s)) return false;
      if (c.Take('.') || c.Take(',')) {
        if (!c.IsDigit()) return false;
        for (double unit = 0.1; c.IsDigit(); unit /= 10) fraction += (c.Text[c.At++] - '0') * unit;
      }
    }
    if (c.Take('Z') || c.Take('z')) {
      offsetGiven = true;
    } else if (c.At < text.size() && (text[c.At] == '+' || text[c.At] == '-')) {
      const int sign = text[c.At++] == '-' ? -1 : 1;
      int oh = 0, om = 0;
      if (!c.Digits(2, oh)) return false;
      if (c.Take(':') ? !c.Digits(2, om) : c.IsDigit() && !c.Digits(2, om)) return false;
      if (oh > 23 || om > 59) return false;
      offsetGiven = true;
      offsetMinutes = sign * (oh * 60 + om);
    }
    if (!c.End() || h > 23 || mi > 59 || s > 60) return false;
  }
  const int64_t whole = WholeSeconds(ymd, h, mi, s);
  seconds = static_cast<double>(offsetGiven ? whole - offsetMinutes * 60 : FromLocal(whole, zone)) + fraction;
  return true;
}

bool ReadFormattedTime(std::string_view text, const std::string& format, const TimeZone& zone,
                       double& seconds) {
  std::istringstream in{std::string(text)};
  date::local_time<std::chrono::milliseconds> local;
  constexpr std::chrono::minutes kNone{std::numeric_limits<int32_t>::min()};
  std::chrono::minutes offset = kNone;
  date::from_stream(in, format.c_str(), local, static_cast<std::string*>(nullptr), &offset);
  if (in.fail() || !(in >> std::ws).eof()) return false;
  const int64_t ms = local.time_since_epoch().count();
  const int64_t whole = ms / 1000 - (ms % 1000 < 0);
  const double fraction = static_cast<double>(ms - whole * 1000) / 1000;
  const int64_t instant = offset != kNone ? whole - offset.count() * 60 : FromLocal(whole, zone);
  seconds = static_cast<double>(instant) + fraction;
  return true;
}

std::string TimeFormatProblem(const std::string& format) {
  if (format.empty() || format == "s" || format == "ms" || format.find('%') != std::string::npos) return "";
  return "Time:= takes \"s\", \"ms\" or a strftime-style format such as \"%d.%m.%Y %H:%M\", not \"" + format +
         "\"";
}

bool ReadTimeField(std::string_view text, const TimeReading& reading, double& seconds) {
  if (reading.Formatted()) return ReadFormattedTime(text, reading.Format, reading.Zone, seconds);
  if (ReadNumber(text, seconds)) {
    if (reading.Milliseconds()) seconds /= 1000;
    return true;
  }
  return ReadIsoTime(text, reading.Zone, seconds);
}

}  // namespace plotara
