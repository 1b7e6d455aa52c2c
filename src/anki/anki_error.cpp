#include "anki/anki_error.h"

namespace AnkiErrors {

QString japanese(AnkiError error) {
  switch (error) {
    case AnkiError::Unavailable: return QStringLiteral("このDriftglyphはAnkiのファイルを読めません。");
    case AnkiError::NotPackage:
      return QStringLiteral("Ankiのパッケージ(zip)として読めません。ファイルが壊れているか、途中で切れています。");
    case AnkiError::BadMeta: return QStringLiteral("Ankiのパッケージの版情報(meta)が壊れています。");
    case AnkiError::TooNew:
      return QStringLiteral("このAnkiのパッケージは新しすぎて読めません。Ankiで「古いバージョンと互換性を保つ」を選んで書き出してください。");
    case AnkiError::TooLarge:
      return QStringLiteral("Ankiのパッケージの中身が大きすぎます(展開すると1GBを超えます)。読み込みを中止しました。");
    case AnkiError::NoCollection: return QStringLiteral("Ankiのコレクション(collection.anki2)が見つかりません。");
    case AnkiError::NotCollection:
      return QStringLiteral("Ankiのコレクションとして読めません。壊れているか、暗号化されています。");
    case AnkiError::UnknownSchema: return QStringLiteral("このAnkiのコレクションは形式(版)が違うため読めません。");
    case AnkiError::Locked:
      return QStringLiteral("Ankiが開いているため、コレクションを読めません。Ankiを閉じてからもう一度お試しください。");
    case AnkiError::NoDeck: return QStringLiteral("指定されたデッキがありません。");
    case AnkiError::NoPairs: return QStringLiteral("問題と答えになるノートがありません。");
    case AnkiError::Cancelled: return QStringLiteral("読み込みを中止しました。");
    case AnkiError::WriteFailed: return QStringLiteral("一時ファイルを書けません。ディスクの空きを確かめてください。");
    case AnkiError::NoPermission: return QStringLiteral("Ankiのファイルを読む権限がありません。");
    case AnkiError::Encrypted: return QStringLiteral("Ankiのパッケージが暗号化されているため読めません。");
    case AnkiError::NoSuchField: return QStringLiteral("指定されたフィールドはどのノートタイプにもありません。");
    case AnkiError::TooHeavy:
      return QStringLiteral("Ankiのコレクションを読むのに時間かメモリがかかりすぎるため、読み込みを中止しました。");
  }
  return {};
}

QString english(AnkiError error) {
  switch (error) {
    case AnkiError::Unavailable: return QStringLiteral("Anki files are not available in this build");
    case AnkiError::NotPackage: return QStringLiteral("not a zip file, or a truncated or damaged one");
    case AnkiError::BadMeta: return QStringLiteral("the package's meta member is not readable");
    case AnkiError::TooNew: return QStringLiteral("package version too new");
    case AnkiError::TooLarge: return QStringLiteral("a member decompresses to more than 1 GiB; refused");
    case AnkiError::NoCollection: return QStringLiteral("no collection found");
    case AnkiError::NotCollection: return QStringLiteral("not an Anki collection (not SQLite, encrypted or damaged)");
    case AnkiError::UnknownSchema: return QStringLiteral("unknown collection schema");
    case AnkiError::Locked: return QStringLiteral("the collection is locked by another program (Anki is open)");
    case AnkiError::NoDeck: return QStringLiteral("no such deck");
    case AnkiError::NoPairs: return QStringLiteral("no note gives a question and an answer");
    case AnkiError::Cancelled: return QStringLiteral("cancelled");
    case AnkiError::WriteFailed: return QStringLiteral("cannot write the temporary copy");
    case AnkiError::NoPermission: return QStringLiteral("no permission to read the file");
    case AnkiError::Encrypted: return QStringLiteral("the package is encrypted");
    case AnkiError::NoSuchField: return QStringLiteral("no note type has the fields named");
    case AnkiError::TooHeavy: return QStringLiteral("reading the collection took too long or too much memory; refused");
  }
  return {};
}

}  // namespace AnkiErrors
