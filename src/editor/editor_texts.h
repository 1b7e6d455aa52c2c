#pragma once

#include <QString>
#include <QStringList>

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

// What a list's file held that was not read as it stands: pairs beyond the
// 32767th or beyond the part of a long file that was read (a file too long
// to count to its end has at least the pairs counted left), and lines with
// bytes that are no text. Empty when the file was read whole. A list that
// came from a file is not written back over it: saving it asks for a name.
inline QString leftOutMessage(const LeftOut& leftOut, int pairsRead, bool fromListFile) {
  QStringList lines;
  if (leftOut.pairs > 0) {
    lines << (pairsRead >= kMaxPairs ? QStringLiteral("項目が多すぎるので、最初の%1項目だけを読み込みました。")
                                     : QStringLiteral("ﾌｧｲﾙが大きすぎるので、最初の%1項目だけを読み込みました。"))
                 .arg(pairsRead)
          << (leftOut.atLeast ? QStringLiteral("残りの%1項目以上は読み込んでいません。")
                              : QStringLiteral("残りの%1項目は読み込んでいません。"))
                 .arg(leftOut.pairs);
  }
  if (leftOut.beyondCount > 0)
    lines << QStringLiteral("1行目の項目数より後にある%1項目は読み込んでいません。").arg(leftOut.beyondCount);
  if (fromListFile && leftOut.any() && !lines.isEmpty())
    lines << QStringLiteral("このﾌｧｲﾙには上書保存できません。") << QStringLiteral("保存するときは名前をつけて保存してください。");
  if (leftOut.badLines > 0)
    lines << QStringLiteral("%1行に読めない文字があったので、「\uFFFD」に置き換えました。").arg(leftOut.badLines);
  return lines.join(QStringLiteral("\r\n"));
}

// Asked before a list's file is written over when it changed since it was read.
inline const QString kChangedOnDiskQuestion = QStringLiteral("このﾌｧｲﾙは読み込んだ後にほかで変更されています。") +
                                              QStringLiteral("\r\n") +
                                              QStringLiteral("上書するとその変更は失われます。上書しますか？");

// Asked before a list read with unreadable characters is written over its file.
inline const QString kOverwriteBadLinesQuestion = QStringLiteral("このﾌｧｲﾙには読めない文字がありました。") +
                                                  QStringLiteral("\r\n") +
                                                  QStringLiteral("上書すると元の文字には戻せません。上書しますか？");

// The words the file-name box and editFile use instead of a path.
inline const QString& kDefaultName = kDefaultWord;
inline const QString kNewName = QStringLiteral("NEW");
inline const QString& kCompanionName = CompanionLink::kCompanionName;

}  // namespace EditorTexts
