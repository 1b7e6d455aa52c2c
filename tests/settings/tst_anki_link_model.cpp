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

QTEST_GUILESS_MAIN(TestAnkiLinkModel)
#include "tst_anki_link_model.moc"
