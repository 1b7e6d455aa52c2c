#include "settings/word_preview.h"

#include <QFileInfo>

#include "startup/file_io.h"
#include "startup/quorl_saver.h"

namespace WordPreview {

namespace {

Row pairRow(const WordList& words, int pair) {
  return Row{true, words.question(pair), words.answer(pair)};
}

}  // namespace

SourceMarkState sourceMark(const SaverSettings& settings, uint8_t companionState) {
  SourceMarkState state;
  state.connector = settings.linkState == 1;
  state.mark = CompanionLink::sourceMark(settings.linkState, settings.ownList, companionState);
  return state;
}

QString listName(const SaverSettings& settings, bool requireExisting) {
  if (settings.wordListPath == kDefaultWord) return kDefaultWord;
  if (requireExisting && !FileIo::isFile(settings.wordListPath)) return QString();
  return QFileInfo(settings.wordListPath).fileName();
}

QString nameLine(const QString& name) {
  return QStringLiteral("   Words-[ ") + name + QStringLiteral(" ]");
}

View assort(const QuorlSaver& saver) {
  const WordList& words = saver.words;
  const int n = words.count();
  View view;
  view.scrollEnabled = n > kRows;
  view.scrollMaximum = view.scrollEnabled ? n - kRows : 0;
  for (int r = 0; r < kRows && r < n; ++r) view.rows[r] = pairRow(words, r + 1);
  view.questionFont = words.questionFont;
  view.answerFont = words.answerFont;

  view.source = sourceMark(saver.settings, saver.companionState);
  view.name = !saver.extraSourceName().isEmpty()          ? saver.extraSourceName()
              : view.source.mark == SourceMark::Circle ? CompanionLink::kCompanionName
                                                       : listName(saver.settings, true);
  view.nameLine = nameLine(view.name);
  if (saver.extraSourceName().isEmpty() && !view.name.isEmpty() && view.name != kDefaultWord &&
      view.source.mark != SourceMark::Circle)
    view.namePath = saver.settings.wordListPath;
  return view;
}

std::array<std::optional<Row>, kRows> scrolled(const WordList& words, int value) {
  std::array<std::optional<Row>, kRows> rows;
  for (int r = 0; r < kRows; ++r)
    if (value >= 0 && r + value < words.count()) rows[r] = pairRow(words, r + value + 1);
  return rows;
}

}  // namespace WordPreview
