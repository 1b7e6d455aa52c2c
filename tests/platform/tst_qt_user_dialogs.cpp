#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "platform/qt_translations.h"
#include "platform/qt_user_dialogs.h"

using Answer = UserDialogs::Answer;
using Buttons = UserDialogs::Buttons;
Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(Buttons)

// The real message box, in the language of the rest of the interface.
class TestQtUserDialogs : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (!QtTranslations::installJapanese(*qApp)) QSKIP("Qt's Japanese translations (qt6-translations-l10n) are not installed");
  }

  void messageBoxSpeaksJapanese_data() {
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("captions");  // without their access keys
    QTest::addColumn<QString>("shown");
    QTest::addRow("Yes/No/Cancel, lines joined by LF CR")
        << Buttons::YesNoCancel << QStringLiteral("このまま進むと\n\r保存しますか？")
        << QStringList{QStringLiteral("はい"), QStringLiteral("いいえ"), QStringLiteral("キャンセル")}
        << QStringLiteral("このまま進むと\n保存しますか？");
    QTest::addRow("OK, lines joined by CR LF") << Buttons::Ok << QStringLiteral("一\r\n二")
                                               << QStringList{QStringLiteral("OK")} << QStringLiteral("一\n二");
  }

  void messageBoxSpeaksJapanese() {
    QFETCH(Buttons, buttons);
    QFETCH(QString, text);
    QFETCH(QStringList, captions);
    QFETCH(QString, shown);
    QStringList seen;
    QString seenText;
    int width = 0;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      for (QAbstractButton* button : box->buttons()) seen.append(button->text().remove(QRegularExpression("\\(&.\\)|&")));
      seenText = box->text();
      width = box->width();
      box->button(box->buttons().size() > 1 ? QMessageBox::Cancel : QMessageBox::Ok)->click();
    });
    QtUserDialogs dialogs;
    const Answer answer = dialogs.message(text, buttons, UserDialogs::Icon::Question);
    QCOMPARE(answer, buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel);
    seen.sort();
    captions.sort();
    QCOMPARE(seen, captions);
    QCOMPARE(seenText, shown);
    QVERIFY2(width >= QtUserDialogs::titleRoom(QFontMetrics(QApplication::font())), qPrintable(QString::number(width)));
  }
};

QTEST_MAIN(TestQtUserDialogs)
#include "tst_qt_user_dialogs.moc"
