#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "display/frame_surface.h"
#include "display/host_window.h"

// The small preview in Windows' screen-saver settings (/p HANDLE): the
// display drawn into a child window of ours inside the host's window, at
// its client size. It takes no input, follows the host window's size and
// ends when that window goes.
class PreviewHostWindow final : public HostWindow {
  Q_OBJECT

 public:
  // Nothing and a one-line `error` when `handle` is not a window.
  static std::unique_ptr<PreviewHostWindow> open(quint64 handle, QString* error);
  ~PreviewHostWindow() override;

  QSize size() const override { return size_; }
  // The primary screen, which the settings' preview stands for.
  QSize screenSize() const override;
  FrameSurface& surface() override;
  void watch() override;
  bool reachedDirectly() const override { return false; }

 private:
  PreviewHostWindow(quint64 handle, QSize size);
  void poll();
  void fitChild();

  quint64 handle_;
  QSize size_;
  std::unique_ptr<QWidget> child_;  // made once the application runs
  std::unique_ptr<FrameSurface> surface_;
  QTimer poll_;
  bool gone_ = false;
};
