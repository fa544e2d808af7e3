// Time zones for time axes: UTC, which needs nothing, or any zone of the IANA database by its name
// ("Europe/Berlin"), read through Howard Hinnant's date library from the system's /usr/share/zoneinfo
// (Debian's tzdata). Instants and local wall-clock times are counted in milliseconds since 1970; a local
// time is counted as if it were UTC.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace date {
class time_zone;
}

namespace plotara {

// Milliseconds since 1970-01-01 00:00 UTC.
using Millis = int64_t;
inline constexpr Millis kMillisPerDay = 86'400'000;

class TimeZone {
 public:
  TimeZone() = default;  // UTC
  // "" and "UTC" are UTC; any other name is looked up in the zone database. An unknown name (or a system
  // without the database) raises run-time error 5.
  explicit TimeZone(std::string_view name);

  // A stretch of time with one offset from UTC: [Begin, End), with its abbreviation ("CET", "EDT").
  struct Period {
    Millis Begin, End;
    Millis Offset;  // local time = instant + Offset
    std::string Abbreviation;
  };
  Period PeriodAt(Millis instant) const;

  Millis ToLocal(Millis instant) const { return instant + PeriodAt(instant).Offset; }
  // The first instant whose local time is `local`: the earlier of two in a fold; in a gap (a local time
  // the clocks skip) the instant the gap ends.
  Millis FirstInstantOf(Millis local) const;

 private:
  const date::time_zone* zone_ = nullptr;
};

// True when the name is one TimeZone takes.
bool IsKnownTimeZone(std::string_view name);

}  // namespace plotara
