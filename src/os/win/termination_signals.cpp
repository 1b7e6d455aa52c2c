#include "os/termination_signals.h"

#include <QMetaObject>
#include <QPointer>
#include <csignal>
#include <windows.h>

// Windows ends a screen saver through its windows, not signals; what comes
// as a signal is Ctrl+C or the closing of a console the program was started
// from. The handler runs on a thread of its own and hands over to the loop.
namespace {

QPointer<TerminationSignals> receiver;

BOOL WINAPI onConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  const int number = event == CTRL_CLOSE_EVENT ? SIGTERM : SIGINT;
  if (TerminationSignals* target = receiver.data())
    QMetaObject::invokeMethod(target, [target, number] { emit target->received(number); }, Qt::QueuedConnection);
  return TRUE;
}

}  // namespace

void TerminationSignals::install() { SetConsoleCtrlHandler(onConsoleEvent, TRUE); }

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  install();
  receiver = this;
}

TerminationSignals::~TerminationSignals() { SetConsoleCtrlHandler(onConsoleEvent, FALSE); }

// A console event already ended the loop; the program returns as usual.
void TerminationSignals::endBy(int) {}
