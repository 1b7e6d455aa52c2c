#include <QTemporaryDir>
#include <QtTest>

#include "startup/home_folder.h"

class TestHomeFolder : public QObject {
  Q_OBJECT

  QTemporaryDir root_;

  QString folder(const QString& name, bool withDefaults) {
    const QString path = root_.filePath(name);
    QDir().mkpath(path);
    if (withDefaults) {
      for (const char* file : {"DEFAULT.dgl", "DEFAULT.jpg"}) {
        QFile f(path + u'/' + QLatin1String(file));
        if (!f.open(QIODevice::WriteOnly)) return QString();
        f.write(file);
      }
    }
    return path;
  }

 private slots:
  void orderOfChoice() {
    HomeFolderInputs in;
    in.executableFolder = folder("exe", true);
    in.userHome = folder("config", false);
    in.dataFolder = folder("data", true);

    in.optionHome = root_.filePath("option");
    in.environmentHome = root_.filePath("env");
    QCOMPARE(HomeFolder::resolve(in), root_.filePath("option"));
    // The chosen folder is created and given the defaults.
    QVERIFY(QFile::exists(root_.filePath("option/DEFAULT.dgl")));
    QVERIFY(QFile::exists(root_.filePath("option/DEFAULT.jpg")));

    in.optionHome.clear();
    QCOMPARE(HomeFolder::resolve(in), root_.filePath("env"));

    in.environmentHome.clear();
    QCOMPARE(HomeFolder::resolve(in), in.executableFolder);  // portable install

    // A program folder that refuses a new file is no home (root ignores permissions: made immutable then).
    QFile::setPermissions(in.executableFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const auto acceptsFiles = [&] { return QTemporaryFile(in.executableFolder + "/probe-XXXXXX").open(); };
    const bool immutable = acceptsFiles() && QProcess::execute("chattr", {"+i", in.executableFolder}) == 0;
    const auto undo = qScopeGuard([&] {
      if (immutable) QProcess::execute("chattr", {"-i", in.executableFolder});
      QFile::setPermissions(in.executableFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    if (acceptsFiles()) QSKIP("no way to make a folder refuse files here");
    QCOMPARE(HomeFolder::resolve(in), in.userHome);
  }

  void installedProgramUsesTheUserHome() {
    HomeFolderInputs in;
    in.executableFolder = folder("bin", false);  // no defaults beside the program
    in.userHome = root_.filePath("cfg/driftglyph");
    in.dataFolder = folder("share", true);
    // Installed (or built-in) originals are read-only; the user's copies are not.
    QFile::setPermissions(in.dataFolder + "/DEFAULT.dgl", QFileDevice::ReadOwner);
    const QString home = HomeFolder::resolve(in);
    QCOMPARE(home, in.userHome);
    QVERIFY(QFile::permissions(home + "/DEFAULT.dgl") & QFileDevice::WriteOwner);
    QFile seeded(home + "/DEFAULT.dgl");
    QVERIFY(seeded.open(QIODevice::ReadOnly));
    QCOMPARE(seeded.readAll(), QByteArray("DEFAULT.dgl"));
  }

  void seedingNeverOverwrites() {
    const QString home = folder("mine", false);
    QFile own(home + "/DEFAULT.dgl");
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("my own list");
    own.close();
    HomeFolder::seed(home, folder("data2", false));  // a data folder without them: the built-in picture
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.readAll(), QByteArray("my own list"));
    QCOMPARE(QFileInfo(home + "/DEFAULT.jpg").size(), QFileInfo(QStringLiteral(":/defaults/DEFAULT.jpg")).size());
    QVERIFY(QFileInfo(home + "/DEFAULT.jpg").size() > 1000);
  }
};

QTEST_GUILESS_MAIN(TestHomeFolder)
#include "tst_home_folder.moc"
