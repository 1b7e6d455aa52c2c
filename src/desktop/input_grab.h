#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWidget;

// Takes the keyboard and the pointer for a full-screen window, so the first
// key or click reaches it wherever the window manager has put the focus, and
// nothing reaches the applications beneath. While another client holds a
// grab it tries again for up to a second, then the window runs without.
// X drops a grab when its window stops being viewable (a window manager
// reparenting it, for one), so every new exposure of the window takes them
// again. Where the window system lets no client grab (Wayland), nothing is
// tried: the full-screen window gets the focus from the compositor.
class InputGrab : public QObject {
 public:
  static constexpr int kRetryMs = 1000;

  explicit InputGrab(QWidget* window);
  ~InputGrab() override;

  void start();
  // Gives both back; the pointer shows its own cursor again.
  void release();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void attempt();
  void retake();

  QWidget* window_;
  QTimer retry_;
  QElapsedTimer since_;
  bool active_ = false;
  bool keyboard_ = false;
  bool pointer_ = false;
};
