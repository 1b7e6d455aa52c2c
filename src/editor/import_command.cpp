#include "editor/import_command.h"

#include <QTextStream>
#include <filesystem>

#include "editor/file_import.h"
#include "startup/file_io.h"
#include "startup/word_list.h"

namespace ImportCommand {

namespace {

QString leftOutLine(const WordImport::ImportedWords& words) {
  QStringList why;
  if (words.leftOut.pairs > 0)
    why << QStringLiteral("%1%2 beyond the %3 a list holds")
               .arg(words.leftOut.atLeast ? QStringLiteral("at least ") : QString())
               .arg(words.leftOut.pairs)
               .arg(kMaxPairs);
  if (words.skipped.total() > 0) why << words.skipped.english();
  const int total = words.leftOut.pairs + words.skipped.total();
  if (total == 0) return QStringLiteral("none left out");
  return QStringLiteral("%1 left out (%2)").arg(total).arg(why.join(QStringLiteral("; ")));
}

}  // namespace

int run(const Options& options, QTextStream& out, QTextStream& err) {
  const auto fail = [&](const QString& why) {
    err << "driftglyph: " << options.file << ": " << why << Qt::endl;
    return 2;
  };
  if (!FileIo::isFile(options.file)) return fail(QStringLiteral("cannot be read"));
  std::error_code sameError;
  if (std::filesystem::equivalent(options.file.toStdU16String(), options.output.toStdU16String(), sameError))
    return fail(QStringLiteral("is also the output; nothing written"));
  const bool anki = FileImport::isAnkiName(options.file);
  if (!anki && !options.deck.isEmpty()) return fail(QStringLiteral("has no decks to choose from (--deck)"));
  GivenChoices choices(options.deck, options.questionField, options.answerField);
  const FileImport::Outcome outcome = FileImport::importFile(options.file, choices);
  if (outcome.notText) return fail(QStringLiteral("not a text file"));
  if (outcome.ankiError == AnkiError::NoDeck)
    return fail(QStringLiteral("no deck \"%1\"; decks: %2").arg(options.deck, choices.decksOffered().join(QStringLiteral(", "))));
  if (outcome.ankiError == AnkiError::NoSuchField || (outcome.words && !choices.namedFieldsFound())) {
    const QStringList& offered = choices.fieldsOffered();
    return fail(QStringLiteral("no fields \"%1\" and \"%2\"; %3")
                    .arg(options.questionField, options.answerField,
                         offered.isEmpty() ? QStringLiteral("the file names no fields")
                                           : QStringLiteral("fields: ") + offered.join(QStringLiteral("; "))));
  }
  if (outcome.ankiError)
    return fail(AnkiErrors::english(*outcome.ankiError) +
                (outcome.skipped.total() > 0 ? QStringLiteral(" (%1)").arg(outcome.skipped.english()) : QString()));
  if (!outcome.words) return fail(QStringLiteral("cannot be read, or holds no pair"));
  const WordImport::ImportedWords& words = *outcome.words;
  WordList list;
  list.questions = words.questions;
  list.answers = words.answers;
  QString why;
  if (!WordListFile::write(options.output, list, &why)) {
    err << "driftglyph: " << options.output << ": cannot be written: " << why << Qt::endl;
    return 2;
  }
  out << words.count() << " pairs written to " << options.output << ", " << leftOutLine(words) << Qt::endl;
  return 0;
}

}  // namespace ImportCommand
