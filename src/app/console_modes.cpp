// The modes without windows: help, version, conversion and the word list.
#include <QCoreApplication>
#include <QTextStream>

#include "anki/anki_link.h"
#include "anki/anki_notes.h"
#include "app/gui_session.h"
#include "app/run_modes.h"
#include "editor/import_command.h"
#include "os/console.h"

namespace RunModes {

int help(int&, char**, const StartupCommand& command) {
  if (!command.error.isEmpty()) {
    Console::printErr(QStringLiteral("driftglyph: %1 (see --help)\n").arg(command.error));
    return 2;
  }
  Console::printOut(CommandLine::helpText());
  return 0;
}

int version(int&, char**, const StartupCommand&) {
  Console::printOut(QStringLiteral("driftglyph %1\n").arg(QLatin1String(DRIFTGLYPH_VERSION)));
  return 0;
}

int nothing(int&, char**, const StartupCommand&) { return 0; }

// --import: converts a file into a word list, no window, no home folder.
int importWords(int& argc, char** argv, const StartupCommand& command) {
  QCoreApplication app(argc, argv);
  QTextStream out(&Console::out());
  QTextStream err(&Console::err());
  return ImportCommand::run({command.importFile, command.importOutput, command.importDeck, command.questionField,
                             command.answerField},
                            out, err);
}

// --list-words: the pairs the display would show now, from whichever source
// the settings choose; a line on stderr when the flashcard link could not
// read its profile and shows its snapshot, or nothing of it. It only reads:
// a home without settings or lists stays as it is, the defaults come from
// the data folder or the program itself.
int listWords(int& argc, char** argv, const StartupCommand& command) {
  QCoreApplication app(argc, argv);
  const std::unique_ptr<QuorlSaver> saver = openSaver(command, HomeUse::OnlyRead);
  QTextStream err(&Console::err());
  saver->setExtraSource(AnkiLink::extraSource([&err](const AnkiLink::Result& link) {
    if (link.nothingDue) err << "driftglyph: Anki: nothing is due today; showing all cards of the deck" << Qt::endl;
    if (link.beyond > 0)
      err << "driftglyph: Anki: " << link.beyond << " notes beyond the " << AnkiPairs::kMaxPairs
          << " a list holds are not shown" << Qt::endl;
    if (!link.error || link.error == AnkiError::NoPairs) return;
    err << "driftglyph: Anki: " << AnkiErrors::english(*link.error) << "; ";
    if (link.error == AnkiError::NoSuchField) err << "fields: " << link.fieldsOffered.join(QStringLiteral("; ")) << "; ";
    if (link.snapshotTaken)
      err << "showing the snapshot of " << link.snapshotTaken->toString(Qt::ISODate) << Qt::endl;
    else
      err << "showing the list the settings choose" << Qt::endl;
  }, false));
  saver->load(QuorlSaver::Writes::OnlyRead);
  QTextStream out(&Console::out());
  for (int i = 1; i <= saver->words.count(); ++i) out << saver->words.question(i) << '\t' << saver->words.answer(i) << '\n';
  out.flush();
  return 0;
}

}  // namespace RunModes
