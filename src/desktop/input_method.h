#pragma once

class QWidget;

// The input mode an edit box asks of the system's input method: hiragana
// for a Japanese face, and no control otherwise (the user's own choice stands).
namespace InputMethod {

void preferHiragana(QWidget& box, bool hiragana);

}  // namespace InputMethod
