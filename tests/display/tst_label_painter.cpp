#include <QImage>
#include <QPainter>
#include <QtTest>

#include "display/label_painter.h"
#include "display/stage.h"

// The label painter on real fonts: every size a pattern uses must reach the screen.
class TestLabelPainter : public QObject {
  Q_OBJECT

  static int litPixels(const QImage& image, const QRect& rect) {
    int lit = 0;
    for (int y = std::max(0, rect.top()); y <= std::min(image.height() - 1, rect.bottom()); ++y)
      for (int x = std::max(0, rect.left()); x <= std::min(image.width() - 1, rect.right()); ++x)
        lit += qGray(image.pixel(x, y)) > 128 ? 1 : 0;
    return lit;
  }

 private slots:
  void everySizeIsDrawn_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("ratio");  // device pixels per layout pixel
    for (int size : {13, 24, 40, 48, 49, 60, 80, 110}) {
      QTest::addRow("latin %d pt", size) << "IPAPGothic" << "apple" << size << 1.0;
      QTest::addRow("japanese %d pt", size) << "IPAPGothic" << "りんご" << size << 1.0;
    }
    QTest::addRow("fallback face 110 pt") << "ＭＳ Ｐゴシック" << "理解" << 110 << 1.0;
    for (int size : {13, 24, 40, 80}) {
      QTest::addRow("latin %d pt at ratio 2", size) << "IPAPGothic" << "apple" << size << 2.0;
      QTest::addRow("japanese %d pt at ratio 1.5", size) << "IPAPGothic" << "りんご" << size << 1.5;
    }
    // Dense strokes at a size whose layout font is small but whose device text is large.
    QTest::addRow("dense kanji 36 pt at ratio 2") << "IPAPGothic" << "聞" << 36 << 2.0;
  }
  // Draws one label; the lit device pixels in its box, and below it.
  static std::pair<int, int> drawn(const QString& face, const QString& text, int size, qreal ratio, QRect* box,
                                   bool italic = false) {
    QtTextMetrics metrics;
    RandomSource random;
    Stage stage(metrics, random);
    Label& label = stage.lblQ[0];
    label = Label{text, face, size, italic, 0x00FFFFFF, 20, 10, true};
    const QSize extent = stage.size(label);
    // Layout stays in layout pixels; the text is drawn on every device pixel.
    QImage image(QSize(extent.width() + 60, extent.height() + 40) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    QPainter painter(&image);
    LabelPainter labels;
    labels.paint(painter, LabelPainter::shownLabels(stage));
    painter.end();
    *box = QRectF(20 * ratio, 10 * ratio, extent.width() * ratio, extent.height() * ratio).toRect();
    return {litPixels(image, *box), litPixels(image, QRect(0, box->bottom() + 12 * ratio, image.width(), 40 * ratio))};
  }

  void everySizeIsDrawn() {
    QFETCH(QString, face);
    QFETCH(QString, text);
    QFETCH(int, size);
    QFETCH(qreal, ratio);
    QRect box;
    const auto [lit, below] = drawn(face, text, size, ratio, &box);
    QVERIFY(!box.isEmpty());
    // Bold strokes cover a good part of the text's box, at any size.
    QVERIFY2(lit > box.width() * box.height() / 25,
             qPrintable(QStringLiteral("%1 lit pixels in %2x%3").arg(lit).arg(box.width()).arg(box.height())));
    // Nothing is drawn far outside the label's own box.
    QCOMPARE(below, 0);
    // The same text on as many device pixels looks the same at any ratio:
    // as bold, never bolder (it once filled in whole). Text drawn from its
    // outline is compared; smaller text is hinted differently at each size.
    const qreal deviceSize = size * ratio;
    if (ratio != 1 && deviceSize >= 60 && deviceSize == std::floor(deviceSize)) {
      QRect plainBox;
      const int plain = drawn(face, text, int(deviceSize), 1, &plainBox).first;
      QVERIFY2(std::abs(lit - plain) <= plain / 6,
               qPrintable(QStringLiteral("%1 lit pixels at ratio %2, %3 at ratio 1").arg(lit).arg(ratio).arg(plain)));
    }
  }

  // Italic text in a script no installed italic face holds (Arabic) is
  // drawn, with as much ink as upright, not as boxes.
  void italicWithoutItalicFaceIsDrawn() {
    for (int size : {24, 80}) {
      QRect box;
      const int italic = drawn("IPAPGothic", "مرحبا كتاب", size, 1, &box, true).first;
      const int upright = drawn("IPAPGothic", "مرحبا كتاب", size, 1, &box).first;
      QVERIFY2(std::abs(italic - upright) <= upright / 5, qPrintable(QStringLiteral("%1 italic, %2 upright").arg(italic).arg(upright)));
    }
  }

  // A pattern that changes the size every tick makes a new picture each
  // frame; the painter must not keep them all.
  void picturesStayBoundedWhenSizesChange() {
    QtTextMetrics metrics;
    RandomSource random;
    Stage stage(metrics, random);
    QImage image(1600, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    LabelPainter labels;
    for (int size = 60; size < 160; ++size) {
      stage.lblQ[0] = Label{"understanding", "IPAPGothic", size, false, 0x00FFFFFF, 0, 0, true};
      labels.paint(painter, LabelPainter::shownLabels(stage));
    }
    QVERIFY(labels.pictureBytes() > 0);  // the last frame's picture is there
    QVERIFY2(labels.pictureBytes() < 4 * 1024 * 1024, qPrintable(QString::number(labels.pictureBytes())));
  }

  // Between two sizes a label is its text scaled about its corner, at any ratio.
  void glidingLabelIsScaledAboutItsCorner() {
    const auto inkOf = [](qreal scale, qreal ratio) {
      QtTextMetrics metrics;
      RandomSource random;
      Stage stage(metrics, random);
      stage.lblQ[0] = Label{"apple", "IPAPGothic", 24, false, 0x00FFFFFF, 20, 10, true};
      ShownLabel shown = LabelPainter::shown(stage, stage.lblQ[0]);
      shown.scale = scale;
      QImage image(QSize(300, 120) * ratio, QImage::Format_RGB32);
      image.setDevicePixelRatio(ratio);
      image.fill(Qt::black);
      QPainter painter(&image);
      LabelPainter().paint(painter, {shown});
      painter.end();
      QRect ink;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
          if (qGray(image.pixel(x, y)) > 128) ink |= QRect(x, y, 1, 1);
      return ink.translated(-QPoint(20, 10) * ratio);  // from the label's corner
    };
    for (const qreal ratio : {1.0, 2.0}) {
      const QRect still = inkOf(1, ratio), grown = inkOf(1.5, ratio);
      QVERIFY(!still.isEmpty());
      const auto near = [ratio](qreal a, qreal b) { return std::abs(a - b) <= 2 * ratio; };
      QVERIFY2(near(grown.left(), 1.5 * still.left()) && near(grown.top(), 1.5 * still.top()) &&
                   near(grown.right(), 1.5 * still.right()) && near(grown.bottom(), 1.5 * still.bottom()),
               qPrintable(QStringLiteral("ink %1,%2 %3x%4 at 1.5 against %5,%6 %7x%8 at 1 (ratio %9)")
                              .arg(grown.x()).arg(grown.y()).arg(grown.width()).arg(grown.height())
                              .arg(still.x()).arg(still.y()).arg(still.width()).arg(still.height()).arg(ratio)));
    }
  }

  void hiddenLabelsAreNotDrawn() {
    QtTextMetrics metrics;
    RandomSource random;
    Stage stage(metrics, random);
    stage.lblF[5] = Label{"hidden", "IPAPGothic", 40, false, 0x00FFFFFF, 0, 0, false};
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    LabelPainter labels;
    labels.paint(painter, LabelPainter::shownLabels(stage));
    painter.end();
    QCOMPARE(litPixels(image, image.rect()), 0);
  }
};

QTEST_MAIN(TestLabelPainter)
#include "tst_label_painter.moc"
