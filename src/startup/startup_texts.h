#pragma once

#include <QDir>
#include <QString>

// Every text of the files layer that reaches the user, in Japanese: why a
// file was not written or read whole, and where the program's own help is.

// Where the program's own help is, named where the settings and the editor
// point users further: the manual page, or the read-me beside the program.
#ifdef Q_OS_WIN
inline const QString kHelpPlace = QStringLiteral("ﾌﾟﾛｸﾞﾗﾑと同じﾌｫﾙﾀﾞの「readme-ja.txt」");
#else
inline const QString kHelpPlace = QStringLiteral("ﾏﾆｭｱﾙ「man driftglyph」");
#endif

namespace StartupTexts {

// Why a home folder cannot hold the settings.
inline QString folderMissing() { return QStringLiteral("フォルダがありません。"); }
inline QString folderIsFile() { return QStringLiteral("フォルダではなくファイルです。"); }
inline QString folderNotWritable(const QString& reason) { return QStringLiteral("書き込めません（%1）。").arg(reason); }

// Why a file in the home folder is not written.
inline QString settingsNotWritten(const QString& path) {
  return QStringLiteral("設定ファイル %1 に書き込めません。").arg(path);
}
inline QString linkLeadsOutside(const QString& path) {
  return QStringLiteral("%1 はフォルダの外を指すリンクなので、書き込みません。").arg(QDir::toNativeSeparators(path));
}

// Why a word list is not written.
inline QString tooManyPairs(int maxPairs) { return QStringLiteral("単語リストに入る項目は%1個までです。").arg(maxPairs); }
inline QString listTooLarge(qint64 maxMegabytes) {
  return QStringLiteral("単語リストが大きすぎます（%1MBまで）。項目を減らすか、短くしてください。").arg(maxMegabytes);
}

// Notes of a flashcard file that were not read, one line per reason.
inline QString notesEmpty(int count) { return QStringLiteral("%1件は問題か答えが空のため読み込んでいません。").arg(count); }
inline QString notesOneField(int count) {
  return QStringLiteral("%1件はフィールドが1つしかないため読み込んでいません。").arg(count);
}
inline QString notesTooLong(int count, int maxChars) {
  return QStringLiteral("%1件は%2文字を超えるため読み込んでいません。").arg(count).arg(maxChars);
}
inline QString notesPictures(int count) {
  return QStringLiteral("%1件は画像の穴埋め(イメージオクルージョン)のため読み込んでいません。").arg(count);
}

}  // namespace StartupTexts
