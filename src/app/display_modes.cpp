// The modes that run the display: full screen, in a host's window, as a
// trace, and the idle watcher that starts it.
#include <QCoreApplication>
#include <QTextStream>
#include <optional>

#include "app/gui_session.h"
#include "app/run_modes.h"
#include "app/tick_report.h"
#include "backends/frame_surfaces.h"
#include "desktop/window_system.h"
#include "display/frm_main_dgl.h"
#include "display/hosted_display.h"
#include "display/trace_runner.h"
#include "os/console.h"
#include "os/termination_signals.h"
#include "patterns/pattern.h"
#ifdef DRIFTGLYPH_IDLE
#include "idle/idle_source.h"
#include "idle/idle_watcher.h"
#ifdef DRIFTGLYPH_X11
#include "backends/x11/x11_idle_source.h"
#endif
#endif

namespace RunModes {

// The show-saver procedure: the display covers the screen and runs until
// input or a termination signal ends it; either way grabs, cursor and lock
// are given back and the program ends with status 0.
int show(int& argc, char** argv, const StartupCommand& command) {
  if (!chooseSessionDesktop()) return 2;
  GuiSession session(argc, argv);
  QuorlSaver& saver = session.openHome(command);
  if (session.anotherDisplayRuns()) return 0;

  TerminationSignals endSignals;
  auto* display = new frmMainDGL(saver, Patterns::table(), DisplayRun::Show, &FrameSurfaces::forWindow);
  // Two starts at the same instant show one display: the later one, finding
  // the lock taken between the probe and now, ends silently.
  if (display->anotherDisplayRuns()) {
    delete display;
    return 0;
  }
  if (!display->lock().unavailable().isEmpty())
    Console::printErr(
        QStringLiteral("driftglyph: showing without the single-instance lock: %1\n").arg(display->lock().unavailable()));
  TickReport report;
  report.count(display->engine());
  display->showSaver();
  QObject::connect(&endSignals, &TerminationSignals::received, display, &frmMainDGL::EndQuoSaver);
  const int status = session.app.exec();
  report.print();
  return status;
}

// Hack mode: the display draws into the host's window until the host
// destroys the window (status 0) or ends the program with a signal, by which
// the program then ends, once cleaned up, as hosts expect of their hacks.
// A host runs one hack per monitor and previews beside them: no lock here.
int hack(int& argc, char** argv, const StartupCommand& command) {
  // A host may end a hack the moment it starts: even then it ends cleanly.
  TerminationSignals::install();
  QString error;
  std::unique_ptr<HostWindow> host = FrameSurfaces::openHostWindow(command.hostWindow, &error);
  if (!host) {
    Console::printErr(QStringLiteral("driftglyph: %1\n").arg(error));
    return 2;
  }
  WindowSystem::choose(host->reachedDirectly() ? WindowSystem::Use::HostConnection : WindowSystem::Use::Session);
  GuiSession session(argc, argv);
  QuorlSaver& saver = session.openHome(command);

  int endedBy = 0;  // the signal that ended the hack
  std::optional<TerminationSignals> endSignals(std::in_place);
  auto hosted = std::make_unique<HostedDisplay>(saver, Patterns::table(), std::move(host));
  TickReport report;
  report.count(hosted->engine());
  QObject::connect(hosted.get(), &HostedDisplay::hostGone, qApp, &QCoreApplication::quit);
  QObject::connect(&*endSignals, &TerminationSignals::received, qApp, [&endedBy](int number) {
    if (!endedBy) endedBy = number;
    QCoreApplication::quit();
  });
  hosted->start();
  const int status = session.app.exec();
  hosted.reset();  // ends before the application
  endSignals.reset();
  report.print();
  if (endedBy) TerminationSignals::endBy(endedBy);
  return status;
}

// --trace: the display without a screen, each tick written as JSON (and
// each frame as a picture with --frames); never stopped by a running display.
int trace(int& argc, char** argv, const StartupCommand& command) {
  WindowSystem::choose(WindowSystem::Use::Headless);
  GuiSession session(argc, argv);
  QuorlSaver& saver = session.openHome(command);
  TraceOptions options;
  options.runs = command.traceRuns;
  options.size = command.traceSize;
  options.seed = command.traceSeed;
  options.framesFolder = command.framesFolder;
  QTextStream out(&Console::out());
  return TraceRunner::run(saver, Patterns::table(), options, out);
}

// --idle: stays for the session and shows the display whenever the session
// has been idle long enough; ends with status 0 on SIGTERM (taking a running
// display with it) or when the session's window system goes away.
int watchIdle(int& argc, char** argv, const StartupCommand& command) {
#ifdef DRIFTGLYPH_IDLE
  TerminationSignals::install();
  QCoreApplication app(argc, argv);
  QString why;
  IdleSource::Opener xServer = nullptr;
#ifdef DRIFTGLYPH_X11
  xServer = [](quint32 idleMs, QString* reason) -> std::unique_ptr<IdleSource> {
    return X11IdleSource::open(idleMs, reason);
  };
#endif
  const std::unique_ptr<IdleSource> source = IdleSource::open(command.idleMs, &why, xServer);
  if (!source) {
    Console::printErr(QStringLiteral("driftglyph: --idle: %1\n").arg(why));
    return 2;
  }
  QStringList display;
  if (!command.home.isEmpty()) display << QStringLiteral("--home") << command.home;
  display << QStringLiteral("/s");
  IdleWatcher watcher(*source, QCoreApplication::applicationFilePath(), display);
  TerminationSignals endSignals;
  QObject::connect(&endSignals, &TerminationSignals::received, &app, [&watcher] {
    watcher.endDisplay();
    QCoreApplication::quit();
  });
  QObject::connect(source.get(), &IdleSource::gone, &app, &QCoreApplication::quit);
  return app.exec();
#else
  (void)argc, (void)argv, (void)command;
  Console::printErr(QStringLiteral(
      "driftglyph: --idle: not on this system, whose own screen-saver settings start the display\n"));
  return 2;
#endif
}

}  // namespace RunModes
