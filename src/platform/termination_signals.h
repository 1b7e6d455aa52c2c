#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP as a Qt signal on the event loop. The handler
// only writes the signal's number to a pipe; everything else happens in the
// loop, so ending the program on a host's request is an ordinary event.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Catches the signals from now on; what arrives before the event loop
  // runs waits in the pipe. The constructor installs it when not yet done.
  static void install();

  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  void received(int signalNumber);

 private:
  void readPipe();

  std::unique_ptr<QSocketNotifier> notifier_;
};
