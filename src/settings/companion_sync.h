#pragma once

class QuorlSaver;
class UserDialogs;

// The companion button: links the saver to the companion trainer or switches
// the word source between the companion's words and the own list, talking to
// the user through message boxes and a file dialog. Only memory changes; the
// dialog's OK saves.
namespace CompanionSync {

// What the dialog has to redraw afterwards.
enum class Outcome {
  Unchanged,     // nothing changed
  MarkChanged,   // linked, but no words came: redraw the source mark only
  WordsChanged,  // the companion's words are the list now: rebuild the preview
};

Outcome run(QuorlSaver& saver, UserDialogs& dialogs);

}  // namespace CompanionSync
