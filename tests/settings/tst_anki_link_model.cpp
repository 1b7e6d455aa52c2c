#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "anki/anki_link.h"
#include "settings/anki_link_model.h"
#include "startup/quorl_saver.h"
#ifdef DRIFTGLYPH_ANKI
#include "anki_fixture.h"
#endif

class TestAnkiLinkModel : public QObject {
  Q_OBJECT

 private slots:
  void choiceIsReadShownAndApplied();
  void profilesAndFieldsOffered();
};

// The settings' link choice: decks offered from the profile, the status of
// a read of the choice, a deck cleared with another profile, and Apply
// writing Driftglyph.ini and giving the saver the link's words.
void TestAnkiLinkModel::choiceIsReadShownAndApplied() {
#ifndef DRIFTGLYPH_ANKI
  QSKIP("built without Anki profiles");
#else
  QTemporaryDir home, profile, other;
  AnkiFixture::Collection c;
  c.wal = true;
  c.decks = {{1, "Default"}, {2, "JP::N5"}, {3, "Empty"}};
  c.notes = {{1, {"犬", "dog"}, 2, 1, 0}, {1, {"猫", "cat"}, 1, 0, 0}};
  QVERIFY(AnkiFixture::writeCollection(profile.filePath("collection.anki2"), c));
  ExtraSettings start;
  start.ankiProfile = profile.path();
  start.ankiDeck = "JP::N5";
  QVERIFY(ExtraSettingsFile::save(home.path(), start));
  QuorlSaver saver(home.path());
  saver.setExtraSource(AnkiLink::extraSource());
  saver.load();
  QVERIFY(saver.extraSourceName().isEmpty());  // the link is not chosen yet: the DrifStt list

  AnkiLinkModel model(saver);
  QCOMPARE(model.decks(), QStringList({"Default", "JP", "JP::N5"}));
  QCOMPARE(model.status(), QStringLiteral("Ankiから1語を読み込みました。"));
  model.setCards(ExtraSettings::AnkiCards::All);
  model.setDeck(QString());
  QCOMPARE(model.status(), QStringLiteral("Ankiから2語を読み込みました。"));
  QVERIFY(!QFile::exists(home.filePath("AnkiSnapshot.dgl")));  // looking is not choosing
  model.setUsed(true);
  QVERIFY(model.apply(nullptr));
  QCOMPARE(saver.words.questions, QStringList({"犬", "猫"}));
  QCOMPARE(saver.extraSourceName(), QStringLiteral("Anki"));
  const ExtraSettings saved = ExtraSettingsFile::load(home.path());
  QCOMPARE(saved.words, ExtraSettings::WordSource::Anki);
  QCOMPARE(saved.ankiCards, ExtraSettings::AnkiCards::All);

  model.setDeck("JP");
  model.setProfile(other.path());
  QVERIFY(model.settings().ankiDeck.isEmpty());
  QVERIFY(model.decks().isEmpty());
  QCOMPARE(model.status(), AnkiErrors::japanese(AnkiError::NoCollection));
#endif
}

// Profiles as people count them, a same-named one with its place; a note
// type's question and answer chosen for the link.
void TestAnkiLinkModel::profilesAndFieldsOffered() {
#if !defined(DRIFTGLYPH_ANKI) || defined(Q_OS_WIN)
  QSKIP("built without Anki profiles, or where profiles have one place (APPDATA)");
#else
  QTemporaryDir home, user;
  const QByteArray oldHome = qgetenv("HOME");
  const QByteArray oldData = qgetenv("XDG_DATA_HOME");
  qputenv("HOME", QFile::encodeName(user.path()));
  qunsetenv("XDG_DATA_HOME");
  AnkiFixture::Collection c;
  c.noteTypes = {{1, "Japanese", {"Word", "Reading", "Meaning"}}, {2, "Cloze", {"Text", "Extra"}, true}};
  c.notes = {{1, {"猫", "ねこ", "cat"}}};
  for (const char* folder : {"/.local/share/Anki2/User 10", "/.local/share/Anki2/User 2", "/.local/share/Anki2/User 1",
                                "/.var/app/net.ankiweb.Anki/data/Anki2/User 1"}) {
    QVERIFY(QDir().mkpath(user.path() + QString(folder)));
    QVERIFY(AnkiFixture::writeCollection(user.path() + folder + "/collection.anki2", c));
  }
  QuorlSaver saver(home.path());
  saver.setExtraSource(AnkiLink::extraSource());
  AnkiLinkModel model(saver);
  QStringList labels;
  for (const AnkiProfile::Profile& profile : model.profiles()) labels << profile.label;
  qputenv("HOME", oldHome);
  if (oldData.isNull()) qunsetenv("XDG_DATA_HOME"); else qputenv("XDG_DATA_HOME", oldData);
  QCOMPARE(labels, QStringList({"User 1", "User 1 (Flatpak)", "User 2", "User 10"}));

  model.setCards(ExtraSettings::AnkiCards::All);
  QCOMPARE(model.noteTypes().size(), 1);  // a cloze type's fields are not chosen
  model.setFields("Japanese", "Word", "Meaning");
  model.setUsed(true);
  QVERIFY(model.apply(nullptr));
  QCOMPARE(saver.words.answers, QStringList({"cat"}));
#endif
}

QTEST_GUILESS_MAIN(TestAnkiLinkModel)
#include "tst_anki_link_model.moc"
