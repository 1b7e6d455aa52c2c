#include "desktop/input_grab.h"

#include <QExposeEvent>
#include <QWidget>
#include <QWindow>

#include "desktop/window_system.h"

InputGrab::InputGrab(QWidget* window) : QObject(window), window_(window) {
  retry_.setInterval(50);
  connect(&retry_, &QTimer::timeout, this, &InputGrab::attempt);
}

InputGrab::~InputGrab() { release(); }

void InputGrab::start() {
  if (active_ || !WindowSystem::canGrabInput()) return;
  active_ = true;
  // Qt sends every key and mouse event to the grabbing widget, whichever of
  // the program's windows has the focus or the pointer.
  window_->grabKeyboard();
  window_->grabMouse();
  if (QWindow* handle = window_->windowHandle()) handle->installEventFilter(this);
  retake();
}

void InputGrab::retake() {
  keyboard_ = pointer_ = false;
  since_.start();
  attempt();
  if (!(keyboard_ && pointer_)) retry_.start();
}

bool InputGrab::eventFilter(QObject* watched, QEvent* event) {
  if (active_ && event->type() == QEvent::Expose && window_->windowHandle()->isExposed()) retake();
  return QObject::eventFilter(watched, event);
}

void InputGrab::attempt() {
  QWindow* handle = window_->windowHandle();
  if (handle && !keyboard_) keyboard_ = handle->setKeyboardGrabEnabled(true);
  if (handle && !pointer_) pointer_ = handle->setMouseGrabEnabled(true);
  if ((keyboard_ && pointer_) || since_.elapsed() >= kRetryMs) retry_.stop();
}

void InputGrab::release() {
  if (!active_) return;
  active_ = false;
  retry_.stop();
  if (QWindow* handle = window_->windowHandle()) handle->removeEventFilter(this);
  window_->releaseKeyboard();
  window_->releaseMouse();
  if (QWindow* handle = window_->windowHandle()) {
    if (keyboard_) handle->setKeyboardGrabEnabled(false);
    if (pointer_) handle->setMouseGrabEnabled(false);
  }
  keyboard_ = pointer_ = false;
}
