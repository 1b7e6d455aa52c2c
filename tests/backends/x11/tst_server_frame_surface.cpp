#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <xcb/xcb.h>

#include "display/background.h"
#include "display/raster_frame_surface.h"
#include "backends/x11/server_frame_surface.h"
#include "x_windows.h"
#include "xvfb_server.h"

// Frames drawn by a real X server hold the same pixels as Qt would blend,
// and as the raster surface paints: the picture tiled from the window's
// corner, each word and the pattern name over it, only where asked, at any
// pixel ratio and in strips on large windows; and what the window shows
// again after being covered.
class TestServerFrameSurface : public QObject {
  Q_OBJECT

  XvfbServer server_;
  xcb_connection_t* x_ = nullptr;
  xcb_screen_t* screen_ = nullptr;
  QTemporaryDir dir_;
  QString picturePath_;
  QImage picture_;
  QtTextMetrics metrics_;
  RandomSource random_;

  xcb_window_t createWindow(QSize size) { return XWindows::create(x_, screen_, QRect(QPoint(), size)); }
  QImage pixels(xcb_window_t window, QSize size) { return XWindows::pixels(x_, window, size); }

  // The frame as Qt's own painter blends it, in device pixels.
  QImage blendedByQt(const Stage& stage, const QString& name, qreal ratio, QSize device) const {
    // The picture scaled to the device as the background is tested to draw it.
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.scale(ratio, ratio);
    TiledPicture(picturePath_).paint(painter, QRectF(QPointF(), QSizeF(device) / ratio).toAlignedRect());
    painter.resetTransform();
    auto put = [&](const LabelPainter::Picture& picture, QPoint at) { painter.drawImage(at + picture.corner, picture.image); };
    for (const auto* labels : {&stage.lblQ, &stage.lblF})
      for (const Label& label : *labels)
        if (label.visible) put(LabelPainter::picture(label, ratio), LabelPainter::devicePlace(label, ratio));
    put(LabelPainter::patternNamePicture(name, ratio), (QPointF(LabelPainter::patternNameRect().topLeft()) * ratio).toPoint());
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
  }

  // Pixels whose channels differ by more than rounding.
  static int differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) {
        const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
        if (std::abs(qRed(p) - qRed(q)) > 2 || std::abs(qGreen(p) - qGreen(q)) > 2 || std::abs(qBlue(p) - qBlue(q)) > 2)
          ++count;
      }
    return count;
  }

  // Small and large (outlined) words, one running off the left edge.
  static DisplayFrame frameOf(const Stage& stage, const QString& name) {
    return DisplayFrame::of(stage, name);
  }

  void placeWords(Stage& stage, QPointF shift) const {
    stage.lblQ[0] = Label{"remember", "IPAPGothic", 18, false, 0x00FFFFFF, 40 + shift.x(), 60 + shift.y(), true};
    stage.lblQ[1] = Label{"apple", "IPAPGothic", 72, false, 0x00FFFFFF, -30 + shift.x(), 90 + shift.y(), true};
    stage.lblF[0] = Label{"覚える", "IPAPGothic", 56, true, 0x0080FFFF, 150 + shift.x(), 20 + shift.y(), true};
  }

 private slots:
  void initTestCase() {
    QString why;
    if (!server_.start(QStringLiteral("2100x1200x24"), &why)) QSKIP(qPrintable(why));
    x_ = xcb_connect(qPrintable(server_.display()), nullptr);
    QVERIFY(!xcb_connection_has_error(x_));
    screen_ = xcb_setup_roots_iterator(xcb_get_setup(x_)).data;
    // An odd-sized picture with no two equal rows or columns shows any tile out of place.
    picture_ = QImage(61, 47, QImage::Format_RGB32);
    for (int y = 0; y < picture_.height(); ++y)
      for (int x = 0; x < picture_.width(); ++x) picture_.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) % 256));
    picturePath_ = dir_.filePath("tile.png");
    QVERIFY(picture_.save(picturePath_));
  }
  void cleanupTestCase() {
    if (x_) xcb_disconnect(x_);
  }

  void drawsWhatQtWouldBlend_data() {
    QTest::addColumn<QSize>("layout");  // the window in layout pixels
    QTest::addColumn<qreal>("ratio");
    // A frame per letter: 'a' moves all words, a digit one; only what moved repaints.
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QPointF>("words");
    QTest::addRow("whole window") << QSize(400, 260) << 1.0 << "" << QPointF();
    QTest::addRow("words moved") << QSize(400, 260) << 1.0 << "a" << QPointF();
    QTest::addRow("ratio 1.5") << QSize(400, 260) << 1.5 << "" << QPointF();
    QTest::addRow("ratio 2, words moved") << QSize(400, 260) << 2.0 << "a" << QPointF();
    // The others stand where the last frames left them, outside the area.
    QTest::addRow("one word at a time") << QSize(400, 260) << 1.0 << "0121a" << QPointF();
    QTest::addRow("ratio 2, one word at a time") << QSize(400, 260) << 2.0 << "20a1" << QPointF();
    // Words across the seams of the strips.
    QTest::addRow("large window in strips") << QSize(1000, 560) << 2.0 << "" << QPointF(300, 130);
  }
  void drawsWhatQtWouldBlend() {
    QFETCH(QSize, layout);
    QFETCH(qreal, ratio);
    QFETCH(QString, moves);
    QFETCH(QPointF, words);
    const QSize device = Background::deviceRect(QRect(QPoint(), layout), ratio).size();
    const xcb_window_t window = createWindow(device);
    auto canvas = X11Canvas::create(x_, window);
    QVERIFY(canvas);
    ServerFrameSurface server(std::move(canvas));
    RasterFrameSurface raster(QImage::Format_RGB32);
    for (FrameSurface* surface : {static_cast<FrameSurface*>(&server), static_cast<FrameSurface*>(&raster)}) {
      surface->resize(layout, ratio);
      surface->setBackground(TiledPicture(picturePath_));
    }
    auto draw = [&](const QRegion& area, const Stage& stage, const char* name = "Tornado") {
      for (FrameSurface* surface : {static_cast<FrameSurface*>(&server), static_cast<FrameSurface*>(&raster)})
        surface->draw(area, frameOf(stage, name));
    };

    Stage stage(metrics_, random_);
    placeWords(stage, words);
    draw(QRect(QPoint(), layout), stage);
    QImage expected = blendedByQt(stage, "Tornado", ratio, device);
    for (const QChar move : moves) {
      // What changed, as the display engine counts it.
      const QList<QRect> before = LabelPainter::visibleRects(stage);
      Label* labels[] = {&stage.lblQ[0], &stage.lblQ[1], &stage.lblF[0]};
      for (int i = 0; i < 3; ++i)
        if (move == u'a' || move.digitValue() == i) labels[i]->left += 23.5, labels[i]->top += 17;
      const QList<QRect> after = LabelPainter::visibleRects(stage);
      QRegion area(LabelPainter::patternNameRect());
      for (qsizetype i = 0; i < after.size(); ++i)
        if (before[i] != after[i]) area += QRegion(before[i]) + after[i];
      // Another pattern's name between: the first one's comes back as it was.
      draw(area, stage, "Eagle");
      draw(area, stage);
      // Outside the area the last frame stays.
      const QImage moved = blendedByQt(stage, "Tornado", ratio, device);
      QPainter painter(&expected);
      for (const QRect& r : area) {
        const QRect d = Background::deviceRect(r, ratio);
        painter.drawImage(d.topLeft(), moved.copy(d));
      }
    }
    QCOMPARE(differing(pixels(window, device), expected), 0);
    // Nothing left behind where the words were, by either surface.
    QCOMPARE(differing(raster.image().convertToFormat(QImage::Format_RGB32), expected), 0);
    xcb_destroy_window(x_, window);
  }

  // Covered and shown again, a window of our own shows the picture at once;
  // a window lent by a host keeps its own background until we repaint.
  void exposedPartsShowTheRightBackground_data() {
    QTest::addColumn<bool>("lent");
    QTest::addRow("own window") << false;
    QTest::addRow("host's window") << true;
  }
  void exposedPartsShowTheRightBackground() {
    QFETCH(bool, lent);
    const QSize size(300, 200);
    const xcb_window_t window = createWindow(size);
    ServerFrameSurface frame(X11Canvas::create(x_, window, lent ? X11Canvas::Exposures::ByOwner : X11Canvas::Exposures::ByServer));
    frame.resize(size, 1);
    frame.setBackground(TiledPicture(picturePath_));
    Stage stage(metrics_, random_);
    placeWords(stage, {});
    frame.draw(QRect(QPoint(), size), frameOf(stage, "Pulse"));
    xcb_clear_area(x_, 0, window, 0, 0, 0, 0);
    const QImage shown = pixels(window, size);
    QImage black(size, QImage::Format_RGB32);
    black.fill(Qt::black);
    QCOMPARE(differing(shown, lent ? black : Background::compose(picture_, size)), 0);
    xcb_destroy_window(x_, window);
  }

  // Words growing every frame leave no more pictures in the server than the
  // budget and one frame's worth.
  void picturesStayWithinTheBudget() {
    const xcb_window_t window = createWindow(QSize(200, 100));
    ServerFrameSurface frame(X11Canvas::create(x_, window));
    frame.resize(QSize(200, 100), 1);
    Stage stage(metrics_, random_);
    qint64 most = 0;
    for (int size = 8; size <= 200; ++size) {
      stage.lblQ[0] = Label{"understand", "IPAPGothic", size, false, 0x00FFFFFF, 0, 0, true};
      stage.lblF[0] = Label{"理解する", "IPAPGothic", size, false, 0x0080FFFF, 0, 0, true};
      frame.draw(QRect(0, 0, 200, 100), frameOf(stage, "Pulse"));
      most = std::max(most, frame.pictureBytes());
    }
    QVERIFY2(most <= ServerFrameSurface::kPictureBudget + 4 * 1024 * 1024, qPrintable(QString::number(most)));
    xcb_destroy_window(x_, window);
  }
};

QTEST_MAIN(TestServerFrameSurface)
#include "tst_server_frame_surface.moc"
