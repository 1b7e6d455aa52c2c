#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <limits>
#include <optional>

// The font every label falls back to when no list file names one.
inline const QString kFallbackListFont = QStringLiteral("ＭＳ Ｐゴシック");

// The most pairs a list holds; the pair index is a 16-bit number.
inline constexpr int kMaxPairs = 32767;

// What a file held beyond the pairs read from it.
struct LeftOut {
  // Pairs beyond the most a list holds; they were not read.
  int pairs = 0;
  // The file was too long to count them all: it holds at least `pairs` more.
  bool atLeast = false;
  // Only the start of the file was read (see BoundedText).
  bool fileCut = false;
  // Pairs after the ones the count on line 1 names; the display reads only
  // those, so the file holds more than a list read from it.
  int beyondCount = 0;
  // Lines that held bytes that are no text in the file's encoding; read as
  // U+FFFD, so writing the list back over the file loses those bytes.
  int badLines = 0;

  // The file holds more than was read, so it must not be written over.
  bool any() const { return pairs > 0 || fileCut || beyondCount > 0; }
  // Only the start of the file was read, and `more` pairs follow it (at
  // least that many when `moreAtLeast`).
  void addAfterCut(qint64 more, bool moreAtLeast) {
    pairs = int(std::min<qint64>(pairs + more, std::numeric_limits<int>::max()));
    atLeast = moreAtLeast && more > 0;
    fileCut = true;
  }
  bool operator==(const LeftOut&) const = default;
};

// The question/answer pairs the saver shows, with the two label fonts.
// Pairs are numbered from 1; pair i is questions[i - 1], answers[i - 1].
struct WordList {
  QStringList questions;
  QStringList answers;
  QString questionFont = kFallbackListFont;
  QString answerFont = kFallbackListFont;
  // What the file held beyond kMaxPairs pairs, or beyond the part read.
  LeftOut leftOut;

  int count() const { return int(questions.size()); }
  bool isEmpty() const { return questions.isEmpty(); }
  QString question(int pair) const { return questions.value(pair - 1); }
  QString answer(int pair) const { return answers.value(pair - 1); }
  void append(const QString& question, const QString& answer) {
    questions.append(question);
    answers.append(answer);
  }
  void clear() {
    questions.clear();
    answers.clear();
  }
  bool operator==(const WordList&) const = default;
};

// Word-list files (.dgl): line 1 holds the count and the two font names, then
// one line per pair. Reading never trusts the count: a count of 0 or less gives
// an empty list, a count beyond the data gives the pairs that are there. At
// most kMaxPairs pairs are read; the pairs beyond are counted in leftOut.
// Files are read through BoundedText: of a longer file, the pairs beyond its
// start are counted one a non-blank line, up to what the count leaves.
namespace WordListFile {

// Lenient: whatever the bytes hold becomes a list, as the display's settings
// load wants it (a damaged line 1 gives an empty list with fallback fonts).
WordList parse(const QByteArray& bytes);
// Checked: nullopt when the bytes are not a word list -- the first field is
// not a decimal number, or the data ends before the two font names.
std::optional<WordList> parseChecked(const QByteArray& bytes);
// The file's text for at most the first kMaxPairs pairs.
QByteArray format(const WordList& list);

// nullopt when the file cannot be read.
std::optional<WordList> read(const QString& path);
// nullopt when the file cannot be read or is not a word list.
std::optional<WordList> readChecked(const QString& path);
// Why the list cannot be written as a file that reads back whole (more than
// kMaxPairs pairs, or more than is read of a file), in Japanese for the
// user; empty when it can.
QString refusal(const WordList& list);
// false, leaving the file as it was, when the list is refused or the file
// cannot be written.
bool write(const QString& path, const WordList& list, QString* error = nullptr);

}  // namespace WordListFile
