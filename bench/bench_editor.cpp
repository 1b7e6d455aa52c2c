// How long the word-list editor takes on the largest list it holds (32767
// items): opening the window, scrolling through the grid, saving the list.
// Run from the build tree: ./bench/bench_editor [rounds]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "editor/editor_model.h"
#include "editor/frm_edit.h"
#include "desktop/clipboard.h"
#include "desktop/font_substitutes.h"
#include "desktop/user_dialogs.h"
#include "startup/quorl_saver.h"
#include "startup/word_list.h"

namespace {

// Answers nothing: the benchmark never asks the user.
class SilentDialogs final : public UserDialogs {
 public:
  Answer message(const QString&, Buttons, Icon) override { return Answer::Cancel; }
  QString openFile(const FileRequest&) override { return {}; }
  QString saveFile(const FileRequest&) override { return {}; }
  std::optional<QColor> chooseColor(const QColor&) override { return std::nullopt; }
};

class NullClipboard final : public Clipboard {
 public:
  QString text() const override { return {}; }
  void setText(const QString&) override {}
};

WordList largestList() {
  WordList list;
  list.questions.reserve(kMaxPairs);
  list.answers.reserve(kMaxPairs);
  for (int i = 1; i <= kMaxPairs; ++i)
    list.append(QStringLiteral("question %1 ことば").arg(i), QStringLiteral("answer %1, 意味").arg(i));
  return list;
}

struct Stats {
  double median = 0;
  double worst = 0;
};

Stats stats(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.back()};
}

void row(const char* what, const Stats& s, double target) {
  std::printf("%-44s %10.2f %10.2f %10.0f  %s\n", what, s.median, s.worst, target,
              s.worst < target ? "ok" : "SLOW");
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  FontSubstitutes::install();
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

  QTemporaryDir home;
  QuorlSaver saver(home.path());
  saver.words = largestList();
  SilentDialogs dialogs;
  NullClipboard clipboard;

  std::vector<double> open, scrollStep, save, saveCompacting;
  for (int round = 0; round < rounds; ++round) {
    QElapsedTimer clock;
    clock.start();
    auto form = std::make_unique<frmEdit>(saver, dialogs, clipboard);
    form->show();
    QApplication::processEvents();
    open.push_back(clock.nsecsElapsed() / 1e6);

    // A step of the scroll bar redraws the twelve rows and moves the cell.
    QScrollBar* bar = form->findChild<QScrollBar*>(QStringLiteral("vscEdit"));
    constexpr int kSteps = 500;
    clock.restart();
    for (int step = 1; step <= kSteps; ++step) {
      bar->setValue(step * (bar->maximum() / kSteps));
      QApplication::processEvents();
    }
    scrollStep.push_back(clock.nsecsElapsed() / 1e6 / kSteps);

    const QString file = QDir(home.path()).filePath(QStringLiteral("large.dgl"));
    clock.restart();
    form->model().saveQqAa(file);
    save.push_back(clock.nsecsElapsed() / 1e6);
    form.reset();
  }

  // The save that first drops blank items (every other one) and redraws.
  for (int round = 0; round < rounds; ++round) {
    WordList holes = largestList();
    for (int i = 1; i < holes.count(); i += 2) holes.questions[i] = holes.answers[i] = QStringLiteral(" ");
    saver.words = holes;
    EditorModel model(saver, dialogs);
    model.load(QFontDatabase::families());
    QElapsedTimer clock;
    clock.start();
    model.saveQqAa(QDir(home.path()).filePath(QStringLiteral("holes.dgl")));
    saveCompacting.push_back(clock.nsecsElapsed() / 1e6);
  }

  std::printf("editor on %d items, %d rounds (ms)\n", kMaxPairs, rounds);
  std::printf("%-44s %10s %10s %10s\n", "operation", "median", "worst", "target");
  std::printf("%-44s %10.2f\n", "first open in this process (cold font list)", open.front());
  row("open the window (load, fonts, grid, show)", stats(open), 300);
  row("one scroll-bar step (redraw + paint)", stats(scrollStep), 16);
  row("save 32767 items", stats(save), 200);
  row("save dropping 16383 blank items", stats(saveCompacting), 200);
  return 0;
}
