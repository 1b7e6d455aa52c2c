#pragma once

#include <QColor>
#include <QString>
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
    QString initialFolder;
    QString initialName;
  };

  virtual ~UserDialogs() = default;

  virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;
  // The chosen path, or an empty string when the user cancelled. saveFile does
  // not ask about replacing an existing file: the caller does.
  virtual QString openFile(const FileRequest& request) = 0;
  virtual QString saveFile(const FileRequest& request) = 0;
  // The chosen colour, or nullopt when the user cancelled.
  virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
};

inline const QString kMessageTitle = QStringLiteral("Driftglyph");
