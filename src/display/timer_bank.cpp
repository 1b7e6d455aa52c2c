#include "display/timer_bank.h"

namespace {
const char* const kNames[kTimerCount] = {"tmQuo", "tmSwf", "tmSdc", "tmStn", "tmSis", "tmShw",
                                         "tmSfb", "tmSln", "tmSrp", "tmSpl", "tmSsd", "tmSkn",
                                         "tmSbr", "tmSmg", "tmSeg", "tmSab", "tmSvc"};
}

QString timerName(TimerId id) { return QString::fromLatin1(kNames[int(id)]); }

void TimerBank::enable(TimerId id) {
  State& s = state_[size_t(id)];
  if (s.enabled) return;
  s.enabled = true;
  notify(id);
}

void TimerBank::disable(TimerId id) {
  State& s = state_[size_t(id)];
  if (!s.enabled) return;
  s.enabled = false;
  notify(id);
}

void TimerBank::setInterval(TimerId id, int ms) {
  State& s = state_[size_t(id)];
  s.interval = ms;
  if (s.enabled) notify(id);
}

QStringList TimerBank::enabledNames() const {
  QStringList names;
  for (int i = 0; i < kTimerCount; ++i)
    if (state_[size_t(i)].enabled) names.append(timerName(TimerId(i)));
  return names;
}
