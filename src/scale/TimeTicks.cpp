// TimeTicks sections: steps; the calendar of a local time; ticks; labels; choosing the step.
#include "scale/TimeTicks.h"

#include <date/date.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace plotara {

namespace {

constexpr Millis kSecond = 1000, kMinute = 60 * kSecond, kHour = 60 * kMinute;

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

int64_t CeilDiv(int64_t a, int64_t b) {
  return -FloorDiv(-a, b);
}

// The leading digit of a count of the 1, 2, 5 series.
int64_t Mantissa(int64_t count) {
  while (count >= 10) count /= 10;
  return count;
}

}  // namespace

// ---------------------------------------------------------------- steps

TimeStep NextTimeStep(TimeStep step) {
  using U = TimeUnit;
  struct Run {
    U Unit;
    std::array<int64_t, 9> Counts;  // 0 ends a run
  };
  static constexpr Run kRuns[] = {
      {U::Millisecond, {1, 2, 5, 10, 20, 50, 100, 200, 500}},
      {U::Second, {1, 2, 5, 10, 15, 30}},
      {U::Minute, {1, 2, 5, 10, 15, 30}},
      {U::Hour, {1, 2, 3, 6, 12}},
      {U::Day, {1, 2}},
      {U::Week, {1, 2}},
      {U::Month, {1, 3, 6}},
  };
  if (step.Unit == U::Year) return {U::Year, Mantissa(step.Count) == 2 ? step.Count / 2 * 5 : step.Count * 2};
  for (size_t r = 0; r < std::size(kRuns); ++r) {
    if (kRuns[r].Unit != step.Unit) continue;
    const auto& counts = kRuns[r].Counts;
    for (size_t i = 0; i + 1 < counts.size() && counts[i] != 0; ++i)
      if (counts[i] == step.Count && counts[i + 1] != 0) return {step.Unit, counts[i + 1]};
    return r + 1 < std::size(kRuns) ? TimeStep{kRuns[r + 1].Unit, 1} : TimeStep{U::Year, 1};
  }
  return {U::Year, 1};
}

double NominalMillis(TimeStep step) {
  constexpr double kDay = 86'400'000.0, kYear = 365.2425 * kDay;
  const double n = static_cast<double>(step.Count);
  switch (step.Unit) {
    case TimeUnit::Millisecond:
      return n;
    case TimeUnit::Second:
      return n * kSecond;
    case TimeUnit::Minute:
      return n * kMinute;
    case TimeUnit::Hour:
      return n * kHour;
    case TimeUnit::Day:
      return n * kDay;
    case TimeUnit::Week:
      return n * 7 * kDay;
    case TimeUnit::Month:
      return n * kYear / 12;
    case TimeUnit::Year:
      return n * kYear;
  }
  return n;
}

TimeStep MinorStepOf(TimeStep step) {
  using U = TimeUnit;
  const int64_t n = step.Count;
  // A series of 1, 2, 5 x 10^k: fifths of a 1 or a 5, halves of a 2 (none below a millisecond).
  const int64_t series = Mantissa(n) == 2 ? n / 2 : n / 5;
  switch (step.Unit) {
    case U::Millisecond:
      return {U::Millisecond, series};
    case U::Second:
      if (n <= 2) return {U::Millisecond, n == 1 ? 200 : 500};
      return {U::Second, n == 5 ? 1 : n == 10 ? 2 : 5};
    case U::Minute:
      if (n <= 2) return {U::Second, n * 15};
      return {U::Minute, n == 5 ? 1 : n == 10 ? 2 : 5};
    case U::Hour:
      if (n <= 2) return {U::Minute, n * 15};
      return {U::Hour, n == 12 ? 3 : 1};
    case U::Day:
      return n == 1 ? TimeStep{U::Hour, 6} : TimeStep{U::Day, 1};
    case U::Week:
      return n == 1 ? TimeStep{U::Day, 1} : TimeStep{U::Week, 1};
    case U::Month:
      return {U::Month, n == 1 ? 0 : 1};
    case U::Year:
      return n == 1 ? TimeStep{U::Month, 3} : TimeStep{U::Year, series};
  }
  return {U::Millisecond, 0};
}

// ---------------------------------------------------------------- the calendar of a local time

namespace {

// A local time taken apart.
struct LocalParts {
  int Year;
  unsigned Month, Day;
  int64_t Day0;  // days since 1970-01-01
  Millis OfDay;  // milliseconds since midnight
};

LocalParts PartsOf(Millis local) {
  const int64_t days = FloorDiv(local, kMillisPerDay);
  const date::year_month_day ymd{date::sys_days{date::days{days}}};
  return {static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
          days, local - days * kMillisPerDay};
}

// Days since 1970-01-01 of a date.
int64_t DayNumber(int year, unsigned month, unsigned day) {
  return date::sys_days{date::year{year} / date::month{month} / date::day{day}}.time_since_epoch().count();
}

Millis Clamp(Millis m) {
  return std::clamp(m, kEarliestTick, kLatestTick);
}

Millis StepMillis(TimeStep step) {
  return static_cast<Millis>(NominalMillis(step));
}

}  // namespace

Millis MillisOf(double seconds) {
  if (std::isnan(seconds)) return 0;
  return Clamp(static_cast<Millis>(std::llround(std::clamp(seconds, -1e14, 1e14) * 1000)));
}

// ---------------------------------------------------------------- ticks

namespace {

// Whole multiples of a step below a day in local time, one stretch of constant offset after another.
void ClockTicks(Millis lo, Millis hi, Millis step, const TimeZone& zone, size_t limit,
                std::vector<Millis>& out) {
  for (Millis t = lo; t <= hi && out.size() < limit;) {
    const TimeZone::Period p = zone.PeriodAt(t);
    const Millis end = std::min(p.End - 1, hi);
    for (Millis k = CeilDiv(t + p.Offset, step) * step - p.Offset; k <= end && out.size() < limit; k += step)
      out.push_back(k);
    if (p.End <= t) break;
    t = p.End;
  }
}

// Local midnights of the days whose number `keep` accepts, from the day before lo to the day after hi.
template <class Keep>
void DayTicks(Millis lo, Millis hi, const TimeZone& zone, size_t limit, Keep keep, std::vector<Millis>& out) {
  const int64_t first = FloorDiv(zone.ToLocal(lo), kMillisPerDay) - 1;
  const int64_t last = FloorDiv(zone.ToLocal(hi), kMillisPerDay) + 1;
  for (int64_t d = first; d <= last && out.size() < limit; ++d) {
    if (!keep(d)) continue;
    const Millis t = zone.FirstInstantOf(d * kMillisPerDay);
    if (lo <= t && t <= hi) out.push_back(t);
  }
}

}  // namespace

std::vector<Millis> CalendarTicks(Millis lo, Millis hi, TimeStep step, const TimeZone& zone, size_t limit) {
  std::vector<Millis> out;
  lo = Clamp(lo);
  hi = Clamp(hi);
  if (hi < lo || step.Count <= 0) return out;
  const int64_t n = step.Count;
  switch (step.Unit) {
    case TimeUnit::Millisecond:
    case TimeUnit::Second:
    case TimeUnit::Minute:
    case TimeUnit::Hour:
      ClockTicks(lo, hi, StepMillis(step), zone, limit, out);
      break;
    case TimeUnit::Day:
      DayTicks(
          lo, hi, zone, limit, [&](int64_t d) { return (PartsOf(d * kMillisPerDay).Day - 1) % n == 0; }, out);
      break;
    case TimeUnit::Week: {
      constexpr int64_t kMonday = 4;  // 1970-01-05
      DayTicks(
          lo, hi, zone, limit, [&](int64_t d) { return (d - kMonday) % (7 * n) == 0; }, out);
      break;
    }
    case TimeUnit::Month:
    case TimeUnit::Year: {
      const LocalParts a = PartsOf(zone.ToLocal(lo) - kMillisPerDay),
                       b = PartsOf(zone.ToLocal(hi) + kMillisPerDay);
      const bool months = step.Unit == TimeUnit::Month;
      // Months counted from year 0; a year step walks the multiples of its count.
      int64_t m = months ? int64_t{a.Year} * 12 + (a.Month - 1) : CeilDiv(a.Year, n) * n * 12;
      const int64_t stepMonths = months ? 1 : n * 12;
      for (; m <= int64_t{b.Year} * 12 + (b.Month - 1) && out.size() < limit; m += stepMonths) {
        const int year = static_cast<int>(FloorDiv(m, 12));
        const unsigned month = static_cast<unsigned>(m - int64_t{year} * 12) + 1;
        if (months && (month - 1) % n != 0) continue;
        const Millis t = zone.FirstInstantOf(DayNumber(year, month, 1) * kMillisPerDay);
        if (lo <= t && t <= hi) out.push_back(t);
      }
      break;
    }
  }
  return out;
}

void RoundOutToTicks(Millis& lo, Millis& hi, TimeStep step, const TimeZone& zone) {
  // Two steps hold a tick whatever the calendar and the clock changes do.
  const Millis margin = static_cast<Millis>(2 * NominalMillis(step));
  const std::vector<Millis> below = CalendarTicks(lo - margin, lo, step, zone, 100);
  const std::vector<Millis> above = CalendarTicks(hi, hi + margin, step, zone, 1);
  if (!below.empty()) lo = below.back();
  if (!above.empty()) hi = above.front();
}

// ---------------------------------------------------------------- labels

namespace {

constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string Printed(const char* format, auto... values) {
  char text[64];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

std::string DateText(const LocalParts& p) {
  return Printed("%04d-%02u-%02u", p.Year, p.Month, p.Day);
}

std::string ClockText(Millis ofDay, bool seconds) {
  const int64_t s = ofDay / kSecond;
  return seconds ? Printed("%02d:%02d:%02d", int(s / 3600), int(s / 60 % 60), int(s % 60))
                 : Printed("%02d:%02d", int(s / 3600), int(s / 60 % 60));
}

// Seconds with the decimals a step of milliseconds needs: "05.25".
std::string SecondsText(Millis ofDay, int64_t stepMillis) {
  const int digits = stepMillis >= 100 ? 1 : stepMillis >= 10 ? 2 : 3;
  const int64_t ms = ofDay % kSecond;
  const int64_t fraction = digits == 1 ? ms / 100 : digits == 2 ? ms / 10 : ms;
  return Printed("%02d.%0*d", int(ofDay / kSecond % 60), digits, int(fraction));
}

// The part of the calendar above the step whose change a label announces: the date for steps below a
// day, the month for days and weeks, the year for months.
int64_t ContextOf(const LocalParts& p, TimeUnit unit) {
  switch (unit) {
    case TimeUnit::Day:
    case TimeUnit::Week:
      return int64_t{p.Year} * 12 + p.Month;
    case TimeUnit::Month:
      return p.Year;
    case TimeUnit::Year:
      return 0;
    default:
      return p.Day0;
  }
}

std::string RegularLabel(const LocalParts& p, TimeStep step) {
  switch (step.Unit) {
    case TimeUnit::Millisecond:
      return p.OfDay % kMinute == 0 ? ClockText(p.OfDay, false) : SecondsText(p.OfDay, step.Count);
    case TimeUnit::Second:
      return ClockText(p.OfDay, true);
    case TimeUnit::Minute:
    case TimeUnit::Hour:
      return ClockText(p.OfDay, false);
    case TimeUnit::Day:
    case TimeUnit::Week:
      return std::to_string(p.Day);
    case TimeUnit::Month:
      return kMonthNames[p.Month - 1];
    case TimeUnit::Year:
      return std::to_string(p.Year);
  }
  return "";
}

std::string ContextLabel(const LocalParts& p, TimeStep step) {
  switch (step.Unit) {
    case TimeUnit::Millisecond:
      return DateText(p) + " " + ClockText(p.OfDay, true) + SecondsText(p.OfDay, step.Count).substr(2);
    case TimeUnit::Second:
    case TimeUnit::Minute:
    case TimeUnit::Hour:
      return p.OfDay == 0 ? DateText(p)
                          : DateText(p) + " " + ClockText(p.OfDay, step.Unit == TimeUnit::Second);
    case TimeUnit::Day:
    case TimeUnit::Week:
      return DateText(p);
    case TimeUnit::Month:
      return std::string(kMonthNames[p.Month - 1]) + " " + std::to_string(p.Year);
    case TimeUnit::Year:
      return std::to_string(p.Year);
  }
  return "";
}

}  // namespace

std::vector<bool> ContextLabels(const std::vector<Millis>& ticks, TimeStep step, const TimeZone& zone) {
  std::vector<bool> context(ticks.size());
  int64_t previous = 0;
  for (size_t i = 0; i < ticks.size(); ++i) {
    const int64_t c = ContextOf(PartsOf(zone.ToLocal(ticks[i])), step.Unit);
    context[i] = step.Unit != TimeUnit::Year && (i == 0 || c != previous);
    previous = c;
  }
  return context;
}

std::vector<std::string> ConciseTimeLabels(const std::vector<Millis>& ticks, TimeStep step,
                                           const TimeZone& zone) {
  const std::vector<bool> context = ContextLabels(ticks, step, zone);
  std::vector<std::string> labels;
  labels.reserve(ticks.size());
  for (size_t i = 0; i < ticks.size(); ++i) {
    const LocalParts p = PartsOf(zone.ToLocal(ticks[i]));
    labels.push_back(context[i] ? ContextLabel(p, step) : RegularLabel(p, step));
  }
  return labels;
}

std::string FormatTime(Millis instant, std::string_view format, const TimeZone& zone, bool millis) {
  const TimeZone::Period p = zone.PeriodAt(instant);
  const date::local_time<std::chrono::milliseconds> local{std::chrono::milliseconds(instant + p.Offset)};
  const std::chrono::seconds offset(p.Offset / kSecond);
  const std::string fmt(format);
  std::ostringstream out;
  if (millis) {
    date::to_stream(out, fmt.c_str(), local, &p.Abbreviation, &offset);
  } else {
    date::to_stream(out, fmt.c_str(), date::floor<std::chrono::seconds>(local), &p.Abbreviation, &offset);
  }
  return out.str();
}

std::string ReadOutTime(Millis instant, const TimeZone& zone, bool millis) {
  return FormatTime(instant, "%Y-%m-%d %H:%M:%S %Z", zone, millis);
}

// ---------------------------------------------------------------- choosing the step

namespace {

// Ticks beyond this count are never drawn: more would be closer than any page shows apart.
constexpr size_t kMaxTimeTicks = 2000;

std::vector<std::string> LabelsOf(const std::vector<Millis>& ticks, TimeStep step, const TimeZone& zone,
                                  const std::string& format) {
  std::vector<std::string> labels;
  labels.reserve(ticks.size());
  const bool millis = step.Unit == TimeUnit::Millisecond;
  for (const Millis t : ticks)
    labels.push_back(format.empty() ? RegularLabel(PartsOf(zone.ToLocal(t)), step)
                                    : FormatTime(t, format, zone, millis));
  return labels;
}

}  // namespace

TimeTicks ChooseTimeTicks(Millis lo, Millis hi, const TimeZone& zone, const std::string& format,
                          double maxTicks, const TimeLabelsFit& fits) {
  TimeTicks result;
  if (hi < lo) std::swap(lo, hi);
  const double span = static_cast<double>(hi - lo);
  maxTicks = std::clamp(std::isnan(maxTicks) ? 1.0 : maxTicks, 1.0, static_cast<double>(kMaxTimeTicks));
  for (TimeStep step = kFinestTimeStep;; step = NextTimeStep(step)) {
    if (span / NominalMillis(step) > maxTicks) continue;
    std::vector<Millis> ticks = CalendarTicks(lo, hi, step, zone, kMaxTimeTicks);
    const bool last =
        NominalMillis(step) > span || NominalMillis(step) > static_cast<double>(kLatestTick - kEarliestTick);
    if (!last && !fits(ticks, LabelsOf(ticks, step, zone, format))) continue;
    result.Step = step;
    result.Labels =
        format.empty() ? ConciseTimeLabels(ticks, step, zone) : LabelsOf(ticks, step, zone, format);
    result.Context = format.empty() ? ContextLabels(ticks, step, zone) : std::vector<bool>(ticks.size());
    result.Majors = std::move(ticks);
    break;
  }
  const TimeStep minor = MinorStepOf(result.Step);
  if (minor.Count > 0) {
    for (const Millis t : CalendarTicks(lo, hi, minor, zone, kMaxTimeTicks))
      if (!std::binary_search(result.Majors.begin(), result.Majors.end(), t)) result.Minors.push_back(t);
  }
  return result;
}

}  // namespace plotara
