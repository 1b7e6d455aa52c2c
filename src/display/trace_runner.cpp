#include "display/trace_runner.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "display/background.h"
#include "display/label_painter.h"
#include "display/main_cycle.h"
#include "display/stage.h"
#include "display/text_metrics.h"
#include "display/virtual_clock.h"
#include "startup/quorl_saver.h"
#include "startup/random_source.h"

namespace TraceRunner {

namespace {

QString jsonString(const QString& text) {
  QString out = QStringLiteral("\"");
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '"': out += QStringLiteral("\\\""); break;
      case '\\': out += QStringLiteral("\\\\"); break;
      case '\n': out += QStringLiteral("\\n"); break;
      case '\r': out += QStringLiteral("\\r"); break;
      case '\t': out += QStringLiteral("\\t"); break;
      default:
        if (c.unicode() < 0x20)
          out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
        else
          out += c;
    }
  }
  return out + u'"';
}

void appendLabels(QString& line, const Stage& stage) {
  bool first = true;
  auto add = [&](const Label& label, const char* kind, int index) {
    if (!label.visible) return;
    const QSize size = stage.size(label);
    if (!first) line += u',';
    first = false;
    line += QStringLiteral("{\"id\":\"%1(%2)\",\"left\":%3,\"top\":%4,\"width\":%5,\"height\":%6,"
                           "\"size\":%7,\"italic\":%8}")
                .arg(QLatin1String(kind))
                .arg(index)
                .arg(qint64(std::nearbyint(label.left)))
                .arg(qint64(std::nearbyint(label.top)))
                .arg(size.width())
                .arg(size.height())
                .arg(label.size)
                .arg(label.italic ? QStringLiteral("true") : QStringLiteral("false"));
  };
  for (int i = 0; i < Stage::kLabels; ++i) add(stage.lblQ[size_t(i)], "lblQ", i);
  for (int i = 0; i < Stage::kLabels; ++i) add(stage.lblF[size_t(i)], "lblF", i);
}

QString tickLine(qint64 time, TimerId timer, const Stage& stage, const MainCycle& cycle) {
  QString line = QStringLiteral("{\"t\":%1,\"timer\":\"%2\",\"PH\":%3,\"STEP\":%4,\"SW\":%5,\"SH\":%6,"
                                "\"CX\":%7,\"CY\":%8,\"DELAY\":%9,")
                     .arg(time)
                     .arg(timerName(timer))
                     .arg(stage.PH)
                     .arg(stage.STEP)
                     .arg(stage.SW)
                     .arg(stage.SH)
                     .arg(stage.CX)
                     .arg(stage.CY)
                     .arg(stage.DELAY);
  line += QStringLiteral("\"word\":%1,\"pattern\":%2,\"name\":%3,\"enabled\":[")
              .arg(cycle.wordIndex())
              .arg(cycle.patternNumber())
              .arg(jsonString(cycle.patternCaption()));
  const QStringList enabled = stage.timers.enabledNames();
  for (int i = 0; i < enabled.size(); ++i) {
    if (i > 0) line += u',';
    line += jsonString(enabled.at(i));
  }
  line += QStringLiteral("],\"labels\":[");
  appendLabels(line, stage);
  line += QStringLiteral("]}");
  return line;
}

}  // namespace

int run(QuorlSaver& saver, const PatternCatalog& patterns, const TraceOptions& options, QTextStream& out) {
  QtTextMetrics metrics;
  RandomSource& random = saver.random;
  Stage stage(metrics, random);
  MainCycle cycle(saver, stage, patterns);
  VirtualClock clock(stage.timers, [&cycle](TimerId id) { cycle.fire(id); });
  // The "system timer" that reseeds the generator is the virtual clock, offset by the seed.
  random.setClock([&clock, &options] { return uint32_t(clock.now()) + options.seed; });

  QImage background;
  cycle.setFormSize(options.size.width(), options.size.height());
  cycle.drawBackground = [&] {
    background = Background::compose(Background::load(saver.pictureOrDefault(saver.settings.backgroundPath)),
                                      options.size);
  };
  if (!options.framesFolder.isEmpty()) QDir().mkpath(options.framesFolder);

  saver.configMode = false;
  cycle.load();
  cycle.start();

  LabelPainter painter(48 * 1024 * 1024);  // pictures kept long, so frames are the same on every run
  int ended = 0;
  qint64 frame = 0;
  while (ended < options.runs && clock.step()) {
    const TimerId fired = clock.lastFired();
    out << tickLine(clock.now(), fired, stage, cycle) << '\n';
    if (fired != TimerId::tmQuo && stage.timers.isEnabled(TimerId::tmQuo)) ++ended;
    if (!options.framesFolder.isEmpty()) {
      QImage picture = background;  // composed (black when no picture loads) on the first tick
      QPainter p(&picture);
      painter.paint(p, stage);
      painter.paintPatternName(p, cycle.patternCaption());
      p.end();
      picture.save(QDir(options.framesFolder).filePath(QStringLiteral("%1.png").arg(frame, 6, 10, QChar(u'0'))));
    }
    ++frame;
  }
  out.flush();
  random.setClock(&RandomSource::timeOfDayMs);
  return 0;
}

}  // namespace TraceRunner
