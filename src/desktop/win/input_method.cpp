#include "desktop/input_method.h"

#include <QEvent>
#include <QWidget>
#include <windows.h>
#include <imm.h>

namespace InputMethod {

namespace {

constexpr char kProperty[] = "driftglyphHiragana";

// Opens the window's input method in hiragana (native, full-width) mode.
void switchToHiragana(QWidget& box) {
  const HWND window = reinterpret_cast<HWND>(box.window()->winId());
  const HIMC context = ImmGetContext(window);
  if (!context) return;
  ImmSetOpenStatus(context, TRUE);
  DWORD conversion = 0, sentence = 0;
  ImmGetConversionStatus(context, &conversion, &sentence);
  ImmSetConversionStatus(context, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE, sentence);
  ImmReleaseContext(window, context);
}

// Windows keeps one input context per window: the mode is set again each
// time a box that asks for hiragana gets the focus.
class FocusWatch final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn && watched->property(kProperty).toBool())
      switchToHiragana(*static_cast<QWidget*>(watched));
    return false;
  }
};

}  // namespace

void preferHiragana(QWidget& box, bool hiragana) {
  box.setAttribute(Qt::WA_InputMethodEnabled, true);
  if (!box.property(kProperty).isValid()) box.installEventFilter(new FocusWatch(&box));
  box.setProperty(kProperty, hiragana);
  if (hiragana && box.hasFocus()) switchToHiragana(box);
}

}  // namespace InputMethod
