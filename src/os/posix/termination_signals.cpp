#include "os/termination_signals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
volatile sig_atomic_t firstReceived = 0;

void setAction(int number, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(number, &action, nullptr);
}

// The grace period is over: the first signal acts as if never caught.
extern "C" void onGraceOver(int) {
  if (firstReceived) TerminationSignals::endBy(firstReceived);
}

extern "C" void onSignal(int number) {
  const int savedErrno = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
  if (!firstReceived) {
    firstReceived = number;
    setAction(SIGALRM, onGraceOver);
    ::alarm(TerminationSignals::kGraceSeconds);
  }
  errno = savedErrno;
}

}  // namespace

void TerminationSignals::install() {
  if (pipeEnds[0] < 0 && ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  for (int number : kSignals) setAction(number, onSignal);
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  install();
  if (pipeEnds[0] < 0) return;
  auto notifier = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
  connect(notifier.get(), &QSocketNotifier::activated, this, [this] {
    unsigned char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1) emit received(byte);
  });
  listener_ = std::move(notifier);
}

TerminationSignals::~TerminationSignals() {
  ::alarm(0);
  for (int number : kSignals) setAction(number, SIG_DFL);
}

// Async-signal-safe: it also ends the grace period.
void TerminationSignals::endBy(int signalNumber) {
  ::alarm(0);
  setAction(signalNumber, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signalNumber);
  ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
  ::raise(signalNumber);
  ::_exit(128 + signalNumber);  // not reached unless the signal is ignored
}
