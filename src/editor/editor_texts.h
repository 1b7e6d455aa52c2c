#pragma once

#include <QString>
#include <QStringList>

#include "startup/companion_link.h"
#include "startup/startup_texts.h"
#include "startup/saver_settings.h"
#include "startup/word_list.h"

// Every text the editor shows in a message box, a choice dialog or a file
// dialog, in one place so that the window, the model, the list procedures and
// the tests agree on them byte for byte. (The window's own captions and tips
// are made with its controls.)
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
// An import given a picture, an archive or a program.
inline const QString kNotText = QStringLiteral("テキストファイルではありません");
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

// Shown when the only item would be deleted.
inline const QString kCannotDelete = QStringLiteral("これ以上削除できません!");

// Shown after one full pass of SEARCH without a match.
inline const QString kSearchNotFound = QStringLiteral("ありません。");

// The import dialogs' filters. Every failure of an import (missing or
// unreadable file, read error, no usable pair) shows kCannotOpen.
inline const QString kTextFilter = QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt;*.csv;*.tsv)|*.txt;*.csv;*.tsv");
// The import's last file type: a list whose name ends otherwise is still read.
inline const QString kAllFilesFilter = QStringLiteral("すべてのﾌｧｲﾙ(*)|*");
inline const QString kVcbFilter = QStringLiteral("Quorlingのﾌｧｲﾙ(*.vcb)|*.vcb");

// A flashcard package's questions: which deck (the first entry reads them
// all) and, for a note type of more than two fields, which two fields.
inline const QString kDeckQuestion = QStringLiteral("読み込むデッキを選んでください。");
inline const QString kDeckLabel = QStringLiteral("デッキ");
inline const QString kAllDecks = QStringLiteral("すべてのデッキ");
inline QString fieldsQuestion(const QString& noteType, int fields) {
  return QStringLiteral("ノートタイプ「%1」にはフィールドが%2個あります。").arg(noteType).arg(fields) +
         QStringLiteral("\r\n") + QStringLiteral("問題と答えにするフィールドを選んでください。");
}
inline const QString kQuestionFieldLabel = QStringLiteral("問題");
inline const QString kAnswerFieldLabel = QStringLiteral("答え");
inline const QString kSameFieldMessage = QStringLiteral("問題と答えには別々のフィールドを選んでください。");

// The three help messages of the import formats, lines joined by CR LF with
// no line end after the last.
inline QString csvHelpText() {
  return QStringList{
      QStringLiteral("表計算ｿﾌﾄなどで入力したcsv(ｺﾝﾏ区切り)ﾃﾞｰﾀを"),
      QStringLiteral("変換することが出来ます。"),
      QStringLiteral("------------------------------------------"),
      QStringLiteral("QUESTION,ANSWER"),
      QStringLiteral("QUESTION,ANSWER"),
      QStringLiteral("QUESTION,ANSWER"),
      QStringLiteral("QUESTION,ANSWER"),
      QStringLiteral("・・・・繰り返す"),
      QStringLiteral("------------------------------------------"),
      QStringLiteral("Questionにあたる文字とAnswerにあたる文字を"),
      QStringLiteral("横２列に並べて繰返します。３列目以降やﾃﾞｰﾀの上に"),
      QStringLiteral("余計な文字を入力してはいけません。"),
      QStringLiteral("作成後、csvﾌｧｲﾙ(*.csv)の書式でﾌｧｲﾙを"),
      QStringLiteral("保存します。これでｲﾝﾎﾟｰﾄできる書式に"),
      QStringLiteral("なります。"),
  }.join(QStringLiteral("\r\n"));
}

inline QString textHelpText() {
  return QStringList{
      QStringLiteral("ﾃｷｽﾄﾌｧｲﾙで入力したﾃﾞｰﾀを変換することが出来ます。"),
      QStringLiteral("------------------------------------------"),
      QStringLiteral("QUESTION"),
      QStringLiteral("ANSWER"),
      QStringLiteral("(改行のみ空白行)"),
      QStringLiteral("QUESTION"),
      QStringLiteral("ANSWER"),
      QStringLiteral("(改行のみ空白行)"),
      QStringLiteral("・・・・繰り返す"),
      QStringLiteral("------------------------------------------"),
      QStringLiteral("Questionにあたる文字・Answerにあたる文字・"),
      QStringLiteral("改行とそれぞれ１行づつで入力して繰り返します。"),
      QStringLiteral("作成後、ﾃｷｽﾄﾌｧｲﾙ(*.txt)の書式で"),
      QStringLiteral("ﾌｧｲﾙを保存します。これでｲﾝﾎﾟｰﾄできる書式に"),
      QStringLiteral("なります。"),
  }.join(QStringLiteral("\r\n"));
}

inline QString vcbHelpText() {
  return QStringList{
      QStringLiteral("ここで言うvcbﾌｧｲﾙはQuorlingの問題ﾃﾞｰﾀです。"),
      QStringLiteral("Quorlingをﾀﾞｳﾝﾛｰﾄﾞしていれば実行ファイル"),
      QStringLiteral("[Quorl.exe]のあるﾌｫﾙﾀﾞに最後がvcbになって"),
      QStringLiteral("いるﾌｧｲﾙがあります。これらはDriftglyphの形式へ"),
      QStringLiteral("変換できます。"),
      QStringLiteral("詳しくは") + kHelpPlace,
      QStringLiteral("をご覧ください！"),
  }.join(QStringLiteral("\r\n"));
}

// The words the file-name box and editFile use instead of a path.
inline const QString& kDefaultName = kDefaultWord;
inline const QString kNewName = QStringLiteral("NEW");
inline const QString& kCompanionName = CompanionLink::kCompanionName;

}  // namespace EditorTexts
