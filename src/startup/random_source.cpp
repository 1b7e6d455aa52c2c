#include "startup/random_source.h"

#include <QTime>

RandomSource::RandomSource() : clock_(&RandomSource::timeOfDayMs) { reseedFromClock(); }

double RandomSource::next() {
  // 53 random bits, spelled out so that every platform draws the same sequence.
  const uint64_t high = engine_() >> 5;
  const uint64_t low = engine_() >> 6;
  return double(high * 67108864u + low) / 9007199254740992.0;
}

uint32_t RandomSource::timeOfDayMs() { return uint32_t(QTime::currentTime().msecsSinceStartOfDay()); }
