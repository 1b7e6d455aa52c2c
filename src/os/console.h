#pragma once

#include <QIODevice>
#include <QString>

// Standard output and error of the modes that print (help, version, import,
// the word list, traces, one-line errors). On Windows the program is a
// windowed one and has no console of its own: started from a console it
// writes there, in UTF-16 so that every path reads right; redirected to a
// file or a pipe it writes UTF-8, as on other systems.
namespace Console {

// Takes over the console of the program that started this one, for the
// streams that were not redirected; never opens a console window. Does
// nothing where programs always have their streams.
void attachParent();

// The streams as devices, for QTextStream; what is written goes out at once.
QIODevice& out();
QIODevice& err();

void printOut(const QString& text);
void printErr(const QString& text);

// The system's part: writes `text` to the console behind standard output
// (1) or error (2) and returns true, or returns false where that stream is
// no console.
bool writeToConsole(int stream, QStringView text);

}  // namespace Console
