// Instants in data files and other sources of points, as seconds since 1970-01-01 UTC (the values of a
// time axis): ISO 8601 dates and date-times with or without a zone offset, Unix seconds or milliseconds,
// or texts in a format the script gives. ReadTimeField is the one entry for a source's time field.
#pragma once

#include <string>
#include <string_view>

#include "scale/TimeZone.h"

namespace plotara {

// How the Data statement reads times.
struct TimeReading {
  // "" : ISO 8601 texts in any column, numbers as they are (Unix seconds are numbers already);
  // "ms": the X column holds Unix milliseconds; "s": Unix seconds;
  // otherwise a strftime-style format of the X column's texts ("%d.%m.%Y %H:%M").
  std::string Format;
  TimeZone Zone;  // where a text without an offset was written

  bool Milliseconds() const { return Format == "ms"; }
  bool Formatted() const { return !Format.empty() && Format != "ms" && Format != "s"; }
};

// "" when format is one TimeReading takes ("", "s", "ms", or a format with at least one % field), else
// the problem, for the user.
std::string TimeFormatProblem(const std::string& format);

// A time field's text as reading says: a text of its format, or else a number (Unix seconds, or
// milliseconds made seconds) or an ISO 8601 text. False for anything else, the empty text included.
bool ReadTimeField(std::string_view text, const TimeReading& reading, double& seconds);

// An ISO 8601 date or date-time: YYYY-MM-DD, then T (or a blank) and hh:mm, hh:mm:ss or hh:mm:ss.fff,
// then Z or an offset +hh:mm, +hhmm or +hh (or -); or the same in the basic form, YYYYMMDDThhmmss.fffZ.
// Without an offset the text is a local time of zone: the earlier instant where the clocks went back, the end
// of the gap where they went forward. False for anything else, also for dates the calendar has not
// (2026-02-29) and times past 23:59:60.
bool ReadIsoTime(std::string_view text, const TimeZone& zone, double& seconds);

// A text in a strftime-style format (%Y %m %d %H %M %S %b %z ..., seconds with a fraction), whole; a local
// time of zone unless the format reads an offset (%z).
bool ReadFormattedTime(std::string_view text, const std::string& format, const TimeZone& zone,
                       double& seconds);

}  // namespace plotara
