#include "display/trace_runner.h"

#include <QDir>
#include <QImage>
#include <cmath>

#include "display/display_engine.h"
#include "display/raster_frame_surface.h"
#include "os/console.h"
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
  DisplayEngine engine(saver, patterns, DisplayRun::Show, DisplayEngine::Clock::Virtual);
  RandomSource& random = saver.random;
  // The "system timer" that reseeds the generator is the virtual clock, offset by the seed.
  random.setClock([&engine, &options] { return uint32_t(engine.now()) + options.seed; });
  engine.setSize(options.size);

  // Frames go through the same raster surface as the display's own window,
  // keeping text pictures long so frames are the same on every run.
  std::unique_ptr<RasterFrameSurface> surface;
  if (!options.framesFolder.isEmpty()) {
    QDir().mkpath(options.framesFolder);
    surface = std::make_unique<RasterFrameSurface>(QImage::Format_RGB32, RasterFrameSurface::Present(),
                                                   48 * 1024 * 1024);
    surface->resize(options.size, 1);
    QObject::connect(&engine, &DisplayEngine::pictureChanged, [&] { surface->setBackground(engine.picture()); });
    QObject::connect(&engine, &DisplayEngine::frameChanged,
                     [&](const QRegion& area) { surface->draw(area, engine.frame()); });
  }

  engine.load();
  engine.start();
  int ended = 0;
  qint64 frame = 0;
  while (ended < options.runs && engine.step()) {
    const TimerId fired = engine.lastFired();
    out << tickLine(engine.now(), fired, engine.stage(), engine.cycle()) << '\n';
    if (fired != TimerId::tmQuo && engine.stage().timers.isEnabled(TimerId::tmQuo)) ++ended;
    if (surface) {
      const QString path = QDir(options.framesFolder).filePath(QStringLiteral("%1.png").arg(frame, 6, 10, QChar(u'0')));
      if (!surface->image().save(path)) {
        out.flush();
        random.setClock(&RandomSource::timeOfDayMs);
        Console::printErr(QStringLiteral("driftglyph: --frames: cannot write %1\n").arg(QDir::toNativeSeparators(path)));
        return 2;
      }
    }
    ++frame;
  }
  out.flush();
  random.setClock(&RandomSource::timeOfDayMs);
  return 0;
}

}  // namespace TraceRunner
