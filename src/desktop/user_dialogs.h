#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Everything that asks the user something in a separate window: message
// boxes (always titled "Driftglyph"), the file dialogs and the colour chooser.
// Windows and models talk to this interface so that tests can answer for the user.
class UserDialogs {
 public:
  enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
  enum class Icon { None, Information, Warning, Question, Critical };
  enum class Answer { Ok, Yes, No, Cancel };

  struct FileRequest {
    QString title;
    // A filter in "Description|pattern;pattern" form, several joined by '|'.
    QString filter;
    // Where the chooser starts; the user's documents folder when this names no folder.
    QString initialFolder;
    QString initialName;
    // A sentence shown with the chooser: what to look for where it is not obvious.
    QString note;
  };

  // One drop-down list of a choice dialog.
  struct Choice {
    QString label;
    QStringList items;
    int selected = 0;
  };

  virtual ~UserDialogs() = default;

  virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;
  // The chosen path, or an empty string when the user cancelled. saveFile does
  // not ask about replacing an existing file: the caller does.
  virtual QString openFile(const FileRequest& request) = 0;
  virtual QString saveFile(const FileRequest& request) = 0;
  // The chosen colour, or nullopt when the user cancelled.
  virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
  // `text` over one labelled drop-down list per choice, with OK and Cancel:
  // the index picked in each list, or nullopt when the user cancelled. A
  // stand-in that shows no dialogs answers as Cancel would.
  virtual std::optional<QList<int>> choose(const QString& text, const QList<Choice>& choices) {
    (void)text, (void)choices;
    return std::nullopt;
  }
};

inline const QString kMessageTitle = QStringLiteral("Driftglyph");
