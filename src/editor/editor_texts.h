#pragma once

#include <QString>

#include "startup/companion_link.h"
#include "startup/saver_settings.h"
#include "startup/word_list.h"

// Every text the editor shows in a message box or a file dialog, in one place
// so that the window, the model and the tests agree on them byte for byte.
namespace EditorTexts {

inline const QString kWindowTitle = QStringLiteral("Edit - Driftglyph");
inline const QString kListFilter = QStringLiteral("Driftglyph ﾌｧｲﾙ(*.dgl)|*.dgl");

// Asked before the working list is replaced (new, open, import). Its lines are
// joined by LF then CR, unlike the other questions.
inline const QString kReplaceQuestion =
    QStringLiteral("このまま進むと") + QStringLiteral("\n\r") + QStringLiteral("今編集しているデータが無くなります") +
    QStringLiteral("\n\r") + QStringLiteral("保存しますか？");

inline const QString kCloseQuestion = QStringLiteral("このまま閉じると現在編集しているデータは") +
                                      QStringLiteral("なくなります。") + QStringLiteral("\r\n") +
                                      QStringLiteral("保存しますか？");

inline const QString kOkQuestion = QStringLiteral("保存しないと現在編集しているデータは") +
                                   QStringLiteral("有効になりません。") + QStringLiteral("\r\n") +
                                   QStringLiteral("保存しますか？");

inline const QString kCannotOpen = QStringLiteral("ﾌｧｲﾙを開けません");
inline const QString kCannotSave = QStringLiteral("ﾌｧｲﾙを保存できません");
inline const QString kOverwriteQuestion = QStringLiteral("上書しますか？");
// Save as refuses an all-blank list with two exclamation marks, the writer with none.
inline const QString kNothingToSaveAs = QStringLiteral("何も無いので保存できません!!");
inline const QString kNothingToSave = QStringLiteral("何も無いので保存できません");

// A list was read with its pairs beyond the 32767th left out. A list that
// came from a file is not written back over it: saving it asks for a name.
// A file too long to count to its end has at least the pairs counted left.
inline QString pairsLeftOut(const LeftOut& leftOut, bool fromListFile) {
  const QString rest = leftOut.atLeast ? QStringLiteral("残りの%1項目以上は読み込んでいません。")
                                       : QStringLiteral("残りの%1項目は読み込んでいません。");
  QString text = QStringLiteral("項目が多すぎるので、最初の%1項目だけを読み込みました。").arg(kMaxPairs) + QStringLiteral("\r\n") +
                 rest.arg(leftOut.pairs);
  if (fromListFile)
    text += QStringLiteral("\r\n") + QStringLiteral("このﾌｧｲﾙには上書保存できません。") + QStringLiteral("\r\n") +
            QStringLiteral("保存するときは名前をつけて保存してください。");
  return text;
}

// The words the file-name box and editFile use instead of a path.
inline const QString& kDefaultName = kDefaultWord;
inline const QString kNewName = QStringLiteral("NEW");
inline const QString& kCompanionName = CompanionLink::kCompanionName;

}  // namespace EditorTexts
