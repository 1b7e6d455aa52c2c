#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include "display/background.h"
#include "display/mouse_jump.h"
#include "special_files.h"

class TestBackground : public QObject {
  Q_OBJECT

 private slots:
  void tileCounts_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("tiles");
    QTest::addColumn<QPoint>("last");
    QTest::addRow("100 on 1024x768") << QSize(100, 100) << QSize(1024, 768) << 11 * 8 << QPoint(1000, 700);
    QTest::addRow("exact fit adds an edge row") << QSize(512, 384) << QSize(1024, 768) << 3 * 3 << QPoint(1024, 768);
    QTest::addRow("larger than screen") << QSize(2000, 1500) << QSize(1024, 768) << 1 << QPoint(0, 0);
    QTest::addRow("no picture") << QSize(0, 0) << QSize(1024, 768) << 0 << QPoint();
  }
  void tileCounts() {
    QFETCH(QSize, picture);
    QFETCH(QSize, screen);
    QFETCH(int, tiles);
    QFETCH(QPoint, last);
    const QList<QPoint> origins = Background::tileOrigins(picture, screen);
    QCOMPARE(origins.size(), tiles);
    if (tiles > 0) {
      QCOMPARE(origins.first(), QPoint(0, 0));
      QCOMPARE(origins.last(), last);
    }
  }

  void composeTilesAtNaturalSize() {
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixelColor(0, 0, Qt::green);
    const QImage buffer = Background::compose(picture, QSize(1024, 768));
    QCOMPARE(buffer.size(), QSize(1024, 768));
    QCOMPARE(buffer.pixelColor(0, 0), QColor(Qt::green));
    QCOMPARE(buffer.pixelColor(500, 300), QColor(Qt::green));  // a tile starts at each multiple of 100
    QCOMPARE(buffer.pixelColor(1000, 700), QColor(Qt::green));
    QCOMPARE(buffer.pixelColor(1023, 767), QColor(Qt::red));
  }

  void unloadablePictureLeavesBlack() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("not-a-picture.jpg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is text");
    file.close();
    const QImage picture = Background::load(path);
    QVERIFY(picture.isNull());
    QVERIFY(Background::load(dir.filePath(QStringLiteral("missing.jpg"))).isNull());
    const QImage buffer = Background::compose(picture, QSize(64, 48));
    QCOMPARE(buffer.pixelColor(10, 10), QColor(Qt::black));
  }

  // Whatever is no picture gives none, at once: the background stays black.
  void noPictureLeavesBlack_data() {
    QTest::addColumn<QString>("kind");
    QTest::addRow("FIFO") << "fifo";
    QTest::addRow("folder") << "folder";
    QTest::addRow("link to /dev/zero") << "zero";
    QTest::addRow("1 GB of NULs") << "nuls";
    QTest::addRow("progressive JPEG declaring 20000x20000 (decoded whole)") << "progressive";
    QTest::addRow("progressive JPEG declaring 7000x7000 (under the plain limit)") << "progressive 7000";
  }
  void noPictureLeavesBlack() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.jpg"));
    QFile file(path);
    if (kind == "nuls") {
      QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 30));
    } else if (kind.startsWith("progressive")) {
      QBuffer jpeg;
      QImage small(16, 16, QImage::Format_RGB32);
      small.fill(Qt::green);
      QImageWriter writer(&jpeg, "jpeg");
      writer.setProgressiveScanWrite(true);
      QVERIFY(writer.write(small));
      QByteArray bytes = jpeg.data();
      const QByteArray side = kind.endsWith("7000") ? "\x1B\x58" : "\x4E\x20";
      bytes.replace(bytes.indexOf("\xFF\xC2") + 5, 4, side + side);  // height and width
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    } else if (!makeSpecialFile(kind, path))
      QSKIP("no such file here");
    file.close();
    QVERIFY(Background::load(path).isNull());
    QImage screen(32, 16, QImage::Format_RGB32);
    screen.fill(Qt::red);
    QPainter painter(&screen);
    TiledPicture(path).paint(painter, screen.rect());
    QCOMPARE(screen.pixelColor(31, 15), QColor(Qt::black));
  }

  void defaultPictureLoads() {
    const QImage picture = Background::load(qEnvironmentVariable("DRIFTGLYPH_TEST_DATA") + "/DEFAULT.jpg");
    QVERIFY(!picture.isNull());
  }

  // The background drawn straight from the file into a buffer at the
  // screen's pixel ratio covers the same layout pixels at every ratio. At a
  // whole ratio each picture pixel becomes ratio x ratio device pixels, with
  // no blur; at any ratio every tile is the same (no seams), and a partial
  // repaint lands on the same pixels.
  void tiledPictureAtDeviceResolution_data() {
    QTest::addColumn<QString>("picture");  // "checker" or a test-data file
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QRect>("area");  // layout pixels repainted after the whole
    QTest::addRow("checkerboard at ratio 2") << "checker" << 2.0 << QRect(3, 2, 9, 5);
    QTest::addRow("checkerboard at ratio 1.5") << "checker" << 1.5 << QRect(7, 5, 13, 11);
    QTest::addRow("checkerboard at ratio 1.25") << "checker" << 1.25 << QRect(1, 1, 20, 3);
    QTest::addRow("checkerboard at ratio 1") << "checker" << 1.0 << QRect(0, 0, 1, 1);
    QTest::addRow("checkerboard in a small preview") << "checker" << 0.5 << QRect(2, 2, 7, 7);
    QTest::addRow("default picture in bands") << "DEFAULT.jpg" << 1.0 << QRect(500, 600, 900, 400);
    QTest::addRow("default picture at ratio 2") << "DEFAULT.jpg" << 2.0 << QRect(100, 1000, 700, 50);
    QTest::addRow("default picture at ratio 1.5") << "DEFAULT.jpg" << 1.5 << QRect(100, 1000, 700, 50);
  }
  void tiledPictureAtDeviceResolution() {
    QFETCH(QString, picture);
    QFETCH(qreal, ratio);
    QFETCH(QRect, area);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("checker.bmp"));
    QImage source(7, 5, QImage::Format_RGB32);  // odd sizes: tiles start on odd device pixels
    const QSize layout(picture == "checker" ? QSize(32, 16) : QSize(1920, 1440));
    if (picture == "checker") {
      for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) source.setPixel(x, y, (x + y) % 2 ? 0xffffffff : 0xff000000);
      QVERIFY(source.save(path));
    } else {
      path = qEnvironmentVariable("DRIFTGLYPH_TEST_DATA") + "/" + picture;
      source = Background::load(path).convertToFormat(QImage::Format_RGB32);
    }
    const TiledPicture tiled(path);
    QCOMPARE(tiled.size(), source.size());
    const QSize tile = tiled.deviceTile(ratio);
    QCOMPARE(tile, (QSizeF(source.size()) * ratio).toSize());

    const auto draw = [&](const QList<QRect>& areas) {
      QImage buffer(Background::deviceRect(QRect(QPoint(0, 0), layout), ratio).size(), QImage::Format_RGB32);
      buffer.fill(Qt::red);
      // A window's ratio is at least 1; a miniature is drawn scaled.
      if (ratio >= 1) buffer.setDevicePixelRatio(ratio);
      QPainter painter(&buffer);
      if (ratio < 1) painter.scale(ratio, ratio);
      for (const QRect& r : areas) tiled.paint(painter, r);
      return buffer;
    };
    const QRect all(QPoint(0, 0), layout);
    const QImage buffer = draw({all, area});
    QCOMPARE(buffer.size(), (QSizeF(layout) * ratio).toSize());
    QCOMPARE(buffer, draw({all}));
    const int whole = int(ratio);
    for (int y = 0; y < buffer.height(); ++y)
      for (int x = 0; x < buffer.width(); ++x) {
        const QRgb pixel = buffer.pixel(x, y);
        const bool same = whole == ratio ? pixel == source.pixel(x / whole % source.width(), y / whole % source.height())
                                         : pixel == buffer.pixel(x % tile.width(), y % tile.height());
        if (!same) QFAIL(qPrintable(QStringLiteral("device pixel %1,%2 differs").arg(x).arg(y)));
      }
  }

  void mouseJumpThreshold_data() {
    QTest::addColumn<QList<QPointF>>("moves");
    QTest::addColumn<int>("endsAt");  // index of the move that ends, -1 for none
    QTest::addColumn<bool>("enters");  // the first position is where the pointer entered
    QTest::addRow("first move only records") << QList<QPointF>{{900, 900}} << -1 << false;
    QTest::addRow("the entry is the reference") << QList<QPointF>{{100, 100}, {130, 100}} << 1 << true;
    QTest::addRow("still pointer under a new window") << QList<QPointF>{{100, 100}, {100, 100}} << -1 << true;
    QTest::addRow("16 px holds") << QList<QPointF>{{100, 100}, {116, 84}} << -1 << false;
    QTest::addRow("17 px in x ends") << QList<QPointF>{{100, 100}, {117, 100}} << 1 << false;
    QTest::addRow("17 px in y ends") << QList<QPointF>{{100, 100}, {100, 83}} << 1 << false;
    QTest::addRow("slow drift never ends")
        << QList<QPointF>{{0, 0}, {16, 16}, {32, 32}, {48, 48}, {64, 64}, {80, 80}} << -1 << false;
  }
  void mouseJumpThreshold() {
    QFETCH(QList<QPointF>, moves);
    QFETCH(int, endsAt);
    QFETCH(bool, enters);
    MouseJump jump;
    int ended = -1;
    if (enters) jump.entered(moves.first());
    for (int i = enters ? 1 : 0; i < moves.size() && ended < 0; ++i)
      if (jump.moved(moves.at(i))) ended = i;
    QCOMPARE(ended, endsAt);
  }
};

QTEST_MAIN(TestBackground)
#include "tst_background.moc"
