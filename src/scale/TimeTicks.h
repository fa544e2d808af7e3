// Ticks and labels of a time axis: steps of the calendar (1, 2, 5 ... 500 ms; 1, 2, 5, 10, 15, 30 s and
// min; 1, 2, 3, 6, 12 h; 1 and 2 days; 1 and 2 weeks; 1, 3 and 6 months; 1, 2, 5, 10, 20, 50 ... years)
// aligned to the calendar of a time zone, the finest step whose labels fit, and labels that name only
// the part that changes from tick to tick.
//
// Instants are milliseconds since 1970 UTC (Millis). Steps below a day fall on whole multiples of the
// step in local time, so hourly ticks across a daylight-saving change stay an hour apart in real time
// and read 01:00, 03:00 in spring and 02:00, 02:00 in autumn; longer steps fall on local midnights.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scale/TimeZone.h"

namespace plotara {

enum class TimeUnit : uint8_t { Millisecond, Second, Minute, Hour, Day, Week, Month, Year };

struct TimeStep {
  TimeUnit Unit = TimeUnit::Millisecond;
  int64_t Count = 1;  // 0: no step (a major step without minor ticks)
  bool operator==(const TimeStep&) const = default;
};

inline constexpr TimeStep kFinestTimeStep{TimeUnit::Millisecond, 1};

// The next coarser step.
TimeStep NextTimeStep(TimeStep step);
// The step's length in milliseconds, a month taken as 30.44 days and a year as 365.25.
double NominalMillis(TimeStep step);
// The step of the minor ticks between major ticks of `step`; Count 0 where there are none.
TimeStep MinorStepOf(TimeStep step);

// The instants of the years 0 to 9999, the range the calendar covers; ticks lie only there.
inline constexpr Millis kEarliestTick = -62'167'219'200'000;  // 0000-01-01
inline constexpr Millis kLatestTick = 253'402'300'799'999;    // 9999-12-31 23:59:59.999

// The ticks of `step` within [lo, hi], ascending, at most `limit` of them: multiples of the step in
// local time below a day; local midnights for days (every day, or the 1st, 3rd, 5th ... of a month),
// weeks (Mondays; for 2 weeks those of even weeks since 1970-01-05), months (the 1st of January and of
// every 3rd or 6th month after it) and years (the 1st of January of the years divisible by the count).
std::vector<Millis> CalendarTicks(Millis lo, Millis hi, TimeStep step, const TimeZone& zone, size_t limit);

// Concise labels of ticks of `step`: only what changes from one tick to the next ("Feb", "06:00",
// "15"), and the full date ("2026-03-02", with the time when not at midnight; "Jan 2027" for months)
// at the first tick and wherever the date (for days: the month; for months: the year) changes. Ticks of
// milliseconds read "05.25" (seconds and the digits the step needs) and "12:01" at a whole minute.
std::vector<std::string> ConciseTimeLabels(const std::vector<Millis>& ticks, TimeStep step,
                                           const TimeZone& zone);
// Which of the concise labels carry the full date: they are kept when labels would overlap.
std::vector<bool> ContextLabels(const std::vector<Millis>& ticks, TimeStep step, const TimeZone& zone);

// An instant in local time through a strftime-style format (%Y %m %d %H %M %S %b %a %j %Z %z ...), with
// seconds to the millisecond when `millis` ("05.250"). A format the library cannot write gives the text
// written so far.
std::string FormatTime(Millis instant, std::string_view format, const TimeZone& zone, bool millis);

// The instant as the coordinate read-out shows it: "2026-03-02 14:05:09 CET", with milliseconds when
// `millis`.
std::string ReadOutTime(Millis instant, const TimeZone& zone, bool millis);

// The ticks of a time axis: the major ticks with their labels and the minor ticks between them.
struct TimeTicks {
  TimeStep Step;
  std::vector<Millis> Majors;
  std::vector<std::string> Labels;
  std::vector<bool> Context;  // the label carries the full date
  std::vector<Millis> Minors;
};

// Whether labels at these ticks can be read: the caller measures them on the page.
using TimeLabelsFit =
    std::function<bool(const std::vector<Millis>& ticks, const std::vector<std::string>& labels)>;

// The ticks of the finest step whose labels fit (measured with the regular label of every tick, or the
// explicit format when it is not empty), considering only steps with at most maxTicks ticks in [lo, hi].
TimeTicks ChooseTimeTicks(Millis lo, Millis hi, const TimeZone& zone, const std::string& format,
                          double maxTicks, const TimeLabelsFit& fits);

// The range widened to ticks of `step`: the last tick at or before lo and the first at or after hi.
void RoundOutToTicks(Millis& lo, Millis& hi, TimeStep step, const TimeZone& zone);

// Seconds (a double, as axes hold them) to milliseconds and back; values beyond the calendar are held
// at its ends.
Millis MillisOf(double seconds);
inline double SecondsOf(Millis m) {
  return static_cast<double>(m) / 1000;
}

}  // namespace plotara
