#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "desktop/qt_translations.h"
#include "desktop/qt_user_dialogs.h"

// The real message box, in the language of the rest of the interface.
class TestQtUserDialogs : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxSpeaksJapanese() {
    if (!QtTranslations::installJapanese(*qApp)) QSKIP("Qt's Japanese translations (qt6-translations-l10n) are missing");
    QStringList captions;
    QString shown;
    int width = 0;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      for (QAbstractButton* button : box->buttons()) captions.append(button->text().remove(QRegularExpression("\\(&.\\)")));
      shown = box->text();
      width = box->width();
      box->button(QMessageBox::No)->click();
    });
    QtUserDialogs qtDialogs;
    UserDialogs& dialogs = qtDialogs;
    QCOMPARE(dialogs.message(QStringLiteral("進む\n\r保存？"), UserDialogs::Buttons::YesNoCancel), UserDialogs::Answer::No);
    captions.sort();
    QCOMPARE(captions, (QStringList{QStringLiteral("いいえ"), QStringLiteral("はい"), QStringLiteral("キャンセル")}));
    QCOMPARE(shown, QStringLiteral("進む\n保存？"));  // LF CR is one line break
    QVERIFY(width >= QtUserDialogs::titleRoom(QFontMetrics(QApplication::font())));
  }

  // Each type names its patterns once, in the form Qt filters by.
  void filterNamesEachPatternOnce() {
    QCOMPARE(QtUserDialogs::qtFilter("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt;*.tsv)|*.txt;*.tsv|すべてのﾌｧｲﾙ(*)|*|Quorl.exe|Quorl.exe"),
             "ﾃｷｽﾄ ﾌｧｲﾙ(*.txt *.tsv);;すべてのﾌｧｲﾙ(*);;Quorl.exe (Quorl.exe)");
  }

  // The file dialog's dates are Japanese too, whatever the system's locale.
  void fileDialogDatesAreJapanese() {
#ifdef Q_OS_WIN
    QSKIP("Windows' own file dialog shows the system's dates");
#endif
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("words.dgl"));
    QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    QString shown;
    bool listed = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      auto* files = qobject_cast<QFileSystemModel*>(dialog->proxyModel()->sourceModel());
      // The folder is read on a thread of the model's own; the dialog is closed
      // either way, and the outcome checked once it has returned.
      listed = QTest::qWaitFor([&] { return files->lastModified(files->index(path)).isValid(); }, 10000);
      if (listed) shown = dialog->proxyModel()->mapFromSource(files->index(path).siblingAtColumn(3)).data().toString();
      dialog->reject();
    });
    QtUserDialogs().openFile({QStringLiteral("開く"), QStringLiteral("単語帳|*.dgl"), folder.path(), QString(), QString()});
    QVERIFY2(listed, "the file dialog never listed the file with its date");
    QCOMPARE(shown, QLocale(QLocale::Japanese).toString(QFileInfo(path).lastModified(), QLocale::ShortFormat));
  }
};

QTEST_MAIN(TestQtUserDialogs)
#include "tst_qt_user_dialogs.moc"
