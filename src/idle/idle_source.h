#pragma once

#include <QObject>
#include <QString>
#include <memory>

// What tells the idle watcher that the session has been idle: the Wayland
// compositor, GNOME's idle monitor or the X server. Each counts input as the
// session sees it, so what the desktop does about idleness (a playing video
// holding it off) holds for the display too.
class IdleSource : public QObject {
  Q_OBJECT

 public:
  // Opens one kind of source; null and a one-line `why` where there is none.
  using Opener = std::unique_ptr<IdleSource> (*)(quint32 idleMs, QString* why);

  // The first source the session offers, reporting `idleMs` without input:
  // the compositor's idle protocol in a Wayland session, else GNOME's idle
  // monitor, else the X server's (`xServer`, where the program speaks X11).
  // Null where there is none; `why` says so on one line.
  static std::unique_ptr<IdleSource> open(quint32 idleMs, QString* why, Opener xServer = nullptr);

  // Which source it is, for messages.
  virtual QString name() const = 0;

 signals:
  // No input for the time asked; again only after the next input.
  void idle();
  // The compositor, the desktop or the X server went away: the session ended.
  void gone();
};
