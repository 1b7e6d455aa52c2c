#pragma once

#include <QString>

// Why a flashcard package, collection or profile gave no words. Each has one
// Japanese message for the dialogs and one English line for the command line.
enum class AnkiError {
  Unavailable,    // this build reads no flashcard files
  NotPackage,     // not a zip, or a truncated or damaged one
  BadMeta,        // the package's version record cannot be read
  TooNew,         // a package version this program does not know
  TooLarge,       // a member decompresses beyond kMaxMemberBytes
  NoCollection,   // the package or profile folder holds no collection
  NotCollection,  // not an SQLite database (or an encrypted one), or its tables are not a collection's
  UnknownSchema,  // a collection schema outside 11..18
  Locked,         // another program holds the collection locked (the flashcard program is open)
  NoDeck,         // the deck asked for is not in the collection
  NoPairs,        // nothing in the chosen notes gave a pair
  Cancelled,      // the user cancelled a choice
  WriteFailed,    // the temporary copy could not be written (disk full, no temporary folder)
  NoPermission,   // the file is there but may not be read
  Encrypted,      // a package whose collection is encrypted
  NoSuchField,    // the fields named for question and answer are in no note type
  TooHeavy,       // reading took longer or more memory than allowed (a hostile or broken collection)
};

namespace AnkiErrors {

// The most a package member may decompress to; beyond it the package is
// refused as a zip (or zstd) bomb. Collections of a hundred thousand notes
// take a few tens of megabytes.
inline constexpr qint64 kMaxMemberBytes = qint64(1) << 30;

QString japanese(AnkiError error);
QString english(AnkiError error);

}  // namespace AnkiErrors
