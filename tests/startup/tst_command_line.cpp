#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

#include "os/display_lock.h"
#include "startup/command_line.h"
#include "startup/saver_settings.h"
#include "startup/word_list.h"

using Action = StartupCommand::Action;
Q_DECLARE_METATYPE(StartupCommand::Action)

class TestCommandLine : public QObject {
  Q_OBJECT

 private slots:
  void dispatch_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addRow("show lower") << QStringList{"/s"} << Action::Show;
    QTest::addRow("show upper") << QStringList{"/S"} << Action::Show;
    QTest::addRow("show with number") << QStringList{"/s:1234"} << Action::Show;
    QTest::addRow("show then more") << QStringList{"/S", "extra"} << Action::Show;
    QTest::addRow("configure lower") << QStringList{"/c"} << Action::Configure;
    QTest::addRow("configure upper with handle") << QStringList{"/C:5678"} << Action::Configure;
    QTest::addRow("empty") << QStringList{} << Action::Configure;
    QTest::addRow("preview switch") << QStringList{"/p", "1234"} << Action::Hack;
    QTest::addRow("preview without a handle") << QStringList{"/P"} << Action::Help;
    QTest::addRow("preview with garbage") << QStringList{"/p:12ab"} << Action::Help;
    QTest::addRow("password switch") << QStringList{"/a"} << Action::Nothing;
    QTest::addRow("show with a dash, any case") << QStringList{"-S"} << Action::Show;
    QTest::addRow("configure with garbage") << QStringList{"/c:window"} << Action::Configure;
    QTest::addRow("slash only") << QStringList{"/"} << Action::Configure;
    QTest::addRow("space first") << QStringList{" /s"} << Action::Configure;
    QTest::addRow("unknown") << QStringList{"hello"} << Action::Configure;
    QTest::addRow("home then show") << QStringList{"--home", "/tmp/x", "/s"} << Action::Show;
    QTest::addRow("root host switch") << QStringList{"-root"} << Action::Hack;
    QTest::addRow("root before show switch") << QStringList{"--root", "/c"} << Action::Hack;
    QTest::addRow("hack options ignored")
        << QStringList{"-root", "-pair", "-fps", "-install", "-visual", "TrueColor", "--display", ":0"} << Action::Hack;
    QTest::addRow("window id missing") << QStringList{"-window-id"} << Action::Help;
    QTest::addRow("help") << QStringList{"/s", "--help"} << Action::Help;
    QTest::addRow("version") << QStringList{"--version"} << Action::Version;
    QTest::addRow("trace") << QStringList{"--trace", "3", "--size", "800x600"} << Action::Trace;
    QTest::addRow("trace missing count") << QStringList{"--trace"} << Action::Help;
    QTest::addRow("bad size") << QStringList{"--trace", "1", "--size", "big"} << Action::Help;
    QTest::addRow("idle") << QStringList{"--idle", "0.1", "--home", "/h"} << Action::Idle;
    for (const char* minutes : {"0", "-1", "ten", "nan", "inf", "1e9"})
      QTest::addRow("idle %s", minutes) << QStringList{"--idle", minutes} << Action::Help;
    QTest::addRow("idle without minutes") << QStringList{"--idle"} << Action::Help;
    QTest::addRow("import") << QStringList{"--import", "a.apkg", "--output", "b.dgl", "--fields", "Q,A"} << Action::Import;
    QTest::addRow("import without output") << QStringList{"--import", "a.apkg"} << Action::Help;
    QTest::addRow("import with one field name") << QStringList{"--import", "a", "--output", "b", "--fields", "Q"} << Action::Help;
    QTest::addRow("list words") << QStringList{"--list-words", "--home", "/h"} << Action::ListWords;
  }
  void dispatch() {
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QCOMPARE(CommandLine::parse(arguments).action, action);
  }

  // Which window hack mode draws into: 0 is the root window, -1 an error.
  void hostWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("variable");
    QTest::addColumn<qint64>("window");
    QTest::addRow("decimal id") << QStringList{"-window-id", "12345"} << "" << qint64(12345);
    QTest::addRow("hex id") << QStringList{"--window-id", "0x1A00007"} << "" << qint64(0x1A00007);
    QTest::addRow("root alone") << QStringList{"--root"} << "" << qint64(0);
    QTest::addRow("root with host variable") << QStringList{"--root"} << "0x400001" << qint64(0x400001);
    QTest::addRow("host variable alone, decimal") << QStringList{} << "4194305" << qint64(4194305);
    QTest::addRow("given id wins") << QStringList{"-window-id", "77"} << "0x400001" << qint64(77);
    QTest::addRow("garbage variable") << QStringList{"-root"} << "window" << qint64(-1);
    QTest::addRow("beyond X ids") << QStringList{"-window-id", "0x20000000"} << "" << qint64(-1);
    QTest::addRow("negative") << QStringList{"-window-id", "-5"} << "" << qint64(-1);
    QTest::addRow("preview handle after a colon") << QStringList{"/p:0x2A0F6"} << "" << qint64(0x2A0F6);
    QTest::addRow("preview handle beyond X ids") << QStringList{"/p", "8589934592"} << "" << qint64(8589934592);
  }
  void hostWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, variable);
    QFETCH(qint64, window);
    const StartupCommand c = CommandLine::parse(arguments, variable);
    if (window < 0) {
      QCOMPARE(c.action, Action::Help);
      QVERIFY(!c.error.isEmpty());
    } else {
      QCOMPARE(c.action, Action::Hack);
      QCOMPARE(qint64(c.hostWindow), window);
    }
  }

  void optionsAreRead() {
    const StartupCommand c = CommandLine::parse(
        {"--home", "/h", "--trace", "2", "--size", "640x480", "--seed", "9", "--frames", "/f"});
    QCOMPARE(c.home, QStringLiteral("/h"));
    QCOMPARE(c.traceRuns, 2);
    QCOMPARE(c.traceSize, QSize(640, 480));
    QCOMPARE(c.traceSeed, 9u);
    QCOMPARE(c.framesFolder, QStringLiteral("/f"));
    QCOMPARE(CommandLine::parse({"--idle", "0.1"}).idleMs, 6000u);
    // The window that owns the settings, and one that cannot be read.
    QCOMPARE(CommandLine::parse({"/c", "5678"}).ownerWindow, 5678u);
    QCOMPARE(CommandLine::parse({"/C:0x10"}).ownerWindow, 16u);
    QVERIFY(!CommandLine::parse({"/c:window"}).error.isEmpty());
  }

  // A start while a display holds the lock ends at once, whatever its switch;
  // trace mode draws nothing on screen and always runs.
  void secondInstanceWhileADisplayRuns_data() {
    QTest::addColumn<QStringList>("switches");
    QTest::addColumn<bool>("runs");
    QTest::addRow("show") << QStringList{"/s"} << false;
    QTest::addRow("configure") << QStringList{"/c"} << false;
    QTest::addRow("trace") << QStringList{"--trace", "1"} << true;
  }
  void secondInstanceWhileADisplayRuns() {
    QFETCH(QStringList, switches);
    QFETCH(bool, runs);
    QTemporaryDir home;
    DisplayLock running(home.path());
    QVERIFY(running.acquire());

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(DRIFTGLYPH_EXE), QStringList{QStringLiteral("--home"), home.path()} + switches);
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(second.readAllStandardOutput().isEmpty(), !runs);
    // A stopped start did not even load the settings: no DrifStt was written.
    QCOMPARE(QFile::exists(home.filePath(QStringLiteral("DrifStt"))), runs);
  }

  // --import writes a list or, for a file that gives none, says why on one
  // line with status 2 and writes nothing; --list-words prints the pairs.
  void importAndListWords_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("line");
    QTest::addRow("csv with a blank line") << QByteArray("apple,りんご\r\n\r\ndog,犬\r\ncat,猫\r\n") << 0
                                           << "3 pairs written to ";
#ifdef DRIFTGLYPH_ANKI
    QTest::addRow("not a package") << QByteArray("PK no zip") << 2 << ": not a zip file";
#else
    QTest::addRow("package in a build without Anki") << QByteArray("PK no zip") << 2 << ": Anki files are not available";
#endif
  }
  void importAndListWords() {
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QString, line);
    QTemporaryDir home;
    QFile input(home.filePath(status == 0 ? "words.csv" : "deck.apkg"));
    QVERIFY(input.open(QIODevice::WriteOnly) && input.write(file) == file.size());
    input.close();
    QProcess import;
    import.start(QStringLiteral(DRIFTGLYPH_EXE), {"--import", input.fileName(), "--output", home.filePath("out.dgl")});
    QVERIFY(import.waitForFinished(10000));
    QCOMPARE(import.exitCode(), status);
    const QString said = QString::fromUtf8(status == 0 ? import.readAllStandardOutput() : import.readAllStandardError());
    QCOMPARE(said.count(u'\n'), 1);
    QVERIFY2(said.contains(line), qPrintable(said));
    QCOMPARE(QFile::exists(home.filePath("out.dgl")), status == 0);
    if (status != 0) return;
    QFile settings(home.filePath("DrifStt"));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    SaverSettings chosen;
    chosen.linkState = 2;
    chosen.ownList = 1;
    chosen.wordListPath = home.filePath("out.dgl");
    settings.write(SettingsFile::format(chosen));
    settings.close();
    QProcess list;
    list.start(QStringLiteral(DRIFTGLYPH_EXE), {"--list-words", "--home", home.path()});
    QVERIFY(list.waitForFinished(10000));
    // Lines end as the system ends them (CR LF on Windows).
    QCOMPARE(QString::fromUtf8(list.readAllStandardOutput()).remove(u'\r'), QStringLiteral("apple\tりんご\ndog\t犬\ncat\t猫\n"));
    // It only reads: an empty home shows the default list and stays empty.
    const QTemporaryDir empty;
    list.start(QStringLiteral(DRIFTGLYPH_EXE), {"--list-words", "--home", empty.path()});
    QVERIFY(list.waitForFinished(10000));
    const std::optional<WordList> defaults = WordListFile::read(QStringLiteral(":/defaults/DEFAULT.dgl"));
    QVERIFY(defaults && defaults->count() > 0);
    QVERIFY(QString::fromUtf8(list.readAllStandardOutput()).startsWith(defaults->question(1) + u'\t' + defaults->answer(1)));
    QCOMPARE(QDir(empty.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
  }

  // Probing only reads the lock, so a display starting at the same instant
  // always gets it (a probe that took the lock for a moment made it fail).
  void probingNeverTakesTheLock() {
    QTemporaryDir home;
    std::atomic<bool> stop = false;
    std::thread prober([&] {
      DisplayLock probe(home.path());
      while (!stop) probe.heldElsewhere();
    });
    int refused = 0;
    for (int i = 0; i < 200; ++i)
      if (!DisplayLock(home.path()).acquire()) ++refused;
    stop = true;
    prober.join();
    QCOMPARE(refused, 0);
  }

  // Said on one line with status 2: no server at DISPLAY (Qt would abort), unwritable frames.
  void refusedOnOneLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("said");
    QTest::addRow("show, no X server") << QStringList{"/s"} << "no X server answers at DISPLAY=:64999";
    QTest::addRow("frames, unwritable folder") << QStringList{"--trace", "1", "--frames", "/proc/self/none"}
                                               << "--frames: cannot write";
  }
  void refusedOnOneLine() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, said);
#ifdef Q_OS_WIN
    QSKIP("a Windows desktop is always there");
#endif
    QTemporaryDir home;
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* unset : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY"}) env.remove(QString::fromLatin1(unset));
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":64999"));
    run.setProcessEnvironment(env);
    run.start(QStringLiteral(DRIFTGLYPH_EXE), QStringList{QStringLiteral("--home"), home.path()} + arguments);
    QVERIFY(run.waitForFinished(20000) && run.exitStatus() == QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 2);
    const QString error = QString::fromLocal8Bit(run.readAllStandardError());
    QVERIFY2(error.contains(said) && error.count(QStringLiteral("driftglyph:")) == 1, qPrintable(error));
  }

  // A lock made before this boot or by another program is taken over; one
  // that cannot be told never silences a display, which says why.
  void staleLocks_data() {
    QTest::addColumn<qint64>("pid");       // 0: this process; -1: held by a display of this process
    QTest::addColumn<QByteArray>("host");  // empty: this host
    QTest::addColumn<QByteArray>("boot");  // "this": this boot's id
    QTest::addColumn<int>("outcome");      // 0 held by a display, 1 taken over, 2 shown without the lock
    QTest::addRow("this display") << -1ll << QByteArray() << QByteArray("this") << 0;
    QTest::addRow("left by this process") << 0ll << QByteArray() << QByteArray("this") << 1;
    QTest::addRow("made before this boot") << 0ll << QByteArray() << QByteArray("0000") << 1;
    QTest::addRow("another program") << 1ll << QByteArray() << QByteArray("this") << 1;
    QTest::addRow("another host, no boot id") << 0ll << QByteArray("elsewhere") << QByteArray() << 2;
  }
  void staleLocks() {
    QFETCH(qint64, pid);
    QFETCH(QByteArray, host);
    QFETCH(QByteArray, boot);
    QFETCH(int, outcome);
    if (boot == "0000" && QSysInfo::bootUniqueId().isEmpty()) QSKIP("no boot id on this system");
    QTemporaryDir home;
    DisplayLock running(home.path());
    if (pid < 0) {
      QVERIFY(running.acquire());
    } else {
      QFile lock(DisplayLock::lockPath(home.path()));
      QVERIFY(lock.open(QIODevice::WriteOnly));
      lock.write(QByteArray::number(pid ? pid : QCoreApplication::applicationPid()) + '\n' + QCoreApplication::applicationName().toUtf8() +
                 '\n' + (host.isEmpty() ? QSysInfo::machineHostName().toUtf8() : host) + "\n\n" +
                 (boot == "this" ? QSysInfo::bootUniqueId() : boot) + '\n');
    }
    DisplayLock next(home.path());
    QCOMPARE(next.heldElsewhere(), outcome == 0);
    QCOMPARE(next.acquire(), outcome == 1);
    QCOMPARE(next.unavailable().isEmpty(), outcome < 2);
  }

  void freedLockLetsAStartThrough() {
    QTemporaryDir home;
    {
      DisplayLock running(home.path());
      QVERIFY(running.acquire());
      QVERIFY(!running.heldElsewhere());
    }
    DisplayLock other(home.path());
    QVERIFY(!other.heldElsewhere());
    QVERIFY(other.acquire());
  }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
