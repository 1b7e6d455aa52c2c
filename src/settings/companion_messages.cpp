#include "settings/companion_messages.h"

#include <QStringList>

#include "startup/startup_texts.h"

namespace CompanionMessages {

namespace {

QString lines(const QStringList& parts) { return parts.join(u'\n'); }

QString noWordsAfter(const QString& firstLine) {
  return lines({firstLine, QStringLiteral("現在は言葉が貯まっていません。"),
                QStringLiteral("Quorlingでトレーニングして"), QStringLiteral("Vocariumに言葉を貯めた状態で"),
                QStringLiteral("閉じてから、Driftglyphを"), QStringLiteral("起動してみてください。")});
}

}  // namespace

QString noWords() { return noWordsAfter(QStringLiteral("Quorlingとつながっていますが")); }

QString linkedNoWords() { return noWordsAfter(QStringLiteral("Quorlingとつながりましたが")); }

QString askSwitch() {
  return lines({QStringLiteral("Quorlingで今、貯まっている言葉が"), QStringLiteral("そのままDriftglyphで動くように"),
                QStringLiteral("なります。よろしいですか？")});
}

QString synced() { return QStringLiteral("Quorlingと同期しました"); }

QString kept(const QString& listName) {
  return lines({QStringLiteral("言葉のデータは"), QStringLiteral("[ ") + listName + QStringLiteral(" ]のままです。")});
}

QString already() {
  return lines({QStringLiteral("Quorlingと同期しています。"), QStringLiteral("別のデータを設定するのなら"),
                QStringLiteral("EDITボタンをクリックして編集してください。")});
}

QString askInstalled() {
  return lines({QStringLiteral("同期させるには"), QStringLiteral("Quorlingの実行ファイル[Quorl.exe]"),
                QStringLiteral("を探す必要があります。"), QStringLiteral("Quorlingはこのパソコンにインストール"),
                QStringLiteral("されていますか？")});
}

QString locate() {
  return lines({QStringLiteral("Quorlingのﾌｧｲﾙがｲﾝｽﾄｰﾙされている"), QStringLiteral("ﾌｫﾙﾀﾞへ移動して[Quorl.exe]を"),
                QStringLiteral("選択してください。")});
}

QString windowsProgram() {
  return QStringLiteral("QuorlingはWindowsのプログラムなので、Wineで入れたQuorlingのﾌｫﾙﾀﾞにある[Quorl.exe]を選んでください。");
}

QString advert() {
  return lines({QStringLiteral("Quorlingをﾀﾞｳﾝﾛｰﾄﾞして一緒に使えば"), QStringLiteral("Driftglyphの使い方も広がります！"),
                QStringLiteral("詳しくは") + kHelpPlace, QStringLiteral("をご覧ください！")});
}

}  // namespace CompanionMessages
