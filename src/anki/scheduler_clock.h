#pragma once

#include <QDateTime>
#include <optional>

// The flashcard program's own clock: which day of the collection "today" is
// and until when a learning card counts as due, from the scheduler's
// settings kept in the collection.
struct SchedulerSettings {
  qint64 created = 0;                        // col.crt, seconds since the epoch
  int version = 1;                           // schedVer: 1 or 2 (2 also for the newer scheduler)
  int rollover = 4;                          // the hour a new day starts, local time
  std::optional<int> creationOffsetMinutes;  // creationOffset: minutes west of UTC when created
  qint64 collapseSecs = 1200;                // collapseTime: learning cards due this soon are shown now
};

namespace SchedulerClock {

// Days since the collection's creation as the program counts them now
// (`now` carries the current UTC offset):
//  - scheduler 1: whole days of 86 400 s since creation;
//  - 2 without creationOffset: days since the creation day's rollover hour,
//    that day taken in today's offset;
//  - 2 with it: local calendar days from creation (in its offset) to now,
//    one less while today's rollover hour has not come.
qint64 today(const SchedulerSettings& settings, const QDateTime& now);

// The last due time (seconds since the epoch) of a learning card shown now.
inline qint64 learningCutoff(const SchedulerSettings& settings, const QDateTime& now) {
  return now.toSecsSinceEpoch() + settings.collapseSecs;
}

}  // namespace SchedulerClock
