#include "idle/idle_watcher.h"

#include <cstdio>

#include "idle/idle_source.h"

IdleWatcher::IdleWatcher(IdleSource& source, QString program, QStringList arguments)
    : program_(std::move(program)), arguments_(std::move(arguments)) {
  display_.setProcessChannelMode(QProcess::ForwardedChannels);
  connect(&source, &IdleSource::idle, this, &IdleWatcher::showDisplay);
  connect(&display_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart || failedOnce_) return;
    failedOnce_ = true;
    std::fprintf(stderr, "driftglyph: --idle: cannot start the display: %s\n", qPrintable(display_.errorString()));
  });
}

IdleWatcher::~IdleWatcher() { endDisplay(); }

void IdleWatcher::showDisplay() {
  if (displayRuns()) return;
  display_.start(program_, arguments_);
}

void IdleWatcher::endDisplay() {
  if (!displayRuns()) return;
  display_.terminate();
  if (!display_.waitForFinished(kEndGraceMs)) {
    display_.kill();
    display_.waitForFinished(kEndGraceMs);
  }
}
