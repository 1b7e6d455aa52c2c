#pragma once

class QCoreApplication;

// Qt's own texts -- the standard buttons of message boxes, the file and colour
// dialogs -- in Japanese like the rest of the interface, whatever the system's
// locale: the installed translation, else the one built in (Windows). False
// when there is neither: Qt then keeps its English texts.
namespace QtTranslations {

bool installJapanese(QCoreApplication& app);

}  // namespace QtTranslations
