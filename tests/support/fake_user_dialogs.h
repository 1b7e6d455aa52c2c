#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "desktop/user_dialogs.h"

// Answers for the user in tests: every message box, file dialog and colour
// chooser is recorded and takes the next queued answer of its kind. A box with
// only OK needs no answer and takes none from the queue. A dialog with nothing
// queued answers as a user pressing Cancel (No for Yes/No) would, and counts
// as unexpected.
class FakeUserDialogs final : public UserDialogs {
 public:
  struct Message {
    QString text;
    Buttons buttons;
    Icon icon;
  };
  struct FileDialog {
    bool save;
    FileRequest request;
  };

  // Queues.
  std::deque<Answer> answers;
  std::deque<QString> files;  // open and save dialogs share one queue; "" = cancelled
  std::deque<std::optional<QColor>> colors;
  std::deque<std::optional<QList<int>>> picks;  // choice dialogs; nullopt = cancelled

  // Records.
  QList<Message> messages;
  QList<FileDialog> fileDialogs;
  QList<QColor> colorRequests;
  QList<QList<Choice>> choiceRequests;
  int unexpected = 0;  // dialogs shown with no answer queued for them

  void answer(Answer a) { answers.push_back(a); }
  void chooseFile(const QString& path) { files.push_back(path); }
  void chooseColorAnswer(std::optional<QColor> color) { colors.push_back(color); }

  QStringList messageTexts() const {
    QStringList texts;
    for (const Message& m : messages) texts.append(m.text);
    return texts;
  }

  Answer message(const QString& text, Buttons buttons, Icon icon) override {
    messages.append({text, buttons, icon});
    if (buttons == Buttons::Ok) return Answer::Ok;  // nothing to decide
    if (answers.empty()) {
      ++unexpected;
      return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }

  QString openFile(const FileRequest& request) override { return nextFile(false, request); }
  QString saveFile(const FileRequest& request) override { return nextFile(true, request); }

  std::optional<QList<int>> choose(const QString& text, const QList<Choice>& choices) override {
    messages.append({text, Buttons::OkCancel, Icon::None});
    choiceRequests.append(choices);
    if (picks.empty()) {
      ++unexpected;
      return std::nullopt;
    }
    const std::optional<QList<int>> p = picks.front();
    picks.pop_front();
    return p;
  }

  std::optional<QColor> chooseColor(const QColor& initial) override {
    colorRequests.append(initial);
    if (colors.empty()) {
      ++unexpected;
      return std::nullopt;
    }
    const std::optional<QColor> c = colors.front();
    colors.pop_front();
    return c;
  }

 private:
  QString nextFile(bool save, const FileRequest& request) {
    fileDialogs.append({save, request});
    if (files.empty()) {
      ++unexpected;
      return QString();
    }
    const QString path = files.front();
    files.pop_front();
    return path;
  }
};
