#pragma once

#include <QApplication>
#include <memory>

#include "startup/command_line.h"
#include "startup/quorl_saver.h"

// What every mode with Qt's GUI shares, made once Qt's platform is chosen:
// the application with Qt's texts in Japanese and the fonts' stand-ins, and
// the saver over the home folder the command line and the system give.
class GuiSession {
 public:
  GuiSession(int& argc, char** argv);

  QApplication app;

  // Opens the home folder (made where missing) and its settings' saver, with
  // the flashcard link as a source of words and its random source seeded
  // from the clock.
  QuorlSaver& openHome(const StartupCommand& command);

  // A running display owns the screen: a second display or settings dialog
  // ends at once, silently, while one runs.
  bool anotherDisplayRuns();

 private:
  std::unique_ptr<QuorlSaver> saver_;
};

// Before the application: the session's window system for windows of ours;
// false, said on stderr, where there is no desktop to show them on.
bool chooseSessionDesktop();

// The saver over the home folder of `command` (--home, $DRIFTGLYPH_HOME, the
// program's folder, the user's), its defaults from the data folder. The
// home is made and seeded where it lacks them, unless the mode only reads.
enum class HomeUse { Seed, OnlyRead };
std::unique_ptr<QuorlSaver> openSaver(const StartupCommand& command, HomeUse use = HomeUse::Seed);
