#pragma once

#include <QString>

// What the companion button says to the user, word for word.
namespace CompanionMessages {

// Linked, but the companion holds no words yet.
QString noWords();
// Just linked (or switched), but the companion holds no words yet.
QString linkedNoWords();
// Asks whether to follow the companion's words instead of the own list.
QString askSwitch();
QString synced();
// The own list stays: `listName` is "DEFAULT" or the list's file name.
QString kept(const QString& listName);
QString already();
QString askInstalled();
QString locate();
// Shown with the chooser where Windows programs are not at home: what the companion is.
QString windowsProgram();
// Points at the project's web page, for users without the companion.
QString advert();

}  // namespace CompanionMessages
