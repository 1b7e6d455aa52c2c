#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

// The display's seventeen logical timers: the main cycle and one per pattern,
// in pattern order, so pattern k runs on TimerId(k).
enum class TimerId : int {
  tmQuo, tmSwf, tmSdc, tmStn, tmSis, tmShw, tmSfb, tmSln, tmSrp,
  tmSpl, tmSsd, tmSkn, tmSbr, tmSmg, tmSeg, tmSab, tmSvc
};
inline constexpr int kTimerCount = 17;

inline TimerId patternTimer(int patternNumber) { return TimerId(patternNumber); }
QString timerName(TimerId id);

// Enabled flags and intervals. Enabling an enabled timer changes nothing;
// disabling and enabling it again restarts its count, as does a new interval.
// A driver (Qt timers or the virtual clock) listens through `onChange`.
class TimerBank {
 public:
  void enable(TimerId id);
  void disable(TimerId id);
  bool isEnabled(TimerId id) const { return state_[size_t(id)].enabled; }
  void setInterval(TimerId id, int ms);
  int interval(TimerId id) const { return state_[size_t(id)].interval; }

  QStringList enabledNames() const;

  // Called after a timer starts counting anew (enabled, or its interval
  // changed while enabled) or stops.
  std::function<void(TimerId)> onChange;

 private:
  struct State {
    bool enabled = false;
    int interval = 0;
  };
  void notify(TimerId id) {
    if (onChange) onChange(id);
  }
  std::array<State, kTimerCount> state_{};
};
