#include <QAction>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QCheckBox>
#include <QtTest>

#include "editor/editor_texts.h"
#include "editor/frm_edit.h"
#include "desktop/clipboard.h"
#include "display/raster_frame_surface.h"
#include "patterns/pattern.h"
#include "settings/background_choice.h"
#include "settings/companion_messages.h"
#include "settings/frm_setting.h"
#include "settings/settings_texts.h"
#include "settings/source_mark_view.h"
#include "settings_fixture.h"
#include "startup/extra_settings.h"
#include "startup/quorl_saver.h"
#include "support/fake_user_dialogs.h"

using namespace SettingsFixture;

namespace {

class MemoryClipboard final : public Clipboard {
 public:
  QString text() const override { return text_; }
  void setText(const QString& text) override { text_ = text; }

 private:
  QString text_;
};

// A home folder with settings, lists and pictures, and the dialog over it.
struct Rig {
  QTemporaryDir root;
  QuorlSaver saver{root.filePath(QStringLiteral("home"))};
  FakeUserDialogs dialogs;
  MemoryClipboard clipboard;
  std::unique_ptr<frmSetting> dialog;

  QString home() const { return saver.homeFolder(); }
  QString path(const QString& name) const { return root.filePath(name); }
  QString settingsFile() const { return saver.settingsPath(); }

  // Writes the settings file and opens the dialog; returns once its controls are filled.
  void open(const SaverSettings& settings) {
    writeSettings(home(), settings);
    dialog = std::make_unique<frmSetting>(saver, dialogs, clipboard, [](QuorlSaver& shown) {
      return new frmMainDGL(shown, Patterns::table(), DisplayRun::Trial, [](QWidget& window) {
        return std::unique_ptr<FrameSurface>(std::make_unique<RasterFrameSurface>(window));
      });
    });
    dialog->show();
    QTRY_VERIFY(!dialog->tmSetPending());
  }

  template <typename T>
  T* find(const QString& name) const {
    T* child = dialog->findChild<T*>(name);
    if (!child) qFatal("no control %s", qPrintable(name));
    return child;
  }
  QAction* action(const QString& name) const { return find<QAction>(name); }
  QLabel* label(const QString& name) const { return find<QLabel>(name); }
  QPushButton* button(const QString& name) const { return find<QPushButton>(name); }
  QListWidget* patterns() const { return find<QListWidget>(QStringLiteral("lstStl")); }
  QScrollBar* speedBar() const { return find<QScrollBar>(QStringLiteral("hscSpd")); }
  QScrollBar* wordBar() const { return find<QScrollBar>(QStringLiteral("vscCtt")); }

  QList<int> checkedSpeedItems() const {
    QList<int> checked;
    for (int i = 1; i <= 7; ++i)
      if (action(QStringLiteral("mitS%1").arg(i))->isChecked()) checked.append(i);
    return checked;
  }
  QColor swatch(const QString& name) const { return find<QFrame>(name)->palette().color(QPalette::Window); }
  QColor rowBackground(const QString& name) const { return label(name)->palette().color(QPalette::Window); }
};

QString writePicture(const QString& path, QSize size) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  if (!image.save(path)) qFatal("cannot write %s", qPrintable(path));
  return path;
}

// The settings of a user who has been at it: some patterns out, in order,
// speed 5, red questions, blue answers, an own list of ten pairs.
SaverSettings usedSettings(const Rig& rig) {
  SaverSettings s;
  s.linkState = 2;
  s.patternOrder = 1;
  s.patternExcluded = {0, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1};
  s.speed = 5;
  s.questionColor = 0x000000FF;
  s.answerColor = 0x00FF0000;
  s.wordOrder = 1;
  s.wordListPath = rig.path(QStringLiteral("lists/animals.dgl"));
  writeList(s.wordListPath, numberedList(10));
  return s;
}

}  // namespace

class TestFrmSetting : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheStoredSettings();
  void captionsAndMenus();
  void untickingEveryPatternAndOkStoresSixteenFlags();
  void displayBoxesStoreDriftglyphIni();
  void patternMenuAndListMirrorEachOther();
  void orderMenusSelectTheOptions();
  void speedMenuAndBarMirrorEachOther();
  void longNamesKeepTheDesignedSize();
  void listLongerThanTheSaverHoldsIsAnnounced();
  void cancelEscapeAndCloseBoxWriteNothing_data();
  void cancelEscapeAndCloseBoxWriteNothing();
  void enterPressesOk();
  void colourChooserKeepsColourOnCancel();
  void shortListBlanksRowsAndLongerListRestoresThem();
  void scrollingToTheEnd();
  void companionButtonAndMenuItem();
  void backgroundChangeAndDefault();
  void trialRunsWithUnsavedSettingsAndReturns();
  void editorAppliedListRefreshesThePreview_data();
  void editorAppliedListRefreshesThePreview();
};

void TestFrmSetting::opensWithTheStoredSettings() {
  Rig rig;
  writePicture(rig.saver.defaultPicturePath(), QSize(64, 48));
  const SaverSettings stored = usedSettings(rig);
  rig.open(stored);

  QCOMPARE(rig.dialog->windowTitle(), QStringLiteral("Driftglyph 設定"));
  for (int k = 0; k < 16; ++k) {
    const bool takesPart = stored.patternExcluded[k] == 0;
    QCOMPARE(rig.patterns()->item(k)->checkState() == Qt::Checked, takesPart);
    QCOMPARE(rig.action(QStringLiteral("mitP%1").arg(k))->isChecked(), takesPart);
  }
  QVERIFY(rig.find<QRadioButton>(QStringLiteral("optQuo1"))->isChecked());
  QVERIFY(rig.action(QStringLiteral("mitPo1"))->isChecked());
  QVERIFY(!rig.action(QStringLiteral("mitPo0"))->isChecked());
  QCOMPARE(rig.speedBar()->value(), 5);
  QCOMPARE(rig.label(QStringLiteral("lblSpd"))->text(), QStringLiteral("5"));
  QCOMPARE(rig.checkedSpeedItems(), QList<int>{5});
  QCOMPARE(rig.swatch(QStringLiteral("shpCq")), QColor(255, 0, 0));
  QCOMPARE(rig.swatch(QStringLiteral("shpCa")), QColor(0, 0, 255));
  QVERIFY(rig.find<QRadioButton>(QStringLiteral("optCtt1"))->isChecked());
  QVERIFY(rig.action(QStringLiteral("mitWo1"))->isChecked());
  QVERIFY(!rig.action(QStringLiteral("mitWo0"))->isChecked());

  QCOMPARE(rig.label(QStringLiteral("lblContents"))->text(), QStringLiteral("   Words-[ animals.dgl ]"));
  QCOMPARE(rig.label(QStringLiteral("lblCtt0"))->text(), QStringLiteral("q1"));
  QCOMPARE(rig.label(QStringLiteral("lblCttA6"))->text(), QStringLiteral("a7"));
  QCOMPARE(rig.label(QStringLiteral("lblCtt0"))->font().family(), QStringLiteral("IPAPGothic"));
  QVERIFY(rig.wordBar()->isEnabled());
  QCOMPARE(rig.wordBar()->maximum(), 3);
  QCOMPARE(rig.find<SourceMarkView>(QStringLiteral("quorlMark"))->state(), SourceMarkState{});

  QCOMPARE(rig.label(QStringLiteral("lblBGname"))->text(), QStringLiteral("DEFAULT"));
  QVERIFY(!rig.button(QStringLiteral("cmdBGdflt"))->isEnabled());
  QVERIFY(!rig.action(QStringLiteral("mitBdefault"))->isEnabled());
  QCOMPARE(rig.label(QStringLiteral("picBG"))->pixmap().size(), QSize(64, 48));

  // Filling the controls ran the controls' own handlers; the settings are as stored.
  QCOMPARE(rig.saver.settings, stored);
}

void TestFrmSetting::captionsAndMenus() {
  Rig rig;
  rig.open(SaverSettings{});
  const QList<std::array<QString, 3>> buttons{
      {"cmdCq", "Q-Color", "QUESTIONの色変更"},  {"cmdCa", "A-Color", "ANSWERの色変更"},
      {"cmdCtts", "E D I T", "言葉の内容を編集する"}, {"cmdQuorl", "QUORL", "Quorlingとの同期"},
      {"cmdBGchg", "CHANGE", "背景変更"},          {"cmdBGdflt", "DEFAULT", "初期設定の背景に戻す"},
      {"cmdTry", "TRY !", "試しに見てみる"},       {"cmdOK", "O  K", "設定を適用させる"},
      {"cmdCcl", "Cancel", "ｷｬﾝｾﾙ"}};
  for (const auto& [name, caption, tip] : buttons) {
    QCOMPARE(rig.button(name)->text(), caption);
    QCOMPARE(rig.button(name)->toolTip(), tip);
  }
  QVERIFY(rig.button(QStringLiteral("cmdOK"))->isDefault());
  QCOMPARE(rig.label(QStringLiteral("lblSpd"))->toolTip(), QStringLiteral("ｽﾋﾟｰﾄﾞ(数字が大きいほど速い)"));
  QCOMPARE(rig.label(QStringLiteral("picBG"))->toolTip(), QStringLiteral("背景の表示"));
  QCOMPARE(rig.label(QStringLiteral("lblBGname"))->toolTip(), QStringLiteral("背景の名前"));
  QCOMPARE(rig.find<QRadioButton>(QStringLiteral("optQuo0"))->toolTip(), QStringLiteral("順番バラバラ"));
  QCOMPARE(rig.find<QRadioButton>(QStringLiteral("optQuo1"))->toolTip(), QStringLiteral("順番通り"));
  QCOMPARE(rig.find<QRadioButton>(QStringLiteral("optCtt0"))->toolTip(), QStringLiteral("順番バラバラ"));

  QStringList labels;
  for (const QLabel* label : rig.dialog->findChildren<QLabel*>()) labels.append(label->text());
  for (const char* text : {" P a t t e r n", "S p e e d", "C o l o r", " Question", " Answer", "BackGround",
                           "QUESTION", "ANSWER", "Low", "High", "  Random", "  In  Order"})
    QVERIFY2(labels.contains(QString::fromUtf8(text)), text);

  QStringList menus;
  QStringList items;
  for (QAction* menuAction : rig.find<QMenuBar>(QStringLiteral("menuBar"))->actions()) {
    menus.append(menuAction->text());
    for (QAction* item : menuAction->menu()->actions())
      items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
  }
  QCOMPARE(menus, (QStringList{"Pattern様式(&P)", "Speed速度(&S)", "Background背景(&B)", "Words語(&W)", "Color色(&C)"}));
  QCOMPARE(items,
           (QStringList{"Random 順番バラバラ", "In Order 順序通り", "-", "Waterdrop 水滴", "Dancing 踊り", "Tornado 竜巻",
                        "Insects 虫", "Highway 高速道路", "Fireball 花火", "Leaves 落ち葉", "Ripples さざなみ",
                        "Pulse 鼓動", "Sardines いわし", "Knot 結び目", "Brick 積木", "MerryGoRound ﾒﾘｰｺﾞｰﾗﾝﾄﾞ",
                        "Eagle 鷹", "Amoeba アメーバ", "Volcano 火山",
                        "1 LOW 遅い", "2     ｜", "3     ｜", "4     ｜", "5     ｜", "6     ↓", "7 HIGH 速い",
                        "CHANGE 変更して画像ﾌｧｲﾙを開く", "DEFAULT 最初の設定に戻す",
                        "EDIT 編集画面へ", "QUORL Quorlingと同期", "-", "Random 順番バラバラ", "In Order 順序通り",
                        "Q-Color 色変更", "A-Color 色変更"}));
  QStringList names;
  for (int k = 0; k < 16; ++k) names.append(rig.patterns()->item(k)->text());
  QCOMPARE(names, (QStringList{"Waterdrop", "Dancing", "Tornado", "Insects", "Highway", "Fireball", "Leaves",
                               "Ripples", "Pulse", "Sardines", "Knot", "Brick", "MerryGoRound", "Eagle", "Amoeba",
                               "Volcano"}));
}

void TestFrmSetting::untickingEveryPatternAndOkStoresSixteenFlags() {
  Rig rig;
  rig.open(SaverSettings{});
  QListWidget* list = rig.patterns();
  list->setFocus();
  for (int k = 0; k < 16; ++k) {
    list->setCurrentRow(k);
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(list->item(k)->checkState(), Qt::Unchecked);
    QVERIFY(!rig.action(QStringLiteral("mitP%1").arg(k))->isChecked());
  }
  QTest::mouseClick(rig.button(QStringLiteral("cmdOK")), Qt::LeftButton);

  QCOMPARE(rig.dialog->result(), int(QDialog::Accepted));
  QVERIFY(!rig.dialog->isVisible());
  const SaverSettings saved = SettingsFile::parse(readFile(rig.settingsFile())).settings;
  for (int k = 0; k < 16; ++k) QVERIFY2(saved.patternExcluded[k] != 0, qPrintable(QString::number(k)));
}

// The two check boxes of [display]: ticked by default, kept in memory for the
// trial, written to Driftglyph.ini by OK; DrifStt is not touched by them.
void TestFrmSetting::displayBoxesStoreDriftglyphIni() {
  Rig rig;
  rig.open(SaverSettings{});
  auto* smooth = rig.find<QCheckBox>(QStringLiteral("chkSmooth"));
  auto* everyMonitor = rig.find<QCheckBox>(QStringLiteral("chkEveryMonitor"));
  QCOMPARE(smooth->text() + everyMonitor->text(), QStringLiteral("なめらかに動かすすべての画面に表示"));
  QVERIFY(smooth->isChecked() && everyMonitor->isChecked());
  const QByteArray settings = readFile(rig.settingsFile());
  QTest::mouseClick(smooth, Qt::LeftButton, {}, QPoint(4, smooth->height() / 2));
  QVERIFY(!rig.saver.extra.smooth);  // the trial follows the box
  QTest::mouseClick(rig.button(QStringLiteral("cmdOK")), Qt::LeftButton);
  QVERIFY(!ExtraSettingsFile::load(rig.home()).smooth && ExtraSettingsFile::load(rig.home()).everyMonitor);
  QCOMPARE(readFile(rig.settingsFile()), settings);
}

void TestFrmSetting::patternMenuAndListMirrorEachOther() {
  Rig rig;
  SaverSettings s;
  s.patternExcluded[3] = 1;
  rig.open(s);
  QAction* insects = rig.action(QStringLiteral("mitP3"));
  insects->trigger();
  QCOMPARE(rig.patterns()->item(3)->checkState(), Qt::Checked);
  QVERIFY(insects->isChecked());
  QCOMPARE(rig.saver.settings.patternExcluded[3], uint8_t(0));
  insects->trigger();
  QCOMPARE(rig.patterns()->item(3)->checkState(), Qt::Unchecked);
  QVERIFY(!insects->isChecked());
  QCOMPARE(rig.saver.settings.patternExcluded[3], uint8_t(1));
}

void TestFrmSetting::orderMenusSelectTheOptions() {
  Rig rig;
  rig.open(SaverSettings{});
  for (const QString& kind : {QStringLiteral("Quo"), QStringLiteral("Ctt")}) {
    const QString menu = kind == QStringLiteral("Quo") ? QStringLiteral("mitPo") : QStringLiteral("mitWo");
    const auto order = [&] {
      return kind == QStringLiteral("Quo") ? rig.saver.settings.patternOrder : rig.saver.settings.wordOrder;
    };
    rig.action(menu + u'1')->trigger();
    QVERIFY(rig.find<QRadioButton>(QStringLiteral("opt%1%2").arg(kind).arg(1))->isChecked());
    QCOMPARE(order(), uint8_t(1));
    QVERIFY(rig.action(menu + u'1')->isChecked());
    QVERIFY(!rig.action(menu + u'0')->isChecked());
    rig.action(menu + u'1')->trigger();  // choosing the checked item again keeps its mark
    QVERIFY(rig.action(menu + u'1')->isChecked());

    QTest::mouseClick(rig.find<QRadioButton>(QStringLiteral("opt%1%2").arg(kind).arg(0)), Qt::LeftButton);
    QCOMPARE(order(), uint8_t(0));
    QVERIFY(rig.action(menu + u'0')->isChecked());
    QVERIFY(!rig.action(menu + u'1')->isChecked());
  }
}

void TestFrmSetting::speedMenuAndBarMirrorEachOther() {
  Rig rig;
  rig.open(SaverSettings{});
  QCOMPARE(rig.checkedSpeedItems(), QList<int>{3});

  rig.action(QStringLiteral("mitS6"))->trigger();
  QCOMPARE(rig.speedBar()->value(), 6);
  QCOMPARE(rig.label(QStringLiteral("lblSpd"))->text(), QStringLiteral("6"));
  QCOMPARE(rig.checkedSpeedItems(), QList<int>{6});
  QCOMPARE(rig.saver.settings.speed, uint8_t(6));

  rig.action(QStringLiteral("mitS6"))->trigger();  // the current speed again
  QCOMPARE(rig.checkedSpeedItems(), QList<int>{6});

  // The bar is reached with Tab from the pattern order, then driven by the arrows.
  QVERIFY(QTest::qWaitForWindowActive(rig.dialog.get()));
  rig.find<QRadioButton>(QStringLiteral("optQuo0"))->setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), rig.speedBar());
  QTest::keyClick(rig.speedBar(), Qt::Key_Left);
  QTest::keyClick(rig.speedBar(), Qt::Key_Left);
  QCOMPARE(rig.speedBar()->value(), 4);
  QCOMPARE(rig.label(QStringLiteral("lblSpd"))->text(), QStringLiteral("4"));
  QCOMPARE(rig.checkedSpeedItems(), QList<int>{4});
  QCOMPARE(rig.saver.settings.speed, uint8_t(4));

  QTest::keyClick(rig.speedBar(), Qt::Key_Right);
  QCOMPARE(rig.speedBar()->value(), 5);
  QCOMPARE(rig.checkedSpeedItems(), QList<int>{5});
}

void TestFrmSetting::longNamesKeepTheDesignedSize() {
  Rig designed;
  designed.open(usedSettings(designed));
  // A list and a picture with 250-character paths.
  Rig rig;
  SaverSettings s = usedSettings(rig);
  const QString folder = rig.path(QStringLiteral("lists/"));
  s.wordListPath = folder + QString(250 - folder.size() - 4, u'w') + QStringLiteral(".dgl");
  s.backgroundPath = folder + QString(250 - folder.size() - 4, u'p') + QStringLiteral(".bmp");
  writeList(s.wordListPath, numberedList(10));
  writePicture(s.backgroundPath, QSize(8, 8));
  rig.open(s);
  QCOMPARE(rig.dialog->size(), designed.dialog->size());
  QVERIFY(rig.label(QStringLiteral("lblContents"))->text().contains(u'…'));
  QCOMPARE(rig.label(QStringLiteral("lblContents"))->toolTip(), s.wordListPath);
  QVERIFY(rig.label(QStringLiteral("lblBGname"))->toolTip().endsWith(s.backgroundPath));
}

void TestFrmSetting::listLongerThanTheSaverHoldsIsAnnounced() {
  Rig rig;
  SaverSettings s = usedSettings(rig);
  QByteArray bytes = "40000,\"IPAPGothic\",\"IPAPGothic\"\r\n";
  for (int i = 1; i <= 40000; ++i) bytes += "\"q\",\"a\"\r\n";
  writeFile(s.wordListPath, bytes);
  rig.open(s);
  QCOMPARE(rig.dialogs.messageTexts(), QStringList{EditorTexts::leftOutMessage(LeftOut{40000 - kMaxPairs}, kMaxPairs, true)});
  QCOMPARE(rig.wordBar()->maximum(), kMaxPairs - 7);
}

void TestFrmSetting::cancelEscapeAndCloseBoxWriteNothing_data() {
  QTest::addColumn<QString>("how");
  QTest::addRow("Cancel button") << "cancel";
  QTest::addRow("Escape key") << "escape";
  QTest::addRow("close box") << "close";
}

void TestFrmSetting::cancelEscapeAndCloseBoxWriteNothing() {
  QFETCH(QString, how);
  Rig rig;
  rig.open(SaverSettings{});
  QVERIFY(QTest::qWaitForWindowActive(rig.dialog.get()));
  const QByteArray before = readFile(rig.settingsFile());
  QVERIFY(!before.isEmpty());
  rig.action(QStringLiteral("mitS7"))->trigger();
  rig.action(QStringLiteral("mitP0"))->trigger();
  rig.action(QStringLiteral("mitWo1"))->trigger();

  if (how == QStringLiteral("cancel"))
    QTest::mouseClick(rig.button(QStringLiteral("cmdCcl")), Qt::LeftButton);
  else if (how == QStringLiteral("escape"))
    QTest::keyClick(rig.patterns(), Qt::Key_Escape);
  else
    rig.dialog->close();

  QVERIFY(!rig.dialog->isVisible());
  QCOMPARE(rig.dialog->result(), int(QDialog::Rejected));
  QCOMPARE(readFile(rig.settingsFile()), before);
}

void TestFrmSetting::enterPressesOk() {
  Rig rig;
  rig.open(SaverSettings{});
  QVERIFY(QTest::qWaitForWindowActive(rig.dialog.get()));
  rig.action(QStringLiteral("mitS1"))->trigger();
  rig.patterns()->setFocus();
  QTest::keyClick(rig.patterns(), Qt::Key_Return);
  QVERIFY(!rig.dialog->isVisible());
  QCOMPARE(rig.dialog->result(), int(QDialog::Accepted));
  QCOMPARE(SettingsFile::parse(readFile(rig.settingsFile())).settings.speed, uint8_t(1));
}

void TestFrmSetting::colourChooserKeepsColourOnCancel() {
  Rig rig;
  SaverSettings s;
  s.questionColor = 0x00336699;
  rig.open(s);
  rig.dialogs.chooseColorAnswer(std::nullopt);
  QTest::mouseClick(rig.button(QStringLiteral("cmdCq")), Qt::LeftButton);
  QCOMPARE(rig.dialogs.colorRequests, QList<QColor>{QColor(0x99, 0x66, 0x33)});
  QCOMPARE(rig.saver.settings.questionColor, 0x00336699);
  QCOMPARE(rig.swatch(QStringLiteral("shpCq")), QColor(0x99, 0x66, 0x33));

  rig.dialogs.chooseColorAnswer(QColor(1, 2, 3));
  rig.action(QStringLiteral("mitCa"))->trigger();  // the menu item works like A-Color
  QCOMPARE(rig.dialogs.colorRequests.last(), QColor(0xFF, 0xFF, 0x80));  // pale yellow, the default
  QCOMPARE(rig.saver.settings.answerColor, 0x00030201);
  QCOMPARE(rig.swatch(QStringLiteral("shpCa")), QColor(1, 2, 3));
  QCOMPARE(rig.saver.settings.questionColor, 0x00336699);
  QCOMPARE(rig.dialogs.unexpected, 0);
}

void TestFrmSetting::shortListBlanksRowsAndLongerListRestoresThem() {
  Rig rig;
  const QString companion = makeCompanion(rig.path(QStringLiteral("Quorling")),
                                          {{"c1", "d1"}, {"c2", "d2"}, {"c3", "d3"}, {"c4", "d4"},
                                           {"c5", "d5"}, {"c6", "d6"}, {"c7", "d7"}, {"c8", "d8"}});
  SaverSettings s;
  s.linkState = 1;
  s.companionFolder = companion;
  s.ownList = 1;
  s.wordListPath = rig.path(QStringLiteral("short.dgl"));
  // Words are text, never markup: as markup, "<img src=/dev/zero>" read until the program aborted.
  writeList(s.wordListPath, numberedList(3, QStringLiteral("<img src=/dev/zero>")));
  rig.open(s);
  for (const QLabel* label : rig.dialog->findChildren<QLabel*>()) QCOMPARE(label->textFormat(), Qt::PlainText);

  for (int r = 0; r < 7; ++r) {
    const QColor expected = r < 3 ? QColor(Qt::white) : QColor(Qt::black);
    QCOMPARE(rig.rowBackground(QStringLiteral("lblCtt%1").arg(r)), expected);
    QCOMPARE(rig.rowBackground(QStringLiteral("lblCttA%1").arg(r)), expected);
  }
  QCOMPARE(rig.label(QStringLiteral("lblCtt2"))->text(), QStringLiteral("<img src=/dev/zero>q3"));
  QVERIFY(!rig.wordBar()->isEnabled());
  QCOMPARE(rig.find<SourceMarkView>(QStringLiteral("quorlMark"))->state(),
           (SourceMarkState{true, SourceMark::Cross}));

  // Switching to the companion's eight words refills every row.
  rig.dialogs.answer(UserDialogs::Answer::Yes);
  QTest::mouseClick(rig.button(QStringLiteral("cmdQuorl")), Qt::LeftButton);
  QCOMPARE(rig.dialogs.messageTexts().last(), CompanionMessages::synced());
  for (int r = 0; r < 7; ++r) {
    QCOMPARE(rig.rowBackground(QStringLiteral("lblCtt%1").arg(r)), QColor(Qt::white));
    QCOMPARE(rig.rowBackground(QStringLiteral("lblCttA%1").arg(r)), QColor(Qt::white));
    QCOMPARE(rig.label(QStringLiteral("lblCttA%1").arg(r))->text(), QStringLiteral("d%1").arg(r + 1));
  }
  QVERIFY(rig.wordBar()->isEnabled());
  QCOMPARE(rig.wordBar()->maximum(), 1);
  QCOMPARE(rig.label(QStringLiteral("lblContents"))->text(), QStringLiteral("   Words-[ Quorling ]"));
  QCOMPARE(rig.find<SourceMarkView>(QStringLiteral("quorlMark"))->state(),
           (SourceMarkState{true, SourceMark::Circle}));
}

void TestFrmSetting::scrollingToTheEnd() {
  Rig rig;
  SaverSettings s;
  s.wordListPath = rig.path(QStringLiteral("long.dgl"));
  writeList(s.wordListPath, numberedList(12));
  rig.open(s);
  QCOMPARE(rig.wordBar()->maximum(), 5);
  rig.wordBar()->setValue(rig.wordBar()->maximum());
  for (int r = 0; r < 7; ++r) {
    QCOMPARE(rig.label(QStringLiteral("lblCtt%1").arg(r))->text(), QStringLiteral("q%1").arg(6 + r));
    QCOMPARE(rig.label(QStringLiteral("lblCttA%1").arg(r))->text(), QStringLiteral("a%1").arg(6 + r));
  }
  rig.wordBar()->setValue(2);
  QCOMPARE(rig.label(QStringLiteral("lblCtt0"))->text(), QStringLiteral("q3"));
}

void TestFrmSetting::companionButtonAndMenuItem() {
  Rig rig;
  rig.open(SaverSettings{});  // the first load looks for the companion and does not find it
  QCOMPARE(rig.saver.settings.linkState, uint8_t(2));
  rig.dialogs.answer(UserDialogs::Answer::No);
  rig.action(QStringLiteral("mitWquo"))->trigger();
  QCOMPARE(rig.dialogs.messageTexts(), (QStringList{CompanionMessages::askInstalled(), CompanionMessages::advert()}));

  // Linking through the file dialog: the trainer has no words yet, so only the mark changes.
  const QString companion = makeCompanion(rig.path(QStringLiteral("Quorling")), {});
  rig.dialogs.answer(UserDialogs::Answer::Yes);
  rig.dialogs.chooseFile(QDir(companion).filePath(QStringLiteral("Quorl.exe")));
  QTest::mouseClick(rig.button(QStringLiteral("cmdQuorl")), Qt::LeftButton);
  QCOMPARE(rig.dialogs.messageTexts().last(), CompanionMessages::linkedNoWords());
  QCOMPARE(rig.find<SourceMarkView>(QStringLiteral("quorlMark"))->state(),
           (SourceMarkState{true, SourceMark::Triangle}));
  QCOMPARE(rig.label(QStringLiteral("lblContents"))->text(), QStringLiteral("   Words-[ DEFAULT ]"));
  QCOMPARE(rig.dialogs.unexpected, 0);
}

void TestFrmSetting::backgroundChangeAndDefault() {
  Rig rig;
  writePicture(rig.saver.defaultPicturePath(), QSize(40, 30));
  const QString big = writePicture(rig.path(QStringLiteral("pictures/big.bmp")), QSize(500, 400));
  const QString notAPicture = rig.path(QStringLiteral("pictures/notes.jpg"));
  writeFile(notAPicture, "just some text");
  rig.open(SaverSettings{});
  QLabel* preview = rig.label(QStringLiteral("picBG"));
  QLabel* name = rig.label(QStringLiteral("lblBGname"));
  QPushButton* dflt = rig.button(QStringLiteral("cmdBGdflt"));

  rig.dialogs.chooseFile(big);
  QTest::mouseClick(rig.button(QStringLiteral("cmdBGchg")), Qt::LeftButton);
  QCOMPARE(rig.dialogs.fileDialogs.last().request.initialFolder, rig.home());
  QCOMPARE(rig.saver.settings.backgroundPath, big);
  QCOMPARE(name->text(), QStringLiteral("big.bmp"));
  QVERIFY(dflt->isEnabled());
  QCOMPARE(preview->pixmap().size(), QSize(500, 400));  // natural size, clipped by the box
  QVERIFY(preview->width() < 500);

  rig.dialogs.chooseFile(QString());  // cancelled: the choice stays
  rig.action(QStringLiteral("mitBchange"))->trigger();
  QCOMPARE(rig.dialogs.fileDialogs.last().request.initialFolder, rig.path(QStringLiteral("pictures")));
  QCOMPARE(rig.saver.settings.backgroundPath, big);
  QCOMPARE(name->text(), QStringLiteral("big.bmp"));
  QCOMPARE(preview->pixmap().size(), QSize(500, 400));

  QVERIFY(rig.action(QStringLiteral("mitBdefault"))->isEnabled());
  QTest::mouseClick(dflt, Qt::LeftButton);
  QVERIFY(!rig.action(QStringLiteral("mitBdefault"))->isEnabled());
  QCOMPARE(rig.saver.settings.backgroundPath, QStringLiteral("DEFAULT"));
  QCOMPARE(name->text(), QStringLiteral("DEFAULT"));
  QVERIFY(!dflt->isEnabled());
  QCOMPARE(preview->pixmap().size(), QSize(40, 30));

  rig.dialogs.chooseFile(rig.saver.defaultPicturePath());  // the default picture by its own file
  QTest::mouseClick(rig.button(QStringLiteral("cmdBGchg")), Qt::LeftButton);
  QCOMPARE(rig.saver.settings.backgroundPath, rig.saver.defaultPicturePath());
  QCOMPARE(name->text(), QStringLiteral("DEFAULT"));
  QVERIFY(!dflt->isEnabled());

  rig.dialogs.chooseFile(big);
  QTest::mouseClick(rig.button(QStringLiteral("cmdBGchg")), Qt::LeftButton);
  rig.dialogs.chooseFile(notAPicture);  // said so; the choice and its preview stay
  QTest::mouseClick(rig.button(QStringLiteral("cmdBGchg")), Qt::LeftButton);
  QCOMPARE(rig.dialogs.messageTexts().last(), SettingsTexts::kNotAPicture);
  QCOMPARE(rig.saver.settings.backgroundPath, big);
  QCOMPARE(preview->pixmap().size(), QSize(500, 400));

  rig.action(QStringLiteral("mitBdefault"))->trigger();
  QCOMPARE(rig.saver.settings.backgroundPath, QStringLiteral("DEFAULT"));
  QCOMPARE(rig.dialogs.unexpected, 0);
}

void TestFrmSetting::trialRunsWithUnsavedSettingsAndReturns() {
  Rig rig;
  SaverSettings s;
  s.wordListPath = rig.path(QStringLiteral("long.dgl"));
  writeList(s.wordListPath, numberedList(12));
  rig.open(s);
  const QByteArray before = readFile(rig.settingsFile());
  rig.action(QStringLiteral("mitS7"))->trigger();  // not saved

  QTest::mouseClick(rig.button(QStringLiteral("cmdTry")), Qt::LeftButton);
  QPointer<frmMainDGL> trial = rig.dialog->trialDisplay();
  QVERIFY(trial);
  QTRY_COMPARE(trial->stage().DELAY, int16_t(1));  // speed 7 from memory
  QCOMPARE(readFile(rig.settingsFile()), before);  // the trial reads nothing from disk

  // A mouse jump ends the trial; the dialog stays.
  const auto move = [&](QPoint at) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), trial->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(trial, &event);
  };
  move(QPoint(100, 100));
  QVERIFY(trial);
  move(QPoint(140, 100));
  QTRY_VERIFY(!trial);
  QVERIFY(!rig.dialog->trialDisplay());
  QVERIFY(rig.dialog->isVisible());
  QCOMPARE(rig.saver.settings.speed, uint8_t(7));
}

void TestFrmSetting::editorAppliedListRefreshesThePreview_data() {
  QTest::addColumn<bool>("viaMenu");
  QTest::addColumn<bool>("confirm");
  QTest::addRow("E D I T, then OK") << false << true;
  QTest::addRow("menu item, then OK") << true << true;
  QTest::addRow("E D I T, then CANCEL") << false << false;
}

void TestFrmSetting::editorAppliedListRefreshesThePreview() {
  QFETCH(bool, viaMenu);
  QFETCH(bool, confirm);
  Rig rig;
  SaverSettings s;
  s.wordListPath = rig.path(QStringLiteral("short.dgl"));
  writeList(s.wordListPath, numberedList(3));
  rig.open(s);
  const QString longer = rig.path(QStringLiteral("longer.dgl"));
  writeList(longer, numberedList(9, QStringLiteral("new-")));

  bool editorWasModal = false;
  QTimer::singleShot(0, this, [&] {
    auto* editor = qobject_cast<frmEdit*>(QApplication::activeModalWidget());
    if (!editor) return;
    editorWasModal = editor->isModal();
    rig.dialogs.chooseFile(longer);
    editor->model().fileOpen();
    if (confirm)
      QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("cmdOKedit")), Qt::LeftButton);
    else
      editor->reject();
  });
  if (viaMenu)
    rig.action(QStringLiteral("mitWedit"))->trigger();
  else
    QTest::mouseClick(rig.button(QStringLiteral("cmdCtts")), Qt::LeftButton);
  QVERIFY(editorWasModal);

  if (confirm) {
    QTRY_COMPARE(rig.label(QStringLiteral("lblCtt0"))->text(), QStringLiteral("new-q1"));
    QCOMPARE(rig.rowBackground(QStringLiteral("lblCtt6")), QColor(Qt::white));
    QCOMPARE(rig.wordBar()->maximum(), 2);
    QCOMPARE(rig.label(QStringLiteral("lblContents"))->text(), QStringLiteral("   Words-[ longer.dgl ]"));
  } else {
    // No refresh is due, and none comes: a marker timer as long as the
    // refresh tick, started once the editor has closed, fires after such a
    // tick would have and after whatever the editor's return posted.
    QVERIFY(!rig.dialog->tmSetPending());
    bool marked = false;
    QTimer::singleShot(1, Qt::PreciseTimer, rig.dialog.get(), [&marked] { marked = true; });
    QTRY_VERIFY(marked);
    QCOMPARE(rig.label(QStringLiteral("lblCtt0"))->text(), QStringLiteral("q1"));
    QCOMPARE(rig.saver.settings.wordListPath, s.wordListPath);
  }
  QVERIFY(!rig.dialog->tmSetPending());
}

QTEST_MAIN(TestFrmSetting)
#include "tst_frm_setting.moc"
