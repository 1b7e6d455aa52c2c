#include "display/display_engine.h"

#include "display/label_painter.h"
#include "display/qt_timer_driver.h"
#include "display/rect_union.h"
#include "display/virtual_clock.h"
#include "startup/quorl_saver.h"

DisplayEngine::DisplayEngine(QuorlSaver& saver, const PatternCatalog& patterns, DisplayRun run, Clock clock)
    : saver_(saver),
      run_(run),
      stage_(metrics_, saver.random),
      cycle_(saver, stage_, patterns, run),
      patterns_(patterns) {
  const auto fire = [this](TimerId id) { this->fire(id); };
  if (clock == Clock::Virtual)
    clock_ = std::make_unique<VirtualClock>(stage_.timers, fire);
  else
    driver_ = std::make_unique<QtTimerDriver>(stage_.timers, fire);
  cycle_.drawBackground = [this] { loadPicture(); };
  frames_.setTimerType(Qt::PreciseTimer);
  frames_.setInterval(Glide::frameInterval(60));
  connect(&frames_, &QTimer::timeout, this, &DisplayEngine::nextFrame);
}

DisplayEngine::~DisplayEngine() = default;

void DisplayEngine::setSize(QSize size) {
  size_ = size;
  cycle_.setFormSize(size.width(), size.height());
}

void DisplayEngine::restart() {
  frames_.stop();
  cycle_.restart();
}

void DisplayEngine::stop() {
  frames_.stop();
  if (driver_) driver_->stopAll();
}

void DisplayEngine::setSmooth(bool on, qreal hertz) {
  smooth_ = on && !clock_;
  frames_.setInterval(Glide::frameInterval(hertz));
  if (!smooth_ && frames_.isActive()) showGlide(1);
}

bool DisplayEngine::step() { return clock_ && clock_->step(); }

qint64 DisplayEngine::now() const { return clock_ ? clock_->now() : 0; }

TimerId DisplayEngine::lastFired() const { return clock_ ? clock_->lastFired() : TimerId::tmQuo; }

DisplayFrame DisplayEngine::frame() const {
  DisplayFrame frame{true, {}, cycle_.patternCaption(), {}, generation_};
  for (const ShownLabel& label : shown_)
    if (label.label.visible) {
      frame.labels.append(label);
      frame.labelRects.append(label.rect);
    }
  return frame;
}

void DisplayEngine::loadPicture() {
  picture_ = TiledPicture(saver_.pictureOrDefault(saver_.settings.backgroundPath));
  emit pictureChanged();
}

QList<ShownLabel> DisplayEngine::tickLabels() const {
  QList<ShownLabel> labels;
  labels.reserve(2 * Stage::kLabels);
  // Hidden labels are not measured, nor compared by their text.
  auto add = [&](const Label& label) { labels.append(label.visible ? LabelPainter::shown(stage_, label) : ShownLabel{}); };
  for (const Label& label : stage_.lblQ) add(label);
  for (const Label& label : stage_.lblF) add(label);
  return labels;
}

int DisplayEngine::nextTickMs() const {
  for (int i = 0; i < kTimerCount; ++i)
    if (stage_.timers.isEnabled(TimerId(i))) return VirtualClock::effectiveInterval(stage_.timers.interval(TimerId(i)));
  return 100;
}

void DisplayEngine::show(QList<ShownLabel> labels, QRegion changed) {
  shown_ = std::move(labels);
  if (!changed.isEmpty()) emit frameChanged(changed);
}

void DisplayEngine::follow(DisplayEngine& leader, int offset) {
  cycle_.follow(offset);
  leader_ = &leader;
  connect(&leader, &DisplayEngine::cycleStarted, this, [this](int wordIndex) {
    if (cycle_.cycleState() == 0) return;
    cycle_.startCycleWith(wordIndex);
    ticked(false);
  });
}

void DisplayEngine::fire(TimerId id) {
  const bool measuring = cycle_.cycleState() == 0;
  cycle_.fire(id);
  ticked(measuring);
  if (id == TimerId::tmQuo && !measuring && !cycle_.following()) emit cycleStarted(cycle_.wordIndex());
  // A display that joins late (a monitor plugged in) starts on the leader's word at once.
  if (measuring && leader_ && leader_->cycle().wordIndex() > 0) {
    cycle_.startCycleWith(leader_->cycle().wordIndex());
    ticked(false);
  }
}

void DisplayEngine::ticked(bool measuring) {
  const std::pair<int, int> shown(cycle_.patternNumber(), cycle_.wordIndex());
  if (shown != shownCycle_) {
    shownCycle_ = shown;
    ++generation_;
    nameStale_ = true;
  }
  from_ = to_.isEmpty() ? tickLabels() : to_;
  to_ = tickLabels();
  hops_.fill(true, to_.size());
  bool gliding = false;
  if (smooth_ && !measuring) {
    const int pattern = cycle_.patternNumber();
    const MotionRule rule = pattern >= 1 && pattern <= kPatternCount ? patterns_[size_t(pattern - 1)].motion : MotionRule();
    for (qsizetype i = 0; i < to_.size(); ++i) {
      hops_[i] = rule.hops(int(i % Stage::kLabels), from_[i].label, to_[i].label);
      gliding = gliding || Glide::glides(from_[i], to_[i], size_, hops_[i]);
    }
  }
  if (gliding) {
    glideMs_ = nextTickMs();
    glideClock_.start();
    frames_.start();
    return showGlide(0);
  }
  frames_.stop();
  // What changed: where labels were and are now, plus the pattern name; all
  // of it when this tick drew the background.
  QList<QRect> rects{LabelPainter::patternNameRect()};
  for (const ShownLabel& label : std::as_const(shown_))
    if (label.label.visible) rects.append(label.rect);
  for (const ShownLabel& label : std::as_const(to_))
    if (label.label.visible) rects.append(label.rect);
  const QRegion changed = measuring ? QRegion(QRect(QPoint(0, 0), size_)) : unitedRects(rects);
  nameStale_ = false;
  show(to_, changed);
}

void DisplayEngine::showGlide(double alpha) {
  QList<ShownLabel> labels(to_.size());
  QList<QRect> changed;
  changed.reserve(2 * to_.size() + 1);
  if (nameStale_) changed.append(LabelPainter::patternNameRect());
  nameStale_ = false;
  for (qsizetype i = 0; i < to_.size(); ++i) {
    labels[i] = Glide::between(from_[i], to_[i], alpha, size_, hops_.value(i, true));
    const ShownLabel* before = i < shown_.size() ? &shown_[i] : nullptr;
    if (before && *before == labels[i]) continue;
    const QRect was = before && before->label.visible ? before->rect : QRect();
    const QRect is = labels[i].label.visible ? labels[i].rect : QRect();
    // A label moved a little repaints one rectangle, not the bands of two.
    if (was.intersects(is)) {
      changed.append(was.united(is));
    } else {
      changed.append(was);
      changed.append(is);
    }
  }
  show(std::move(labels), unitedRects(changed));
}

void DisplayEngine::nextFrame() {
  const double alpha = double(glideClock_.elapsed()) / std::max(1, glideMs_);
  if (alpha >= 1) frames_.stop();
  showGlide(std::min(alpha, 1.0));
}
