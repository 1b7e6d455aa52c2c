#include "display/display_engine.h"

#include "display/label_painter.h"
#include "display/qt_timer_driver.h"
#include "display/virtual_clock.h"
#include "startup/quorl_saver.h"

DisplayEngine::DisplayEngine(QuorlSaver& saver, const PatternCatalog& patterns, DisplayRun run, Clock clock)
    : saver_(saver), run_(run), stage_(metrics_, saver.random), cycle_(saver, stage_, patterns, run) {
  const auto fire = [this](TimerId id) { this->fire(id); };
  if (clock == Clock::Virtual)
    clock_ = std::make_unique<VirtualClock>(stage_.timers, fire);
  else
    driver_ = std::make_unique<QtTimerDriver>(stage_.timers, fire);
  cycle_.drawBackground = [this] { loadPicture(); };
}

DisplayEngine::~DisplayEngine() = default;

void DisplayEngine::setSize(QSize size) {
  size_ = size;
  cycle_.setFormSize(size.width(), size.height());
}

void DisplayEngine::restart() { cycle_.restart(); }

void DisplayEngine::stop() {
  if (driver_) driver_->stopAll();
}

bool DisplayEngine::step() { return clock_ && clock_->step(); }

qint64 DisplayEngine::now() const { return clock_ ? clock_->now() : 0; }

TimerId DisplayEngine::lastFired() const { return clock_ ? clock_->lastFired() : TimerId::tmQuo; }

DisplayFrame DisplayEngine::frame() const {
  return DisplayFrame{&stage_, cycle_.patternCaption(), labelRects_, generation_};
}

void DisplayEngine::loadPicture() {
  picture_ = TiledPicture(saver_.pictureOrDefault(saver_.settings.backgroundPath));
  emit pictureChanged();
}

void DisplayEngine::fire(TimerId id) {
  const bool measuring = cycle_.cycleState() == 0;
  cycle_.fire(id);
  const std::pair<int, int> shown(cycle_.patternNumber(), cycle_.wordIndex());
  if (shown != shownCycle_) {
    shownCycle_ = shown;
    ++generation_;
  }
  // What changed: where labels were and are now, plus the pattern name; all
  // of it when this tick drew the background.
  const QList<QRect> rects = LabelPainter::visibleRects(stage_);
  QRegion changed(LabelPainter::patternNameRect());
  for (const QRect& r : labelRects_) changed += r;
  for (const QRect& r : rects) changed += r;
  labelRects_ = rects;
  if (measuring) changed = QRect(QPoint(0, 0), size_);
  emit frameChanged(changed);
}
