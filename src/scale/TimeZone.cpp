#include "scale/TimeZone.h"

#include <date/tz.h>

#include <algorithm>
#include <chrono>
#include <exception>

#include "platform/RuntimeError.h"

namespace plotara {

namespace {

using Seconds = std::chrono::seconds;

// The database marks the ends of its first and last periods with the extremes of its clock, which no
// count of milliseconds holds; a few million years either way stand in for them.
constexpr int64_t kFarSeconds = 100'000'000'000'000;

Millis ToMillis(date::sys_seconds t) {
  return std::clamp<int64_t>(t.time_since_epoch().count(), -kFarSeconds, kFarSeconds) * 1000;
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

bool IsUtcName(std::string_view name) {
  return name.empty() || name == "UTC";
}

}  // namespace

TimeZone::TimeZone(std::string_view name) {
  if (IsUtcName(name)) return;
  try {
    zone_ = date::locate_zone(name);
  } catch (const std::exception&) {
    Raise(err::InvalidProcedureCall);  // no such zone, or no zone database on this system
  }
}

TimeZone::Period TimeZone::PeriodAt(Millis instant) const {
  constexpr Millis kFar = kFarSeconds * 1000;
  if (!zone_) return {-kFar, kFar, 0, "UTC"};
  const date::sys_seconds t{Seconds(FloorDiv(std::clamp(instant, -kFar, kFar), 1000))};
  const date::sys_info info = zone_->get_info(t);
  return {ToMillis(info.begin), ToMillis(info.end), info.offset.count() * Millis{1000}, info.abbrev};
}

Millis TimeZone::FirstInstantOf(Millis local) const {
  if (!zone_) return local;
  const Millis whole = FloorDiv(local, 1000) * 1000;
  const date::local_info info = zone_->get_info(date::local_seconds{Seconds(whole / 1000)});
  if (info.result == date::local_info::nonexistent) return ToMillis(info.first.end);
  return local - info.first.offset.count() * Millis{1000};
}

bool IsKnownTimeZone(std::string_view name) {
  if (IsUtcName(name)) return true;
  try {
    date::locate_zone(name);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace plotara
