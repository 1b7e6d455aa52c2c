#include "startup/command_line.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace CommandLine {

namespace {

// Options every XScreenSaver hack accepts; they change nothing here.
const QStringList& hackOptionsIgnored() {
  static const QStringList options{"-pair", "--pair", "-fps", "--fps", "-install", "--install"};
  return options;
}
const QStringList& hackOptionsWithValueIgnored() {
  static const QStringList options{"-visual", "--visual", "-display", "--display"};
  return options;
}

}  // namespace

StartupCommand dispatch(const QString& switchText) {
  StartupCommand command;
  QString firstTwo = switchText.left(2).toLower();
  if (firstTwo.startsWith(u'-')) firstTwo[0] = u'/';
  // What follows the switch: a handle after a colon or spaces.
  const QString rest = switchText.mid(2).trimmed();
  const QString handle = rest.startsWith(u':') ? rest.mid(1).trimmed() : rest;
  const auto handleOf = [&](quint64* into, const char* what) {
    const std::optional<quint64> read = windowHandle(handle);
    if (read) *into = *read;
    else command.error = QStringLiteral("%1: \"%2\" is not a window handle").arg(QLatin1String(what), handle);
    return read.has_value();
  };
  if (firstTwo == QStringLiteral("/s")) {
    command.action = StartupCommand::Action::Show;
  } else if (firstTwo == QStringLiteral("/p")) {
    command.action = handleOf(&command.hostWindow, "/p") ? StartupCommand::Action::Hack : StartupCommand::Action::Help;
  } else if (firstTwo == QStringLiteral("/a")) {
    command.action = StartupCommand::Action::Nothing;
  } else if (firstTwo == QStringLiteral("/c") && !handle.isEmpty()) {
    handleOf(&command.ownerWindow, "/c");  // a bad handle is shown to the user by the settings' start
  }
  return command;
}

std::optional<quint64> windowHandle(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^(0[xX][0-9a-fA-F]{1,16}|[0-9]{1,20})$"));
  if (!form.match(text).hasMatch()) return std::nullopt;
  bool ok = false;
  const bool hex = text.size() > 1 && (text.at(1) == u'x' || text.at(1) == u'X');
  const qulonglong id = hex ? text.mid(2).toULongLong(&ok, 16) : text.toULongLong(&ok, 10);
  if (!ok || id == 0) return std::nullopt;
  return quint64(id);
}

std::optional<quint32> windowId(const QString& text) {
  const std::optional<quint64> id = windowHandle(text);
  // X resource ids leave the top three bits clear.
  if (!id || *id > 0x1FFFFFFFu) return std::nullopt;
  return quint32(*id);
}

StartupCommand parse(const QStringList& arguments, const QString& hostWindowVariable) {
  StartupCommand command;
  QStringList hostWords;
  bool trace = false;
  bool hack = false;
  bool idle = false;
  bool listWords = false;
  std::optional<quint32> givenWindow;

  auto takeValue = [&](qsizetype& i, const QString& option) -> std::optional<QString> {
    if (i + 1 >= arguments.size()) {
      command.error = QStringLiteral("%1 needs a value").arg(option);
      return std::nullopt;
    }
    return arguments.at(++i);
  };

  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& arg = arguments.at(i);
    if (arg == QStringLiteral("--help") || arg == QStringLiteral("-h")) {
      command.action = StartupCommand::Action::Help;
      return command;
    }
    if (arg == QStringLiteral("--version")) {
      command.action = StartupCommand::Action::Version;
      return command;
    }
    if (arg == QStringLiteral("--home")) {
      if (auto v = takeValue(i, arg)) command.home = *v;
    } else if (arg == QStringLiteral("--trace")) {
      trace = true;
      if (auto v = takeValue(i, arg)) {
        bool ok = false;
        command.traceRuns = v->toInt(&ok);
        if (!ok || command.traceRuns < 0) command.error = QStringLiteral("--trace needs a count");
      }
    } else if (arg == QStringLiteral("--size")) {
      if (auto v = takeValue(i, arg)) {
        static const QRegularExpression size(QStringLiteral("^(\\d+)x(\\d+)$"));
        const auto match = size.match(*v);
        if (match.hasMatch() && match.captured(1).toInt() > 0 && match.captured(2).toInt() > 5)
          command.traceSize = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        else
          command.error = QStringLiteral("--size needs WIDTHxHEIGHT");
      }
    } else if (arg == QStringLiteral("--seed")) {
      if (auto v = takeValue(i, arg)) {
        bool ok = false;
        command.traceSeed = v->toUInt(&ok);
        if (!ok) command.error = QStringLiteral("--seed needs a number");
      }
    } else if (arg == QStringLiteral("--idle")) {
      idle = true;
      if (auto v = takeValue(i, arg)) {
        bool ok = false;
        const double minutes = v->toDouble(&ok);  // NaN and infinities fail both bounds
        if (ok && minutes > 0 && minutes <= StartupCommand::kMaxIdleMinutes)
          command.idleMs = quint32(std::max(1.0, std::round(minutes * 60000)));
        else
          command.error = QStringLiteral("--idle needs a number of minutes above 0 and at most %1, not \"%2\"")
                              .arg(StartupCommand::kMaxIdleMinutes)
                              .arg(*v);
      }
    } else if (arg == QStringLiteral("--import")) {
      if (auto v = takeValue(i, arg)) command.importFile = *v;
    } else if (arg == QStringLiteral("--output")) {
      if (auto v = takeValue(i, arg)) command.importOutput = *v;
    } else if (arg == QStringLiteral("--deck")) {
      if (auto v = takeValue(i, arg)) command.importDeck = *v;
    } else if (arg == QStringLiteral("--fields")) {
      if (auto v = takeValue(i, arg)) {
        const QStringList names = v->split(u',');
        if (names.size() == 2 && !names.at(0).trimmed().isEmpty() && !names.at(1).trimmed().isEmpty()) {
          command.questionField = names.at(0).trimmed();
          command.answerField = names.at(1).trimmed();
        } else {
          command.error = QStringLiteral("--fields needs QUESTION,ANSWER");
        }
      }
    } else if (arg == QStringLiteral("--list-words")) {
      listWords = true;
    } else if (arg == QStringLiteral("--frames")) {
      if (auto v = takeValue(i, arg)) command.framesFolder = *v;
    } else if (arg == QStringLiteral("-root") || arg == QStringLiteral("--root")) {
      hack = true;
    } else if (arg == QStringLiteral("-window-id") || arg == QStringLiteral("--window-id")) {
      hack = true;
      if (auto v = takeValue(i, arg)) {
        givenWindow = windowId(*v);
        if (!givenWindow) command.error = QStringLiteral("%1: \"%2\" is not a window id").arg(arg, *v);
      }
    } else if (hackOptionsIgnored().contains(arg)) {
    } else if (hackOptionsWithValueIgnored().contains(arg)) {
      takeValue(i, arg);
    } else if (arg == QStringLiteral("-window")) {
      hostWords.append(QStringLiteral("/s"));
    } else {
      hostWords.append(arg);
    }
  }

  if (!command.error.isEmpty()) {
    command.action = StartupCommand::Action::Help;
    return command;
  }
  if (!command.importFile.isEmpty() || !command.importOutput.isEmpty()) {
    command.action = StartupCommand::Action::Import;
    if (command.importFile.isEmpty() || command.importOutput.isEmpty()) {
      command.error = QStringLiteral("--import FILE needs --output LIST.dgl");
      command.action = StartupCommand::Action::Help;
    }
    return command;
  }
  if (listWords) {
    command.action = StartupCommand::Action::ListWords;
    return command;
  }
  if (trace) {
    command.action = StartupCommand::Action::Trace;
    return command;
  }
  if (idle) {
    command.action = StartupCommand::Action::Idle;
    return command;
  }
  if (!givenWindow && !hostWindowVariable.isEmpty()) {
    hack = true;
    givenWindow = windowId(hostWindowVariable.trimmed());
    if (!givenWindow) {
      command.error = QStringLiteral("XSCREENSAVER_WINDOW: \"%1\" is not a window id").arg(hostWindowVariable);
      command.action = StartupCommand::Action::Help;
      return command;
    }
  }
  if (hack) {
    command.action = StartupCommand::Action::Hack;
    command.hostWindow = givenWindow.value_or(0);
    return command;
  }
  const StartupCommand host = dispatch(hostWords.join(u' '));
  command.action = host.action;
  command.error = host.error;
  command.hostWindow = host.hostWindow;
  command.ownerWindow = host.ownerWindow;
  return command;
}

QString helpText() {
  // What holds on this system only: X11 and the idle watcher on Linux, and
  // each system's own default home.
  return QStringLiteral(
             "Usage: driftglyph [SWITCH] [--home DIR]\n"
             "\n"
             "  /s, /S        show the screen saver full screen\n"
             "  /c[:HANDLE]   open the settings (also the default for any other switch),\n"
             "                owned by the window HANDLE when given\n"
             "  /p HANDLE     draw the display into the window HANDLE, as a preview\n"
             "  /a            do nothing (a password change, which needs none)\n")
#ifndef Q_OS_WIN
         + QStringLiteral(
             "  -root, --root draw into XSCREENSAVER_WINDOW, else the root window (XScreenSaver)\n"
             "  -window-id ID, --window-id ID\n"
             "                draw into the X window ID (decimal or 0x hex) until SIGTERM\n"
             "  --idle MINUTES\n"
             "                stay running and show the display whenever the session has been\n"
             "                idle for MINUTES (a decimal number: 0.5 is half a minute); for a\n"
             "                desktop's autostart, on Wayland, GNOME and X11 alike\n")
#endif
         + QStringLiteral(
             "  --home DIR    keep settings and default files in DIR\n"
             "                (default: DRIFTGLYPH_HOME, else the program's folder when it is\n"
#ifdef Q_OS_WIN
             "                 writable and holds DEFAULT.dgl, else %APPDATA%\\Driftglyph)\n"
#else
             "                 writable and holds DEFAULT.dgl, else $XDG_CONFIG_HOME/driftglyph)\n"
#endif
             "  --trace N     run the display headless for N patterns and print each tick as JSON\n"
             "    --size WxH  display size for --trace (default 1024x768)\n"
             "    --seed S    random seed offset for --trace (default 0)\n"
             "    --frames D  also write each tick's picture as D/NNNNNN.png\n"
             "  --import FILE --output LIST.dgl [--deck NAME] [--fields Q,A]\n"
             "                convert FILE (csv, text, tab-separated or Anki export, .vcb,\n"
             "                Anki .apkg/.colpkg/.anki2/.anki21/.anki21b) into the word list\n"
             "                LIST.dgl; prints one line\n"
             "  --list-words  print the pairs the display would show now, one\n"
             "                QUESTION<TAB>ANSWER a line\n"
             "  --help        show this text\n"
             "  --version     show the version\n");
}

}  // namespace CommandLine
