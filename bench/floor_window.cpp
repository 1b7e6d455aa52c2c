// The floor for the footprint benchmark: a bare Qt widget covering the
// primary screen, black, doing nothing else. It runs until it is ended.
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  QPalette black = window.palette();
  black.setColor(QPalette::Window, Qt::black);
  window.setPalette(black);
  // Without a window manager full screen is only a hint: cover the screen as the display does.
  window.setGeometry(QGuiApplication::primaryScreen()->geometry());
  window.showFullScreen();
  return app.exec();
}
