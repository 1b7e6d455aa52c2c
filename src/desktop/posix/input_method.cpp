#include "desktop/input_method.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLocale>
#include <QWidget>

namespace InputMethod {

// Input methods here take the box's language as the hint for kana input.
void preferHiragana(QWidget& box, bool hiragana) {
  box.setAttribute(Qt::WA_InputMethodEnabled, true);
  box.setInputMethodHints(Qt::ImhNone);
  box.setLocale(hiragana ? QLocale(QLocale::Japanese, QLocale::Japan) : QLocale());
  if (box.hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImHints | Qt::ImPreferredLanguage);
}

}  // namespace InputMethod
