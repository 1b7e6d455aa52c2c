#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "settings/companion_messages.h"
#include "settings/companion_sync.h"
#include "startup/paths.h"
#include "startup/startup_texts.h"
#include "settings_fixture.h"
#include "startup/quorl_saver.h"
#include "support/fake_user_dialogs.h"

using namespace SettingsFixture;
using Answer = UserDialogs::Answer;
using Buttons = UserDialogs::Buttons;
using Outcome = CompanionSync::Outcome;

class TestCompanionSync : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void linkedAndFollowing_data();
  void linkedAndFollowing();
  void ownListSwitchedToCompanion();
  void ownListSwitchRefusedKeepsList_data();
  void ownListSwitchRefusedKeepsList();
  void switchWithoutCompanionWords();
  void notLinkedDeclinedShowsAdvert();
  void notLinkedLocatesCompanion_data();
  void notLinkedLocatesCompanion();
  void locatedCompanionWithoutWords();
  void locateIgnoresOtherChoices_data();
  void locateIgnoresOtherChoices();
  void messagesWordForWord();

 private:
  QString companionFolder() const { return root_->filePath(QStringLiteral("Quorling")); }
  std::unique_ptr<QTemporaryDir> root_;
  std::unique_ptr<QuorlSaver> saver_;
  FakeUserDialogs dialogs_;
};

void TestCompanionSync::init() {
  root_ = std::make_unique<QTemporaryDir>();
  saver_ = std::make_unique<QuorlSaver>(root_->filePath(QStringLiteral("home")));
  saver_->words = numberedList(3, QStringLiteral("own-"));
  dialogs_ = FakeUserDialogs();
}

void TestCompanionSync::linkedAndFollowing_data() {
  QTest::addColumn<int>("companionState");
  QTest::addColumn<QString>("message");
  QTest::addRow("words present") << 0 << CompanionMessages::already();
  QTest::addRow("no words yet") << 1 << CompanionMessages::noWords();
}

void TestCompanionSync::linkedAndFollowing() {
  QFETCH(int, companionState);
  QFETCH(QString, message);
  saver_->settings.linkState = 1;
  saver_->settings.ownList = 0;
  saver_->companionState = uint8_t(companionState);
  const SaverSettings before = saver_->settings;
  const WordList wordsBefore = saver_->words;

  QCOMPARE(CompanionSync::run(*saver_, dialogs_), Outcome::Unchanged);
  QCOMPARE(dialogs_.messageTexts(), QStringList{message});
  QCOMPARE(dialogs_.messages[0].buttons, Buttons::Ok);
  QCOMPARE(saver_->settings, before);
  QCOMPARE(saver_->words, wordsBefore);
  QVERIFY(dialogs_.fileDialogs.isEmpty());
}

void TestCompanionSync::ownListSwitchedToCompanion() {
  makeCompanion(companionFolder(), {{"犬", "dog"}, {"猫", "cat"}});
  saver_->settings.linkState = 1;
  saver_->settings.companionFolder = companionFolder();
  saver_->settings.ownList = 1;
  saver_->companionState = 2;
  dialogs_.answer(Answer::Yes);

  QCOMPARE(CompanionSync::run(*saver_, dialogs_), Outcome::WordsChanged);
  QCOMPARE(dialogs_.messageTexts(), (QStringList{CompanionMessages::askSwitch(), CompanionMessages::synced()}));
  QCOMPARE(dialogs_.messages[0].buttons, Buttons::YesNo);
  QCOMPARE(saver_->settings.ownList, uint8_t(0));
  QCOMPARE(saver_->companionState, uint8_t(0));
  QCOMPARE(saver_->words.count(), 2);
  QCOMPARE(saver_->words.question(2), QStringLiteral("猫"));
}

void TestCompanionSync::ownListSwitchRefusedKeepsList_data() {
  QTest::addColumn<QString>("listPath");
  QTest::addColumn<QString>("shownName");
  QTest::addRow("default list") << "DEFAULT" << "DEFAULT";
  QTest::addRow("own file") << "/somewhere/lists/verbs.dgl" << "verbs.dgl";
}

void TestCompanionSync::ownListSwitchRefusedKeepsList() {
  QFETCH(QString, listPath);
  QFETCH(QString, shownName);
  makeCompanion(companionFolder(), {{"犬", "dog"}});
  saver_->settings.linkState = 1;
  saver_->settings.companionFolder = companionFolder();
  saver_->settings.ownList = 1;
  saver_->settings.wordListPath = listPath;
  const SaverSettings before = saver_->settings;
  dialogs_.answer(Answer::No);

  QCOMPARE(CompanionSync::run(*saver_, dialogs_), Outcome::Unchanged);
  QCOMPARE(dialogs_.messageTexts().last(),
           QStringLiteral("言葉のデータは\n[ ") + shownName + QStringLiteral(" ]のままです。"));
  QCOMPARE(saver_->settings, before);
  QCOMPARE(saver_->words.question(1), QStringLiteral("own-q1"));
}

void TestCompanionSync::switchWithoutCompanionWords() {
  makeCompanion(companionFolder(), {});  // the trainer is there but holds no index yet
  saver_->settings.linkState = 1;
  saver_->settings.companionFolder = companionFolder();
  saver_->settings.ownList = 1;
  dialogs_.answer(Answer::Yes);

  QCOMPARE(CompanionSync::run(*saver_, dialogs_), Outcome::MarkChanged);
  QCOMPARE(dialogs_.messageTexts(), (QStringList{CompanionMessages::askSwitch(), CompanionMessages::linkedNoWords()}));
  QCOMPARE(saver_->settings.ownList, uint8_t(0));
  QCOMPARE(saver_->companionState, uint8_t(1));
  QCOMPARE(saver_->words.question(1), QStringLiteral("own-q1"));  // the own words stay on show
}

void TestCompanionSync::notLinkedDeclinedShowsAdvert() {
  saver_->settings.linkState = 2;
  const SaverSettings before = saver_->settings;
  dialogs_.answer(Answer::No);

  QCOMPARE(CompanionSync::run(*saver_, dialogs_), Outcome::Unchanged);
  QCOMPARE(dialogs_.messageTexts(), (QStringList{CompanionMessages::askInstalled(), CompanionMessages::advert()}));
  QCOMPARE(dialogs_.messages[0].buttons, Buttons::YesNo);
  QVERIFY(dialogs_.messageTexts().last().contains(QStringLiteral("詳しくは") + kHelpPlace + QStringLiteral("\n")));
  QVERIFY(dialogs_.fileDialogs.isEmpty());
  QCOMPARE(saver_->settings, before);
}

void TestCompanionSync::notLinkedLocatesCompanion_data() {
  QTest::addColumn<int>("linkState");
  QTest::addColumn<int>("ownList");
  // Off Windows the chooser starts in Wine's programs folder, else the home; on Windows at the drive's root.
  QTest::addColumn<bool>("winePrefix");
  QTest::addRow("never looked for, with a Wine prefix") << 0 << 0 << true;
  QTest::addRow("not found, own list, without Wine") << 2 << 1 << false;
}

void TestCompanionSync::notLinkedLocatesCompanion() {
  QFETCH(int, linkState);
  QFETCH(int, ownList);
  QFETCH(bool, winePrefix);
  const QTemporaryDir wine;
  QVERIFY(!winePrefix || QDir(wine.path()).mkpath(QStringLiteral("drive_c/Program Files")));
  qputenv("WINEPREFIX", wine.path().toUtf8());
  const auto restore = qScopeGuard([] { qunsetenv("WINEPREFIX"); });
  makeCompanion(companionFolder(), {{"犬", "dog"}, {"猫", "cat"}, {"鳥", "bird"}});
  saver_->settings.linkState = uint8_t(linkState);
  saver_->settings.ownList = uint8_t(ownList);
  dialogs_.answer(Answer::Yes);
  dialogs_.chooseFile(QDir(companionFolder()).filePath(QStringLiteral("Quorl.exe")));

  QCOMPARE(CompanionSync::run(*saver_, dialogs_), Outcome::WordsChanged);
  QCOMPARE(dialogs_.messageTexts(), (QStringList{CompanionMessages::askInstalled(), CompanionMessages::locate(),
                                                 CompanionMessages::synced()}));
  QCOMPARE(dialogs_.fileDialogs.size(), 1);
  const UserDialogs::FileRequest& request = dialogs_.fileDialogs[0].request;
  QCOMPARE(request.filter, QStringLiteral("Quorl.exe|Quorl.exe"));
  QCOMPARE(request.initialName, QString());
  const QString drive = Paths::driveOf(saver_->homeFolder());
  QCOMPARE(request.initialFolder, !drive.isEmpty() ? drive + u'/' : winePrefix ? wine.filePath("drive_c/Program Files") : QDir::homePath());
  QCOMPARE(request.note, drive.isEmpty() ? CompanionMessages::windowsProgram() : QString());
  QCOMPARE(saver_->settings.linkState, uint8_t(1));
  QCOMPARE(saver_->settings.ownList, uint8_t(0));
  QCOMPARE(saver_->settings.companionFolder, companionFolder());
  QCOMPARE(saver_->companionState, uint8_t(0));
  QCOMPARE(saver_->words.count(), 3);
  QCOMPARE(saver_->words.answer(3), QStringLiteral("bird"));
}

void TestCompanionSync::locatedCompanionWithoutWords() {
  makeCompanion(companionFolder(), {});
  saver_->settings.linkState = 2;
  dialogs_.answer(Answer::Yes);
  dialogs_.chooseFile(QDir(companionFolder()).filePath(QStringLiteral("Quorl.exe")));

  QCOMPARE(CompanionSync::run(*saver_, dialogs_), Outcome::MarkChanged);
  QCOMPARE(dialogs_.messageTexts().last(), CompanionMessages::linkedNoWords());
  QCOMPARE(saver_->settings.linkState, uint8_t(1));
  QCOMPARE(saver_->companionState, uint8_t(1));
  QCOMPARE(saver_->words.question(1), QStringLiteral("own-q1"));
}

void TestCompanionSync::locateIgnoresOtherChoices_data() {
  QTest::addColumn<QString>("executable");  // the file placed in the companion folder
  QTest::addColumn<QString>("chosen");      // relative to the companion folder; "" = cancelled
  QTest::addRow("cancelled") << "Quorl.exe" << "";
  QTest::addRow("lower-case quorl.exe") << "quorl.exe" << "quorl.exe";
  QTest::addRow("upper-case QUORL.EXE") << "QUORL.EXE" << "QUORL.EXE";
  QTest::addRow("another program") << "Quorl.exe" << "Status.ini";
  QTest::addRow("Quorl.exe that is not there") << "Quorl.exe" << "elsewhere/Quorl.exe";
}

void TestCompanionSync::locateIgnoresOtherChoices() {
  QFETCH(QString, executable);
  QFETCH(QString, chosen);
  makeCompanion(companionFolder(), {{"犬", "dog"}}, executable);
  saver_->settings.linkState = 2;
  const SaverSettings before = saver_->settings;
  const WordList wordsBefore = saver_->words;
  dialogs_.answer(Answer::Yes);
  dialogs_.chooseFile(chosen.isEmpty() ? QString() : QDir(companionFolder()).filePath(chosen));

  QCOMPARE(CompanionSync::run(*saver_, dialogs_), Outcome::Unchanged);
  QCOMPARE(dialogs_.messageTexts(), (QStringList{CompanionMessages::askInstalled(), CompanionMessages::locate()}));
  QCOMPARE(saver_->settings, before);
  QCOMPARE(saver_->words, wordsBefore);
}

void TestCompanionSync::messagesWordForWord() {
  QCOMPARE(CompanionMessages::noWords(),
           QStringLiteral("Quorlingとつながっていますが\n現在は言葉が貯まっていません。\nQuorlingでトレーニングして\n"
                          "Vocariumに言葉を貯めた状態で\n閉じてから、Driftglyphを\n起動してみてください。"));
  QVERIFY(CompanionMessages::linkedNoWords().startsWith(QStringLiteral("Quorlingとつながりましたが\n現在は")));
  QCOMPARE(CompanionMessages::askSwitch(),
           QStringLiteral("Quorlingで今、貯まっている言葉が\nそのままDriftglyphで動くように\nなります。よろしいですか？"));
  QCOMPARE(CompanionMessages::synced(), QStringLiteral("Quorlingと同期しました"));
  QCOMPARE(CompanionMessages::already(),
           QStringLiteral("Quorlingと同期しています。\n別のデータを設定するのなら\nEDITボタンをクリックして編集してください。"));
  QCOMPARE(CompanionMessages::askInstalled(),
           QStringLiteral("同期させるには\nQuorlingの実行ファイル[Quorl.exe]\nを探す必要があります。\n"
                          "Quorlingはこのパソコンにインストール\nされていますか？"));
  QCOMPARE(CompanionMessages::locate(),
           QStringLiteral("Quorlingのﾌｧｲﾙがｲﾝｽﾄｰﾙされている\nﾌｫﾙﾀﾞへ移動して[Quorl.exe]を\n選択してください。"));
  QCOMPARE(CompanionMessages::advert(),
           QStringLiteral("Quorlingをﾀﾞｳﾝﾛｰﾄﾞして一緒に使えば\nDriftglyphの使い方も広がります！\n詳しくは") + kHelpPlace +
               QStringLiteral("\nをご覧ください！"));
}

QTEST_GUILESS_MAIN(TestCompanionSync)
#include "tst_companion_sync.moc"
