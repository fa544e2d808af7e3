// Time fields as any source of points gives them (a data file's cell, a database's text): the forms of
// ISO 8601 people and loggers write, Unix seconds and milliseconds, and a format of the script's.
#include <gtest/gtest.h>

#include <cmath>

#include "hosts/cli/TimeField.h"

namespace plotara {
namespace {

TEST(TimeField, ReadsEachFormToTheMillisecond) {
  struct Row {
    const char* text;
    const char* format;
    const char* zone;
    double seconds;  // since 1970 UTC
  } rows[] = {
      {"2026-01-01", "", "", 1767225600},
      {"2026-01-01t06:30z", "", "", 1767249000},
      {"2026-01-01T06:30:15,250", "", "", 1767249015.25},
      {"2026-01-01T06:30:15.001+05", "", "", 1767249015.001 - 5 * 3600},
      {"2026-01-01T06:30-0330", "", "", 1767249000 + 3.5 * 3600},
      {"20260101T063015.25+0100", "", "", 1767249015.25 - 3600},  // the basic form
      {"20260101T0630", "", "", 1767249000},
      {"2016-12-31T23:59:60Z", "", "", 1483228800},  // a leap second is the next minute's start
      {"1969-12-31T23:59:59.5Z", "", "", -0.5},
      {"2026-01-01", "", "America/New_York", 1767225600 + 5 * 3600},
      {"2026-11-01 01:30", "", "America/New_York", 1793511000},  // the fold: the first, still EDT
      {"2026-03-08 02:30", "", "America/New_York", 1772953200},  // the gap: its end, 03:00 EDT
      {"1767225600.5", "", "", 1767225600.5},
      {"1767225600.5", "s", "", 1767225600.5},
      {"1767225600123", "ms", "", 1767225600.123},
      {"2026-01-01T00:00Z", "ms", "", 1767225600},
      {"7/4/2026 9:05 PM", "%m/%d/%Y %I:%M %p", "", 1783199100},
      {"04 Jul 2026 21:05:00.250 -0400", "%d %b %Y %H:%M:%S %z", "Europe/Berlin", 1783213500.25},
  };
  for (const Row& row : rows) {
    TimeReading reading;
    reading.Format = row.format;
    reading.Zone = TimeZone(row.zone);
    double seconds = NAN;
    EXPECT_TRUE(ReadTimeField(row.text, reading, seconds)) << row.text;
    EXPECT_NEAR(seconds, row.seconds, 1e-4) << row.text;
  }
}

TEST(TimeField, RefusesWhatIsNoInstant) {
  struct Row {
    const char* text;
    const char* format;
  } rows[] = {
      {"", ""},
      {"2026-02-29", ""},
      {"2026-13-01", ""},
      {"26-01-01", ""},
      {"2026-01-01T24:00", ""},
      {"2026-01-01T10", ""},
      {"2026-01-01T10:00:61", ""},
      {"2026-01-01T10:00.5", ""},
      {"2026-01-01T10:00+24:00", ""},
      {"2026-01-01T10:00Z trailing", ""},
      {"20260101T10:00", ""},  // the basic date with the extended time
      {"2026-01-01T1000", ""},
      {"202601-01", ""},
      {"today", ""},
      {"2026-01-01", "%d.%m.%Y"},
      {"01.01.2026 10:00", "%d.%m.%Y"},
      {"1767225600", "%d.%m.%Y"},
  };
  for (const Row& row : rows) {
    TimeReading reading;
    reading.Format = row.format;
    double seconds = 0;
    EXPECT_FALSE(ReadTimeField(row.text, reading, seconds)) << row.text << " read as " << seconds;
  }
}

TEST(TimeField, NamesTheFormatsItTakes) {
  for (const char* good : {"", "s", "ms", "%s", "%Y%m%d"}) EXPECT_EQ(TimeFormatProblem(good), "") << good;
  for (const char* bad : {"S", "seconds", "dd.mm.yyyy"}) EXPECT_NE(TimeFormatProblem(bad), "") << bad;
}

}  // namespace
}  // namespace plotara
