#pragma once

#include <QString>

class QTextStream;

// driftglyph --import FILE --output LIST.dgl [--deck NAME] [--fields Q,A]:
// converts any importable file into a word list, with no window. Prints one
// line: the pairs written and those left out, and why; or, for a file that
// gives no list, why, on `err`. A package's deck is NAME (with its
// sub-decks; all when not given) and its note types' question and answer
// fields are Q and A where a note type has both, else its first two.
namespace ImportCommand {

struct Options {
  QString file;
  QString output;
  QString deck;
  QString questionField;
  QString answerField;
};

// 0 when the list was written, 2 otherwise (nothing written).
int run(const Options& options, QTextStream& out, QTextStream& err);

}  // namespace ImportCommand
