#pragma once

#include <QObject>
#include <QRegion>
#include <memory>

#include "display/display_engine.h"
#include "display/host_layout.h"
#include "display/host_window.h"

// The display drawn into a screen-saver host's window: the same display as
// on a screen, in small where the window is a preview (see HostLayout). It
// follows the window's size, repaints what the host exposes, takes no input,
// holds no lock, and reports when the window goes.
class HostedDisplay : public QObject {
  Q_OBJECT

 public:
  HostedDisplay(QuorlSaver& saver, const PatternCatalog& patterns, std::unique_ptr<HostWindow> host);
  ~HostedDisplay() override;

  void start();
  const DisplayEngine& engine() const { return engine_; }

 signals:
  // The host's window is no more.
  void hostGone();

 private:
  void resize(QSize size);
  void repaint(const QRegion& area);
  void repaintWindow(const QRegion& windowArea);
  void flush();

  QuorlSaver& saver_;
  std::unique_ptr<HostWindow> host_;
  HostLayout layout_;
  DisplayEngine engine_;
  QRegion pending_;
  bool flushQueued_ = false;
};
