#pragma once

#include <QObject>
#include <memory>

// SIGTERM, SIGINT and SIGHUP (on Windows: Ctrl+C and a closing console) as
// a Qt signal on the event loop. The system's handler only passes the
// signal's number on; everything else happens in the loop, so ending the
// program on a host's request is an ordinary event.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Catches the signals from now on; what arrives before the event loop
  // runs waits for it. The constructor installs it when not yet done.
  static void install();

  explicit TerminationSignals(QObject* parent = nullptr);
  // Gives the signals their default actions back.
  ~TerminationSignals() override;

  // Ends the process by `signalNumber` with its default action, as a host
  // that sent it expects of a program that has cleaned up; where signals do
  // not end programs (Windows) it returns.
  static void endBy(int signalNumber);

  // After the first signal the event loop has this long to end the program;
  // past it the signal takes its default action. A loop blocked on a stopped
  // window system would otherwise keep the sender waiting.
  static constexpr int kGraceSeconds = 3;

 signals:
  void received(int signalNumber);

 private:
  std::unique_ptr<QObject> listener_;  // what hands the signals to the loop, where needed
};
