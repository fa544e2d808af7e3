// Calendar ticks and their labels: which step a range gets on an axis of a given width, where its ticks
// fall (also across daylight-saving changes), how they read, and the text of explicit formats.
#include <gtest/gtest.h>

#include <date/date.h>

#include <string>
#include <vector>

#include "scale/TimeTicks.h"

namespace plotara {
namespace {

// An instant from its UTC calendar date and time of day.
Millis Utc(int y, unsigned mo, unsigned d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  const auto day = date::sys_days{date::year{y} / date::month{mo} / date::day{d}};
  return day.time_since_epoch().count() * kMillisPerDay + ((h * 60 + mi) * 60 + s) * Millis{1000} + ms;
}

// An axis `width` characters wide in a font whose characters are all alike: labels fit when each takes
// its length and two more.
TimeLabelsFit Width(size_t width) {
  return [width](const std::vector<Millis>&, const std::vector<std::string>& labels) {
    size_t widest = 0;
    for (const std::string& l : labels) widest = std::max(widest, l.size());
    return labels.size() * (widest + 2) <= width;
  };
}

std::string Joined(const std::vector<std::string>& labels) {
  std::string all;
  for (const std::string& l : labels) all += (all.empty() ? "" : " | ") + l;
  return all;
}

TEST(TimeTicks, RangesGetTheFinestStepThatFitsAndConciseLabels) {
  using U = TimeUnit;
  const struct {
    const char* name;
    Millis lo, hi;
    const char* zone;
    size_t width;
    TimeStep step;
    const char* labels;
  } rows[] = {
      {"a minute",
       Utc(2026, 3, 2, 12, 0),
       Utc(2026, 3, 2, 12, 1),
       "UTC",
       100,
       {U::Second, 10},
       "2026-03-02 12:00:00 | 12:00:10 | 12:00:20 | 12:00:30 | 12:00:40 | 12:00:50 | 12:01:00"},
      {"an hour",
       Utc(2026, 3, 2, 12, 0),
       Utc(2026, 3, 2, 13, 0),
       "UTC",
       100,
       {U::Minute, 5},
       "2026-03-02 12:00 | 12:05 | 12:10 | 12:15 | 12:20 | 12:25 | 12:30 | 12:35 | 12:40 | 12:45 | 12:50 | "
       "12:55 | 13:00"},
      {"three days",
       Utc(2026, 3, 2),
       Utc(2026, 3, 5),
       "UTC",
       100,
       {U::Hour, 6},
       "2026-03-02 | 06:00 | 12:00 | 18:00 | 2026-03-03 | 06:00 | 12:00 | 18:00 | 2026-03-04 | 06:00 | 12:00 "
       "| "
       "18:00 | 2026-03-05"},
      {"six weeks",
       Utc(2026, 3, 2),
       Utc(2026, 4, 13),
       "UTC",
       60,
       {U::Week, 1},
       "2026-03-02 | 9 | 16 | 23 | 30 | 2026-04-06 | 13"},
      {"a leap February",
       Utc(2028, 2, 1),
       Utc(2028, 3, 1),
       "UTC",
       140,
       {U::Day, 1},
       "2028-02-01 | 2 | 3 | 4 | 5 | 6 | 7 | 8 | 9 | 10 | 11 | 12 | 13 | 14 | 15 | 16 | 17 | 18 | 19 | 20 | "
       "21 | "
       "22 | 23 | 24 | 25 | 26 | 27 | 28 | 29 | 2028-03-01"},
      {"a week across New Year",
       Utc(2026, 12, 28),
       Utc(2027, 1, 4),
       "UTC",
       100,
       {U::Day, 1},
       "2026-12-28 | 29 | 30 | 31 | 2027-01-01 | 2 | 3 | 4"},
      {"a year",
       Utc(2026, 1, 1),
       Utc(2027, 1, 1),
       "UTC",
       40,
       {U::Month, 3},
       "Jan 2026 | Apr | Jul | Oct | Jan 2027"},
      {"ten years",
       Utc(2016, 1, 1),
       Utc(2026, 1, 1),
       "UTC",
       100,
       {U::Year, 1},
       "2016 | 2017 | 2018 | 2019 | 2020 | 2021 | 2022 | 2023 | 2024 | 2025 | 2026"},
      {"a century",
       Utc(1950, 6, 1),
       Utc(2050, 6, 1),
       "UTC",
       100,
       {U::Year, 10},
       "1960 | 1970 | 1980 | 1990 | 2000 | 2010 | 2020 | 2030 | 2040 | 2050"},
      {"half a second",
       Utc(2026, 3, 2, 12, 0, 0),
       Utc(2026, 3, 2, 12, 0, 0, 500),
       "UTC",
       80,
       {U::Millisecond, 50},
       "2026-03-02 12:00:00.00 | 00.05 | 00.10 | 00.15 | 00.20 | 00.25 | 00.30 | 00.35 | "
       "00.40 | 00.45 | 00.50"},
      {"milliseconds over a whole minute",
       Utc(2026, 3, 2, 12, 0, 59, 980),
       Utc(2026, 3, 2, 12, 1, 0, 20),
       "UTC",
       60,
       {U::Millisecond, 10},
       "2026-03-02 12:00:59.98 | 59.99 | 12:01 | 00.01 | 00.02"},
      // The night the clocks go forward in Berlin (02:00 CET becomes 03:00 CEST): no 02:00 or 02:30.
      {"spring night in Berlin",
       Utc(2026, 3, 28, 23),
       Utc(2026, 3, 29, 3),
       "Europe/Berlin",
       100,
       {U::Minute, 30},
       "2026-03-29 | 00:30 | 01:00 | 01:30 | 03:00 | 03:30 | 04:00 | 04:30 | 05:00"},
      // The night they go back (03:00 CEST becomes 02:00 CET): hourly ticks stay an hour apart, and two read
      // 02:00.
      {"autumn night in Berlin",
       Utc(2026, 10, 24, 22),
       Utc(2026, 10, 25, 3),
       "Europe/Berlin",
       50,
       {U::Hour, 1},
       "2026-10-25 | 01:00 | 02:00 | 02:00 | 03:00 | 04:00"},
      {"spring night in New York",
       Utc(2026, 3, 8, 5),
       Utc(2026, 3, 8, 10),
       "America/New_York",
       50,
       {U::Hour, 1},
       "2026-03-08 | 01:00 | 03:00 | 04:00 | 05:00 | 06:00"},
      {"autumn night in New York",
       Utc(2026, 11, 1, 4),
       Utc(2026, 11, 1, 8),
       "America/New_York",
       50,
       {U::Hour, 1},
       "2026-11-01 | 01:00 | 01:00 | 02:00 | 03:00"},
      // Three days in New York start at local midnight, 05:00 UTC.
      {"three days in New York",
       Utc(2026, 3, 2, 5),
       Utc(2026, 3, 5, 5),
       "America/New_York",
       100,
       {U::Hour, 6},
       "2026-03-02 | 06:00 | 12:00 | 18:00 | 2026-03-03 | 06:00 | 12:00 | 18:00 | 2026-03-04 | 06:00 | 12:00 "
       "| "
       "18:00 | 2026-03-05"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const TimeZone zone(r.zone);
    const TimeTicks t = ChooseTimeTicks(r.lo, r.hi, zone, "", 1000, Width(r.width));
    EXPECT_EQ(t.Step, r.step);
    EXPECT_EQ(Joined(t.Labels), r.labels);
    for (const Millis m : t.Majors) {
      EXPECT_GE(m, r.lo);
      EXPECT_LE(m, r.hi);
    }
  }
}

// Steps below an hour are as long in real time on the night a zone's clocks change as on any other;
// ticks whole days and more apart fall on local midnights, which a zone that changes its clocks at
// midnight skips: the day then starts when the gap ends.
TEST(TimeTicks, ClockStepsKeepRealTimeAndDaysStartAtLocalMidnight) {
  const TimeZone berlin("Europe/Berlin");
  const std::vector<Millis> quarters =
      CalendarTicks(Utc(2026, 10, 24, 23), Utc(2026, 10, 25, 2), {TimeUnit::Minute, 15}, berlin, 100);
  ASSERT_EQ(quarters.size(), 13u);
  for (size_t i = 1; i < quarters.size(); ++i) EXPECT_EQ(quarters[i] - quarters[i - 1], 15 * 60'000);

  const std::vector<Millis> days =
      CalendarTicks(Utc(2026, 3, 27), Utc(2026, 3, 31), {TimeUnit::Day, 1}, berlin, 100);
  EXPECT_EQ(days, (std::vector<Millis>{Utc(2026, 3, 27, 23), Utc(2026, 3, 28, 23), Utc(2026, 3, 29, 22),
                                       Utc(2026, 3, 30, 22)}));

  // Santiago's clocks went from 00:00 to 01:00 on 2022-09-11 (UTC-4 to UTC-3): that day starts at 01:00.
  const TimeZone santiago("America/Santiago");
  const std::vector<Millis> gap =
      CalendarTicks(Utc(2022, 9, 10), Utc(2022, 9, 12, 12), {TimeUnit::Day, 1}, santiago, 100);
  EXPECT_EQ(gap, (std::vector<Millis>{Utc(2022, 9, 10, 4), Utc(2022, 9, 11, 4), Utc(2022, 9, 12, 3)}));
}

TEST(TimeTicks, LongStepsFallOnTheirCalendarPlaces) {
  using U = TimeUnit;
  const TimeZone utc;
  const struct {
    TimeStep step;
    Millis lo, hi;
    std::vector<Millis> ticks;
  } rows[] = {
      // Every second day of the month: the 31st and the 1st both start one.
      {{U::Day, 2},
       Utc(2026, 1, 27),
       Utc(2026, 2, 4),
       {Utc(2026, 1, 27), Utc(2026, 1, 29), Utc(2026, 1, 31), Utc(2026, 2, 1), Utc(2026, 2, 3)}},
      // Mondays; every other one counted from 1970-01-05.
      {{U::Week, 1},
       Utc(2026, 1, 1),
       Utc(2026, 1, 20),
       {Utc(2026, 1, 5), Utc(2026, 1, 12), Utc(2026, 1, 19)}},
      {{U::Week, 2}, Utc(2026, 1, 1), Utc(2026, 2, 1), {Utc(2026, 1, 5), Utc(2026, 1, 19)}},
      {{U::Month, 6}, Utc(2025, 2, 1), Utc(2026, 8, 1), {Utc(2025, 7, 1), Utc(2026, 1, 1), Utc(2026, 7, 1)}},
      {{U::Year, 5}, Utc(1998, 1, 1), Utc(2011, 1, 1), {Utc(2000, 1, 1), Utc(2005, 1, 1), Utc(2010, 1, 1)}},
      // Before 1970, too.
      {{U::Year, 20}, Utc(1899, 1, 1), Utc(1945, 1, 1), {Utc(1900, 1, 1), Utc(1920, 1, 1), Utc(1940, 1, 1)}},
      {{U::Hour, 1},
       Utc(1969, 12, 31, 22, 30),
       Utc(1970, 1, 1, 1),
       {Utc(1969, 12, 31, 23), Utc(1970, 1, 1), Utc(1970, 1, 1, 1)}},
  };
  for (const auto& r : rows) EXPECT_EQ(CalendarTicks(r.lo, r.hi, r.step, utc, 100), r.ticks);
}

// An automatic time axis widens its data range to ticks of its step; ends on a tick stay.
TEST(TimeTicks, RangesRoundOutToTicks) {
  using U = TimeUnit;
  const struct {
    TimeStep step;
    Millis lo, hi;
    const char* zone;
    Millis roundLo, roundHi;
  } rows[] = {
      {{U::Millisecond, 50},
       Utc(2026, 3, 29, 1, 0, 0, 13),
       Utc(2026, 3, 29, 1, 0, 0, 187),
       "UTC",
       Utc(2026, 3, 29, 1),
       Utc(2026, 3, 29, 1, 0, 0, 200)},
      {{U::Hour, 6}, Utc(2026, 3, 2, 1, 30), Utc(2026, 3, 4, 20), "UTC", Utc(2026, 3, 2), Utc(2026, 3, 5)},
      // Berlin's Sunday of the clock change starts at 23:00 UTC (CET), the Monday at 22:00 UTC (CEST).
      {{U::Hour, 6},
       Utc(2026, 3, 29, 2),
       Utc(2026, 3, 29, 21),
       "Europe/Berlin",
       Utc(2026, 3, 28, 23),
       Utc(2026, 3, 29, 22)},
      {{U::Month, 3}, Utc(2026, 2, 10), Utc(2026, 11, 20), "UTC", Utc(2026, 1, 1), Utc(2027, 1, 1)},
      {{U::Year, 10}, Utc(1971, 5, 1), Utc(1990, 1, 1), "UTC", Utc(1970, 1, 1), Utc(1990, 1, 1)},
  };
  for (const auto& r : rows) {
    Millis lo = r.lo, hi = r.hi;
    RoundOutToTicks(lo, hi, r.step, TimeZone(r.zone));
    EXPECT_EQ(lo, r.roundLo) << r.lo;
    EXPECT_EQ(hi, r.roundHi) << r.hi;
  }
}

// Every step of the calendar, in order, and each is the one chosen where it is the finest whose six ticks
// fit: over five and a half steps from one of its ticks, with room for six labels.
TEST(TimeTicks, EveryStepIsChosenWhereItIsTheFinestThatFits) {
  using U = TimeUnit;
  const std::vector<TimeStep> steps = {
      {U::Millisecond, 1},   {U::Millisecond, 2},  {U::Millisecond, 5},   {U::Millisecond, 10},
      {U::Millisecond, 20},  {U::Millisecond, 50}, {U::Millisecond, 100}, {U::Millisecond, 200},
      {U::Millisecond, 500}, {U::Second, 1},       {U::Second, 2},        {U::Second, 5},
      {U::Second, 10},       {U::Second, 15},      {U::Second, 30},       {U::Minute, 1},
      {U::Minute, 2},        {U::Minute, 5},       {U::Minute, 10},       {U::Minute, 15},
      {U::Minute, 30},       {U::Hour, 1},         {U::Hour, 2},          {U::Hour, 3},
      {U::Hour, 6},          {U::Hour, 12},        {U::Day, 1},           {U::Day, 2},
      {U::Week, 1},          {U::Week, 2},         {U::Month, 1},         {U::Month, 3},
      {U::Month, 6},         {U::Year, 1},         {U::Year, 2},          {U::Year, 5},
      {U::Year, 10},         {U::Year, 20},        {U::Year, 50},         {U::Year, 100},
      {U::Year, 200},        {U::Year, 500},       {U::Year, 1000}};
  const auto sixLabels = [](const std::vector<Millis>&, const std::vector<std::string>& labels) {
    return labels.size() <= 6;
  };
  const TimeZone utc;
  TimeStep step = kFinestTimeStep;
  for (const TimeStep& expected : steps) {
    SCOPED_TRACE(std::to_string(static_cast<int>(expected.Unit)) + " x " + std::to_string(expected.Count));
    EXPECT_EQ(step, expected);
    step = NextTimeStep(step);
    const Millis lo = CalendarTicks(Utc(2000, 1, 1, 0, 0, 0, 1), kLatestTick, expected, utc, 1)[0];
    const Millis hi = lo + static_cast<Millis>(5.5 * NominalMillis(expected));
    const TimeTicks t = ChooseTimeTicks(lo, hi, utc, "", 1000, sixLabels);
    EXPECT_EQ(t.Step, expected);
    EXPECT_EQ(t.Majors.size(), 6u);
  }
}

// Every step's minor ticks divide it, and the steps grow from a millisecond to millennia.
TEST(TimeTicks, MinorStepsDivideTheirStepAndStepsGrow) {
  const TimeZone utc;
  double previous = 0;
  for (TimeStep step = kFinestTimeStep; step.Unit != TimeUnit::Year || step.Count <= 1000;
       step = NextTimeStep(step)) {
    SCOPED_TRACE(std::to_string(static_cast<int>(step.Unit)) + " x " + std::to_string(step.Count));
    EXPECT_GT(NominalMillis(step), previous);
    previous = NominalMillis(step);
    const TimeStep minor = MinorStepOf(step);
    if (minor.Count == 0) continue;
    // Over a leap year and its neighbours, every major tick is also a minor one.
    const Millis lo = Utc(1999, 1, 1), hi = lo + static_cast<Millis>(3 * NominalMillis(step));
    const std::vector<Millis> majors = CalendarTicks(lo, hi, step, utc, 10000);
    const std::vector<Millis> minors = CalendarTicks(lo, hi, minor, utc, 100000);
    EXPECT_GT(minors.size(), majors.size());
    for (const Millis m : majors) EXPECT_TRUE(std::binary_search(minors.begin(), minors.end(), m)) << m;
  }
}

TEST(TimeTicks, ExplicitFormatsAndTheReadOut) {
  const TimeZone berlin("Europe/Berlin"), utc;
  const Millis t = Utc(2026, 7, 14, 10, 5, 9, 250);
  const struct {
    const char* format;
    const TimeZone& zone;
    bool millis;
    const char* text;
  } rows[] = {
      {"%Y-%m-%d %H:%M:%S", utc, false, "2026-07-14 10:05:09"},
      {"%H:%M:%S", utc, true, "10:05:09.250"},
      {"%d.%m.%Y %H:%M %Z", berlin, false, "14.07.2026 12:05 CEST"},
      {"%a %d %b %z", berlin, false, "Tue 14 Jul +0200"},
      {"%j", utc, false, "195"},
      {"week %V", utc, false, "week 29"},
      {"no fields", utc, false, "no fields"},
  };
  for (const auto& r : rows) EXPECT_EQ(FormatTime(t, r.format, r.zone, r.millis), r.text) << r.format;
  EXPECT_EQ(ReadOutTime(t, berlin, false), "2026-07-14 12:05:09 CEST");
  EXPECT_EQ(ReadOutTime(t, utc, true), "2026-07-14 10:05:09.250 UTC");
  EXPECT_EQ(ReadOutTime(Utc(1969, 12, 31, 23, 59, 59, 999), utc, true), "1969-12-31 23:59:59.999 UTC");
}

TEST(TimeTicks, AnExplicitFormatLabelsEveryTick) {
  const TimeZone utc;
  const TimeTicks t = ChooseTimeTicks(Utc(2026, 3, 2), Utc(2026, 3, 5), utc, "%a %H:%M", 1000, Width(100));
  EXPECT_EQ(t.Step, (TimeStep{TimeUnit::Hour, 12}));
  EXPECT_EQ(Joined(t.Labels),
            "Mon 00:00 | Mon 12:00 | Tue 00:00 | Tue 12:00 | Wed 00:00 | Wed 12:00 | Thu 00:00");
}

TEST(TimeTicks, UnknownZonesAreRefused) {
  EXPECT_TRUE(IsKnownTimeZone("UTC"));
  EXPECT_TRUE(IsKnownTimeZone(""));
  EXPECT_TRUE(IsKnownTimeZone("Asia/Kathmandu"));
  EXPECT_FALSE(IsKnownTimeZone("Mars/Olympus_Mons"));
  EXPECT_FALSE(IsKnownTimeZone("utc"));
}

// Ranges at the ends of what seconds can say: no endless loop, no overflow, ticks only in the calendar.
TEST(TimeTicks, ExtremeRangesStayBounded) {
  const TimeZone utc;
  const struct {
    double lo, hi;
  } rows[] = {{0, 0}, {-1e300, 1e300}, {1e15, 2e15}, {-5e12, -4e12}, {1.7e9, 1.7e9 + 1e-6}};
  for (const auto& r : rows) {
    const TimeTicks t = ChooseTimeTicks(MillisOf(r.lo), MillisOf(r.hi), utc, "", 1000, Width(100));
    EXPECT_LE(t.Majors.size(), 100u) << r.lo;
    for (const Millis m : t.Majors) {
      EXPECT_GE(m, kEarliestTick);
      EXPECT_LE(m, kLatestTick);
    }
  }
  EXPECT_EQ(MillisOf(std::nan("")), 0);
  EXPECT_EQ(MillisOf(1e300), kLatestTick);
}

}  // namespace
}  // namespace plotara
