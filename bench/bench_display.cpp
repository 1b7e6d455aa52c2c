// Display costs: the model cost of one pattern tick (real font metrics), the
// paint cost of one 1920x1080 frame, against blitting the background alone,
// and what texts of sentence length and longer cost to lay out in lines.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "display/background.h"
#include "display/label_painter.h"
#include "display/main_cycle.h"
#include "display/stage.h"
#include "display/text_metrics.h"
#include "display/virtual_clock.h"
#include "patterns/pattern.h"
#include "startup/quorl_saver.h"

namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct Rig {
  QtTextMetrics metrics;
  RandomSource random;
  QuorlSaver saver{QString()};
  Stage stage{metrics, random};
  MainCycle cycle{saver, stage, Patterns::table(), DisplayRun::Trial};
  VirtualClock clock{stage.timers, [this](TimerId id) { cycle.fire(id); }};

  explicit Rig(int pattern, QSize size, const QString& question = QStringLiteral("understand"),
               const QString& answer = QStringLiteral("理解する")) {
    saver.settings.patternOrder = 1;
    saver.settings.patternExcluded.fill(1);
    saver.settings.patternExcluded[size_t(pattern - 1)] = 0;
    saver.words.questionFont = saver.words.answerFont = QStringLiteral("IPAPGothic");
    saver.words.append(question, answer);
    cycle.setFormSize(size.width(), size.height());
    cycle.load();
    cycle.start();
  }
};

struct TickCost {
  double median, mean, max;
};

// Microseconds of one pattern tick, over many full runs.
TickCost tickCost(int pattern, const QString& question = QStringLiteral("understand"),
                  const QString& answer = QStringLiteral("理解する")) {
  Rig rig(pattern, QSize(1920, 1080), question, answer);
  std::vector<double> samples;
  QElapsedTimer timer;
  for (int ticks = 0; ticks < 61 * 40; ) {
    const bool isPattern = rig.stage.timers.isEnabled(patternTimer(pattern));
    timer.start();
    rig.clock.step();
    const double us = timer.nsecsElapsed() / 1000.0;
    if (isPattern) {
      samples.push_back(us);
      ++ticks;
    }
  }
  double sum = 0;
  for (double v : samples) sum += v;
  return {median(samples), sum / double(samples.size()), *std::max_element(samples.begin(), samples.end())};
}

// Advances a stage to its busiest tick (most visible labels) of a pattern.
int busiestTick(Rig& rig, int pattern) {
  int best = 0, bestTick = 0;
  for (int t = 0; t < 63; ++t) {
    rig.clock.step();
    int visible = 0;
    for (const Label& l : rig.stage.lblQ) visible += l.visible;
    for (const Label& l : rig.stage.lblF) visible += l.visible;
    if (visible > best) best = visible, bestTick = t;
  }
  Rig again(pattern, QSize(1920, 1080));
  for (int t = 0; t <= bestTick; ++t) again.clock.step();
  rig.stage.lblQ = again.stage.lblQ;
  rig.stage.lblF = again.stage.lblF;
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  std::printf("%-14s %12s %12s %12s\n", "pattern", "median (us)", "mean (us)", "max (us)");
  double worst = 0;
  for (const PatternEntry& entry : Patterns::table()) {
    if (!entry.tick) continue;
    const TickCost cost = tickCost(entry.number);
    worst = std::max(worst, cost.mean);
    std::printf("%-14s %12.2f %12.2f %12.2f\n", qPrintable(entry.name), cost.median, cost.mean, cost.max);
  }
  std::printf("%-14s %12s %12.2f   (worst mean; target < 20)\n\n", "worst", "", worst);

  const QSize screen(1920, 1080);
  const QImage background = Background::compose(
      Background::load(QCoreApplication::applicationDirPath() + "/../src/DEFAULT.jpg"), screen);
  QImage frame(screen, QImage::Format_RGB32);

  std::vector<double> blit;
  for (int i = 0; i < 200; ++i) {
    QElapsedTimer timer;
    timer.start();
    QPainter p(&frame);
    p.drawImage(0, 0, background);
    p.end();
    blit.push_back(timer.nsecsElapsed() / 1000.0);
  }
  const double blitUs = median(blit);
  std::printf("%-14s %8s %12s %10s\n", "frame", "labels", "paint (us)", "x blit");
  std::printf("%-14s %8d %12.1f %10.2f\n", "background", 0, blitUs, 1.0);

  double worstRatio = 0;
  for (const PatternEntry& entry : Patterns::table()) {
    if (!entry.tick) continue;
    Rig rig(entry.number, screen);
    const int labels = busiestTick(rig, entry.number);
    LabelPainter painter;
    std::vector<double> samples;
    for (int i = 0; i < 200; ++i) {
      QElapsedTimer timer;
      timer.start();
      QPainter p(&frame);
      p.drawImage(0, 0, background);
      painter.paint(p, LabelPainter::shownLabels(rig.stage));
      p.end();
      if (i >= 5) samples.push_back(timer.nsecsElapsed() / 1000.0);  // after the caches are warm
    }
    const double us = median(samples);
    worstRatio = std::max(worstRatio, us / blitUs);
    std::printf("%-14s %8d %12.1f %10.2f\n", qPrintable(entry.name), labels, us, us / blitUs);
  }
  std::printf("%-14s %8s %12s %10.2f   (target <= 2)\n\n", "worst", "", "", worstRatio);

  // Laying a text out in lines, once per word and size, with real fonts.
  const QString definition = QStringLiteral(
      "the feeling of great happiness and pride that comes from succeeding at something difficult after long effort.");
  const QString explanation = QString::fromUtf8(
      "物事を成し遂げたときに感じる大きな喜びと誇りの気持ち。長い努力の末に難しいことを成功させたときに生まれる感情で、"
      "自分の力を信じる心や次の目標に向かう意欲にもつながる。日常の小さな達成でも味わうことができ、学びを続けるための"
      "大切な原動力となる。周りの人と分かち合うことでさらに深まり、友人との会話や毎日の日記を通して記憶に長く残る。");
  std::printf("%-26s %12s\n", "text at 1280x720, 24 pt", "lay out (ms)");
  for (const auto& [name, text] : {std::pair{"definition (109)", definition}, std::pair{"explanation (165)", explanation},
                                   std::pair{"100 000 letters", QString(100000, u'w')},
                                   std::pair{"100 000 with spaces", QStringLiteral("word ").repeated(20000)}}) {
    QtTextMetrics metrics;
    RandomSource random;
    Stage stage(metrics, random);
    stage.SW = 1280;
    stage.SH = 715;
    Label label;
    label.caption = text;
    label.face = QStringLiteral("IPAPGothic");
    QElapsedTimer timer;
    timer.start();
    stage.size(label);
    std::printf("%-26s %12.1f   (target < 50)\n", name, timer.nsecsElapsed() / 1e6);
  }
  std::printf("\n%-14s %12s %12s %12s\n", "long texts", "median (us)", "mean (us)", "max (us)");
  for (const PatternEntry& entry : Patterns::table()) {
    const TickCost cost = tickCost(entry.number, definition, explanation);
    std::printf("%-14s %12.2f %12.2f %12.2f\n", qPrintable(entry.name), cost.median, cost.mean, cost.max);
  }
  return 0;
}
