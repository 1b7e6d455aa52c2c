#pragma once

#include <QString>
#include <cstdint>

class QuorlSaver;

// The link to the companion vocabulary trainer, whose files the saver only
// reads: Quorl.exe (presence), Status.ini, the word index of the current book,
// the book table and the book header (.vcb).
namespace CompanionLink {

// The executable that marks the companion's folder; the match is case-sensitive.
inline constexpr char16_t kCompanionExecutable[] = u"Quorl.exe";
// The name shown for the word list while the words come from the companion.
inline const QString kCompanionName = QStringLiteral("Quorling");

inline constexpr int kBookRecordSize = 88;
inline constexpr int kBookNameOffset = 50;
inline constexpr int kBookNameLength = 16;

// Where the shown words come from, as the small mark beside the companion
// button tells it: nothing (no companion), a cross (own list while linked),
// a circle (following the companion) or a triangle (linked, no words yet).
enum class SourceMark { None, Cross, Circle, Triangle };
SourceMark sourceMark(uint8_t linkState, uint8_t ownList, uint8_t companionState);

// Looks for Quorl.exe in the stored companion folder on the program's drive;
// sets linkState to 1 (and makes the folder a full path) or 2.
void findCompanion(QuorlSaver& saver);

// Takes the companion's current words into the word list when linked and no
// own list is chosen. companionState becomes 2 (not asked), 1 (no usable
// index: own list kept) or 0 (words taken).
void loadCompanionWords(QuorlSaver& saver);

}  // namespace CompanionLink
