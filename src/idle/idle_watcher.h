#pragma once

#include <QProcess>
#include <QStringList>

class IdleSource;

// Shows the display (a program of its own) each time the source reports the
// session idle, for as long as the session lasts. Never two at once: while
// the display it started runs, further reports change nothing, and a display
// started elsewhere keeps its lock, so the one started here ends at once.
class IdleWatcher : public QObject {
  Q_OBJECT

 public:
  // How long a display is given to end on SIGTERM before it is killed.
  static constexpr int kEndGraceMs = 3000;

  IdleWatcher(IdleSource& source, QString program, QStringList arguments);
  ~IdleWatcher() override;

  bool displayRuns() const { return display_.state() != QProcess::NotRunning; }
  // Ends the display it started, if one runs.
  void endDisplay();

 private:
  void showDisplay();

  QString program_;
  QStringList arguments_;
  QProcess display_;
  bool failedOnce_ = false;  // a display that cannot start is said once, not at every idle period
};
