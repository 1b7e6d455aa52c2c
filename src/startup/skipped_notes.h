#pragma once

#include <QString>
#include <QStringList>

#include "startup/startup_texts.h"

// Notes or lines of an import that gave no pair, by why: told to the user
// after the import, so that a pair never goes missing without a word.
struct SkippedNotes {
  int empty = 0;     // question or answer empty once the text was tidied
  int oneField = 0;  // only one field: nothing to pair it with
  int tooLong = 0;   // a field longer than a label can show (kMaxFieldChars)
  int pictures = 0;  // image occlusions: shapes on a picture, no words

  // Fields longer than this are not words to learn but pasted documents.
  static constexpr int kMaxFieldChars = 2000;

  int total() const { return empty + oneField + tooLong + pictures; }
  bool operator==(const SkippedNotes&) const = default;

  // One Japanese line per reason, for the message box; empty when none.
  QString japanese() const {
    QStringList lines;
    if (empty) lines << StartupTexts::notesEmpty(empty);
    if (oneField) lines << StartupTexts::notesOneField(oneField);
    if (tooLong)
      lines << StartupTexts::notesTooLong(tooLong, kMaxFieldChars);
    if (pictures) lines << StartupTexts::notesPictures(pictures);
    return lines.join(QStringLiteral("\r\n"));
  }
  // The same on one line, for the command line.
  QString english() const {
    QStringList parts;
    if (empty) parts << QStringLiteral("%1 empty").arg(empty);
    if (oneField) parts << QStringLiteral("%1 with one field").arg(oneField);
    if (tooLong) parts << QStringLiteral("%1 longer than %2 characters").arg(tooLong).arg(kMaxFieldChars);
    if (pictures) parts << QStringLiteral("%1 image occlusion").arg(pictures);
    return parts.join(QStringLiteral(", "));
  }
};
