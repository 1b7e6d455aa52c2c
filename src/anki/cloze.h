#pragma once

#include <QList>
#include <QString>

// Cloze deletions as the flashcard program writes them in a note's text:
// "{{c1::東京}}" or with a hint "{{c1::東京::capital}}", numbered from 1,
// possibly nested and repeated. The program makes one card per number.
namespace Cloze {

struct Card {
  QString question;  // plain text: number N's deletions as "[hint]" or "[...]", the others as their text
  QString answer;    // plain text: number N's deleted texts joined by " / "
};

// The numbers that occur in the text, ascending, each once.
QList<int> numbers(const QString& html);

// The card of number `n` (HTML made plain with HtmlText).
Card card(const QString& html, int n);

// Whether a deletion holds an image occlusion's shape ("image-occlusion:…")
// rather than text: such notes give no word pair.
bool isImageOcclusion(const QString& html);

}  // namespace Cloze
