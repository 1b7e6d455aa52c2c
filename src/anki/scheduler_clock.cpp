#include "anki/scheduler_clock.h"

#include <algorithm>

namespace SchedulerClock {

namespace {

constexpr qint64 kDay = 86400;

// Division rounding toward zero, as the program's own arithmetic does.
qint64 days(qint64 seconds) { return seconds / kDay; }

}  // namespace

qint64 today(const SchedulerSettings& s, const QDateTime& now) {
  const qint64 nowSecs = now.toSecsSinceEpoch();
  const int rollover = std::clamp(s.rollover, 0, 23);
  if (s.version < 2) return std::max<qint64>(0, days(nowSecs - s.created));
  const int offsetNow = now.offsetFromUtc();
  if (!s.creationOffsetMinutes) {
    const QDateTime created = QDateTime::fromSecsSinceEpoch(s.created, Qt::OffsetFromUTC, offsetNow);
    const QDateTime atRollover(created.date(), QTime(rollover, 0), Qt::OffsetFromUTC, offsetNow);
    return std::max<qint64>(0, days(nowSecs - atRollover.toSecsSinceEpoch()));
  }
  const QDateTime created = QDateTime::fromSecsSinceEpoch(s.created, Qt::OffsetFromUTC, -*s.creationOffsetMinutes * 60);
  const QDateTime local = QDateTime::fromSecsSinceEpoch(nowSecs, Qt::OffsetFromUTC, offsetNow);
  const qint64 calendarDays = created.date().daysTo(local.date());
  return std::max<qint64>(0, local.time().hour() >= rollover ? calendarDays : calendarDays - 1);
}

}  // namespace SchedulerClock
