#include <QTemporaryDir>
#include <QtTest>

#include "display/background.h"
#include "display/mouse_jump.h"

class tst_Background : public QObject {
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

  void defaultPictureLoads() {
    const QImage picture = Background::load(qEnvironmentVariable("DRIFTGLYPH_TEST_DATA") + "/DEFAULT.jpg");
    QVERIFY(!picture.isNull());
  }

  void mouseJumpThreshold_data() {
    QTest::addColumn<QList<QPointF>>("moves");
    QTest::addColumn<int>("endsAt");  // index of the move that ends, -1 for none
    QTest::addRow("first move only records") << QList<QPointF>{{900, 900}} << -1;
    QTest::addRow("16 px holds") << QList<QPointF>{{100, 100}, {116, 84}} << -1;
    QTest::addRow("17 px in x ends") << QList<QPointF>{{100, 100}, {117, 100}} << 1;
    QTest::addRow("17 px in y ends") << QList<QPointF>{{100, 100}, {100, 83}} << 1;
    QTest::addRow("slow drift never ends")
        << QList<QPointF>{{0, 0}, {16, 16}, {32, 32}, {48, 48}, {64, 64}, {80, 80}} << -1;
  }
  void mouseJumpThreshold() {
    QFETCH(QList<QPointF>, moves);
    QFETCH(int, endsAt);
    MouseJump jump;
    int ended = -1;
    for (int i = 0; i < moves.size() && ended < 0; ++i)
      if (jump.moved(moves.at(i))) ended = i;
    QCOMPARE(ended, endsAt);
  }
};

QTEST_MAIN(tst_Background)
#include "tst_background.moc"
