#include "display/label_painter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "display/bgr_color.h"
#include "display/frame_surface.h"
#include "display/label_font.h"
#include "display/page_image.h"

namespace {

// The lines of a label's text: one, or those the fit broke it into.
QStringList linesOf(const QString& text) { return text.split(LabelFit::kLineBreak); }

// Where each line of a block starts across, centred on the widest.
QList<qreal> lineStarts(const QFontMetricsF& metrics, const QStringList& lines, qreal* blockWidth) {
  QList<qreal> widths;
  for (const QString& line : lines) widths.append(metrics.horizontalAdvance(line));
  *blockWidth = *std::max_element(widths.cbegin(), widths.cend());
  for (qreal& w : widths) w = (*blockWidth - w) / 2;
  return widths;
}

// Text small enough for the glyph cache, drawn as the window would draw it,
// with room for overhangs on every side.
LabelPainter::Picture textPicture(const QFont& font, const QString& text, const QColor& color, qreal ratio) {
  const QFontMetricsF metrics(font);
  const QStringList lines = linesOf(text);
  qreal width = 0;
  const QList<qreal> starts = lineStarts(metrics, lines, &width);
  const qreal pad = std::ceil(metrics.height() / 4) + 2;
  const QSizeF size(width + 2 * pad, metrics.height() * lines.size() + 2 * pad);
  const QSize pixels = (size * ratio).toSize() + QSize(1, 1);
  LabelPainter::Picture picture{PageImage::make(pixels, QImage::Format_ARGB32_Premultiplied),
                                -QPoint(int(pad * ratio), int(pad * ratio))};
  picture.image.fill(Qt::transparent);
  QPainter p(&picture.image);
  p.translate(-picture.corner);
  p.scale(ratio, ratio);
  p.setFont(font);
  p.setPen(color);
  for (qsizetype i = 0; i < lines.size(); ++i)
    p.drawText(QPointF(starts[i], metrics.ascent() + i * metrics.height()), lines[i]);
  return picture;
}

}  // namespace

const LabelPainter::Entry& LabelPainter::entryFor(const Label& label, qreal ratio, bool gliding) {
  return cache_.use(Key::of(label, ratio, gliding), [&] {
    Entry entry;
    if (!gliding) ++newSizes_;
    const LabelFont::Face face = LabelFont::forText(label.face, label.size, label.italic, label.caption);
    entry.font = face.font;
    // Text between two sizes is a picture too: Qt's glyph cache keeps the
    // glyphs of one scale, so text drawn at a new scale every frame would have
    // its glyphs drawn again every frame, and a cache of them made and thrown
    // away each time.
    // Lines are drawn into one picture, like large text.
    const bool lines = label.caption.contains(LabelFit::kLineBreak);
    if (const bool outline = needsOutline(face, ratio); outline || gliding || lines) {
      const Picture drawn = pictureOf(face, label, ratio, outline);
      entry.usePicture = true;
      entry.picture = drawn.image;
      entry.pictureOffset = drawn.corner;
    } else {
      entry.text.setText(label.caption);
      entry.text.setTextFormat(Qt::PlainText);
      entry.text.setPerformanceHint(QStaticText::AggressiveCaching);
      entry.text.prepare(QTransform(), entry.font);
    }
    const qint64 bytes = entry.picture.sizeInBytes();
    return PictureCache<Key, Entry>::Made{std::move(entry), bytes};
  });
}

bool LabelPainter::needsOutline(const LabelFont::Face& face, qreal ratio) {
  // A leaning label is slanted by hand. The glyph cache takes text up to a
  // size in device pixels. From Qt's synthetic-bold limit up it may draw a
  // face without a bold style thin.
  if (face.leaning) return true;
  const QFontInfo info(face.font);
  return info.pixelSize() * ratio > kMaxGlyphPixels ||
         (info.pixelSize() >= kQtSyntheticBoldLimit && !hasRealBold(info.family()) && !outlineIsBold(info));
}

bool LabelPainter::outlineIsBold(const QFontInfo& info) {
#ifdef Q_OS_WIN
  // Windows' font engines embolden only the glyphs they draw themselves.
  return false;
#else
  // FreeType's engine emboldens outlines too, below its size limit. (Asking
  // an outline would make another font engine, which shifts later outlines
  // of the same face by a fraction of a pixel.)
  return info.pixelSize() < kQtSyntheticBoldLimit || qEnvironmentVariableIsSet("QT_NO_SYNTHESIZED_BOLD_LIMIT");
#endif
}

LabelPainter::Picture LabelPainter::drawOutline(const QFont& font, const QString& text, const QColor& color,
                                                qreal ratio, bool leaning) {
  const QFontInfo info(font);
  QPainterPath outline;
  const QFontMetricsF metrics(font);
  const QStringList lines = linesOf(text);
  qreal width = 0;
  const QList<qreal> starts = lineStarts(metrics, lines, &width);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QPainterPath line;
    const qreal baseline = metrics.ascent() + i * metrics.height();
    line.addText(starts[i], baseline, font, lines[i]);
    // Slanted about the baseline, as an oblique face would be.
    if (leaning) line = QTransform(1, 0, -LabelFont::kLean, 1, LabelFont::kLean * baseline, 0).map(line);
    if (i == 0)
      outline = line;
    else
      outline.addPath(line);
  }
  if (ratio != 1) outline = QTransform::fromScale(ratio, ratio).map(outline);
  // Qt's synthetic bold thickens a face without a bold style by about 1/24
  // em; where the outline has none, do the same by hand. Doing it twice
  // fills dense characters in.
  const qreal emboldening = hasRealBold(info.family()) || outlineIsBold(info) ? 0 : info.pixelSize() * ratio / 24.0;
  const QRect bounds = outline.boundingRect().adjusted(-emboldening, -emboldening, emboldening, emboldening)
                           .toAlignedRect()
                           .adjusted(-1, -1, 1, 1);
  if (bounds.isEmpty()) return {};
  Picture picture{PageImage::make(bounds.size(), QImage::Format_ARGB32_Premultiplied), bounds.topLeft()};
  picture.image.fill(Qt::transparent);
  QPainter p(&picture.image);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(-bounds.topLeft());
  p.fillPath(outline, color);
  if (emboldening > 0) p.strokePath(outline, QPen(color, emboldening, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  return picture;
}

LabelPainter::Picture LabelPainter::picture(const Label& label, qreal ratio) {
  if (label.caption.isEmpty()) return {};
  const LabelFont::Face face = LabelFont::forText(label.face, label.size, label.italic, label.caption);
  return pictureOf(face, label, ratio, needsOutline(face, ratio));
}

LabelPainter::Picture LabelPainter::pictureOf(const LabelFont::Face& face, const Label& label, qreal ratio,
                                              bool outline) {
  const QColor color = BgrColor::toQColor(int32_t(label.color));
  if (outline) return drawOutline(face.font, label.caption, color, ratio, face.leaning);
  return textPicture(face.font, label.caption, color, ratio);
}

LabelPainter::Picture LabelPainter::Picture::trimmed() const {
  if (image.format() != QImage::Format_ARGB32_Premultiplied) return *this;
  const auto inkIn = [this](int y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(row[x]) != 0) return true;
    return false;
  };
  int top = 0, bottom = image.height();
  while (top < bottom && !inkIn(top)) ++top;
  if (top == bottom) return {};
  while (!inkIn(bottom - 1)) --bottom;
  int left = image.width(), right = 0;
  for (int y = top; y < bottom; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < left; ++x)
      if (qAlpha(row[x]) != 0) left = x;
    for (int x = image.width() - 1; x >= right; --x)
      if (qAlpha(row[x]) != 0) right = x + 1;
  }
  const QRect ink(left, top, right - left, bottom - top);
  if (ink == image.rect()) return *this;
  return {image.copy(ink), corner + ink.topLeft()};
}

LabelPainter::Picture LabelPainter::patternNamePicture(const QString& name, qreal ratio) {
  if (name.isEmpty()) return {};
  return textPicture(patternNameFont(), name, BgrColor::toQColor(0x00FFFFC0), ratio);
}

QPoint LabelPainter::devicePlace(const Label& label, qreal ratio) {
  return (QPointF(std::round(label.left), std::round(label.top)) * ratio).toPoint();
}

void LabelPainter::releaseStale() {
  cache_.clear();
  LabelFont::releaseFreedMemory();
}

bool LabelPainter::hasRealBold(const QString& family) {
  for (const QString& style : QFontDatabase::styles(family))
    if (QFontDatabase::weight(family, style) >= QFont::DemiBold) return true;
  return false;
}

void LabelPainter::paintLabel(QPainter& painter, const ShownLabel& shown, qreal ratio) {
  const Label& label = shown.label;
  if (!label.visible || label.caption.isEmpty()) return;
  // Large text has one picture for all frames; other text has one more for between sizes.
  const Entry* still = &entryFor(label, ratio, false);
  const Entry& entry = shown.scale != 1 && !still->usePicture ? entryFor(label, ratio, true) : *still;
  const QPointF at(std::round(label.left), std::round(label.top));
  if (shown.scale != 1) {
    // Between two sizes: the picture of a tick size, scaled about its corner.
    if (entry.picture.isNull()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(at);
    painter.scale(shown.scale, shown.scale);
    painter.drawImage(QRectF(QPointF(entry.pictureOffset) / ratio, QSizeF(entry.picture.size()) / ratio),
                      entry.picture);
    painter.restore();
    return;
  }
  if (entry.usePicture) {
    if (entry.picture.isNull()) return;
    // The picture goes on whole device pixels, one picture pixel on each.
    const QPoint corner = devicePlace(label, ratio) + entry.pictureOffset;
    if (ratio == 1) {
      painter.drawImage(corner, entry.picture);
    } else {
      painter.save();
      painter.scale(1 / ratio, 1 / ratio);
      painter.drawImage(corner, entry.picture);
      painter.restore();
    }
    return;
  }
  painter.setFont(entry.font);
  painter.setPen(BgrColor::toQColor(int32_t(label.color)));
  painter.drawStaticText(at, entry.text);
}

void LabelPainter::paint(QPainter& painter, const QList<ShownLabel>& labels) {
  cache_.beginFrame();
  const qreal ratio = painter.deviceTransform().m11();  // device pixels per layout pixel
  for (const ShownLabel& shown : labels) paintLabel(painter, shown, ratio);
  cache_.endFrame();
  if (newSizes_ >= kNewSizesPerEngineRelease) {
    // Laid-out text holds its engine: what this frame did not draw goes with them.
    cache_.dropUnused();
    LabelFont::releaseEngines();
    newSizes_ = 0;
  }
}

QRect LabelPainter::rectOf(const Stage& stage, const Label& label) {
  return Glide::rectOf(stage.drawn(label), stage.size(label));
}

ShownLabel LabelPainter::shown(const Stage& stage, const Label& label) {
  ShownLabel shown{stage.drawn(label), 1, stage.size(label), QRect()};
  shown.rect = Glide::rectOf(shown.label, shown.box);
  return shown;
}

QList<ShownLabel> LabelPainter::shownLabels(const Stage& stage) {
  QList<ShownLabel> labels;
  auto add = [&](const Label& label) {
    if (label.visible) labels.append(shown(stage, label));
  };
  for (const Label& label : stage.lblQ) add(label);
  for (const Label& label : stage.lblF) add(label);
  return labels;
}

QList<QRect> LabelPainter::visibleRects(const Stage& stage) {
  QList<QRect> rects;
  for (const ShownLabel& label : shownLabels(stage)) rects.append(label.rect);
  return rects;
}

DisplayFrame DisplayFrame::of(const Stage& stage, const QString& patternName, quint64 generation) {
  DisplayFrame frame{true, LabelPainter::shownLabels(stage), patternName, {}, generation};
  for (const ShownLabel& label : frame.labels) frame.labelRects.append(label.rect);
  return frame;
}

void LabelPainter::paintPatternName(QPainter& painter, const QString& name) {
  if (name.isEmpty()) return;
  if (patternName_.text() != name) {
    patternNameFont_ = patternNameFont();
    patternName_.setText(name);
    patternName_.setTextFormat(Qt::PlainText);
    patternName_.prepare(QTransform(), patternNameFont_);
  }
  painter.setFont(patternNameFont_);
  painter.setPen(BgrColor::toQColor(0x00FFFFC0));
  painter.drawStaticText(patternNameRect().topLeft(), patternName_);
}

QFont LabelPainter::patternNameFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(18);
  font.setBold(true);
  return font;
}
