#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

#include "startup/extra_settings.h"
#include "startup/word_list.h"

// The last good read of the live link, in the home folder: the pairs as a
// word list (AnkiSnapshot.dgl) and, beside it, the choice they were read for
// and when (AnkiSnapshot.ini). A snapshot of another profile, deck, card
// set or field choice is never shown.
namespace LinkSnapshot {

struct Snapshot {
  WordList words;
  QDateTime taken;
};

bool save(const QString& home, const ExtraSettings& settings, const WordList& words, const QDateTime& taken);
std::optional<Snapshot> load(const QString& home, const ExtraSettings& settings);

}  // namespace LinkSnapshot
