#include "display/frm_main_dgl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include "display/screen_cover.h"
#include "display/screen_covers.h"
#include "desktop/input_grab.h"
#include "startup/quorl_saver.h"

frmMainDGL::frmMainDGL(QuorlSaver& saver, const PatternCatalog& patterns, DisplayRun run,
                       WindowSurfaceFactory makeSurface)
    : CoveringWindow(makeSurface),
      saver_(saver),
      makeSurface_(makeSurface),
      patterns_(patterns),
      engine_(saver, patterns, run),
      lock_(saver.homeFolder()) {
  setObjectName(QStringLiteral("frmMainDGL"));
  setWindowTitle(QStringLiteral("frmMainDGL"));
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &CoveringWindow::inputSeen, this, &frmMainDGL::EndQuoSaver);
  connect(&engine_, &DisplayEngine::pictureChanged, this, [this] { surface().setBackground(engine_.picture()); });
  connect(&engine_, &DisplayEngine::frameChanged, this, &CoveringWindow::showFrame);
  lock_.acquire();
}

frmMainDGL::~frmMainDGL() { lock_.release(); }

void frmMainDGL::showSaver() {
  engine_.load();
  QScreen* screen = QGuiApplication::primaryScreen();
  engine_.setSmooth(saver_.extra.smooth, screen ? screen->refreshRate() : 60);
  cover(screen);
  activateWindow();
  setFocus();
  grab_ = new InputGrab(this);
  grab_->start();
  coverScreens();
  engine_.start();
}

void frmMainDGL::resizeEvent(QResizeEvent* event) {
  CoveringWindow::resizeEvent(event);
  engine_.setSize(size());
}

void frmMainDGL::coverScreens() {
  covers_ = new ScreenCovers(
      QGuiApplication::primaryScreen(), makeSurface_,
      [this] { return TiledPicture(saver_.pictureOrDefault(saver_.settings.backgroundPath)); }, this);
  connect(covers_, &ScreenCovers::inputSeen, this, &frmMainDGL::EndQuoSaver);
  // Every monitor shows words: each further screen runs a display of its
  // own that takes this one's words.
  if (saver_.extra.everyMonitor)
    covers_->showDisplays([this](ScreenCover& cover, int index) {
      auto engine = std::make_unique<DisplayEngine>(saver_, patterns_, DisplayRun::Trial);
      engine->follow(engine_, index);
      cover.showDisplay(std::move(engine), saver_.extra.smooth);
    });
  // The primary screen changed (or the old one went away, or its size
  // changed): the display covers it and starts its cycle anew at its size.
  connect(covers_, &ScreenCovers::displayScreenChanged, this, [this](QScreen* screen) {
    cover(screen);
    engine_.setSmooth(saver_.extra.smooth, screen ? screen->refreshRate() : 60);
    engine_.restart();
  });
}

void frmMainDGL::finish() {
  if (finished_) return;
  finished_ = true;
  engine_.stop();
  if (grab_) grab_->release();
  if (covers_) covers_->closeAll();
  unsetCursor();
  lock_.release();
  emit ended();
}

void frmMainDGL::EndQuoSaver() {
  const bool trial = engine_.run() == DisplayRun::Trial;
  finish();
  close();
  if (!trial) QApplication::quit();
}

void frmMainDGL::closeEvent(QCloseEvent* event) {
  finish();
  event->accept();
}
