#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

// A private X server for one test: Xvfb picks a free display number and
// reports it, so tests never collide on a fixed one.
class XvfbServer {
 public:
  // False (with `why`) when Xvfb is missing or does not come up.
  bool start(const QString& screen, QString* why) {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) {
      *why = QStringLiteral("Xvfb is not installed");
      return false;
    }
    process_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), screen, QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    while (!number.contains('\n') && process_.waitForReadyRead(10000)) number += process_.readAllStandardOutput();
    if (!number.contains('\n')) {
      *why = QStringLiteral("Xvfb did not start");
      return false;
    }
    display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    return true;
  }
  ~XvfbServer() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    process_.waitForFinished(3000);
  }
  const QString& display() const { return display_; }
  qint64 processId() const { return process_.processId(); }

 private:
  QProcess process_;
  QString display_;
};
