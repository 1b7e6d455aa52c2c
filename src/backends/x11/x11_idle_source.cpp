#include "backends/x11/x11_idle_source.h"

#include <QSocketNotifier>
#include <cstdlib>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

std::unique_ptr<X11IdleSource> X11IdleSource::open(quint32 idleMs, QString* why) {
  std::unique_ptr<X11IdleSource> source(new X11IdleSource(idleMs));
  int screenNumber = 0;
  source->connection_ = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(source->connection_)) {
    if (why) *why = QStringLiteral("no X server at DISPLAY");
    return nullptr;
  }
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(source->connection_, &xcb_screensaver_id);
  if (!extension || !extension->present) {
    if (why) *why = QStringLiteral("the X server has no MIT-SCREEN-SAVER extension");
    return nullptr;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(source->connection_));
  for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
  source->root_ = screens.data->root;

  source->next_.setSingleShot(true);
  source->next_.setTimerType(Qt::PreciseTimer);
  connect(&source->next_, &QTimer::timeout, source.get(), &X11IdleSource::check);
  // The server going away shows as the connection's socket becoming readable.
  source->readable_ =
      std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(source->connection_), QSocketNotifier::Read);
  connect(source->readable_.get(), &QSocketNotifier::activated, source.get(), &X11IdleSource::drainEvents);
  // The first look comes after the whole time: a session already idle at the
  // start is shown once the watcher has also waited, and the report reaches a
  // watcher connected after open().
  source->next_.start(int(idleMs));
  return source;
}

X11IdleSource::~X11IdleSource() {
  readable_.reset();
  if (connection_) xcb_disconnect(connection_);
}

void X11IdleSource::check() {
  xcb_screensaver_query_info_reply_t* info =
      xcb_screensaver_query_info_reply(connection_, xcb_screensaver_query_info(connection_, root_), nullptr);
  if (!info) {
    if (xcb_connection_has_error(connection_))
      lost();
    else
      next_.start(kWhileIdleMs);
    return;
  }
  const quint32 idleFor = info->ms_since_user_input;
  std::free(info);
  if (idleFor < idleMs_) {
    reported_ = false;
    next_.start(int(idleMs_ - idleFor));
    return;
  }
  if (!reported_) {
    reported_ = true;
    emit idle();
  }
  next_.start(kWhileIdleMs);
}

void X11IdleSource::drainEvents() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
  if (xcb_connection_has_error(connection_)) lost();
}

void X11IdleSource::lost() {
  readable_->setEnabled(false);
  next_.stop();
  emit gone();
}
