#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include "settings/background_choice.h"
#include "settings/settings_texts.h"
#include "settings_fixture.h"
#include "startup/quorl_saver.h"
#include "support/fake_user_dialogs.h"

using namespace SettingsFixture;

class TestBackgroundChoice : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void initialView_data();
  void initialView();
  void changeOpensWhereThePictureLies();
  void changeRecordsTheChosenFile();
  void choosingTheDefaultPictureFileReadsAsDefault();
  void cancelKeepsThePreviousChoice();
  void defaultStoresTheWord_data();
  void defaultStoresTheWord();

 private:
  QString home() const { return root_->filePath(QStringLiteral("home")); }
  QString pictures() const { return root_->filePath(QStringLiteral("pictures")); }
  std::unique_ptr<QTemporaryDir> root_;
  std::unique_ptr<QuorlSaver> saver_;
  FakeUserDialogs dialogs_;
};

void TestBackgroundChoice::init() {
  root_ = std::make_unique<QTemporaryDir>();
  saver_ = std::make_unique<QuorlSaver>(home());
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  QDir().mkpath(pictures());
  QDir().mkpath(home());
  QVERIFY(picture.save(saver_->defaultPicturePath(), "jpeg") && picture.save(QDir(pictures()).filePath(QStringLiteral("beach.jpg")), "jpeg"));
  dialogs_ = FakeUserDialogs();
}

void TestBackgroundChoice::initialView_data() {
  QTest::addColumn<QString>("backgroundPath");  // "@" stands for the pictures folder
  QTest::addColumn<bool>("defaultPictureExists");
  QTest::addColumn<QString>("shownPicture");    // "@" pictures folder, "~" home folder
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("defaultEnabled");
  QTest::addRow("the word DEFAULT") << "DEFAULT" << true << "~/DEFAULT.jpg" << "DEFAULT" << false;
  QTest::addRow("own picture") << "@/beach.jpg" << true << "@/beach.jpg" << "beach.jpg" << true;
  QTest::addRow("own picture gone") << "@/gone.jpg" << true << "~/DEFAULT.jpg" << "DEFAULT" << false;
  QTest::addRow("empty path") << "" << true << "~/DEFAULT.jpg" << "DEFAULT" << false;
  QTest::addRow("no default picture either") << "DEFAULT" << false << "" << "DEFAULT" << false;
}

void TestBackgroundChoice::initialView() {
  QFETCH(QString, backgroundPath);
  QFETCH(bool, defaultPictureExists);
  QFETCH(QString, shownPicture);
  QFETCH(QString, name);
  QFETCH(bool, defaultEnabled);
  const auto expand = [this](QString path) {
    return path.replace(QStringLiteral("@"), pictures()).replace(QStringLiteral("~"), home());
  };
  if (!defaultPictureExists) QFile::remove(saver_->defaultPicturePath());
  saver_->settings.backgroundPath = expand(backgroundPath);

  const BackgroundView view = BackgroundChoice::initial(*saver_);
  QCOMPARE(view.picturePath, expand(shownPicture));
  QCOMPARE(view.name, name);
  QCOMPARE(view.defaultEnabled, defaultEnabled);
}

void TestBackgroundChoice::changeOpensWhereThePictureLies() {
  saver_->settings.backgroundPath = QStringLiteral("DEFAULT");
  UserDialogs::FileRequest request = BackgroundChoice::changeRequest(*saver_);
  QCOMPARE(request.initialFolder, home());
  QCOMPARE(request.initialName, QString());
  QCOMPARE(request.filter, QStringLiteral("画像ﾌｧｲﾙ|*.png;*.jpg;*.jpeg;*.bmp;*.gif").append(
                               QImageReader::supportedImageFormats().contains("webp") ? ";*.webp" : ""));

  saver_->settings.backgroundPath = QDir(pictures()).filePath(QStringLiteral("beach.jpg"));
  request = BackgroundChoice::changeRequest(*saver_);
  QCOMPARE(request.initialFolder, pictures());
}

void TestBackgroundChoice::changeRecordsTheChosenFile() {
  const QString beach = QDir(pictures()).filePath(QStringLiteral("beach.jpg"));
  dialogs_.chooseFile(beach);
  const std::optional<BackgroundView> view = BackgroundChoice::change(*saver_, dialogs_);
  QVERIFY(view.has_value());
  QCOMPARE(*view, (BackgroundView{beach, QStringLiteral("beach.jpg"), true}));
  QCOMPARE(saver_->settings.backgroundPath, beach);
  QCOMPARE(dialogs_.fileDialogs.size(), 1);
  QCOMPARE(dialogs_.fileDialogs[0].request.initialFolder, home());  // it was DEFAULT before

  // The next CHANGE opens in the folder of the picture just chosen.
  dialogs_.chooseFile(QString());
  BackgroundChoice::change(*saver_, dialogs_);
  QCOMPARE(dialogs_.fileDialogs[1].request.initialFolder, pictures());
}

void TestBackgroundChoice::choosingTheDefaultPictureFileReadsAsDefault() {
  saver_->settings.backgroundPath = QDir(pictures()).filePath(QStringLiteral("beach.jpg"));
  dialogs_.chooseFile(saver_->defaultPicturePath());
  const std::optional<BackgroundView> view = BackgroundChoice::change(*saver_, dialogs_);
  QVERIFY(view.has_value());
  QCOMPARE(view->name, QStringLiteral("DEFAULT"));
  QVERIFY(!view->defaultEnabled);
  QCOMPARE(saver_->settings.backgroundPath, saver_->defaultPicturePath());  // the full path is stored
}

// Cancelled, or a file that is no picture (said so), the choice stays.
void TestBackgroundChoice::cancelKeepsThePreviousChoice() {
  const QString beach = QDir(pictures()).filePath(QStringLiteral("beach.jpg"));
  saver_->settings.backgroundPath = beach;
  dialogs_.chooseFile(QString());
  QVERIFY(!BackgroundChoice::change(*saver_, dialogs_).has_value());
  writeFile(QDir(pictures()).filePath(QStringLiteral("notes.jpg")), "not a picture");
  dialogs_.chooseFile(QDir(pictures()).filePath(QStringLiteral("notes.jpg")));
  QVERIFY(!BackgroundChoice::change(*saver_, dialogs_).has_value());
  QCOMPARE(dialogs_.messageTexts(), QStringList{SettingsTexts::kNotAPicture});
  QCOMPARE(saver_->settings.backgroundPath, beach);
}

void TestBackgroundChoice::defaultStoresTheWord_data() {
  QTest::addColumn<bool>("defaultPictureExists");
  QTest::addRow("default picture present") << true;
  QTest::addRow("default picture missing") << false;
}

void TestBackgroundChoice::defaultStoresTheWord() {
  QFETCH(bool, defaultPictureExists);
  if (!defaultPictureExists) QFile::remove(saver_->defaultPicturePath());
  saver_->settings.backgroundPath = QDir(pictures()).filePath(QStringLiteral("beach.jpg"));
  const BackgroundView view = BackgroundChoice::restoreDefault(*saver_);
  QCOMPARE(saver_->settings.backgroundPath, QStringLiteral("DEFAULT"));
  QCOMPARE(view.name, QStringLiteral("DEFAULT"));
  QVERIFY(!view.defaultEnabled);
  QCOMPARE(view.picturePath, defaultPictureExists ? saver_->defaultPicturePath() : QString());
}

QTEST_GUILESS_MAIN(TestBackgroundChoice)
#include "tst_background_choice.moc"
