#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Breaks a label's text into lines no wider than a width: at spaces and
// punctuation in scripts that use spaces, between characters where Unicode's
// line-breaking rules allow it in Japanese and Chinese. A run with no place
// to break that is wider than a line by itself is broken between any two
// characters, and the result says so.
class LineBreaking {
 public:
  // The width of a line of text, in pixels, at the size being laid out.
  using MeasureWidth = std::function<int(const QString&)>;

  struct Lines {
    QStringList lines;
    bool brokeWords = false;  // some run was broken where no rule allows it
    bool complete = true;     // false when maxLines stopped the text before its end
  };

  explicit LineBreaking(const QString& text);

  // As few lines as hold the text within `width`, then narrowed while the
  // count stays the same, so that centred lines look even. Stops after
  // `maxLines` lines.
  // `even` false takes the first lines that fit, for a trial.
  Lines layout(const MeasureWidth& measure, int width, int maxLines, bool even = true) const;

  const QString& text() const { return text_; }

  // The most characters a line of `width` pixels can hold: no character is
  // narrower than half a pixel, so longer text is never measured.
  static qsizetype mostCharacters(int width) { return 2 * qsizetype(width) + 16; }

 private:
  Lines greedy(const MeasureWidth& measure, int width, int maxLines) const;
  // The end of the longest line from `start` that fits `width`, or `start`
  // when not even the first run fits.
  qsizetype fill(const MeasureWidth& measure, qsizetype start, int width) const;
  // The end of the longest piece of the run from `start` that fits, at
  // least one character. Pieces of one run are much alike, so the search
  // starts from the last piece's length.
  qsizetype breakRun(const MeasureWidth& measure, qsizetype start, qsizetype end, int width,
                     qsizetype lastPiece) const;
  QString lineText(qsizetype start, qsizetype end) const;

  QString text_;
  std::vector<qsizetype> breaks_;  // where a line may end, ascending, ending at the text's length
};
